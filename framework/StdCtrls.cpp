#include "StdCtrls.h"

#include <algorithm>

namespace {
// A canvas on a window's own device context with the window's font selected; the context goes
// back to the window after the canvas has restored it.
class TWindowCanvas {
public:
    TWindowCanvas(HWND window, HFONT font) : Context(window), Canvas(Context.DC) {
        Canvas.SetFont(font);
    }
    TCanvas& operator*() { return Canvas; }
    TCanvas* operator->() { return &Canvas; }

private:
    struct TWindowDC {
        explicit TWindowDC(HWND window) : Window(window), DC(GetDC(window)) {}
        ~TWindowDC() { ReleaseDC(Window, DC); }
        TWindowDC(const TWindowDC&) = delete;
        TWindowDC& operator=(const TWindowDC&) = delete;
        HWND Window;
        HDC DC;
    };
    TWindowDC Context;
    TCanvas Canvas;
};
} // namespace

// ---- TListBoxStrings ----

void TListBoxStrings::Clear() {
    ListBox.Clear();
}

void TListBoxStrings::Add(const std::string& text) {
    ListBox.Add(text);
}

std::size_t TListBoxStrings::Count() const {
    return static_cast<std::size_t>(ListBox.Count());
}

std::string TListBoxStrings::Get(std::size_t index) const {
    return index < Count() ? ListBox.Get(static_cast<int>(index)) : std::string();
}

// ---- TCustomListBox ----

TCustomListBox::TCustomListBox(TComponent* owner) : TWinControl(owner), ItemStrings(*this) {
    Color = clWindow;
}

void TCustomListBox::Create(HWND parent, const RECT& bounds, int id, bool multiSelect,
                            DWORD extraStyle) {
    const DWORD style = WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | WS_HSCROLL | LBS_NOTIFY |
                        LBS_NOINTEGRALHEIGHT | (multiSelect ? LBS_EXTENDEDSEL : 0) | extraStyle;
    TWinControl::Create(parent, "LISTBOX", style, WS_EX_CLIENTEDGE, bounds, id);
}

int TCustomListBox::Add(const std::string& text) {
    return static_cast<int>(Perform(LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str())));
}

int TCustomListBox::Insert(int index, const std::string& text) {
    return static_cast<int>(Perform(LB_INSERTSTRING, static_cast<WPARAM>(index),
                                    reinterpret_cast<LPARAM>(text.c_str())));
}

void TCustomListBox::Delete(int index) {
    Perform(LB_DELETESTRING, static_cast<WPARAM>(index), 0);
}

void TCustomListBox::Clear() {
    Perform(LB_RESETCONTENT, 0, 0);
}

int TCustomListBox::Count() const {
    if (!HandleAllocated())
        return 0;
    const LRESULT count = SendMessageA(Handle(), LB_GETCOUNT, 0, 0);
    return count > 0 ? static_cast<int>(count) : 0;
}

std::string TCustomListBox::Get(int index) const {
    if (!HandleAllocated() || !HasStrings())
        return {};
    const LRESULT length = SendMessageA(Handle(), LB_GETTEXTLEN, static_cast<WPARAM>(index), 0);
    if (length <= 0)
        return {};
    std::string text(static_cast<std::size_t>(length) + 1, '\0');
    const LRESULT copied = SendMessageA(Handle(), LB_GETTEXT, static_cast<WPARAM>(index),
                                        reinterpret_cast<LPARAM>(text.data()));
    text.resize(copied > 0 ? static_cast<std::size_t>(copied) : 0);
    return text;
}

void TCustomListBox::Move(int fromIndex, int toIndex) {
    const int count = Count();
    if (fromIndex == toIndex || fromIndex < 0 || fromIndex >= count || toIndex < 0 ||
        toIndex >= count)
        return;
    const std::string text = Get(fromIndex);
    const LRESULT data = SendMessageA(Handle(), LB_GETITEMDATA, static_cast<WPARAM>(fromIndex), 0);
    const bool wasSelected = Selected(fromIndex);
    Delete(fromIndex);
    // Without strings, the item is its data.
    const int at =
        HasStrings()
            ? Insert(toIndex, text)
            : static_cast<int>(Perform(LB_INSERTSTRING, static_cast<WPARAM>(toIndex), data));
    if (at < 0)
        return;
    SendMessageA(Handle(), LB_SETITEMDATA, static_cast<WPARAM>(at), data);
    if (wasSelected)
        SetSelected(at, true);
}

bool TCustomListBox::MultiSelect() const {
    return HandleAllocated() &&
           (GetWindowLongA(Handle(), GWL_STYLE) & (LBS_MULTIPLESEL | LBS_EXTENDEDSEL));
}

bool TCustomListBox::Selected(int index) const {
    return HandleAllocated() &&
           SendMessageA(Handle(), LB_GETSEL, static_cast<WPARAM>(index), 0) > 0;
}

void TCustomListBox::SetSelected(int index, bool selected) {
    if (!HandleAllocated())
        return;
    if (MultiSelect())
        SendMessageA(Handle(), LB_SETSEL, selected, static_cast<LPARAM>(index));
    else if (selected)
        SendMessageA(Handle(), LB_SETCURSEL, static_cast<WPARAM>(index), 0);
    else if (ItemIndex() == index)
        SendMessageA(Handle(), LB_SETCURSEL, static_cast<WPARAM>(-1), 0);
}

int TCustomListBox::SelCount() const {
    if (!HandleAllocated())
        return 0;
    if (!MultiSelect())
        return ItemIndex() >= 0 ? 1 : 0;
    const LRESULT count = SendMessageA(Handle(), LB_GETSELCOUNT, 0, 0);
    return count > 0 ? static_cast<int>(count) : 0;
}

int TCustomListBox::ItemIndex() const {
    if (!HandleAllocated())
        return -1;
    if (MultiSelect())
        return FocusedIndex();
    const LRESULT index = SendMessageA(Handle(), LB_GETCURSEL, 0, 0);
    return index >= 0 ? static_cast<int>(index) : -1;
}

void TCustomListBox::SetItemIndex(int index) {
    if (!HandleAllocated())
        return;
    if (MultiSelect())
        SetFocusedIndex(index);
    else
        SendMessageA(Handle(), LB_SETCURSEL, static_cast<WPARAM>(index), 0);
}

int TCustomListBox::FocusedIndex() const {
    if (!HandleAllocated())
        return -1;
    // An empty list still answers 0.
    const LRESULT index = SendMessageA(Handle(), LB_GETCARETINDEX, 0, 0);
    return index >= 0 && index < Count() ? static_cast<int>(index) : -1;
}

void TCustomListBox::SetFocusedIndex(int index) {
    if (HandleAllocated())
        SendMessageA(Handle(), LB_SETCARETINDEX, static_cast<WPARAM>(index), FALSE);
}

int TCustomListBox::TopIndex() const {
    if (!HandleAllocated())
        return 0;
    const LRESULT index = SendMessageA(Handle(), LB_GETTOPINDEX, 0, 0);
    return index > 0 ? static_cast<int>(index) : 0;
}

int TCustomListBox::ItemHeight() const {
    if (!HandleAllocated())
        return 0;
    const LRESULT height = SendMessageA(Handle(), LB_GETITEMHEIGHT, 0, 0);
    return height > 0 ? static_cast<int>(height) : 0;
}

void TCustomListBox::SetItemHeight(int height) {
    if (HandleAllocated() && height > 0 && height != ItemHeight()) {
        SendMessageA(Handle(), LB_SETITEMHEIGHT, 0, MAKELPARAM(height, 0));
        Invalidate();
    }
}

RECT TCustomListBox::ItemRect(int index) const {
    RECT rect{};
    if (HandleAllocated() && SendMessageA(Handle(), LB_GETITEMRECT, static_cast<WPARAM>(index),
                                          reinterpret_cast<LPARAM>(&rect)) == LB_ERR)
        rect = RECT{};
    return rect;
}

int TCustomListBox::ItemAtPos(POINT point, bool existingOnly) const {
    const RECT client = ClientRect();
    if (!PtInRect(&client, point))
        return -1;
    const int count = Count();
    for (int index = TopIndex(); index < count; ++index) {
        const RECT item = ItemRect(index);
        if (PtInRect(&item, point))
            return index;
        if (item.top >= client.bottom)
            break;
    }
    return existingOnly ? -1 : count;
}

int TCustomListBox::TextWidth(const std::string& text) const {
    if (!HandleAllocated())
        return 0;
    TWindowCanvas canvas(Handle(), GetFont());
    return canvas->TextWidth(text);
}

int TCustomListBox::WidestItemWidth() const {
    const int count = Count();
    if (count == 0 || !HasStrings())
        return 0;
    TWindowCanvas canvas(Handle(), GetFont());
    int widest = 0;
    for (int index = 0; index < count; ++index)
        widest = std::max(widest, canvas->TextWidth(Get(index)));
    return widest;
}

void TCustomListBox::BeginUpdate() {
    if (UpdateCount++ == 0 && HandleAllocated())
        SendMessageA(Handle(), WM_SETREDRAW, FALSE, 0);
}

void TCustomListBox::EndUpdate() {
    if (UpdateCount == 0 || --UpdateCount > 0 || !HandleAllocated())
        return;
    SendMessageA(Handle(), WM_SETREDRAW, TRUE, 0);
    RedrawWindow(Handle(), nullptr, nullptr, RDW_ERASE | RDW_FRAME | RDW_INVALIDATE);
}

bool TCustomListBox::HasStrings() const {
    const LONG style = HandleAllocated() ? GetWindowLongA(Handle(), GWL_STYLE) : 0;
    const bool ownerDrawn = style & (LBS_OWNERDRAWFIXED | LBS_OWNERDRAWVARIABLE);
    return !ownerDrawn || (style & LBS_HASSTRINGS);
}

bool TCustomListBox::Notify(UINT message, WPARAM wParam, LPARAM, LRESULT& result) {
    // List-box codes overlap the button codes the base class reads (LBN_KILLFOCUS is
    // BN_DOUBLECLICKED), so the base never sees a list box's notifications.
    if (message != WM_COMMAND)
        return false;
    switch (HIWORD(wParam)) {
    case LBN_SELCHANGE:
        Click();
        break;
    case LBN_DBLCLK:
        DblClick();
        break;
    default:
        return false;
    }
    result = 0;
    return true;
}
