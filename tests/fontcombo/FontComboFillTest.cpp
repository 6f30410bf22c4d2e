// Filling the font combo box: which faces it lists under each filter, compared with what the
// system's enumeration reports to the test itself, and the selection across refills.
#include "FontComboTestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <functional>
#include <ostream>
#include <string>
#include <vector>

namespace {

constexpr BYTE FamilyOf(const TFace& face) {
    return face.PitchAndFamily & 0xF0;
}
constexpr bool IsVariablePitch(const TFace& face) {
    return (face.PitchAndFamily & TMPF_FIXED_PITCH) != 0;
}

std::vector<std::string> NamesWhere(const std::vector<TFace>& faces,
                                    const std::function<bool(const TFace&)>& passes) {
    std::vector<std::string> names;
    for (const TFace& face : faces)
        if (passes(face))
            names.push_back(face.Name);
    return names;
}

using FillTest = FontComboTest;

TEST_F(FillTest, DefaultsListEveryScreenFaceOnceSortedWithItsTechnology) {
    const std::vector<TFace> faces = ScreenFaces();
    ASSERT_NE(FindFace(faces, SymbolFixture), nullptr) << "the fixture fonts are not installed";
    Make();

    const std::vector<std::string> texts = Texts();
    EXPECT_EQ(SortedNames(texts), SortedNames(NamesOf(faces)));
    EXPECT_TRUE(std::is_sorted(texts.begin(), texts.end(), LessIgnoringCase));
    for (std::size_t index = 0; index < texts.size(); ++index) {
        const TFace* face = FindFace(faces, texts[index]);
        ASSERT_NE(face, nullptr) << texts[index];
        const LPARAM textBit = face->Charset == SYMBOL_CHARSET ? 0 : QelTextFontBit;
        EXPECT_EQ(EntryData(Combo.Handle(), static_cast<int>(index)),
                  static_cast<LPARAM>(face->FontType) + textBit)
            << texts[index];
    }
    EXPECT_EQ(Selected(), CB_ERR);
    EXPECT_EQ(Combo.GetFontName(), "");
}

struct FilterCase {
    const char* Name;
    std::function<void(TQelFontOptions&)> Apply;
    BYTE EnumeratedCharset;
    std::function<bool(const TFace&)> Passes;
};

std::ostream& operator<<(std::ostream& out, const FilterCase& filter) {
    return out << filter.Name;
}

bool FamilyIn(const TFace& face, std::initializer_list<BYTE> families) {
    const BYTE family = FamilyOf(face);
    return family == 0 || std::find(families.begin(), families.end(), family) != families.end();
}

const FilterCase FilterCases[] = {
    {"symbol faces left out", [](TQelFontOptions& o) { o.SetExcludeSymbolFonts(true); },
     DEFAULT_CHARSET, [](const TFace& f) { return f.Charset != SYMBOL_CHARSET; }},
    {"fixed pitch only", [](TQelFontOptions& o) { o.SetPitch(fpFixed); }, DEFAULT_CHARSET,
     [](const TFace& f) { return !IsVariablePitch(f); }},
    {"variable pitch only", [](TQelFontOptions& o) { o.SetPitch(fpVariable); }, DEFAULT_CHARSET,
     IsVariablePitch},
    // Only the family asked for: Modern (0x30) and Decorative (0x50) share Roman's bit 0x10
    // but are other families. Faces of unknown family pass.
    {"Roman family",
     [](TQelFontOptions& o) {
         o.SetFamilies({ffRoman});
         o.SetFilterFamilies(true);
     },
     DEFAULT_CHARSET, [](const TFace& f) { return FamilyIn(f, {FF_ROMAN}); }},
    {"Swiss and Script families",
     [](TQelFontOptions& o) {
         o.SetFilterFamilies(true);
         o.SetFamilies({ffSwiss, ffScript});
     },
     DEFAULT_CHARSET,
     [](const TFace& f) {
         return FamilyIn(f, {FF_SWISS, FF_SCRIPT});
     }},
    {"Decorative family",
     [](TQelFontOptions& o) {
         o.SetFamilies({ffDecorative});
         o.SetFilterFamilies(true);
     },
     DEFAULT_CHARSET, [](const TFace& f) { return FamilyIn(f, {FF_DECORATIVE}); }},
    {"no family chosen: unknown families only",
     [](TQelFontOptions& o) {
         o.SetFamilies({});
         o.SetFilterFamilies(true);
     },
     DEFAULT_CHARSET, [](const TFace& f) { return FamilyOf(f) == 0; }},
    {"symbol character set", [](TQelFontOptions& o) { o.SetCharset(fcsSYMBOL); }, SYMBOL_CHARSET,
     [](const TFace&) { return true; }},
    {"Russian character set, fixed pitch",
     [](TQelFontOptions& o) {
         o.SetCharset(fcsRUSSIAN);
         o.SetPitch(fpFixed);
     },
     RUSSIAN_CHARSET, [](const TFace& f) { return !IsVariablePitch(f); }},
};

class FilterTest : public FontComboTest, public ::testing::WithParamInterface<FilterCase> {};

TEST_P(FilterTest, ListsExactlyTheFacesThatPass) {
    const FilterCase& filter = GetParam();
    const std::vector<TFace> faces = ScreenFaces(filter.EnumeratedCharset);
    const std::vector<std::string> expected = NamesWhere(faces, filter.Passes);
    // Each filter must leave something out of the whole list and keep something, or the
    // comparison would show nothing.
    ASSERT_FALSE(expected.empty());
    ASSERT_LT(expected.size(), ScreenFaces().size());
    Make();

    filter.Apply(Combo.FontOptions());
    EXPECT_EQ(SortedNames(Texts()), SortedNames(expected));
}

INSTANTIATE_TEST_SUITE_P(Filters, FilterTest, ::testing::ValuesIn(FilterCases));

TEST_F(FillTest, RomanFilterLeavesOutFamiliesThatOnlyShareItsBit) {
    const std::vector<TFace> faces = ScreenFaces();
    const auto modern = std::find_if(faces.begin(), faces.end(),
                                     [](const TFace& f) { return FamilyOf(f) == FF_MODERN; });
    ASSERT_NE(modern, faces.end());
    Make();

    Combo.FontOptions().SetFilterFamilies(true);
    Combo.FontOptions().SetFamilies({ffRoman});
    EXPECT_EQ(Combo.FontOptions().GetFamilyMask(), 0x10);
    EXPECT_EQ(Combo.Items().IndexOf(modern->Name), -1) << modern->Name;
    EXPECT_EQ(Combo.Items().IndexOf(DecorativeFixture), -1);
}

TEST_F(FillTest, FamiliesRefillOnlyWhileFiltering) {
    Make();
    const std::string marker = "~ not a face";
    Combo.Items().Add(marker);

    Combo.FontOptions().SetFamilies({ffScript});
    EXPECT_GE(Combo.Items().IndexOf(marker), 0) << "refilled without a family filter";
    EXPECT_GE(Combo.Items().IndexOf(DecorativeFixture), 0);

    Combo.FontOptions().SetFilterFamilies(true);
    EXPECT_EQ(Combo.Items().IndexOf(marker), -1);
    EXPECT_EQ(Combo.Items().IndexOf(DecorativeFixture), -1);
    EXPECT_GE(Combo.Items().IndexOf(ScriptFixture), 0);
}

TEST_F(FillTest, SelectionKeptByNameWhileTheFaceStillPasses) {
    const std::vector<TFace> faces = ScreenFaces();
    const auto fixed = std::find_if(faces.begin(), faces.end(),
                                    [](const TFace& f) { return !IsVariablePitch(f); });
    ASSERT_NE(fixed, faces.end());
    Make();

    Combo.SetFontName(fixed->Name);
    ASSERT_EQ(Combo.GetFontName(), fixed->Name);
    Combo.FontOptions().SetPitch(fpFixed);
    EXPECT_EQ(Combo.GetFontName(), fixed->Name);
    EXPECT_EQ(Texts().at(static_cast<std::size_t>(Selected())), fixed->Name);

    // The script fixture is variable-pitch: a fixed-pitch list drops it and the selection.
    Combo.FontOptions().SetPitch(fpAny);
    Combo.SetFontName(ScriptFixture);
    ASSERT_EQ(Combo.GetFontName(), ScriptFixture);
    Combo.FontOptions().SetPitch(fpFixed);
    EXPECT_EQ(Combo.GetFontName(), "");
    EXPECT_EQ(Selected(), CB_ERR);
}

TEST_F(FillTest, FontNameSelectsOnlyListedFacesWhateverTheirCase) {
    Make();
    Combo.SetFontName("No Such Face");
    EXPECT_EQ(Selected(), CB_ERR);

    std::string lower = ScriptFixture;
    std::transform(lower.begin(), lower.end(), lower.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    Combo.SetFontName(lower);
    EXPECT_EQ(Combo.GetFontName(), ScriptFixture);

    Combo.SetFontName("No Such Face");
    EXPECT_EQ(Combo.GetFontName(), ScriptFixture);
}

TEST_F(FillTest, FontNameGivenBeforeTheWindowIsSelectedOnceFilled) {
    Combo.SetFontName(DecorativeFixture);
    Make();
    EXPECT_EQ(Combo.GetFontName(), DecorativeFixture);
}

TEST_F(FillTest, PrinterFontsWithoutPrinterAreSimplyNone) {
    // No default printer (as under Wine here) means no printer faces at all.
    const std::vector<TFace> printerFaces = PrinterFaces();
    Make();
    Combo.SetFontName(ScriptFixture);

    Combo.FontOptions().SetDevice(fdPrinter);
    EXPECT_EQ(SortedNames(Texts()), SortedNames(NamesOf(printerFaces)));

    // Both devices: the screen's faces and the printer's, a face on both listed once.
    Combo.FontOptions().SetDevice(fdBoth);
    std::vector<std::string> both = NamesOf(ScreenFaces());
    for (const TFace& face : printerFaces)
        if (!FindFace(ScreenFaces(), face.Name))
            both.push_back(face.Name);
    EXPECT_EQ(SortedNames(Texts()), SortedNames(both));
    EXPECT_EQ(Combo.GetFontName(), "") << "the refill under fdPrinter dropped the selection";
}

// ---- the options' change notices ----

struct SetterCase {
    const char* Name;
    std::function<void(TQelFontOptions&)> Prepare;
    std::function<void(TQelFontOptions&)> Change;
    int ExpectedNotices;
};

std::ostream& operator<<(std::ostream& out, const SetterCase& setter) {
    return out << setter.Name;
}

const auto Nothing = [](TQelFontOptions&) {};

const SetterCase SetterCases[] = {
    {"charset", Nothing, [](TQelFontOptions& o) { o.SetCharset(fcsGREEK); }, 1},
    {"same charset", Nothing, [](TQelFontOptions& o) { o.SetCharset(fcsDEFAULT); }, 0},
    {"device", Nothing, [](TQelFontOptions& o) { o.SetDevice(fdBoth); }, 1},
    {"same device", Nothing, [](TQelFontOptions& o) { o.SetDevice(fdScreen); }, 0},
    {"exclude symbol fonts", Nothing, [](TQelFontOptions& o) { o.SetExcludeSymbolFonts(true); }, 1},
    {"same exclusion", Nothing, [](TQelFontOptions& o) { o.SetExcludeSymbolFonts(false); }, 0},
    {"filter families", Nothing, [](TQelFontOptions& o) { o.SetFilterFamilies(true); }, 1},
    {"same filter", Nothing, [](TQelFontOptions& o) { o.SetFilterFamilies(false); }, 0},
    {"pitch", Nothing, [](TQelFontOptions& o) { o.SetPitch(fpVariable); }, 1},
    {"same pitch", Nothing, [](TQelFontOptions& o) { o.SetPitch(fpAny); }, 0},
    {"families while not filtering", Nothing, [](TQelFontOptions& o) { o.SetFamilies({ffSwiss}); },
     0},
    {"families while filtering", [](TQelFontOptions& o) { o.SetFilterFamilies(true); },
     [](TQelFontOptions& o) { o.SetFamilies({ffSwiss}); }, 1},
    {"same families while filtering", [](TQelFontOptions& o) { o.SetFilterFamilies(true); },
     [](TQelFontOptions& o) { o.SetFamilies(AllFamilies); }, 0},
};

class SetterTest : public ::testing::TestWithParam<SetterCase> {};

TEST_P(SetterTest, NotifiesOnlyRealChanges) {
    const SetterCase& setter = GetParam();
    TQelFontOptions options(nullptr);
    setter.Prepare(options);
    int notices = 0;
    TPersistent* sender = nullptr;
    options.OnChange = [&](TPersistent* s) {
        ++notices;
        sender = s;
    };
    setter.Change(options);
    EXPECT_EQ(notices, setter.ExpectedNotices);
    if (notices > 0) {
        EXPECT_EQ(sender, &options);
    }
}

INSTANTIATE_TEST_SUITE_P(Setters, SetterTest, ::testing::ValuesIn(SetterCases));

TEST(FontOptionsTest, StartsWithEverythingAllowedAndTheComboBoxAsOwner) {
    TQelFontComboBox combo(nullptr);
    TQelFontOptions& options = combo.FontOptions();
    EXPECT_EQ(options.GetOwner(), &combo);
    EXPECT_EQ(options.GetCharset(), fcsDEFAULT);
    EXPECT_EQ(options.GetDevice(), fdScreen);
    EXPECT_FALSE(options.GetExcludeSymbolFonts());
    EXPECT_TRUE(options.GetFamilies() == AllFamilies);
    EXPECT_FALSE(options.GetFilterFamilies());
    EXPECT_EQ(options.GetPitch(), fpAny);
    EXPECT_EQ(options.GetFamilyMask(), 0x70);
}

TEST(FontOptionsTest, FamilyMaskIsTheUnionOfTheFamilyValues) {
    const struct {
        TQelFamilySet Families;
        BYTE Mask;
    } cases[] = {{{}, 0x00},
                 {{ffRoman}, 0x10},
                 {{ffSwiss}, 0x20},
                 {{ffModern}, 0x30},
                 {{ffScript}, 0x40},
                 {{ffDecorative}, 0x50},
                 {{ffRoman, ffSwiss}, 0x30},
                 {{ffScript, ffSwiss}, 0x60},
                 {AllFamilies, 0x70}};
    for (const auto& entry : cases) {
        TQelFontOptions options(nullptr);
        options.SetFamilies(entry.Families);
        EXPECT_EQ(options.GetFamilyMask(), entry.Mask) << int(entry.Mask);
    }
}

TEST(FontOptionsTest, CharsetsAskForThePlatformCodes) {
    const struct {
        TQelFontCharSet Charset;
        int Code;
    } cases[] = {
        {fcsANSI, 0},         {fcsDEFAULT, 1},   {fcsSYMBOL, 2},       {fcsSHIFTJIS, 128},
        {fcsHANGEUL, 129},    {fcsHANGUL, 129},  {fcsGB2312, 134},     {fcsCHINESEBIG5, 136},
        {fcsOEM, 255},        {fcsJOHAB, 130},   {fcsHEBREW, 177},     {fcsARABIC, 178},
        {fcsGREEK, 161},      {fcsTURKISH, 162}, {fcsVIETNAMESE, 163}, {fcsTHAI, 222},
        {fcsEASTEUROPE, 238}, {fcsRUSSIAN, 204}, {fcsMAC, 77},         {fcsBALTIC, 186}};
    for (const auto& entry : cases)
        EXPECT_EQ(CharsetCode(entry.Charset), entry.Code) << entry.Code;
}

} // namespace
