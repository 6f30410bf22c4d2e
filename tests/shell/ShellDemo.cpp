// The test pane in a window of its own, laid out as the Savers page's left pane with the
// minutes spin edit beside it, to look at: shell_demo [seconds [folder]].
#include "ShellFileList.h"
#include "ShellFolderTree.h"
#include "ShellTestIds.h"
#include "SpinEdit.h"
#include "Splitter.h"

#include <windows.h>
#include <commctrl.h>

#include <cstdlib>
#include <string>

namespace {
constexpr UINT_PTR CloseTimer = 1;

INT_PTR CALLBACK DemoDialogProc(HWND dialog, UINT message, WPARAM, LPARAM) {
    switch (message) {
    case WM_INITDIALOG:
        return TRUE;
    case WM_TIMER:
    case WM_CLOSE:
        DestroyWindow(dialog);
        return TRUE;
    case WM_DESTROY:
        PostQuitMessage(0);
        return TRUE;
    default:
        return FALSE;
    }
}

std::string OwnFolder() {
    char path[MAX_PATH];
    const DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string folder(path, length);
    return folder.substr(0, folder.find_last_of('\\'));
}

void LayOut(HWND dialog, TShellFolderTree& tree, TSplitter& splitter, TShellFileList& list,
            TSpinEdit& minutes) {
    RECT frame{0, 0, 400, 320};
    AdjustWindowRectEx(&frame, GetWindowLongA(dialog, GWL_STYLE), FALSE,
                       GetWindowLongA(dialog, GWL_EXSTYLE));
    SetWindowPos(dialog, nullptr, 40, 40, frame.right - frame.left, frame.bottom - frame.top,
                 SWP_NOZORDER);
    tree.SetBounds({8, 8, 193, 153});
    splitter.SetBounds({8, 153, 193, 163});
    list.SetBounds({8, 163, 193, 312});
    SetWindowPos(GetDlgItem(dialog, IDC_MINUTES_LABEL), nullptr, 210, 12, 180, 16, SWP_NOZORDER);
    MoveWindow(minutes.Handle(), 210, 32, 44, 22, TRUE);
    MoveWindow(minutes.UpDownHandle(), 254, 32, 17, 22, TRUE);
    // The second spin edit of the template is there for the tests only.
    for (int id : {IDC_COUNT, IDC_COUNT_ARROWS})
        ShowWindow(GetDlgItem(dialog, id), SW_HIDE);
}
} // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    INITCOMMONCONTROLSEX classes{sizeof classes, ICC_TREEVIEW_CLASSES | ICC_LISTVIEW_CLASSES |
                                                     ICC_UPDOWN_CLASS | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&classes);
    TSplitter::RegisterWindowClass();
    const HWND dialog =
        CreateDialogParamA(instance, MAKEINTRESOURCEA(IDD_SHELL_PANE), nullptr, DemoDialogProc, 0);
    TWinControl form(nullptr);
    TShellFolderTree tree(nullptr);
    TSplitter splitter(nullptr);
    TShellFileList list(nullptr);
    TSpinEdit minutes(nullptr);
    form.Attach(dialog);
    tree.Attach(GetDlgItem(dialog, IDC_FOLDER_TREE));
    splitter.Attach(GetDlgItem(dialog, IDC_SPLITTER));
    list.Attach(GetDlgItem(dialog, IDC_FILE_LIST));
    minutes.Attach(GetDlgItem(dialog, IDC_MINUTES));
    LayOut(dialog, tree, splitter, list, minutes);

    list.SetMask("*.scr");
    list.SetFolderTree(&tree);
    tree.SetSelectedFolder(__argc > 2 ? __argv[2] : OwnFolder());
    if (list.Count() > 0)
        list.SetSelected(0, true);
    minutes.SetRange(1, 360);
    minutes.SetValue(15);
    SetDlgItemTextA(dialog, IDC_MINUTES_LABEL, "Change saver every (minutes):");
    if (__argc > 1)
        SetTimer(dialog, CloseTimer, static_cast<UINT>(std::atoi(__argv[1])) * 1000, nullptr);
    ShowWindow(dialog, SW_SHOW);
    SetFocus(tree.Handle());

    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
        if (!IsDialogMessageA(dialog, &msg)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
    }
    return 0;
}
