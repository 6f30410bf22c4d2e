#pragma once
// Drawing pieces shared by the framework's self-drawn controls: a font with a colour, text
// alignment, bevels and the 3D frame.

#include "Canvas.h"

#include <windows.h>

#include <functional>
#include <string>

enum TAlignment { taLeftJustify, taRightJustify, taCenter };
enum TBevelCut { bvNone, bvLowered, bvRaised, bvSpace };

// Font styles, combined with |.
using TFontStyles = unsigned;
constexpr TFontStyles fsBold = 1;
constexpr TFontStyles fsItalic = 2;
constexpr TFontStyles fsUnderline = 4;
constexpr TFontStyles fsStrikeOut = 8;

// A font description (face, height, style) with the colour text is drawn in. The GDI font is
// made on first use and remade after a change; OnChange runs after every change.
class TFont {
public:
    TFont();
    ~TFont();
    TFont(const TFont&) = delete;
    TFont& operator=(const TFont&) = delete;

    std::string GetName() const;
    void SetName(const std::string& name);
    // As in LOGFONT: negative for a character height in pixels, positive for a cell height.
    int GetHeight() const { return Description.lfHeight; }
    void SetHeight(int height);
    TFontStyles GetStyle() const;
    void SetStyle(TFontStyles style);
    TColor GetColor() const { return FontColor; }
    void SetColor(TColor color);

    // The GDI font, owned by this object: valid until the next change.
    HFONT Handle() const;
    // Takes face, height and style from a GDI font (null: the default GUI font); the colour
    // stays.
    void Assign(HFONT font);

    std::function<void()> OnChange;

private:
    void SetDescription(const LOGFONTA& description);
    void Changed();

    LOGFONTA Description{};
    TColor FontColor = clWindowText;
    mutable HFONT Font = nullptr;
};

// The font a window gives its children (WM_GETFONT); null for the system font.
HFONT ParentFontOf(HWND window);

// DrawText's horizontal alignment flag for an alignment.
UINT AlignmentFlags(TAlignment alignment);

// Highlight over shadow for a raised (or spacing) bevel, the reverse for a lowered one.
void BevelColors(TBevelCut cut, TColor& topLeft, TColor& bottomRight);

// Draws a frame `width` pixels wide just inside `rect` and shrinks `rect` by it on every side.
// Each ring is drawn in `topLeft` along its top and left edges and in `bottomRight` along its
// bottom and right edges; the top-right and bottom-left corner pixels belong to bottomRight.
void Frame3D(TCanvas& canvas, RECT& rect, TColor topLeft, TColor bottomRight, int width);
