#pragma once
// A list box with a tooltip for items too wide to read, a horizontal scroll range that follows
// the widest item, and whole-list selection commands.

#include "StdCtrls.h"

#include <string>

class TQelCustomListBox : public TCustomListBox {
public:
    explicit TQelCustomListBox(TComponent* owner);

    // Whole-list selection; each does nothing unless the list is multi-select and holds an
    // item, and none of them fires the click event.
    void SelectAll();
    void UnselectAll();
    // Selects exactly the items that were not selected.
    void InvertSelection();

    // The widest item text seen, in pixels of the list's font.
    int GetMaxItemWidth() const { return MaxItemWidth; }
    // Twice the frame and vertical scroll bar width, as of the last add or delete.
    int GetExtentMargin() const { return ExtentMargin; }

protected:
    bool GetUseScrollBar() const { return UseScrollBar; }
    // On: the horizontal range is the widest item plus the margin. Off: no horizontal range.
    void SetUseScrollBar(bool useScrollBar);

    // Whether the item needs a tooltip: its text is wider than the client area.
    virtual bool ShowItemHint(int index);
    // What the item's tooltip says: its text.
    virtual std::string ItemHintText(int index);

    void CMHintShow(THintInfo& info) override;
    LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    void CreateWnd() override;

private:
    LRESULT AddWithExtent(UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT DeleteWithExtent(WPARAM wParam, LPARAM lParam);
    void RefreshExtentMargin();
    void ApplyExtent();
    void SendExtent(int extent);
    void DeselectRun(int first, int last);

    bool UseScrollBar = true;
    int MaxItemWidth = 0;
    int ExtentMargin = 0;
};

// The list box of the forms: the custom list box with its scroll-bar switch public.
class TQelListBox : public TQelCustomListBox {
public:
    explicit TQelListBox(TComponent* owner);
    using TQelCustomListBox::GetUseScrollBar;
    using TQelCustomListBox::SetUseScrollBar;
};
