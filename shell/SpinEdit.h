#pragma once
// A whole-number edit with up and down arrows: values from MinValue to MaxValue, set and read
// clamped into that range; every change of the text is reported.

#include "Controls.h"

#include <windows.h>

#include <memory>
#include <string>

class TSpinEdit : public TWinControl {
public:
    explicit TSpinEdit(TComponent* owner);
    ~TSpinEdit() override;

    // Makes the edit and its arrows in `parent`; `bounds` holds both. An EDIT of a dialog
    // template is taken over with Attach: its up-down comes along (the msctls_updown32 whose
    // buddy it is, or else one without a buddy right after it in the template), both keeping
    // the template's places; one is made when the template has none.
    void Create(HWND parent, const RECT& bounds, int id = 0);

    // The number shown, clamped into the range; text that is no number reads as MinValue.
    int Value() const;
    // Shows `value` clamped into the range.
    void SetValue(int value);
    int MinValue() const { return Min; }
    int MaxValue() const { return Max; }
    // Sets the range (the larger of the two bounds is the maximum); a number shown outside it
    // is clamped.
    void SetRange(int minValue, int maxValue);
    // Enables or disables the edit and its arrows together.
    void SetEnabled(bool enabled);
    HWND UpDownHandle() const;

    // The text changed: typed, set, or stepped by the arrows or the arrow keys.
    TNotifyEvent OnChange;

protected:
    void CreateWnd() override;
    bool Notify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
    class TSpinButton;
    void AttachUpDown();
    void Step(int delta);
    void TextChanged();

    std::unique_ptr<TSpinButton> Button;
    int Min = 0;
    int Max = 100;
    std::string LastText;
};
