// The framework label on a real window: alignment, layout, automatic size, word wrap, the
// accelerator that focuses another control, colours and the disabled look.
#include "GradientTestSupport.h"
#include "Label.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

namespace {

constexpr COLORREF Red = RGB(255, 0, 0);
constexpr COLORREF White = RGB(255, 255, 255);
constexpr COLORREF Navy = RGB(0, 0, 128);

bool Dark(COLORREF c) {
    return GetRValue(c) + GetGValue(c) + GetBValue(c) < 3 * 128;
}

class LabelTest : public ::testing::Test {
protected:
    TLabel& MakeLabel(const RECT& bounds, bool autoSize = true) {
        Label = std::make_unique<TLabel>(&Owner);
        Label->SetAutoSize(autoSize);
        Label->CreateIn(TestForm(), bounds);
        return *Label;
    }
    // A label on white with black text, sized by hand.
    TLabel& MakeInkLabel(const RECT& bounds, const std::string& caption) {
        TLabel& label = MakeLabel(bounds, false);
        label.Color = White;
        label.Font().SetColor(RGB(0, 0, 0));
        label.SetCaption(caption);
        return label;
    }
    int LineHeight() { return TextSize(Label->Font().Handle(), "W").cy; }
    void TearDown() override { Label.reset(); }

    TComponent Owner;
    std::unique_ptr<TLabel> Label;
};

TEST_F(LabelTest, StartsWithTheLabelDefaults) {
    TLabel label(nullptr);
    EXPECT_EQ(label.GetAlignment(), taLeftJustify);
    EXPECT_EQ(label.GetLayout(), tlTop);
    EXPECT_FALSE(label.GetWordWrap());
    EXPECT_TRUE(label.GetAutoSize());
    EXPECT_FALSE(label.GetTransparent());
    EXPECT_TRUE(label.GetShowAccelChar());
    EXPECT_EQ(label.GetFocusControl(), nullptr);
    EXPECT_TRUE(label.GetParentFont());
}

TEST_F(LabelTest, AutoSizeTakesTheSizeOfTheText) {
    TLabel& label = MakeLabel(RECT{20, 20, 30, 30});
    label.SetCaption("Hello world");
    const SIZE text = TextSize(label.Font().Handle(), "Hello world");
    EXPECT_EQ(label.Width(), text.cx);
    EXPECT_EQ(label.Height(), text.cy);
    EXPECT_EQ(label.BoundsRect().left, 20);
    EXPECT_EQ(label.BoundsRect().top, 20);
}

TEST_F(LabelTest, AnEmptyAutoSizeLabelKeepsTheHeightOfOneLine) {
    TLabel& label = MakeLabel(RECT{20, 20, 30, 90});
    label.SetCaption("Hello");
    label.SetCaption("");
    EXPECT_EQ(label.Height(), LineHeight());
}

TEST_F(LabelTest, ARightAlignedAutoSizeLabelGrowsToTheLeft) {
    TLabel& label = MakeLabel(RECT{100, 20, 200, 40});
    label.SetAlignment(taRightJustify);
    const int right = label.BoundsRect().right;
    label.SetCaption("A longer caption");
    EXPECT_EQ(label.BoundsRect().right, right);
    EXPECT_EQ(label.Width(), TextSize(label.Font().Handle(), "A longer caption").cx);
}

TEST_F(LabelTest, AFontChangeResizesAnAutoSizeLabel) {
    TLabel& label = MakeLabel(RECT{20, 20, 30, 30});
    label.SetCaption("Hello");
    const int height = label.Height();
    label.Font().SetHeight(-40);
    EXPECT_GT(label.Height(), height + 20);
    EXPECT_EQ(label.Width(), TextSize(label.Font().Handle(), "Hello").cx);
}

TEST_F(LabelTest, WordWrapBreaksTheCaptionIntoLinesWithinTheWidth) {
    TLabel& label = MakeLabel(RECT{20, 20, 60, 40}, false);
    label.SetWordWrap(true);
    label.SetCaption("one two three four five six");
    label.SetAutoSize(true);
    EXPECT_LE(label.Width(), 40);
    EXPECT_GE(label.Height(), 3 * LineHeight());
    EXPECT_EQ(label.Height() % LineHeight(), 0);

    label.SetWordWrap(false); // one line again, as wide as the text
    EXPECT_EQ(label.Height(), LineHeight());
    EXPECT_EQ(label.Width(), TextSize(label.Font().Handle(), "one two three four five six").cx);
}

struct TAlignCase {
    TAlignment Alignment;
    const char* Name;
};

TEST_F(LabelTest, AlignmentPlacesTheTextLeftRightOrCentre) {
    for (const TAlignCase& test :
         {TAlignCase{taLeftJustify, "left"}, TAlignCase{taRightJustify, "right"},
          TAlignCase{taCenter, "centre"}}) {
        TLabel& label = MakeInkLabel(RECT{10, 10, 210, 40}, "Hi there");
        label.SetAlignment(test.Alignment);
        const RECT ink = Capture(label.Handle()).Bounds(Dark);
        ASSERT_GT(ink.right, ink.left) << test.Name;
        if (test.Alignment == taLeftJustify) {
            EXPECT_LE(ink.left, 3) << test.Name;
        }
        if (test.Alignment == taRightJustify) {
            EXPECT_GE(ink.right, 197) << test.Name;
        }
        if (test.Alignment == taCenter) {
            EXPECT_LE(std::abs((ink.left + ink.right) / 2 - 100), 3) << test.Name;
        }
    }
}

struct TLayoutCase {
    TTextLayout Layout;
    const char* Name;
};

TEST_F(LabelTest, LayoutPlacesTheTextAtTheTopMiddleOrBottom) {
    for (const TLayoutCase& test : {TLayoutCase{tlTop, "top"}, TLayoutCase{tlCenter, "centre"},
                                    TLayoutCase{tlBottom, "bottom"}}) {
        TLabel& label = MakeInkLabel(RECT{10, 10, 110, 100}, "Hi");
        label.SetLayout(test.Layout);
        const int h = LineHeight();
        const int top = test.Layout == tlTop ? 0 : test.Layout == tlCenter ? (90 - h) >> 1 : 90 - h;
        const RECT ink = Capture(label.Handle()).Bounds(Dark);
        ASSERT_GT(ink.bottom, ink.top) << test.Name;
        EXPECT_GE(ink.top, top) << test.Name;
        EXPECT_LE(ink.bottom, top + h) << test.Name;
    }
}

TEST_F(LabelTest, TextIsDrawnInTheFontColourOnTheLabelColour) {
    TLabel& label = MakeLabel(RECT{10, 10, 150, 40}, false);
    label.Color = Navy;
    label.Font().SetColor(Red);
    label.SetCaption("WWW");
    const TPixels pixels = Capture(label.Handle());
    EXPECT_GT(pixels.Count([](COLORREF c) { return c == Red; }), 10);
    EXPECT_TRUE(SameColor(pixels.At(130, 25), Navy));
}

// Disabled: no font colour, the text engraved in button shadow over a highlight copy one
// pixel right and down.
TEST_F(LabelTest, ADisabledLabelLooksEngraved) {
    TLabel& label = MakeLabel(RECT{10, 10, 150, 40}, false);
    label.Color = Navy;
    label.Font().SetColor(Red);
    label.SetCaption("WWW");
    label.SetEnabled(false);
    const TPixels pixels = Capture(label.Handle());
    const COLORREF shadow = GetSysColor(COLOR_BTNSHADOW);
    const COLORREF light = GetSysColor(COLOR_BTNHIGHLIGHT);
    EXPECT_EQ(pixels.Count([](COLORREF c) { return c == Red; }), 0);
    const RECT dark = pixels.Bounds([&](COLORREF c) { return c == shadow; });
    const RECT bright = pixels.Bounds([&](COLORREF c) { return c == light; });
    ASSERT_GT(dark.right, dark.left);
    ASSERT_GT(bright.right, bright.left);
    EXPECT_EQ(bright.right, dark.right + 1);
    EXPECT_EQ(bright.bottom, dark.bottom + 1);

    label.SetEnabled(true);
    EXPECT_GT(Capture(label.Handle()).Count([](COLORREF c) { return c == Red; }), 10);
}

TEST_F(LabelTest, TransparentShowsTheParentsBackground) {
    TLabel& label = MakeLabel(RECT{10, 10, 150, 40}, false);
    label.Color = Navy;
    label.SetCaption("x");
    EXPECT_TRUE(SameColor(Capture(label.Handle()).At(130, 20), Navy));
    label.SetTransparent(true);
    EXPECT_TRUE(SameColor(Capture(label.Handle()).At(130, 20), FormColor));
}

TEST_F(LabelTest, ShowAccelCharHidesTheAmpersandOrDrawsIt) {
    TLabel& label = MakeLabel(RECT{20, 20, 30, 30});
    label.SetCaption("&Name");
    const HFONT font = label.Font().Handle();
    EXPECT_EQ(label.Width(), TextSize(font, "Name").cx);
    label.SetShowAccelChar(false);
    EXPECT_EQ(label.Width(), TextSize(font, "&Name").cx);
}

TEST(AcceleratorOfTest, FindsTheCharacterAfterTheFirstSingleAmpersand) {
    struct TCase {
        const char* Caption;
        char Accelerator;
    };
    for (const TCase& test :
         {TCase{"&Name", 'N'}, TCase{"Na&me", 'm'}, TCase{"A&&B", 0}, TCase{"Save && &Quit", 'Q'},
          TCase{"Trailing&", 0}, TCase{"", 0}, TCase{"&a &b", 'a'}})
        EXPECT_EQ(AcceleratorOf(test.Caption), test.Accelerator) << test.Caption;
}

class AcceleratorTest : public LabelTest {
protected:
    void SetUp() override {
        Edit = MakeEditField(&Owner, 10, 201);
        Other = MakeEditField(&Owner, 40, 202);
    }
    void TearDown() override {
        Label.reset();
        Edit.reset();
        Other.reset();
    }
    TLabel& MakeLinkedLabel(const std::string& caption) {
        TLabel& label = MakeLabel(RECT{10, 10, 100, 30});
        label.SetCaption(caption);
        label.SetFocusControl(Edit.get());
        SetFocus(Other->Handle());
        return label;
    }

    std::unique_ptr<TWinControl> Edit;
    std::unique_ptr<TWinControl> Other;
};

struct TKeyCase {
    const char* Caption;
    bool ShowAccelChar;
    bool Enabled;
    char Key;
    bool Focuses;
};

TEST_F(AcceleratorTest, TheAcceleratorFocusesTheFocusControl) {
    const std::vector<TKeyCase> cases{
        {"&Name", true, true, 'N', true},         {"&Name", true, true, 'n', true},
        {"&Name", true, true, 'x', false},        {"&Name", false, true, 'n', false},
        {"&Name", true, false, 'n', false},       {"A&&B", true, true, 'b', false},
        {"Save && &Quit", true, true, 'q', true},
    };
    for (const TKeyCase& test : cases) {
        TLabel& label = MakeLinkedLabel(test.Caption);
        label.SetShowAccelChar(test.ShowAccelChar);
        label.SetEnabled(test.Enabled);
        ASSERT_EQ(GetFocus(), Other->Handle());
        const LRESULT result = label.Perform(CM_DIALOGCHAR, static_cast<WPARAM>(test.Key), 0);
        EXPECT_EQ(result, test.Focuses ? 1 : 0) << test.Caption << " " << test.Key;
        EXPECT_EQ(GetFocus(), test.Focuses ? Edit->Handle() : Other->Handle())
            << test.Caption << " " << test.Key;
    }
}

TEST_F(AcceleratorTest, TheDialogManagerRoutesAltKeyToTheFocusControl) {
    MakeLinkedLabel("&Name");
    MSG msg{};
    msg.hwnd = Other->Handle();
    msg.message = WM_SYSCHAR;
    msg.wParam = 'n';
    EXPECT_TRUE(IsDialogMessageA(TestForm(), &msg));
    EXPECT_EQ(GetFocus(), Edit->Handle());
}

TEST_F(AcceleratorTest, WithoutAFocusControlTheAcceleratorDoesNothing) {
    TLabel& label = MakeLinkedLabel("&Name");
    label.SetFocusControl(nullptr);
    EXPECT_EQ(label.Perform(CM_DIALOGCHAR, 'n', 0), 0);
    EXPECT_EQ(GetFocus(), Other->Handle());
}

TEST_F(AcceleratorTest, AFocusControlThatGoesIsForgottenWhoeverOwnsIt) {
    TLabel& label = MakeLinkedLabel("&Name");
    TComponent elsewhere;
    auto stranger = std::make_unique<TWinControl>(&elsewhere);
    stranger->Create(TestForm(), "EDIT", WS_VISIBLE, 0, RECT{300, 70, 400, 90}, 203);
    label.SetFocusControl(stranger.get());
    EXPECT_EQ(label.GetFocusControl(), stranger.get());
    stranger.reset();
    EXPECT_EQ(label.GetFocusControl(), nullptr);
    EXPECT_EQ(label.Perform(CM_DIALOGCHAR, 'n', 0), 0);

    label.SetFocusControl(Edit.get());
    Edit.reset();
    EXPECT_EQ(label.GetFocusControl(), nullptr);
}

TEST_F(LabelTest, TheFontFollowsTheParentUntilChanged) {
    TLabel& label = MakeLabel(RECT{20, 20, 30, 30});
    LOGFONTA gui{};
    GetObjectA(GetStockObject(DEFAULT_GUI_FONT), sizeof gui, &gui);
    EXPECT_TRUE(label.GetParentFont());
    EXPECT_EQ(label.Font().GetName(), std::string(gui.lfFaceName));
    EXPECT_EQ(label.Font().GetHeight(), gui.lfHeight);

    label.Font().SetColor(Red); // a change of colour keeps the parent's face
    EXPECT_FALSE(label.GetParentFont());
    EXPECT_EQ(label.Font().GetName(), std::string(gui.lfFaceName));

    const HFONT big =
        CreateFontA(-30, 0, 0, 0, FW_BOLD, 0, 0, 0, ANSI_CHARSET, 0, 0, 0, 0, "Arial");
    label.SetFont(big);
    EXPECT_EQ(label.Font().GetHeight(), -30);
    EXPECT_EQ(label.Font().GetStyle(), fsBold);
    EXPECT_EQ(label.Font().GetColor(), Red);
    DeleteObject(big);
}

} // namespace
