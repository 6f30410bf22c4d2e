// The gradient panel on a real window: bevels, border, background, caption and repainting.
#include "GradientTestSupport.h"
#include "Label.h"
#include "QelGradientPanel.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <vector>

namespace {

constexpr COLORREF Red = RGB(255, 0, 0);
constexpr COLORREF Green = RGB(0, 255, 0);
constexpr COLORREF Blue = RGB(0, 0, 255);
constexpr COLORREF White = RGB(255, 255, 255);

class GradientPanelTest : public ::testing::Test {
protected:
    TQelGradientPanel& MakePanel(int width, int height) {
        Panel = std::make_unique<TQelGradientPanel>(&Owner);
        Panel->CreateIn(TestForm(), RECT{10, 10, 10 + width, 10 + height});
        return *Panel;
    }
    void SetColors(const std::vector<COLORREF>& colors) {
        for (COLORREF color : colors)
            Panel->Gradient().Colors().Add(color);
    }
    void TearDown() override { Panel.reset(); }

    TComponent Owner;
    std::unique_ptr<TQelGradientPanel> Panel;
};

TEST_F(GradientPanelTest, StartsWithThePanelDefaults) {
    TQelGradientPanel& panel = MakePanel(100, 40);
    EXPECT_EQ(panel.GetAlignment(), taCenter);
    EXPECT_EQ(panel.GetBevelInner(), bvNone);
    EXPECT_EQ(panel.GetBevelOuter(), bvRaised);
    EXPECT_EQ(panel.GetBevelWidth(), 1);
    EXPECT_EQ(panel.GetBorderWidth(), 0);
    EXPECT_EQ(panel.GetDefaultColor(), TColor{0x8000000F});
    EXPECT_EQ(panel.GetColor(), clBtnFace);
    EXPECT_EQ(panel.Gradient().GetDirection(), gtHorizontal);
    EXPECT_EQ(panel.Gradient().Colors().Count(), 0);
}

// Lowered outer bevel, a border of 3 in the first colour, raised inner bevel, each bevel 2
// wide, then the gradient over what is left.
TEST_F(GradientPanelTest, BevelsBorderAndBackgroundLieRingInsideRing) {
    TQelGradientPanel& panel = MakePanel(200, 60);
    SetColors({Red, Blue});
    panel.SetBevelOuter(bvLowered);
    panel.SetBevelInner(bvRaised);
    panel.SetBevelWidth(2);
    panel.SetBorderWidth(3);
    const COLORREF shadow = GetSysColor(COLOR_BTNSHADOW);
    const COLORREF light = GetSysColor(COLOR_BTNHIGHLIGHT);
    struct TPlace {
        int X, Y;
        COLORREF Color;
    };
    const std::vector<TPlace> places{
        // outer bevel, lowered: shadow top and left, highlight bottom and right (with the
        // top-right and bottom-left corners)
        {0, 0, shadow},
        {100, 0, shadow},
        {0, 30, shadow},
        {0, 58, shadow},
        {199, 0, light},
        {199, 30, light},
        {0, 59, light},
        {100, 59, light},
        {1, 1, shadow},
        {1, 30, shadow},
        {198, 30, light},
        {100, 58, light},
        {198, 1, light},
        {1, 58, light},
        // border, first colour all round
        {2, 30, Red},
        {4, 30, Red},
        {100, 2, Red},
        {100, 4, Red},
        {197, 30, Red},
        {195, 30, Red},
        {100, 57, Red},
        {100, 55, Red},
        // inner bevel, raised
        {5, 30, light},
        {6, 30, light},
        {100, 5, light},
        {100, 6, light},
        {194, 30, shadow},
        {193, 30, shadow},
        {100, 54, shadow},
        {100, 53, shadow},
        // the gradient over the 186 columns inside
        {7, 30, Red},
        {7, 7, Red},
        {7, 52, Red},
        {100, 30, GradientColor({Red, Blue}, 186, 93)},
        {192, 30, GradientColor({Red, Blue}, 186, 185)}};
    const TPixels pixels = Capture(panel.Handle());
    for (const TPlace& place : places)
        EXPECT_TRUE(SameColor(pixels.At(place.X, place.Y), place.Color))
            << "at " << place.X << "," << place.Y;
}

TEST_F(GradientPanelTest, WithoutColoursTheDefaultColourFillsAndRepaintsOnChange) {
    TQelGradientPanel& panel = MakePanel(80, 40);
    panel.SetBevelOuter(bvNone);
    TPixels pixels = Capture(panel.Handle());
    EXPECT_TRUE(SameColor(pixels.At(40, 20), GetSysColor(COLOR_BTNFACE)));
    ASSERT_FALSE(NeedsPaint(panel.Handle()));

    panel.SetDefaultColor(Green);
    EXPECT_TRUE(NeedsPaint(panel.Handle()));
    pixels = Capture(panel.Handle());
    EXPECT_EQ(pixels.Count([](COLORREF c) { return c != Green; }), 0);
}

TEST_F(GradientPanelTest, WithColoursTheDefaultColourChangesNothing) {
    TQelGradientPanel& panel = MakePanel(80, 40);
    panel.SetBevelOuter(bvNone);
    SetColors({Red});
    Capture(panel.Handle());
    ASSERT_FALSE(NeedsPaint(panel.Handle()));
    panel.SetDefaultColor(Blue);
    EXPECT_FALSE(NeedsPaint(panel.Handle()));
    EXPECT_EQ(panel.GetColor(), Red);
    EXPECT_TRUE(SameColor(Capture(panel.Handle()).At(40, 20), Red));
}

TEST_F(GradientPanelTest, ColorIsTheFirstGradientColour) {
    TQelGradientPanel& panel = MakePanel(80, 40);
    SetColors({Red, Blue});
    EXPECT_EQ(panel.GetColor(), Red);
    panel.SetColor(Green);
    ASSERT_EQ(panel.Gradient().Colors().Count(), 2);
    EXPECT_EQ(panel.Gradient().Colors().Items(0).GetValue(), Green);
    EXPECT_EQ(panel.Gradient().Colors().Items(1).GetValue(), Blue);
}

TEST_F(GradientPanelTest, ColorOnAPanelWithoutColoursMakesAOneColourGradient) {
    TQelGradientPanel& panel = MakePanel(80, 40);
    panel.SetBevelOuter(bvNone);
    panel.SetColor(Green);
    ASSERT_EQ(panel.Gradient().Colors().Count(), 1);
    EXPECT_EQ(panel.GetColor(), Green);
    const TPixels pixels = Capture(panel.Handle());
    EXPECT_EQ(pixels.Count([](COLORREF c) { return c != Green; }), 0);
}

TEST_F(GradientPanelTest, VerticalGradientCoversTheWholeHeightOfATallPanel) {
    TQelGradientPanel& panel = MakePanel(40, 300);
    panel.SetBevelOuter(bvNone);
    panel.Gradient().SetDirection(gtVertical);
    SetColors({RGB(0, 0, 0), White});
    const TPixels pixels = Capture(panel.Handle());
    for (int y = 0; y < 300; ++y) {
        const int grey = y * 255 / 300;
        ASSERT_TRUE(SameColor(pixels.At(20, y), RGB(grey, grey, grey))) << "row " << y;
    }
}

// Every change of the picture asks for a repaint; inside an update bracket only its end does.
TEST_F(GradientPanelTest, ChangesOfTheGradientRepaintThePanel) {
    TQelGradientPanel& panel = MakePanel(80, 40);
    SetColors({Red, Blue});
    const auto repaints = [&](const std::function<void()>& change) {
        Capture(panel.Handle());
        change();
        return NeedsPaint(panel.Handle());
    };
    EXPECT_TRUE(repaints([&] { panel.Gradient().SetDirection(gtRectangular); }));
    EXPECT_TRUE(repaints([&] { panel.Gradient().Colors().Items(1).SetValue(Green); }));
    EXPECT_TRUE(repaints([&] { panel.Gradient().Colors().Add(Blue); }));
    EXPECT_TRUE(repaints([&] { panel.SetBorderWidth(2); }));
    EXPECT_TRUE(repaints([&] { panel.SetCaption("Kaleidra"); }));
    EXPECT_FALSE(repaints([&] { panel.Gradient().SetDirection(gtRectangular); }));
    EXPECT_FALSE(repaints([&] {
        panel.Gradient().Colors().BeginUpdate();
        panel.Gradient().Colors().Items(0).SetValue(Blue);
    }));
    EXPECT_TRUE(repaints([&] { panel.Gradient().Colors().EndUpdate(); }));
}

// A partial repaint draws only the exposed part, and that part matches the whole picture.
TEST_F(GradientPanelTest, APartialRepaintMatchesTheFullPicture) {
    TQelGradientPanel& panel = MakePanel(200, 40);
    panel.SetBevelOuter(bvNone);
    SetColors({Red, Green, Blue});
    Capture(panel.Handle());
    const RECT exposed{50, 0, 80, 40};
    InvalidateRect(panel.Handle(), &exposed, FALSE);
    UpdateWindow(panel.Handle());
    TPixels after(200, 40);
    const HDC dc = GetDC(panel.Handle());
    BitBlt(after.DC(), 0, 0, 200, 40, dc, 0, 0, SRCCOPY);
    ReleaseDC(panel.Handle(), dc);
    for (int x = 0; x < 200; ++x)
        ASSERT_TRUE(SameColor(after.At(x, 20), GradientColor({Red, Green, Blue}, 200, x)))
            << "column " << x;
}

// What a transparent child (a flat speed button, a label) shows behind itself is the
// gradient at that place, painted for the child's part only.
TEST_F(GradientPanelTest, ATransparentChildShowsTheGradientBehindIt) {
    TQelGradientPanel& panel = MakePanel(200, 40);
    panel.SetBevelOuter(bvNone);
    SetColors({Red, Green, Blue});
    TLabel child(nullptr);
    child.SetAutoSize(false);
    child.SetTransparent(true);
    child.CreateIn(panel.Handle(), RECT{50, 10, 150, 30});
    Capture(panel.Handle());
    const TPixels pixels = Capture(child.Handle());
    for (int x = 0; x < 100; ++x)
        ASSERT_TRUE(SameColor(pixels.At(x, 5), GradientColor({Red, Green, Blue}, 200, 50 + x)))
            << "column " << x;
}

class PanelCaptionTest : public GradientPanelTest {
protected:
    TQelGradientPanel& MakeCaptionPanel() {
        TQelGradientPanel& panel = MakePanel(300, 60);
        panel.SetBevelOuter(bvNone);
        SetColors({White});
        panel.Font().SetName("Arial");
        panel.Font().SetHeight(-24);
        panel.Font().SetStyle(fsBold);
        panel.Font().SetColor(RGB(0, 0, 0));
        return panel;
    }
    // The height of "W" in the panel's font, measured here with plain GDI.
    int LineHeight() {
        const HDC dc = GetDC(Panel->Handle());
        const HGDIOBJ old = SelectObject(dc, Panel->Font().Handle());
        SIZE size{};
        GetTextExtentPoint32A(dc, "W", 1, &size);
        SelectObject(dc, old);
        ReleaseDC(Panel->Handle(), dc);
        return size.cy;
    }
    static bool Ink(COLORREF c) { return GetRValue(c) < 128 && GetBValue(c) < 128; }
};

TEST_F(PanelCaptionTest, NoCaptionNoText) {
    TQelGradientPanel& panel = MakeCaptionPanel();
    EXPECT_EQ(Capture(panel.Handle()).Count(Ink), 0);
}

struct TAlignCase {
    TAlignment Alignment;
    const char* Name;
};

// One line, vertically centred, in the font colour, placed as Alignment says.
TEST_F(PanelCaptionTest, CaptionSitsOnOneCentredLineWhereAlignmentSays) {
    for (const TAlignCase& test :
         {TAlignCase{taLeftJustify, "left"}, TAlignCase{taRightJustify, "right"},
          TAlignCase{taCenter, "centre"}}) {
        TQelGradientPanel& panel = MakeCaptionPanel();
        panel.SetCaption("WWW");
        panel.SetAlignment(test.Alignment);
        const TPixels pixels = Capture(panel.Handle());
        const RECT ink = pixels.Bounds(Ink);
        ASSERT_GT(pixels.Count([](COLORREF c) { return c == RGB(0, 0, 0); }), 0) << test.Name;
        const int top = (60 - LineHeight()) / 2;
        EXPECT_GE(ink.top, top) << test.Name;
        EXPECT_LE(ink.bottom, top + LineHeight()) << test.Name;
        if (test.Alignment == taLeftJustify) {
            EXPECT_LE(ink.left, 4) << test.Name;
        }
        if (test.Alignment == taRightJustify) {
            EXPECT_GE(ink.right, 296) << test.Name;
        }
        if (test.Alignment == taCenter) {
            EXPECT_LE(std::abs((ink.left + ink.right) / 2 - 150), 3) << test.Name;
        }
        EXPECT_GT(ink.right - ink.left, 40) << test.Name;
    }
}

TEST_F(PanelCaptionTest, CaptionStaysInsideBevelsAndBorder) {
    TQelGradientPanel& panel = MakeCaptionPanel();
    panel.SetBevelOuter(bvRaised);
    panel.SetBorderWidth(12);
    panel.SetAlignment(taLeftJustify);
    panel.SetCaption("WWW");
    const TPixels pixels = Capture(panel.Handle());
    // Inside 1 + 12 pixels of frame; the grey bevel itself is no ink.
    const RECT ink = pixels.Bounds(Ink);
    EXPECT_GE(ink.left, 13);
    EXPECT_LE(ink.left, 17);
}

} // namespace
