#pragma once
// A list box with a check box before each entry (owner-drawn over a native list box). A click
// on the box, or the space bar, toggles the entry and fires OnClickCheck.

#include "StdCtrls.h"

class TCheckListBox : public TCustomListBox {
public:
    explicit TCheckListBox(TComponent* owner);

    bool Checked(int index) const;
    void SetChecked(int index, bool checked);

    TNotifyEvent OnClickCheck;

protected:
    bool Notify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
    LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void DrawItem(const DRAWITEMSTRUCT& item);
    int CheckBoxWidth() const;
    void Toggle(int index);
};
