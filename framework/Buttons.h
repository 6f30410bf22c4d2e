#pragma once
// The flat speed button: a picture (and an optional caption) that lights up under the mouse
// and acts on a click. Not a tab stop, like the tool buttons it imitates.

#include "Controls.h"

#include <windows.h>

#include <string>

class TSpeedButton : public TGraphicControl {
public:
    explicit TSpeedButton(TComponent* owner);
    ~TSpeedButton() override;

    // The picture: a strip of `states` equal images side by side (up, disabled, down); the
    // colour of its bottom-left pixel is transparent. The button owns the bitmap.
    void SetGlyph(HBITMAP glyph, int states);
    // Caption beside the picture; with `glyphRight` the picture stands right of it.
    void SetCaption(const std::string& caption, bool glyphRight = false);
    // A picture-only button carries its hint as its window text, so screen readers name it.
    void SetHintAndName(const std::string& hint);
    bool Flat = true;

protected:
    void Paint(TCanvas& canvas) override;
    LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    void MouseEnter() override;
    void MouseLeave() override;

private:
    void DrawGlyph(HDC dc, int x, int y, int state) const;
    void DrawGreyed(HDC dc, HDC source, int x, int y, SIZE size, COLORREF transparent) const;
    SIZE GlyphSize() const;

    HBITMAP Glyph = nullptr;
    int GlyphStates = 1;
    std::string Text;
    bool GlyphRight = false;
    bool Hot = false;
    bool Down = false;
};

// A radio button over the native one; clicking it (or setting it checked) fires OnClick.
class TRadioButton : public TWinControl {
public:
    using TWinControl::TWinControl;
    bool Checked() const;
    // Checking one clears the others of its group, as a click would.
    void SetChecked(bool checked);
};
