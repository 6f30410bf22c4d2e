// Drawing the font combo box's entries (read back from WM_DRAWITEM into a memory picture and
// compared with the same entry drawn here by plain GDI), its item height, its glyph resources
// and what the framework's combo box adds around them.
#include "FontComboTestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <ostream>
#include <string>

namespace {

constexpr RECT EntryRect{0, 0, 220, 16};
constexpr int GlyphIndent = 16; // glyph width 12 plus a margin of 2 on each side
constexpr int BareIndent = 2;

struct EntryCase {
    const char* Name;
    const std::string* Face;
    std::optional<LPARAM> Data; // replaces the font-type bits the enumeration gave
    TQelGlyphSet Glyphs;
    bool UseFont;
    bool HideSymbolFonts;
    UINT State;
    RECT Rect;
    std::optional<TQelGlyphTypes> ExpectedGlyph;
    bool ExpectOwnFace;
    int ExpectedIndent;
};

std::ostream& operator<<(std::ostream& out, const EntryCase& entry) {
    return out << entry.Name;
}

constexpr LPARAM Raster = RASTER_FONTTYPE | QelTextFontBit;
constexpr LPARAM Device = DEVICE_FONTTYPE | QelTextFontBit;
constexpr LPARAM TrueTypePrinter = TRUETYPE_FONTTYPE | DEVICE_FONTTYPE | QelTextFontBit;

const EntryCase EntryCases[] = {
    {"TrueType face",
     &ScriptFixture,
     {},
     AllGlyphs,
     false,
     true,
     0,
     EntryRect,
     gtTrueType,
     false,
     GlyphIndent},
    {"raster face", &ScriptFixture, Raster, AllGlyphs, false, true, 0, EntryRect, gtRaster, false,
     GlyphIndent},
    {"device face", &ScriptFixture, Device, AllGlyphs, false, true, 0, EntryRect, gtDevice, false,
     GlyphIndent},
    {"TrueType printer face without the TrueType glyph", &ScriptFixture, TrueTypePrinter,
     TQelGlyphSet{gtRaster, gtDevice}, false, true, 0, EntryRect, gtDevice, false, GlyphIndent},
    {"raster face without the raster glyph", &ScriptFixture, Raster,
     TQelGlyphSet{gtTrueType, gtDevice}, false, true, 0, EntryRect, std::nullopt, false,
     GlyphIndent},
    {"symbol face keeps its glyph",
     &SymbolFixture,
     {},
     AllGlyphs,
     false,
     true,
     0,
     EntryRect,
     gtTrueType,
     false,
     GlyphIndent},
    {"no glyphs: text 2 pixels in",
     &ScriptFixture,
     {},
     TQelGlyphSet{},
     false,
     true,
     0,
     EntryRect,
     std::nullopt,
     false,
     BareIndent},
    {"own face for a text face",
     &ScriptFixture,
     {},
     AllGlyphs,
     true,
     true,
     0,
     EntryRect,
     gtTrueType,
     true,
     GlyphIndent},
    {"control font for a hidden symbol face",
     &SymbolFixture,
     {},
     AllGlyphs,
     true,
     true,
     0,
     EntryRect,
     gtTrueType,
     false,
     GlyphIndent},
    {"own face for a symbol face not hidden",
     &SymbolFixture,
     {},
     AllGlyphs,
     true,
     false,
     0,
     EntryRect,
     gtTrueType,
     true,
     GlyphIndent},
    {"own face for a text face with symbols not hidden",
     &DecorativeFixture,
     {},
     AllGlyphs,
     true,
     false,
     0,
     EntryRect,
     gtTrueType,
     true,
     GlyphIndent},
    {"selected entry in highlight colours",
     &ScriptFixture,
     {},
     AllGlyphs,
     false,
     true,
     ODS_SELECTED,
     EntryRect,
     gtTrueType,
     false,
     GlyphIndent},
    // The closed box's field starts inside the frame: the glyph follows the rectangle.
    {"glyph centred in a taller rectangle further in",
     &ScriptFixture,
     {},
     AllGlyphs,
     false,
     true,
     0,
     RECT{3, 2, 223, 23},
     gtTrueType,
     false,
     GlyphIndent},
};

class EntryTest : public FontComboTest, public ::testing::WithParamInterface<EntryCase> {};

TEST_P(EntryTest, LooksAsDrawnByHand) {
    const EntryCase& entry = GetParam();
    Make();
    const int index = Combo.Items().IndexOf(*entry.Face);
    ASSERT_GE(index, 0) << *entry.Face;
    if (entry.Data)
        SendMessageA(Combo.Handle(), CB_SETITEMDATA, index, *entry.Data);
    Combo.SetGlyphs(entry.Glyphs);
    Combo.SetUseFont(entry.UseFont);
    Combo.SetHideSymbolFonts(entry.HideSymbolFonts);
    EXPECT_EQ(Combo.GetTextIndent(), entry.ExpectedIndent);
    EXPECT_EQ(Combo.GetShowGlyphs(), !entry.Glyphs.Empty());

    const int width = entry.Rect.right + 4;
    const int height = entry.Rect.bottom + 4;
    TPicture drawn(width, height);
    DrawEntry(Combo, index, entry.Rect, entry.State, drawn);

    const TFaceFontForTest ownFace(Combo.GetFont(), *entry.Face);
    ASSERT_EQ(ownFace.ChosenFace(), *entry.Face);
    TEntryLook look{entry.ExpectedGlyph, entry.ExpectOwnFace ? ownFace.Handle() : Combo.GetFont(),
                    entry.ExpectedIndent};
    TPicture expected(width, height);
    DrawReference(*entry.Face, entry.Rect, entry.State, look, expected);
    EXPECT_EQ(drawn.Difference(expected), "");

    // The other font must show, or the comparison could not tell the fonts apart.
    look.Font = entry.ExpectOwnFace ? Combo.GetFont() : ownFace.Handle();
    TPicture otherFont(width, height);
    DrawReference(*entry.Face, entry.Rect, entry.State, look, otherFont);
    EXPECT_NE(otherFont.Difference(expected), "");
}

INSTANTIATE_TEST_SUITE_P(Entries, EntryTest, ::testing::ValuesIn(EntryCases));

TEST_F(FontComboTest, EmptyClosedBoxIsBackgroundOnly) {
    Make();
    TPicture drawn(40, 20);
    DrawEntry(Combo, -1, RECT{0, 0, 40, 20}, 0, drawn);
    for (const POINT at : {POINT{0, 0}, POINT{20, 10}, POINT{39, 19}})
        EXPECT_EQ(drawn.At(at.x, at.y), GetSysColor(COLOR_WINDOW));
}

// ---- item height ----

// A font of the installed sans face whose character height plus external leading is
// `textHeight` pixels, found by trying cell heights around it.
HFONT FontOfTextHeight(int textHeight) {
    // Positive heights ask for the cell, negative ones for the character alone.
    for (int size = 1; size <= textHeight + 6; ++size)
        for (const int height : {size, -size}) {
            const HFONT font = CreateFontA(height, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0,
                                           0, 0, 0, "Liberation Sans");
            if (TextHeightOf(font) == textHeight)
                return font;
            DeleteObject(font);
        }
    return nullptr;
}

class ItemHeightTest : public FontComboTest, public ::testing::WithParamInterface<int> {
protected:
    void TearDown() override {
        if (Font)
            DeleteObject(Font);
    }
    int ListItemHeight() const {
        return static_cast<int>(SendMessageA(Combo.Handle(), CB_GETITEMHEIGHT, 0, 0));
    }
    int FieldHeight() const {
        return static_cast<int>(
            SendMessageA(Combo.Handle(), CB_GETITEMHEIGHT, static_cast<WPARAM>(-1), 0));
    }
    HFONT Font = nullptr;
};

TEST_P(ItemHeightTest, IsTheTallerOfTextAndGlyphPlusMargins) {
    const int textHeight = GetParam();
    Font = FontOfTextHeight(textHeight);
    ASSERT_NE(Font, nullptr) << "no font with text height " << textHeight;
    const int expected = std::max(textHeight, 12) + 4;
    Make();

    Combo.SetFont(Font);
    EXPECT_EQ(ListItemHeight(), expected);
    EXPECT_EQ(Combo.GetItemHeight(), expected);
    // The closed box's field is set to the same height; Wine reports it with 2 pixels of
    // padding added.
    EXPECT_GE(FieldHeight(), expected);
    EXPECT_LE(FieldHeight(), expected + 2);

    // Without glyphs the entries still leave room for one.
    Combo.SetGlyphs({});
    Combo.ResetItemHeight();
    EXPECT_EQ(ListItemHeight(), expected);
}

INSTANTIATE_TEST_SUITE_P(TextHeights, ItemHeightTest, ::testing::Values(7, 10, 12, 14, 24));

TEST_F(ItemHeightTest, FollowsTheFontTheWindowIsMadeWith) {
    Font = FontOfTextHeight(24);
    ASSERT_NE(Font, nullptr);
    const HFONT formFont = TestForm().GetFont();
    TestForm().SetFont(Font);
    Make();
    TestForm().SetFont(formFont);
    EXPECT_EQ(ListItemHeight(), 28);
}

TEST_F(ItemHeightTest, LoadedMeasuresAgain) {
    Font = FontOfTextHeight(24);
    ASSERT_NE(Font, nullptr);
    Combo.SetLoading(true);
    Make();
    // While loading, a font change waits for Loaded.
    SendMessageA(Combo.Handle(), WM_SETFONT, reinterpret_cast<WPARAM>(Font), FALSE);
    const int before = ListItemHeight();
    Combo.Loaded();
    EXPECT_NE(before, 28);
    EXPECT_EQ(ListItemHeight(), 28);
}

// ---- glyph resources ----

TEST(FontGlyphsTest, AreTwelvePixelSixteenColourPicturesOnMagenta) {
    const TQelFontGlyphs glyphs;
    EXPECT_EQ(glyphs.Width(), 12);
    EXPECT_EQ(glyphs.Height(), 12);
    for (const TQelGlyphTypes glyph : {gtTrueType, gtRaster, gtDevice}) {
        const char* name = TQelFontGlyphs::ResourceName(glyph);
        EXPECT_TRUE(glyphs.Has(glyph)) << name;
        const HRSRC resource = FindResourceA(nullptr, name, MAKEINTRESOURCEA(2)); // RT_BITMAP
        ASSERT_NE(resource, nullptr) << name;
        const auto* header =
            static_cast<const BITMAPINFOHEADER*>(LockResource(LoadResource(nullptr, resource)));
        ASSERT_NE(header, nullptr) << name;
        EXPECT_EQ(header->biWidth, 12) << name;
        EXPECT_EQ(header->biHeight, 12) << name;
        EXPECT_EQ(header->biBitCount, 4) << name;

        const auto bitmap = static_cast<HBITMAP>(
            LoadImageA(GetModuleHandleA(nullptr), name, IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
        const HDC dc = CreateCompatibleDC(nullptr);
        const HGDIOBJ old = SelectObject(dc, bitmap);
        EXPECT_EQ(GetPixel(dc, 0, 11), RGB(255, 0, 255)) << name;
        SelectObject(dc, old);
        DeleteDC(dc);
        DeleteObject(bitmap);
    }
}

TEST(FontGlyphsTest, PicturesDiffer) {
    TPicture pictures[3] = {{12, 12}, {12, 12}, {12, 12}};
    const TQelFontGlyphs glyphs;
    for (const TQelGlyphTypes glyph : {gtTrueType, gtRaster, gtDevice})
        glyphs.Draw(pictures[glyph].DC(), glyph, 0, 0);
    EXPECT_NE(pictures[gtTrueType].Difference(pictures[gtRaster]), "");
    EXPECT_NE(pictures[gtRaster].Difference(pictures[gtDevice]), "");
    EXPECT_NE(pictures[gtTrueType].Difference(pictures[gtDevice]), "");
    // The background is keyed out: the untouched fill shows in the bottom-left corner.
    for (const TPicture& picture : pictures)
        EXPECT_EQ(picture.At(0, 11), RGB(1, 2, 3));
}

// ---- repainting ----

class RepaintTest : public FontComboTest {
protected:
    bool NeedsPaint() const { return GetUpdateRect(Combo.Handle(), nullptr, FALSE) != FALSE; }
    void Paint() { UpdateWindow(Combo.Handle()); }
};

TEST_F(RepaintTest, HidingSymbolFontsRepaintsOnlyWithOwnFaces) {
    Make();
    Paint();
    Combo.SetHideSymbolFonts(false);
    EXPECT_FALSE(NeedsPaint());
    Combo.SetUseFont(true);
    EXPECT_TRUE(NeedsPaint());
    Paint();
    Combo.SetHideSymbolFonts(true);
    EXPECT_TRUE(NeedsPaint());
    Paint();
    Combo.SetUseFont(true);
    EXPECT_FALSE(NeedsPaint()) << "an unchanged value repainted";
    Combo.SetGlyphs({gtRaster});
    EXPECT_TRUE(NeedsPaint());
}

// ---- the framework's combo box around it ----

TEST_F(FontComboTest, OpenListHoldsDropDownCountEntries) {
    Make();
    ASSERT_GT(Combo.Items().Count(), 8u);
    EXPECT_EQ(Combo.GetDropDownCount(), 8);
    const auto droppedHeight = [this] {
        RECT dropped{};
        SendMessageA(Combo.Handle(), CB_GETDROPPEDCONTROLRECT, 0,
                     reinterpret_cast<LPARAM>(&dropped));
        return dropped.bottom - dropped.top;
    };
    const int eight = droppedHeight();
    Combo.SetDropDownCount(3);
    EXPECT_EQ(eight - droppedHeight(), 5 * Combo.GetItemHeight());
}

TEST_F(FontComboTest, ChoosingAnEntryFiresOnChange) {
    Make();
    int changes = 0;
    Combo.OnChange = [&](TComponent* sender) {
        EXPECT_EQ(sender, &Combo);
        ++changes;
    };
    Combo.SetFontName(ScriptFixture); // set by the program: no event
    EXPECT_EQ(changes, 0);
    SendMessageA(Combo.Handle(), WM_KEYDOWN, VK_DOWN, 0);
    EXPECT_EQ(changes, 1);
    EXPECT_NE(Combo.GetFontName(), ScriptFixture);
}

} // namespace
