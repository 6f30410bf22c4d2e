#pragma once
// A thin drawing surface over a device context: the font, brush and pen it draws with, and
// the few drawing calls the controls use. Selected objects are put back when it goes.

#include <windows.h>

#include <string>

// Colours are COLORREF values; system colours are kept symbolic until they are drawn, so a
// control follows a change of the user's colour scheme.
using TColor = DWORD;
constexpr TColor SystemColorFlag = 0x80000000;
constexpr TColor SystemColor(int index) {
    return SystemColorFlag | static_cast<TColor>(index);
}
constexpr TColor clBtnFace = SystemColor(COLOR_BTNFACE);
constexpr TColor clBtnText = SystemColor(COLOR_BTNTEXT);
constexpr TColor clBtnShadow = SystemColor(COLOR_BTNSHADOW);
constexpr TColor clBtnHighlight = SystemColor(COLOR_BTNHIGHLIGHT);
constexpr TColor clWindow = SystemColor(COLOR_WINDOW);
constexpr TColor clWindowText = SystemColor(COLOR_WINDOWTEXT);
constexpr TColor clGrayText = SystemColor(COLOR_GRAYTEXT);
constexpr TColor clActiveCaption = SystemColor(COLOR_ACTIVECAPTION);
constexpr TColor clCaptionText = SystemColor(COLOR_CAPTIONTEXT);
constexpr TColor clHighlight = SystemColor(COLOR_HIGHLIGHT);
constexpr TColor clBlack = RGB(0, 0, 0);
constexpr TColor clWhite = RGB(255, 255, 255);
constexpr TColor clBlue = RGB(0, 0, 255);
constexpr TColor clRed = RGB(255, 0, 0);
constexpr TColor clNone = 0x1FFFFFFF;

// The RGB value of a colour, system colours looked up now.
COLORREF ColorToRGB(TColor color);

class TCanvas {
public:
    explicit TCanvas(HDC dc);
    ~TCanvas();
    TCanvas(const TCanvas&) = delete;
    TCanvas& operator=(const TCanvas&) = delete;

    HDC Handle() const { return DC; }

    void SetFont(HFONT font);
    void SetTextColor(TColor color);
    // Solid brush of that colour for FillRect; clNone for a hollow brush.
    void SetBrushColor(TColor color);
    void SetPen(TColor color, int width = 1);

    SIZE TextExtent(const std::string& text) const;
    int TextWidth(const std::string& text) const { return TextExtent(text).cx; }
    int TextHeight(const std::string& text) const { return TextExtent(text).cy; }
    // Text with a transparent background at (x, y).
    void TextOut(int x, int y, const std::string& text);
    void FillRect(const RECT& rect);

private:
    void ReplaceBrush(HBRUSH brush);
    void ReplacePen(HPEN pen);

    HDC DC;
    int SavedState;
    HBRUSH Brush = nullptr;
    HPEN Pen = nullptr;
};

// A memory device context with one bitmap selected, both put back when it goes: the source of
// a picture drawn with BitBlt or TransparentBlt.
class TBitmapContext {
public:
    TBitmapContext(HDC compatible, HBITMAP bitmap)
        : DC(CreateCompatibleDC(compatible)), Old(SelectObject(DC, bitmap)) {}
    ~TBitmapContext() {
        SelectObject(DC, Old);
        DeleteDC(DC);
    }
    TBitmapContext(const TBitmapContext&) = delete;
    TBitmapContext& operator=(const TBitmapContext&) = delete;
    HDC Handle() const { return DC; }

private:
    HDC DC;
    HGDIOBJ Old;
};
