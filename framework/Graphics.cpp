#include "Graphics.h"

#include <cstddef>
#include <cstring>

namespace {
LOGFONTA DescriptionOf(HFONT font) {
    LOGFONTA description{};
    if (!font || !GetObjectA(font, sizeof description, &description))
        GetObjectA(GetStockObject(DEFAULT_GUI_FONT), sizeof description, &description);
    return description;
}

bool SameDescription(const LOGFONTA& a, const LOGFONTA& b) {
    return std::memcmp(&a, &b, offsetof(LOGFONTA, lfFaceName)) == 0 &&
           std::strncmp(a.lfFaceName, b.lfFaceName, LF_FACESIZE) == 0;
}

void FillBand(TCanvas& canvas, int left, int top, int width, int height) {
    if (width > 0 && height > 0)
        PatBlt(canvas.Handle(), left, top, width, height, PATCOPY);
}
} // namespace

TFont::TFont() : Description(DescriptionOf(nullptr)) {}

TFont::~TFont() {
    if (Font)
        DeleteObject(Font);
}

std::string TFont::GetName() const {
    return std::string(Description.lfFaceName, strnlen(Description.lfFaceName, LF_FACESIZE));
}

void TFont::SetName(const std::string& name) {
    LOGFONTA description = Description;
    std::memset(description.lfFaceName, 0, LF_FACESIZE);
    std::strncpy(description.lfFaceName, name.c_str(), LF_FACESIZE - 1);
    SetDescription(description);
}

void TFont::SetHeight(int height) {
    LOGFONTA description = Description;
    description.lfHeight = height;
    SetDescription(description);
}

TFontStyles TFont::GetStyle() const {
    return (Description.lfWeight >= FW_BOLD ? fsBold : 0) | (Description.lfItalic ? fsItalic : 0) |
           (Description.lfUnderline ? fsUnderline : 0) |
           (Description.lfStrikeOut ? fsStrikeOut : 0);
}

void TFont::SetStyle(TFontStyles style) {
    LOGFONTA description = Description;
    description.lfWeight = (style & fsBold) ? FW_BOLD : FW_NORMAL;
    description.lfItalic = (style & fsItalic) ? TRUE : FALSE;
    description.lfUnderline = (style & fsUnderline) ? TRUE : FALSE;
    description.lfStrikeOut = (style & fsStrikeOut) ? TRUE : FALSE;
    SetDescription(description);
}

void TFont::SetColor(TColor color) {
    if (color == FontColor)
        return;
    FontColor = color;
    Changed();
}

HFONT TFont::Handle() const {
    if (!Font)
        Font = CreateFontIndirectA(&Description);
    return Font;
}

void TFont::Assign(HFONT font) {
    SetDescription(DescriptionOf(font));
}

void TFont::SetDescription(const LOGFONTA& description) {
    if (SameDescription(Description, description))
        return;
    Description = description;
    if (Font)
        DeleteObject(Font);
    Font = nullptr;
    Changed();
}

void TFont::Changed() {
    if (OnChange)
        OnChange();
}

HFONT ParentFontOf(HWND window) {
    const HWND parent = window ? GetParent(window) : nullptr;
    return parent ? reinterpret_cast<HFONT>(SendMessageA(parent, WM_GETFONT, 0, 0)) : nullptr;
}

UINT AlignmentFlags(TAlignment alignment) {
    switch (alignment) {
    case taRightJustify:
        return DT_RIGHT;
    case taCenter:
        return DT_CENTER;
    default:
        return DT_LEFT;
    }
}

void BevelColors(TBevelCut cut, TColor& topLeft, TColor& bottomRight) {
    topLeft = cut == bvLowered ? clBtnShadow : clBtnHighlight;
    bottomRight = cut == bvLowered ? clBtnHighlight : clBtnShadow;
}

void Frame3D(TCanvas& canvas, RECT& rect, TColor topLeft, TColor bottomRight, int width) {
    for (; width > 0; --width) {
        const int w = rect.right - rect.left;
        const int h = rect.bottom - rect.top;
        if (w > 0 && h > 0) {
            canvas.SetBrushColor(topLeft);
            FillBand(canvas, rect.left, rect.top, w - 1, 1);
            FillBand(canvas, rect.left, rect.top, 1, h - 1);
            canvas.SetBrushColor(bottomRight);
            FillBand(canvas, rect.right - 1, rect.top, 1, h);
            FillBand(canvas, rect.left, rect.bottom - 1, w, 1);
        }
        InflateRect(&rect, -1, -1);
    }
}
