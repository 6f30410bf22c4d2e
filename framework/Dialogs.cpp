#include "Dialogs.h"

#include <cstring>
#include <vector>

namespace {
// A dialog template written word by word, as DialogBoxIndirectParam reads it.
class TTemplateWriter {
public:
    void Dialog(DWORD style, short width, short height, int controls) {
        DLGTEMPLATE dialog{};
        dialog.style = style;
        dialog.cdit = static_cast<WORD>(controls);
        dialog.cx = width;
        dialog.cy = height;
        Append(&dialog, sizeof dialog);
        Word(0); // no menu
        Word(0); // the standard dialog class
        Word(0); // the caption is set at WM_INITDIALOG
        Word(8); // DS_SETFONT: point size and face
        Text("MS Shell Dlg");
    }

    void Control(WORD classAtom, int id, DWORD style, short x, short y, short width, short height) {
        Align(4);
        DLGITEMTEMPLATE item{};
        item.style = style | WS_CHILD | WS_VISIBLE;
        item.x = x;
        item.y = y;
        item.cx = width;
        item.cy = height;
        item.id = static_cast<WORD>(id);
        Append(&item, sizeof item);
        Word(0xFFFF);
        Word(classAtom);
        Word(0); // no text: set at WM_INITDIALOG
        Word(0); // no creation data
    }

    const DLGTEMPLATE* Template() const {
        return reinterpret_cast<const DLGTEMPLATE*>(Words.data());
    }

private:
    void Append(const void* data, std::size_t size) {
        const std::size_t at = Words.size();
        Words.resize(at + (size + 1) / 2);
        std::memcpy(Words.data() + at, data, size);
    }
    void Word(WORD value) { Words.push_back(value); }
    void Text(const char* text) {
        while (*text)
            Word(static_cast<unsigned char>(*text++));
        Word(0);
    }
    void Align(std::size_t bytes) {
        while ((Words.size() * sizeof(WORD)) % bytes)
            Word(0);
    }
    std::vector<WORD> Words;
};

constexpr WORD ButtonClass = 0x0080;
constexpr WORD EditClass = 0x0081;
constexpr WORD StaticClass = 0x0082;

struct TInputQueryState {
    const std::string* Caption;
    const std::string* Prompt;
    std::string Value;
};

void CenterOverOwner(HWND dialog) {
    HWND owner = GetWindow(dialog, GW_OWNER);
    RECT area{};
    if (!owner || !IsWindowVisible(owner) || !GetWindowRect(owner, &area))
        SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0);
    RECT box{};
    GetWindowRect(dialog, &box);
    const int width = box.right - box.left;
    const int height = box.bottom - box.top;
    SetWindowPos(dialog, nullptr, area.left + (area.right - area.left - width) / 2,
                 area.top + (area.bottom - area.top - height) / 2, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

INT_PTR CALLBACK InputQueryProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG: {
        auto* state = reinterpret_cast<TInputQueryState*>(lParam);
        SetWindowLongPtrA(dialog, DWLP_USER, lParam);
        SetWindowTextA(dialog, state->Caption->c_str());
        SetDlgItemTextA(dialog, InputQueryPromptId, state->Prompt->c_str());
        SendDlgItemMessageA(dialog, InputQueryEditId, EM_LIMITTEXT, InputQueryMaxLength, 0);
        SetDlgItemTextA(dialog, InputQueryEditId, state->Value.c_str());
        SetDlgItemTextA(dialog, IDOK, "OK");
        SetDlgItemTextA(dialog, IDCANCEL, "Cancel");
        CenterOverOwner(dialog);
        // The edit field gets the focus with its text selected, ready to be typed over.
        HWND edit = GetDlgItem(dialog, InputQueryEditId);
        SetFocus(edit);
        SendMessageA(edit, EM_SETSEL, 0, -1);
        return FALSE;
    }
    case WM_COMMAND:
        if (LOWORD(wParam) == IDOK) {
            auto* state = reinterpret_cast<TInputQueryState*>(GetWindowLongPtrA(dialog, DWLP_USER));
            char text[InputQueryMaxLength + 1] = {};
            GetDlgItemTextA(dialog, InputQueryEditId, text, sizeof text);
            state->Value = text;
            EndDialog(dialog, IDOK);
            return TRUE;
        }
        if (LOWORD(wParam) == IDCANCEL) {
            EndDialog(dialog, IDCANCEL);
            return TRUE;
        }
        return FALSE;
    default:
        return FALSE;
    }
}
} // namespace

bool InputQuery(const std::string& caption, const std::string& prompt, std::string& value) {
    TTemplateWriter writer;
    writer.Dialog(DS_SETFONT | DS_MODALFRAME | WS_POPUP | WS_CAPTION | WS_SYSMENU, 240, 66, 4);
    writer.Control(StaticClass, InputQueryPromptId, SS_LEFT | SS_NOPREFIX, 7, 7, 226, 10);
    writer.Control(EditClass, InputQueryEditId, WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL, 7, 20, 226,
                   13);
    writer.Control(ButtonClass, IDOK, WS_TABSTOP | BS_DEFPUSHBUTTON, 129, 43, 50, 15);
    writer.Control(ButtonClass, IDCANCEL, WS_TABSTOP | BS_PUSHBUTTON, 183, 43, 50, 15);

    TInputQueryState state{&caption, &prompt, value};
    const INT_PTR result =
        DialogBoxIndirectParamA(GetModuleHandleA(nullptr), writer.Template(), GetActiveWindow(),
                                InputQueryProc, reinterpret_cast<LPARAM>(&state));
    if (result != IDOK)
        return false;
    value = state.Value;
    return true;
}
