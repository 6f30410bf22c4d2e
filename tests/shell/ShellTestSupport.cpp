#include "ShellTestSupport.h"

#include "ShellTestIds.h"

#include <commctrl.h>

#include <filesystem>
#include <fstream>

namespace {
INT_PTR CALLBACK PaneDialogProc(HWND, UINT message, WPARAM, LPARAM) {
    return message == WM_INITDIALOG;
}
} // namespace

// ---- TTempTree ----

TTempTree::TTempTree() {
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    char longTemp[MAX_PATH];
    if (!GetLongPathNameA(temp, longTemp, MAX_PATH))
        lstrcpyA(longTemp, temp);
    RootFolder = std::string(longTemp) + "kd_shell_" + std::to_string(GetCurrentProcessId());
    std::filesystem::remove_all(RootFolder);
    CreateDirectoryA(RootFolder.c_str(), nullptr);
    for (const char* file : {"a.scr", "B.SCR", "c.txt", "d.scr.bak", "Gamma\\x.scr"}) {
        if (std::string(file).find('\\') != std::string::npos)
            AddFolder("Gamma");
        AddFile(file);
    }
    for (const char* folder : {"e.scr", "Alpha", "beta", "Gamma\\Inner", ".hidden"})
        AddFolder(folder);
    SetFileAttributesA(Path(".hidden").c_str(), FILE_ATTRIBUTE_HIDDEN);
}

TTempTree::~TTempTree() {
    std::error_code ignored;
    std::filesystem::remove_all(RootFolder, ignored);
}

void TTempTree::AddFile(const std::string& relative) const {
    std::ofstream(Path(relative)) << "test\n";
}

void TTempTree::AddFolder(const std::string& relative) const {
    CreateDirectoryA(Path(relative).c_str(), nullptr);
}

// ---- messages ----

void PumpMessages() {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

bool PumpUntil(const std::function<bool()>& condition, DWORD limitMs) {
    const DWORD start = GetTickCount();
    for (;;) {
        PumpMessages();
        if (condition())
            return true;
        if (GetTickCount() - start >= limitMs)
            return false;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_ALLINPUT);
    }
}

// ---- TShellPane ----

HWND CreatePaneDialog() {
    INITCOMMONCONTROLSEX classes{sizeof classes, ICC_TREEVIEW_CLASSES | ICC_LISTVIEW_CLASSES |
                                                     ICC_UPDOWN_CLASS | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&classes);
    TSplitter::RegisterWindowClass();
    return CreateDialogParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDD_SHELL_PANE), nullptr,
                              PaneDialogProc, 0);
}

TShellPane::TShellPane() {
    const HWND dialog = CreatePaneDialog();
    Form.Attach(dialog);
    Tree.Attach(GetDlgItem(dialog, IDC_FOLDER_TREE));
    Splitter.Attach(GetDlgItem(dialog, IDC_SPLITTER));
    List.Attach(GetDlgItem(dialog, IDC_FILE_LIST));
    Minutes.Attach(GetDlgItem(dialog, IDC_MINUTES));
    Minutes.SetRange(1, 360);
    LayOut();
    PumpMessages();
}

TShellPane::~TShellPane() = default;

void TShellPane::LayOut() {
    Tree.SetBounds({0, 0, 185, 145});
    Splitter.SetBounds({0, 145, 185, 155});
    List.SetBounds({0, 155, 185, 300});
}

// ---- reading controls ----

std::string ItemText(HWND tree, HTREEITEM item) {
    char text[MAX_PATH] = {};
    TVITEMA query{};
    query.mask = TVIF_TEXT | TVIF_HANDLE;
    query.hItem = item;
    query.pszText = text;
    query.cchTextMax = MAX_PATH;
    SendMessageA(tree, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&query));
    return text;
}

std::vector<std::string> ChildTexts(HWND tree, HTREEITEM item) {
    std::vector<std::string> texts;
    for (HTREEITEM child = TreeView_GetChild(tree, item); child;
         child = TreeView_GetNextSibling(tree, child))
        texts.push_back(ItemText(tree, child));
    return texts;
}

std::vector<std::string> ListNames(const TShellFileList& list) {
    std::vector<std::string> names;
    const auto count = SendMessageA(list.Handle(), LVM_GETITEMCOUNT, 0, 0);
    for (WPARAM i = 0; i < static_cast<WPARAM>(count); ++i) {
        char text[MAX_PATH] = {};
        LVITEMA query{};
        query.pszText = text;
        query.cchTextMax = MAX_PATH;
        SendMessageA(list.Handle(), LVM_GETITEMTEXTA, i, reinterpret_cast<LPARAM>(&query));
        names.push_back(text);
    }
    return names;
}

bool SamePath(const std::string& a, const std::string& b) {
    return lstrcmpiA(a.c_str(), b.c_str()) == 0;
}
