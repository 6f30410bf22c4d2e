#include "QelListBox.h"

#include <vector>

TQelCustomListBox::TQelCustomListBox(TComponent* owner) : TCustomListBox(owner) {}

void TQelCustomListBox::SetUseScrollBar(bool useScrollBar) {
    if (useScrollBar == UseScrollBar)
        return;
    UseScrollBar = useScrollBar;
    if (HandleAllocated())
        SendExtent(UseScrollBar ? MaxItemWidth + ExtentMargin : 0);
}

bool TQelCustomListBox::ShowItemHint(int index) {
    const RECT client = ClientRect();
    return TextWidth(Get(index)) > client.right - client.left;
}

std::string TQelCustomListBox::ItemHintText(int index) {
    return Get(index);
}

void TQelCustomListBox::CMHintShow(THintInfo& info) {
    if (!GetHint().empty())
        return;
    const int index = ItemAtPos(info.CursorPos, true);
    if (index < 0) {
        info.CursorRect = RECT{};
        return;
    }
    info.HintStr = ShowItemHint(index) ? ItemHintText(index) : std::string();
    // Asked again as soon as the mouse leaves this item.
    info.CursorRect = ItemRect(index);
}

LRESULT TQelCustomListBox::WndProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case LB_ADDSTRING:
    case LB_INSERTSTRING:
        return AddWithExtent(message, wParam, lParam);
    case LB_DELETESTRING:
        return DeleteWithExtent(wParam, lParam);
    case LB_RESETCONTENT:
        MaxItemWidth = 0;
        SendExtent(0);
        break;
    default:
        break;
    }
    return TCustomListBox::WndProc(message, wParam, lParam);
}

void TQelCustomListBox::CreateWnd() {
    TCustomListBox::CreateWnd();
    // A window taken over with items already in it starts from them.
    MaxItemWidth = WidestItemWidth();
    RefreshExtentMargin();
    if (MaxItemWidth > 0)
        ApplyExtent();
}

LRESULT TQelCustomListBox::AddWithExtent(UINT message, WPARAM wParam, LPARAM lParam) {
    if (!HasStrings() || !lParam)
        return TCustomListBox::WndProc(message, wParam, lParam);
    const int width = TextWidth(reinterpret_cast<const char*>(lParam));
    RefreshExtentMargin();
    const LRESULT index = TCustomListBox::WndProc(message, wParam, lParam);
    // An item the list refused (a bad position, no memory) widens nothing.
    if (index >= 0 && width > MaxItemWidth) {
        MaxItemWidth = width;
        ApplyExtent();
    }
    return index;
}

LRESULT TQelCustomListBox::DeleteWithExtent(WPARAM wParam, LPARAM lParam) {
    const int index = static_cast<int>(wParam);
    if (!HasStrings() || index < 0 || index >= Count())
        return TCustomListBox::WndProc(LB_DELETESTRING, wParam, lParam);
    const int width = TextWidth(Get(index));
    RefreshExtentMargin();
    const LRESULT result = TCustomListBox::WndProc(LB_DELETESTRING, wParam, lParam);
    // Only losing the widest item can narrow the range.
    if (result != LB_ERR && width == MaxItemWidth) {
        MaxItemWidth = WidestItemWidth();
        ApplyExtent();
    }
    return result;
}

void TQelCustomListBox::RefreshExtentMargin() {
    const RECT client = ClientRect();
    ExtentMargin = 2 * (Width() - (client.right - client.left));
}

void TQelCustomListBox::ApplyExtent() {
    if (UseScrollBar)
        SendExtent(MaxItemWidth + ExtentMargin);
}

void TQelCustomListBox::SendExtent(int extent) {
    if (HandleAllocated())
        SendMessageA(Handle(), LB_SETHORIZONTALEXTENT, static_cast<WPARAM>(extent), 0);
}

void TQelCustomListBox::SelectAll() {
    const int count = Count();
    if (MultiSelect() && count > 0)
        SendMessageA(Handle(), LB_SELITEMRANGEEX, 0, count);
}

void TQelCustomListBox::UnselectAll() {
    const int count = Count();
    // The bounds in falling order deselect.
    if (MultiSelect() && count > 0)
        SendMessageA(Handle(), LB_SELITEMRANGEEX, static_cast<WPARAM>(count), 0);
}

void TQelCustomListBox::InvertSelection() {
    const int count = Count();
    if (!MultiSelect() || count == 0)
        return;
    const int selectedCount = SelCount();
    if (selectedCount == 0) {
        SelectAll();
        return;
    }
    if (selectedCount == count) {
        UnselectAll();
        return;
    }
    std::vector<int> selected(static_cast<std::size_t>(selectedCount));
    const LRESULT fetched = SendMessageA(Handle(), LB_GETSELITEMS, selected.size(),
                                         reinterpret_cast<LPARAM>(selected.data()));
    selected.resize(fetched > 0 ? static_cast<std::size_t>(fetched) : 0);
    SelectAll();
    // One message per run of consecutive indices, not one per item.
    for (std::size_t first = 0; first < selected.size();) {
        std::size_t last = first;
        while (last + 1 < selected.size() && selected[last + 1] == selected[last] + 1)
            ++last;
        DeselectRun(selected[first], selected[last]);
        first = last + 1;
    }
}

void TQelCustomListBox::DeselectRun(int first, int last) {
    // Equal bounds select the item, so a run of one is deselected on its own.
    if (first == last)
        SendMessageA(Handle(), LB_SETSEL, FALSE, first);
    else
        SendMessageA(Handle(), LB_SELITEMRANGEEX, static_cast<WPARAM>(last), first);
}

TQelListBox::TQelListBox(TComponent* owner) : TQelCustomListBox(owner) {}
