#include "ComboBox.h"

namespace {
constexpr TColor clHighlightText = SystemColor(COLOR_HIGHLIGHTTEXT);

DWORD StyleBits(TComboBoxStyle style) {
    switch (style) {
    case csSimple:
        return CBS_SIMPLE;
    case csDropDownList:
        return CBS_DROPDOWNLIST;
    case csOwnerDrawFixed:
        return CBS_DROPDOWNLIST | CBS_OWNERDRAWFIXED;
    case csOwnerDrawVariable:
        return CBS_DROPDOWNLIST | CBS_OWNERDRAWVARIABLE;
    case csDropDown:
    default:
        return CBS_DROPDOWN | CBS_AUTOHSCROLL;
    }
}

std::string EntryText(HWND window, int index) {
    const LRESULT length = SendMessageA(window, CB_GETLBTEXTLEN, static_cast<WPARAM>(index), 0);
    if (length <= 0)
        return {};
    std::string text(static_cast<std::size_t>(length) + 1, '\0');
    const LRESULT copied = SendMessageA(window, CB_GETLBTEXT, static_cast<WPARAM>(index),
                                        reinterpret_cast<LPARAM>(text.data()));
    text.resize(copied > 0 ? static_cast<std::size_t>(copied) : 0);
    return text;
}
} // namespace

// ---- TComboBoxStrings ----

void TComboBoxStrings::Clear() {
    ComboBox.Perform(CB_RESETCONTENT, 0, 0);
}

void TComboBoxStrings::Add(const std::string& text) {
    ComboBox.Perform(CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

std::size_t TComboBoxStrings::Count() const {
    if (!ComboBox.HandleAllocated())
        return 0;
    const LRESULT count = SendMessageA(ComboBox.Handle(), CB_GETCOUNT, 0, 0);
    return count > 0 ? static_cast<std::size_t>(count) : 0;
}

std::string TComboBoxStrings::Get(std::size_t index) const {
    if (index >= Count())
        return {};
    return EntryText(ComboBox.Handle(), static_cast<int>(index));
}

int TComboBoxStrings::AddObject(const std::string& text, LPARAM data) {
    const auto index =
        static_cast<int>(ComboBox.Perform(CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str())));
    if (index >= 0)
        ComboBox.Perform(CB_SETITEMDATA, static_cast<WPARAM>(index), data);
    return index;
}

LPARAM TComboBoxStrings::Objects(int index) const {
    if (index < 0 || static_cast<std::size_t>(index) >= Count())
        return 0;
    const LRESULT data = SendMessageA(ComboBox.Handle(), CB_GETITEMDATA, index, 0);
    return data == CB_ERR ? 0 : data;
}

int TComboBoxStrings::IndexOf(const std::string& text) const {
    if (!ComboBox.HandleAllocated())
        return -1;
    const LRESULT index =
        SendMessageA(ComboBox.Handle(), CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                     reinterpret_cast<LPARAM>(text.c_str()));
    return index >= 0 ? static_cast<int>(index) : -1;
}

void TComboBoxStrings::BeginUpdate() {
    if (UpdateCount++ == 0 && ComboBox.HandleAllocated())
        SendMessageA(ComboBox.Handle(), WM_SETREDRAW, FALSE, 0);
}

void TComboBoxStrings::EndUpdate() {
    if (UpdateCount == 0 || --UpdateCount > 0 || !ComboBox.HandleAllocated())
        return;
    SendMessageA(ComboBox.Handle(), WM_SETREDRAW, TRUE, 0);
    RedrawWindow(ComboBox.Handle(), nullptr, nullptr, RDW_ERASE | RDW_FRAME | RDW_INVALIDATE);
}

// ---- TCustomComboBox ----

TCustomComboBox::TCustomComboBox(TComponent* owner) : TWinControl(owner), ItemStrings(*this) {
    Color = clWindow;
}

void TCustomComboBox::Create(HWND parent, const RECT& bounds, int id) {
    const DWORD style = WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | CBS_HASSTRINGS | StyleBits(Style) |
                        (Sorted ? CBS_SORT : 0);
    TWinControl::Create(parent, "COMBOBOX", style, 0, bounds, id);
}

int TCustomComboBox::GetItemIndex() const {
    if (!HandleAllocated())
        return -1;
    const LRESULT index = SendMessageA(Handle(), CB_GETCURSEL, 0, 0);
    return index >= 0 ? static_cast<int>(index) : -1;
}

void TCustomComboBox::SetItemIndex(int index) {
    if (HandleAllocated())
        SendMessageA(Handle(), CB_SETCURSEL, static_cast<WPARAM>(index), 0);
}

std::string TCustomComboBox::GetSelectedText() const {
    const int index = GetItemIndex();
    return index >= 0 ? EntryText(Handle(), index) : std::string();
}

int TCustomComboBox::GetItemHeight() const {
    if (!HandleAllocated())
        return ItemHeight;
    const LRESULT height = SendMessageA(Handle(), CB_GETITEMHEIGHT, 0, 0);
    return height > 0 ? static_cast<int>(height) : ItemHeight;
}

void TCustomComboBox::SetItemHeight(int height) {
    if (height <= 0)
        return;
    ItemHeight = height;
    ApplyItemHeight();
    ApplyDropDownHeight();
}

void TCustomComboBox::SetDropDownCount(int count) {
    if (count <= 0 || count == DropDownCount)
        return;
    DropDownCount = count;
    ApplyDropDownHeight();
}

void TCustomComboBox::CreateWnd() {
    // The window asked its parent for the entry height before it was attached here.
    ApplyItemHeight();
    ApplyDropDownHeight();
}

// The entries and the closed box's field take the same height, as the window's own
// measuring would give them.
void TCustomComboBox::ApplyItemHeight() {
    if (!HandleAllocated() || ItemHeight <= 0)
        return;
    SendMessageA(Handle(), CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), ItemHeight);
    SendMessageA(Handle(), CB_SETITEMHEIGHT, 0, ItemHeight);
    Invalidate();
}

// A drop-down combo box keeps the height it is given beyond its closed box as the height of
// its open list.
void TCustomComboBox::ApplyDropDownHeight() {
    if (!HandleAllocated() || (GetWindowLongA(Handle(), GWL_STYLE) & 3) == CBS_SIMPLE)
        return;
    RECT closed;
    GetWindowRect(Handle(), &closed);
    const int listHeight = DropDownCount * GetItemHeight() + 2;
    SetWindowPos(Handle(), nullptr, 0, 0, closed.right - closed.left,
                 closed.bottom - closed.top + listHeight,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void TCustomComboBox::DrawItem(TCanvas& canvas, int index, const RECT& rect, UINT) {
    canvas.FillRect(rect);
    const std::string text = Items().Get(static_cast<std::size_t>(index));
    RECT inner = rect;
    inner.left += 2;
    DrawTextA(canvas.Handle(), text.c_str(), static_cast<int>(text.size()), &inner,
              DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
}

void TCustomComboBox::MeasureItem(int, int& height) {
    height = GetItemHeight();
}

void TCustomComboBox::Change() {
    if (OnChange)
        OnChange(this);
}

void TCustomComboBox::DropDown() {
    if (OnDropDown)
        OnDropDown(this);
}

void TCustomComboBox::DrawReflected(const DRAWITEMSTRUCT& item) {
    TCanvas canvas(item.hDC);
    canvas.SetFont(GetFont());
    const bool selected = (item.itemState & ODS_SELECTED) != 0;
    canvas.SetBrushColor(selected ? clHighlight : Color);
    canvas.SetTextColor(selected ? clHighlightText : clWindowText);
    SetBkMode(item.hDC, TRANSPARENT);
    // An empty closed box is drawn with item -1.
    if (static_cast<int>(item.itemID) >= 0)
        DrawItem(canvas, static_cast<int>(item.itemID), item.rcItem, item.itemState);
    else
        canvas.FillRect(item.rcItem);
    if (item.itemState & ODS_FOCUS)
        DrawFocusRect(item.hDC, &item.rcItem);
}

bool TCustomComboBox::Notify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    switch (message) {
    case WM_DRAWITEM:
        DrawReflected(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
        result = TRUE;
        return true;
    case WM_MEASUREITEM: {
        auto& measure = *reinterpret_cast<MEASUREITEMSTRUCT*>(lParam);
        int height = GetItemHeight();
        MeasureItem(static_cast<int>(measure.itemID), height);
        if (height > 0)
            measure.itemHeight = static_cast<UINT>(height);
        result = TRUE;
        return true;
    }
    case WM_COMMAND:
        // Combo-box codes overlap the button codes the base class reads, so the base never
        // sees them.
        switch (HIWORD(wParam)) {
        case CBN_SELCHANGE:
            Change();
            Click();
            break;
        case CBN_DBLCLK:
            DblClick();
            break;
        case CBN_DROPDOWN:
            DropDown();
            break;
        default:
            return false;
        }
        result = 0;
        return true;
    default:
        return false;
    }
}
