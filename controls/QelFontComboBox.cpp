#include "QelFontComboBox.h"

#include <algorithm>
#include <cstring>
#include <utility>

namespace {
// The font selected in `dc` with another face, in whatever character set that face has (a
// symbol face asked for in a text set would be swapped for a text face). Null for no face.
class TFaceFont {
public:
    TFaceFont(HDC dc, const std::string& face) {
        if (face.empty())
            return;
        LOGFONTA description{};
        GetObjectA(GetCurrentObject(dc, OBJ_FONT), sizeof description, &description);
        std::memset(description.lfFaceName, 0, LF_FACESIZE);
        face.copy(description.lfFaceName, LF_FACESIZE - 1);
        description.lfCharSet = DEFAULT_CHARSET;
        Font = CreateFontIndirectA(&description);
    }
    ~TFaceFont() {
        if (Font)
            DeleteObject(Font);
    }
    TFaceFont(const TFaceFont&) = delete;
    TFaceFont& operator=(const TFaceFont&) = delete;
    HFONT Handle() const { return Font; }

private:
    HFONT Font = nullptr;
};

// Character height plus external leading of `font` (null: the system font) on the screen.
int TextHeightOf(HFONT font) {
    const HDC screen = GetDC(nullptr);
    const HGDIOBJ old = SelectObject(screen, font ? font : GetStockObject(SYSTEM_FONT));
    TEXTMETRICA metrics{};
    GetTextMetricsA(screen, &metrics);
    SelectObject(screen, old);
    ReleaseDC(nullptr, screen);
    return metrics.tmHeight + metrics.tmExternalLeading;
}
} // namespace

TQelFontComboBox::TQelFontComboBox(TComponent* owner)
    : TCustomComboBox(owner), GlyphHolder(std::make_unique<TQelFontGlyphs>()),
      Options(std::make_unique<TQelFontOptions>(this)) {
    TextIndent = GlyphHolder->Width() + 2 * GlyphMargin;
    Sorted = true;
    Style = csOwnerDrawFixed;
}

// The glyphs and the options go before the window does.
TQelFontComboBox::~TQelFontComboBox() {
    GlyphHolder.reset();
    Options.reset();
}

std::string TQelFontComboBox::GetFontName() const {
    return GetSelectedText();
}

void TQelFontComboBox::SetFontName(const std::string& name) {
    if (!HandleAllocated()) {
        PendingFontName = name;
        return;
    }
    if (name == GetFontName())
        return;
    const int index = Items().IndexOf(name);
    if (index >= 0)
        SetItemIndex(index);
}

void TQelFontComboBox::SetGlyphs(TQelGlyphSet glyphs) {
    if (glyphs == Glyphs)
        return;
    Glyphs = glyphs;
    ShowGlyphs = !Glyphs.Empty();
    TextIndent = GlyphMargin + (ShowGlyphs ? GlyphHolder->Width() + GlyphMargin : 0);
    Invalidate();
}

void TQelFontComboBox::SetHideSymbolFonts(bool hide) {
    if (hide == HideSymbolFonts)
        return;
    HideSymbolFonts = hide;
    // Only entries written in their own face look any different.
    if (UseFont)
        Invalidate();
}

void TQelFontComboBox::SetUseFont(bool useFont) {
    if (useFont == UseFont)
        return;
    UseFont = useFont;
    Invalidate();
}

void TQelFontComboBox::ResetItemHeight() {
    const int textHeight = TextHeightOf(GetFont());
    SetItemHeight(std::max(textHeight, GlyphHolder->Height()) + 2 * GlyphMargin);
}

void TQelFontComboBox::FontOptionsChanged(TPersistent*) {
    if (!HandleAllocated())
        return;
    const std::string kept = GetFontName();
    Options->FillFontList(Items());
    if (!kept.empty())
        SetFontName(kept);
}

void TQelFontComboBox::Loaded() {
    TCustomComboBox::Loaded();
    ResetItemHeight();
}

void TQelFontComboBox::CreateWnd() {
    TCustomComboBox::CreateWnd();
    // The window took its font before it was attached here, which is a font change too.
    if (!IsLoading())
        ResetItemHeight();
    FontOptionsChanged(Options.get());
    if (!PendingFontName.empty())
        SetFontName(std::exchange(PendingFontName, std::string()));
}

LRESULT TQelFontComboBox::WndProc(UINT message, WPARAM wParam, LPARAM lParam) {
    const LRESULT result = TCustomComboBox::WndProc(message, wParam, lParam);
    if (message == WM_SETFONT && !IsLoading())
        ResetItemHeight();
    return result;
}

std::optional<TQelGlyphTypes> TQelFontComboBox::GlyphFor(LPARAM fontType) const {
    if ((fontType & TRUETYPE_FONTTYPE) && Glyphs.Contains(gtTrueType))
        return gtTrueType;
    if ((fontType & RASTER_FONTTYPE) && Glyphs.Contains(gtRaster))
        return gtRaster;
    if ((fontType & DEVICE_FONTTYPE) && Glyphs.Contains(gtDevice))
        return gtDevice;
    return std::nullopt;
}

bool TQelFontComboBox::DrawsInOwnFace(LPARAM fontType) const {
    return UseFont && (!HideSymbolFonts || (fontType & QelTextFontBit));
}

void TQelFontComboBox::DrawItem(TCanvas& canvas, int index, const RECT& rect, UINT) {
    canvas.FillRect(rect);
    const LPARAM fontType = Items().Objects(index);
    if (ShowGlyphs) {
        if (const auto glyph = GlyphFor(fontType)) {
            const int top = rect.top + ((rect.bottom - rect.top - GlyphHolder->Height()) >> 1);
            GlyphHolder->Draw(canvas.Handle(), *glyph, rect.left + GlyphMargin, top);
        }
    }

    const std::string name = Items().Get(static_cast<std::size_t>(index));
    const TFaceFont face(canvas.Handle(), DrawsInOwnFace(fontType) ? name : std::string());
    // A canvas of its own puts the control's font back before the face font is deleted.
    TCanvas text(canvas.Handle());
    text.SetFont(face.Handle());
    RECT textRect = rect;
    textRect.left += TextIndent;
    UINT flags = DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX;
    if (GetWindowLongA(Handle(), GWL_EXSTYLE) & WS_EX_RTLREADING)
        flags |= DT_RTLREADING;
    DrawTextA(text.Handle(), name.c_str(), static_cast<int>(name.size()), &textRect, flags);
}
