#include "Canvas.h"

COLORREF ColorToRGB(TColor color) {
    if (color & SystemColorFlag)
        return GetSysColor(static_cast<int>(color & 0xFF));
    return color;
}

TCanvas::TCanvas(HDC dc) : DC(dc), SavedState(SaveDC(dc)) {}

TCanvas::~TCanvas() {
    RestoreDC(DC, SavedState);
    if (Brush)
        DeleteObject(Brush);
    if (Pen)
        DeleteObject(Pen);
}

void TCanvas::SetFont(HFONT font) {
    if (font)
        SelectObject(DC, font);
}

void TCanvas::SetTextColor(TColor color) {
    ::SetTextColor(DC, ColorToRGB(color));
}

void TCanvas::SetBrushColor(TColor color) {
    ReplaceBrush(color == clNone ? nullptr : CreateSolidBrush(ColorToRGB(color)));
}

void TCanvas::SetPen(TColor color, int width) {
    ReplacePen(CreatePen(color == clNone ? PS_NULL : PS_SOLID, width, ColorToRGB(color)));
}

SIZE TCanvas::TextExtent(const std::string& text) const {
    SIZE size{};
    GetTextExtentPoint32A(DC, text.c_str(), static_cast<int>(text.size()), &size);
    return size;
}

void TCanvas::TextOut(int x, int y, const std::string& text) {
    SetBkMode(DC, TRANSPARENT);
    ::TextOutA(DC, x, y, text.c_str(), static_cast<int>(text.size()));
}

void TCanvas::FillRect(const RECT& rect) {
    if (Brush)
        ::FillRect(DC, &rect, Brush);
}

void TCanvas::ReplaceBrush(HBRUSH brush) {
    SelectObject(DC, brush ? brush : static_cast<HBRUSH>(GetStockObject(NULL_BRUSH)));
    if (Brush)
        DeleteObject(Brush);
    Brush = brush;
}

void TCanvas::ReplacePen(HPEN pen) {
    SelectObject(DC, pen);
    if (Pen)
        DeleteObject(Pen);
    Pen = pen;
}
