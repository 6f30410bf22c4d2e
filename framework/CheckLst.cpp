#include "CheckLst.h"

#include <uxtheme.h>
#include <vsstyle.h>

TCheckListBox::TCheckListBox(TComponent* owner) : TCustomListBox(owner) {}

// The check state rides in each entry's item data, so it moves and goes with the entry.
bool TCheckListBox::Checked(int index) const {
    const LRESULT data = SendMessageA(Handle(), LB_GETITEMDATA, index, 0);
    return data != LB_ERR && data != 0;
}

void TCheckListBox::SetChecked(int index, bool checked) {
    if (index < 0 || index >= Count())
        return;
    SendMessageA(Handle(), LB_SETITEMDATA, index, checked ? 1 : 0);
    RECT item = ItemRect(index);
    InvalidateRect(Handle(), &item, FALSE);
}

int TCheckListBox::CheckBoxWidth() const {
    return ItemHeight() + 2;
}

void TCheckListBox::Toggle(int index) {
    if (index < 0 || index >= Count())
        return;
    SetChecked(index, !Checked(index));
    if (OnClickCheck)
        OnClickCheck(this);
}

void TCheckListBox::DrawItem(const DRAWITEMSTRUCT& item) {
    if (item.itemID == static_cast<UINT>(-1))
        return;
    const int index = static_cast<int>(item.itemID);
    const HDC dc = item.hDC;
    RECT box = item.rcItem;
    box.right = box.left + CheckBoxWidth();
    FillRect(dc, &item.rcItem, GetSysColorBrush(COLOR_WINDOW));

    const int size = ItemHeight() - 2 < 13 ? ItemHeight() - 2 : 13;
    RECT mark{box.left + (CheckBoxWidth() - size) / 2, box.top + (ItemHeight() - size) / 2, 0, 0};
    mark.right = mark.left + size;
    mark.bottom = mark.top + size;
    if (const HTHEME theme = OpenThemeData(Handle(), L"BUTTON")) {
        DrawThemeBackground(theme, dc, BP_CHECKBOX,
                            Checked(index) ? CBS_CHECKEDNORMAL : CBS_UNCHECKEDNORMAL, &mark,
                            nullptr);
        CloseThemeData(theme);
    } else {
        DrawFrameControl(dc, &mark, DFC_BUTTON,
                         DFCS_BUTTONCHECK | DFCS_FLAT | (Checked(index) ? DFCS_CHECKED : 0));
    }

    RECT text = item.rcItem;
    text.left = box.right + 1;
    const bool selected = item.itemState & ODS_SELECTED;
    FillRect(dc, &text, GetSysColorBrush(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW));
    SetBkMode(dc, TRANSPARENT);
    ::SetTextColor(dc, GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
    const std::string caption = Get(index);
    RECT inner = text;
    inner.left += 2;
    DrawTextA(dc, caption.c_str(), static_cast<int>(caption.size()), &inner,
              DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS);
    if (item.itemState & ODS_FOCUS)
        DrawFocusRect(dc, &text);
}

bool TCheckListBox::Notify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    if (message == WM_DRAWITEM) {
        DrawItem(*reinterpret_cast<DRAWITEMSTRUCT*>(lParam));
        result = TRUE;
        return true;
    }
    if (message == WM_MEASUREITEM) {
        reinterpret_cast<MEASUREITEMSTRUCT*>(lParam)->itemHeight = 14;
        result = TRUE;
        return true;
    }
    return TCustomListBox::Notify(message, wParam, lParam, result);
}

LRESULT TCheckListBox::WndProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_LBUTTONDOWN || message == WM_LBUTTONDBLCLK) {
        const POINT at{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
        const int index = ItemAtPos(at, true);
        // The click selects the entry first, so the toggled entry is the selected one.
        const LRESULT result = TCustomListBox::WndProc(message, wParam, lParam);
        if (index >= 0 && at.x < CheckBoxWidth())
            Toggle(index);
        return result;
    }
    if (message == WM_KEYDOWN && wParam == VK_SPACE) {
        Toggle(ItemIndex());
        return 0;
    }
    if (message == WM_CHAR && wParam == ' ')
        return 0;
    return TCustomListBox::WndProc(message, wParam, lParam);
}
