#pragma once
// A drop-down list of the installed font faces of the screen, the printer or both, filtered
// by character set, pitch, family and symbol-ness (FontOptions), sorted by name. Each entry
// shows a glyph for its font technology and, on request, its name in its own face.
//
// The glyphs come from the program's resources "TTSYMBOL", "RASTERSYMBOL" and
// "DEVICESYMBOL": a program that uses this control links kd_controls_res.

#include "ComboBox.h"
#include "QelFontCommon.h"

#include <memory>
#include <optional>
#include <string>

class TQelFontComboBox : public TCustomComboBox {
public:
    // Room left and right of a glyph, and above and below the tallest of glyph and text.
    static constexpr int GlyphMargin = 2;

    explicit TQelFontComboBox(TComponent* owner);
    ~TQelFontComboBox() override;

    TQelFontOptions& FontOptions() { return *Options; }
    const TQelFontGlyphs& GlyphImages() const { return *GlyphHolder; }

    // The selected face; empty when nothing is selected.
    std::string GetFontName() const;
    // Selects the listed face of that name (letter case aside); a face that is not listed
    // changes nothing. A name given before the window exists is looked up once it is filled.
    void SetFontName(const std::string& name);

    // Which font technologies get a glyph; all three at first.
    TQelGlyphSet GetGlyphs() const { return Glyphs; }
    void SetGlyphs(TQelGlyphSet glyphs);
    // With UseFont, symbol faces are still written in the control's own font; on at first.
    bool GetHideSymbolFonts() const { return HideSymbolFonts; }
    void SetHideSymbolFonts(bool hide);
    // Writes each entry in its own face; off at first.
    bool GetUseFont() const { return UseFont; }
    void SetUseFont(bool useFont);
    // Whether any glyph is shown (Glyphs is not empty).
    bool GetShowGlyphs() const { return ShowGlyphs; }
    // Where an entry's text starts, in pixels from the entry's left edge.
    int GetTextIndent() const { return TextIndent; }

    // Entries as tall as the control's text or a glyph, whichever is taller, plus the margins.
    void ResetItemHeight();
    // The options changed: refill, keeping the selected face when it is still listed.
    void FontOptionsChanged(TPersistent* sender);

    void Loaded() override;

protected:
    void CreateWnd() override;
    LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    void DrawItem(TCanvas& canvas, int index, const RECT& rect, UINT state) override;

private:
    std::optional<TQelGlyphTypes> GlyphFor(LPARAM fontType) const;
    bool DrawsInOwnFace(LPARAM fontType) const;

    std::unique_ptr<TQelFontGlyphs> GlyphHolder;
    std::unique_ptr<TQelFontOptions> Options;
    TQelGlyphSet Glyphs = AllGlyphs;
    bool HideSymbolFonts = true;
    bool UseFont = false;
    bool ShowGlyphs = true;
    int TextIndent = 0;
    std::string PendingFontName;
};
