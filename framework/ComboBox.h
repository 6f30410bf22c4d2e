#pragma once
// The combo box of the form framework over a native COMBOBOX window. Entries go through the
// combo box's own messages, so the window is the only copy of the list. Owner-drawn styles
// reach DrawItem with a canvas already prepared for the entry's state.

#include "Controls.h"
#include "TStrings.h"

#include <windows.h>

#include <string>

class TCustomComboBox;

// The combo box's entries as the framework's string list, with what a filling loop needs on
// top: a number carried by each entry, the list's own lookup and a pause in redrawing.
class TComboBoxStrings : public TStrings {
public:
    explicit TComboBoxStrings(TCustomComboBox& comboBox) : ComboBox(comboBox) {}
    void Clear() override;
    void Add(const std::string& text) override;
    std::size_t Count() const override;
    std::string Get(std::size_t index) const override;

    // Adds (in order, in a sorted list) with `data` attached; returns the entry's index,
    // negative when the list could not take it.
    int AddObject(const std::string& text, LPARAM data);
    // The number attached to the entry; 0 for an index out of range.
    LPARAM Objects(int index) const;
    // The entry whose whole text equals `text` regardless of letter case, or -1.
    int IndexOf(const std::string& text) const;
    // Suspends redrawing until the matching EndUpdate; calls nest.
    void BeginUpdate();
    void EndUpdate();

private:
    TCustomComboBox& ComboBox;
    int UpdateCount = 0;
};

enum TComboBoxStyle {
    csDropDown,
    csSimple,
    csDropDownList,
    // Drop-down lists whose entries the control draws itself, all of one height or each its own.
    csOwnerDrawFixed,
    csOwnerDrawVariable
};

class TCustomComboBox : public TWinControl {
public:
    explicit TCustomComboBox(TComponent* owner);

    // Makes the combo box in `parent` with Style and Sorted (both fixed from then on). The
    // height of `bounds` is the closed box; the open list holds DropDownCount entries.
    void Create(HWND parent, const RECT& bounds, int id = 0);

    TComboBoxStyle Style = csDropDown;
    bool Sorted = false;

    TComboBoxStrings& Items() { return ItemStrings; }
    const TComboBoxStrings& Items() const { return ItemStrings; }
    // The selected entry, -1 for none.
    int GetItemIndex() const;
    void SetItemIndex(int index);
    // The selected entry's text; empty when nothing is selected.
    std::string GetSelectedText() const;

    // The height of every entry and of the closed box's field, in pixels.
    int GetItemHeight() const;
    void SetItemHeight(int height);
    // How many entries the open list shows at most; 8 at first.
    int GetDropDownCount() const { return DropDownCount; }
    void SetDropDownCount(int count);

    // The user chose another entry.
    TNotifyEvent OnChange;
    // The list is about to open.
    TNotifyEvent OnDropDown;

protected:
    bool Notify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
    void CreateWnd() override;
    // Draws one entry of an owner-drawn combo box. The canvas carries the control's font, a
    // brush of the entry's background (highlight when selected) and the matching text colour.
    // The default fills the rectangle and writes the entry's text.
    virtual void DrawItem(TCanvas& canvas, int index, const RECT& rect, UINT state);
    // The height of one entry of a csOwnerDrawVariable list; ItemHeight by default.
    virtual void MeasureItem(int index, int& height);
    virtual void Change();
    virtual void DropDown();

private:
    void DrawReflected(const DRAWITEMSTRUCT& item);
    void ApplyItemHeight();
    void ApplyDropDownHeight();

    TComboBoxStrings ItemStrings;
    int ItemHeight = 0; // 0: whatever the window chose for its font
    int DropDownCount = 8;
};
