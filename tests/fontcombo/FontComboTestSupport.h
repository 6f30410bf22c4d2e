#pragma once
// Helpers for the font combo box tests: one form for the whole program, the fixture fonts it
// adds for itself, the faces as the system's enumeration reports them (measured here, apart
// from the control), and entry pictures drawn through WM_DRAWITEM or by plain GDI.

#include "Controls.h"
#include "QelFontComboBox.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <optional>
#include <string>
#include <vector>

// The fixture fonts (tests/fontcombo/fonts): a face in the symbol set only, and faces of the
// script and decorative families, which the installed fonts lack.
inline const std::string SymbolFixture = "Kd Fixture Symbol";
inline const std::string ScriptFixture = "Kd Fixture Script";
inline const std::string DecorativeFixture = "Kd Fixture Decorative";

// The form every test puts its combo box on; it reflects owner drawing back to the control.
TWinControl& TestForm();
constexpr RECT ComboBounds{10, 10, 260, 34};
constexpr int ComboId = 300;

// One face as its first enumerated record describes it.
struct TFace {
    std::string Name;
    BYTE Charset = 0;
    BYTE PitchAndFamily = 0; // the text metrics' byte
    DWORD FontType = 0;
};
// Every face the screen (or the default printer, none without one) offers in `charset`, each
// once, as its first record describes it.
std::vector<TFace> ScreenFaces(BYTE charset = DEFAULT_CHARSET);
std::vector<TFace> PrinterFaces(BYTE charset = DEFAULT_CHARSET);
const TFace* FindFace(const std::vector<TFace>& faces, const std::string& name);
std::vector<std::string> NamesOf(const std::vector<TFace>& faces);
// Names in the order a sorted list keeps them (letter case aside), for comparing as sets.
std::vector<std::string> SortedNames(std::vector<std::string> names);
bool LessIgnoringCase(const std::string& a, const std::string& b);

// The combo box's entries and the number each carries, read from the window.
std::vector<std::string> EntryTexts(HWND comboBox);
LPARAM EntryData(HWND comboBox, int index);

// A 32-bit picture of `width` x `height` pixels, first filled with a colour no drawing uses.
class TPicture {
public:
    TPicture(int width, int height);
    ~TPicture();
    TPicture(const TPicture&) = delete;
    TPicture& operator=(const TPicture&) = delete;
    HDC DC() const { return Context; }
    COLORREF At(int x, int y) const;
    int Width() const { return PictureWidth; }
    int Height() const { return PictureHeight; }
    // The first pixel where the two pictures differ, as text; empty when they are equal.
    std::string Difference(const TPicture& other) const;

private:
    int PictureWidth;
    int PictureHeight;
    HDC Context;
    HBITMAP Bitmap;
    HGDIOBJ Old;
    const DWORD* Bits = nullptr;
};

// Has the control draw one entry into `picture` through its parent's WM_DRAWITEM.
void DrawEntry(TQelFontComboBox& combo, int index, const RECT& rect, UINT state, TPicture& picture);

// What an entry should look like, drawn here with plain GDI: the background of its state,
// the glyph (keyed out on its bottom-left colour) at rect.left + 2 and centred vertically,
// and the text from rect.left + indent in `font`.
struct TEntryLook {
    std::optional<TQelGlyphTypes> Glyph;
    HFONT Font = nullptr;
    int Indent = 0;
};
void DrawReference(const std::string& text, const RECT& rect, UINT state, const TEntryLook& look,
                   TPicture& picture);

// The control's font with another face, in that face's own character set.
class TFaceFontForTest {
public:
    TFaceFontForTest(HFONT base, const std::string& face);
    ~TFaceFontForTest();
    TFaceFontForTest(const TFaceFontForTest&) = delete;
    TFaceFontForTest& operator=(const TFaceFontForTest&) = delete;
    HFONT Handle() const { return Font; }
    // The face GDI actually chose for the font.
    std::string ChosenFace() const;

private:
    HFONT Font;
};

// Character height plus external leading of a font on the screen.
int TextHeightOf(HFONT font);

// A combo box on the test form, made fresh for each test.
class FontComboTest : public ::testing::Test {
protected:
    void Make() {
        Combo.Create(TestForm().Handle(), ComboBounds, ComboId);
        ASSERT_TRUE(Combo.HandleAllocated());
    }
    std::vector<std::string> Texts() const { return EntryTexts(Combo.Handle()); }
    int Selected() const {
        return static_cast<int>(SendMessageA(Combo.Handle(), CB_GETCURSEL, 0, 0));
    }

    TQelFontComboBox Combo{nullptr};
};
