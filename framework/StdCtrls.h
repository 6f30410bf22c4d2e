#pragma once
// Standard controls of the form framework over their native windows: the list box.

#include "Controls.h"
#include "TStrings.h"

#include <windows.h>

#include <string>

class TCustomListBox;

// A list box's items seen as the framework's string list, so the collection fills the list
// directly (TKDSaverList::GetSaverNames(g, &listBox.Items())).
class TListBoxStrings : public TStrings {
public:
    explicit TListBoxStrings(TCustomListBox& listBox) : ListBox(listBox) {}
    void Clear() override;
    void Add(const std::string& text) override;
    std::size_t Count() const override;
    std::string Get(std::size_t index) const override;

private:
    TCustomListBox& ListBox;
};

// A single-column list of strings over a native LISTBOX window, optionally multi-select.
// Items go through the list box's own messages (LB_ADDSTRING, ...), so a derived class sees
// every change in its WndProc. A click (LBN_SELCHANGE) calls Click, a double-click DblClick.
class TCustomListBox : public TWinControl {
public:
    explicit TCustomListBox(TComponent* owner);

    // Makes the list box in `parent`: a sunken frame, both scroll bars available, notifying
    // its parent, extended selection when `multiSelect`. `extraStyle` adds LBS_* styles such
    // as LBS_SORT. A list box from a dialog template is attached with Attach instead; it needs
    // LBS_NOTIFY for its events, and WS_HSCROLL for a horizontal scroll range to take.
    void Create(HWND parent, const RECT& bounds, int id, bool multiSelect, DWORD extraStyle = 0);

    // ---- items ----
    TStrings& Items() { return ItemStrings; }
    // Appends (or, in a sorted list, inserts in order) and returns the index the list gave it;
    // negative when the list could not take it.
    int Add(const std::string& text);
    // Inserts at `index` (-1: at the end) and returns where the item went, negative on failure.
    int Insert(int index, const std::string& text);
    void Delete(int index);
    void Clear();
    int Count() const;
    // The item's text; empty for an index out of range.
    std::string Get(int index) const;
    // Moves an item with its data and selected state; the other items keep theirs.
    void Move(int fromIndex, int toIndex);

    // ---- selection ----
    bool MultiSelect() const;
    bool Selected(int index) const;
    void SetSelected(int index, bool selected);
    int SelCount() const;
    // The selected item of a single-select list, the focused one of a multi-select list;
    // -1 for none.
    int ItemIndex() const;
    void SetItemIndex(int index);
    // The item with the focus mark (in a multi-select list normally the one clicked last);
    // -1 when the list is empty.
    int FocusedIndex() const;
    void SetFocusedIndex(int index);
    int TopIndex() const;

    // ---- geometry ----
    int ItemHeight() const;
    void SetItemHeight(int height);
    // The item's rectangle in client coordinates; empty for an index out of range.
    RECT ItemRect(int index) const;
    // The item under a client point. Outside the client area -1; inside but below the last
    // item, Count() unless `existingOnly`, when it is -1 as well.
    int ItemAtPos(POINT point, bool existingOnly) const;

    // ---- measuring, with the list's own font ----
    int TextWidth(const std::string& text) const;
    // The width of the widest item; 0 for an empty list.
    int WidestItemWidth() const;

    // ---- redrawing ----
    // Suspends redrawing until the matching EndUpdate; calls nest.
    void BeginUpdate();
    void EndUpdate();

protected:
    bool Notify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
    // Whether the items carry strings (an owner-drawn list without LBS_HASSTRINGS holds only
    // numbers).
    bool HasStrings() const;

private:
    TListBoxStrings ItemStrings;
    int UpdateCount = 0;
};
