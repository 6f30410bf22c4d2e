// The gradient object: colours, notifications, assignment, and what it draws into a memory
// picture in each direction.
#include "Exceptions.h"
#include "GradientTestSupport.h"
#include "QelGradientUtil.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <vector>

namespace {

constexpr COLORREF Red = RGB(255, 0, 0);
constexpr COLORREF Green = RGB(0, 255, 0);
constexpr COLORREF Blue = RGB(0, 0, 255);
constexpr COLORREF Sentinel = RGB(1, 2, 3);

class GradientTest : public ::testing::Test {
protected:
    void SetColors(const std::vector<COLORREF>& colors) {
        Gradient.Colors().Clear();
        for (COLORREF color : colors)
            Gradient.Colors().Add(color);
    }
    TPixels DrawAll(int width, int height) {
        TPixels pixels(width, height);
        pixels.Fill(Sentinel);
        Gradient.Draw(pixels.DC(), RECT{0, 0, width, height});
        return pixels;
    }

    TComponent Owner;
    TQelGradient Gradient{&Owner};
};

TEST_F(GradientTest, StartsHorizontalWithoutColours) {
    EXPECT_EQ(Gradient.GetDirection(), gtHorizontal);
    EXPECT_EQ(Gradient.Colors().Count(), 0);
    EXPECT_EQ(Gradient.Colors().Owner(), &Owner);
    EXPECT_EQ(Gradient.Colors().Add().GetValue(), clBlack);
}

TEST_F(GradientTest, BlackToWhiteOver256ColumnsStepsEachColumn) {
    SetColors({RGB(0, 0, 0), RGB(255, 255, 255)});
    const TPixels pixels = DrawAll(256, 8);
    for (int x = 0; x < 256; ++x) {
        const int grey = x * 255 / 256;
        ASSERT_TRUE(SameColor(pixels.At(x, 0), RGB(grey, grey, grey))) << "column " << x;
        ASSERT_TRUE(SameColor(pixels.At(x, 7), RGB(grey, grey, grey))) << "column " << x;
    }
    EXPECT_TRUE(SameColor(pixels.At(0, 3), RGB(0, 0, 0)));
    EXPECT_TRUE(SameColor(pixels.At(255, 3), RGB(254, 254, 254)));
}

TEST_F(GradientTest, RedGreenBlueOver200ColumnsRunsThroughTwoSegments) {
    const std::vector<COLORREF> colors{Red, Green, Blue};
    SetColors(colors);
    const TPixels pixels = DrawAll(200, 4);
    for (int x = 0; x < 200; ++x)
        ASSERT_TRUE(SameColor(pixels.At(x, 2), GradientColor(colors, 200, x))) << "column " << x;
    EXPECT_TRUE(SameColor(pixels.At(0, 0), Red));
    EXPECT_TRUE(SameColor(pixels.At(99, 0), RGB(3, 252, 0)));
    EXPECT_TRUE(SameColor(pixels.At(100, 0), Green));
    EXPECT_TRUE(SameColor(pixels.At(199, 0), RGB(0, 3, 252)));
}

TEST_F(GradientTest, SystemColoursAreResolvedBeforeDrawing) {
    SetColors({clBtnFace});
    const TPixels pixels = DrawAll(20, 10);
    EXPECT_TRUE(SameColor(pixels.At(10, 5), GetSysColor(COLOR_BTNFACE)));
}

struct TPlace {
    POINT At;
    COLORREF Color;
};

struct TDirectionCase {
    TQelGradientType Direction;
    std::vector<TPlace> Places;
};

// Red to blue over 100 x 50: the first colour where each direction starts, the colour of the
// last band where it ends, and a few bands between.
TEST_F(GradientTest, EachDirectionPutsItsFirstAndLastBandsInPlace) {
    const std::vector<COLORREF> colors{Red, Blue};
    const auto along = [&](int extent, int offset) {
        return GradientColor(colors, extent, offset);
    };
    const std::vector<TDirectionCase> cases{
        {gtNone, {{{0, 0}, Red}, {{99, 49}, Red}, {{50, 25}, Red}}},
        {gtHorizontal,
         {{{0, 0}, Red}, {{0, 49}, Red}, {{99, 25}, along(100, 99)}, {{40, 10}, along(100, 40)}}},
        {gtVertical,
         {{{0, 0}, Red}, {{99, 0}, Red}, {{50, 49}, along(50, 49)}, {{7, 20}, along(50, 20)}}},
        // Rectangle i spans (i, i/2) to (100 - i, 50 - i/2); the innermost is i = 49.
        {gtRectangular,
         {{{0, 0}, Red},
          {{99, 49}, Red},
          {{50, 25}, along(50, 49)},
          {{10, 25}, along(50, 10)},
          {{50, 3}, along(50, 7)}}},
        // The corners lie outside every ellipse and keep the first colour.
        {gtCenter, {{{0, 0}, Red}, {{99, 0}, Red}, {{0, 49}, Red}, {{99, 49}, Red}}},
    };
    for (const TDirectionCase& test : cases) {
        Gradient.SetDirection(test.Direction);
        SetColors(colors);
        const TPixels pixels = DrawAll(100, 50);
        for (const TPlace& place : test.Places)
            EXPECT_TRUE(SameColor(pixels.At(place.At.x, place.At.y), place.Color))
                << "direction " << test.Direction << " at " << place.At.x << "," << place.At.y;
    }
}

// Which step of the 50 a pixel of the ellipse gradient shows (red to blue, so the blue
// channel tells), or -1 for a colour of no step.
int EllipseStep(COLORREF color) {
    for (int step = 0; step < 50; ++step)
        if (color == GradientColor({Red, Blue}, 50, step))
            return step;
    return -1;
}

TEST_F(GradientTest, CenterDrawsFiftyEllipsesNarrowingTowardTheMiddle) {
    Gradient.SetDirection(gtCenter);
    SetColors({Red, Blue});
    const TPixels pixels = DrawAll(100, 50);
    // Along the middle row ellipse i begins about i pixels in, so the step grows by one a
    // pixel; the clear-pen edge may fall one pixel either way. (The innermost ellipses are
    // only a few pixels high and may miss the row.)
    int previous = -1;
    for (int x = 0; x < 45; ++x) {
        const int step = EllipseStep(pixels.At(x, 25));
        ASSERT_GE(step, 0) << "column " << x;
        EXPECT_LE(std::abs(step - x), 1) << "column " << x;
        EXPECT_GE(step, previous) << "column " << x;
        previous = step;
    }
    // Along the middle column it begins about i / 2 pixels down, two steps a row.
    for (int y = 0; y < 24; ++y) {
        const int step = EllipseStep(pixels.At(50, y));
        ASSERT_GE(step, 0) << "row " << y;
        EXPECT_LE(std::abs(step - 2 * y), 2) << "row " << y;
    }
    EXPECT_GE(EllipseStep(pixels.At(50, 25)), 47);
    // Mirrored on the right half.
    EXPECT_LE(std::abs(EllipseStep(pixels.At(99 - 10, 25)) - 10), 1);
}

TEST_F(GradientTest, OneColourFillsFlatInAnyDirection) {
    for (TQelGradientType direction : {gtHorizontal, gtVertical, gtCenter, gtRectangular}) {
        Gradient.SetDirection(direction);
        SetColors({Green});
        const TPixels pixels = DrawAll(40, 30);
        EXPECT_EQ(pixels.Count([](COLORREF c) { return c != Green; }), 0)
            << "direction " << direction;
    }
}

TEST_F(GradientTest, VerticalRunsOverTheWholeHeightOfATallRectangle) {
    Gradient.SetDirection(gtVertical);
    SetColors({RGB(0, 0, 0), RGB(255, 255, 255)});
    const TPixels pixels = DrawAll(30, 300);
    for (int y = 0; y < 300; ++y) {
        const int grey = y * 255 / 300;
        ASSERT_TRUE(SameColor(pixels.At(15, y), RGB(grey, grey, grey))) << "row " << y;
    }
}

struct TClipCase {
    TQelGradientType Direction;
    RECT Clip;
};

// A paint limited by a clip rectangle shows inside it exactly what a full paint shows there
// (the bands outside still move the colour walk on), and touches nothing outside.
TEST_F(GradientTest, ClipRectangleLimitsThePaintButNotTheColours) {
    const std::vector<TClipCase> cases{
        {gtHorizontal, {100, 10, 150, 30}},
        {gtVertical, {5, 120, 60, 170}},
    };
    for (const TClipCase& test : cases) {
        Gradient.SetDirection(test.Direction);
        SetColors({Red, Green, Blue});
        const TPixels full = DrawAll(200, 200);
        TPixels clipped(200, 200);
        clipped.Fill(Sentinel);
        IntersectClipRect(clipped.DC(), test.Clip.left, test.Clip.top, test.Clip.right,
                          test.Clip.bottom);
        Gradient.Draw(clipped.DC(), RECT{0, 0, 200, 200});
        for (int y = 0; y < 200; ++y)
            for (int x = 0; x < 200; ++x) {
                const POINT at{x, y};
                const COLORREF expected = PtInRect(&test.Clip, at) ? full.At(x, y) : Sentinel;
                ASSERT_TRUE(SameColor(clipped.At(x, y), expected))
                    << "direction " << test.Direction << " at " << x << "," << y;
            }
    }
}

TEST_F(GradientTest, DrawsNothingWithoutColoursOrInsideAnUpdateBracket) {
    TPixels pixels = DrawAll(50, 20);
    EXPECT_EQ(pixels.Count([](COLORREF c) { return c != Sentinel; }), 0);

    SetColors({Red, Blue});
    Gradient.Colors().BeginUpdate();
    pixels = DrawAll(50, 20);
    EXPECT_EQ(pixels.Count([](COLORREF c) { return c != Sentinel; }), 0);
    Gradient.Colors().EndUpdate();
    pixels = DrawAll(50, 20);
    EXPECT_TRUE(SameColor(pixels.At(0, 0), Red));

    Gradient.Draw(static_cast<HDC>(nullptr), RECT{0, 0, 50, 20}); // no canvas: nothing, no fault
}

struct TDegenerateCase {
    TQelGradientType Direction;
    RECT Rect;
    bool PaintsFlat;
};

// Rectangles too small for the colour segments: flat in the first colour, or nothing when
// empty; never a fault.
TEST_F(GradientTest, DegenerateRectanglesPaintFlatOrNothing) {
    const std::vector<TDegenerateCase> cases{
        {gtHorizontal, {10, 10, 10, 30}, false}, {gtHorizontal, {10, 10, 5, 30}, false},
        {gtVertical, {10, 10, 30, 10}, false},   {gtHorizontal, {10, 10, 11, 30}, true},
        {gtVertical, {10, 10, 30, 12}, true},    {gtCenter, {10, 10, 13, 30}, true},
        {gtRectangular, {10, 10, 12, 30}, true}, {gtCenter, {10, 10, 40, 10}, false},
    };
    for (const TDegenerateCase& test : cases) {
        Gradient.SetDirection(test.Direction);
        SetColors({Red, Green, Blue, RGB(255, 255, 0)});
        TPixels pixels(50, 50);
        pixels.Fill(Sentinel);
        Gradient.Draw(pixels.DC(), test.Rect);
        const int painted = pixels.Count([](COLORREF c) { return c != Sentinel; });
        const int red = pixels.Count([](COLORREF c) { return c == Red; });
        if (test.PaintsFlat) {
            const RECT& r = test.Rect;
            EXPECT_EQ(red, (r.right - r.left) * (r.bottom - r.top)) << "case " << &test - &cases[0];
        }
        EXPECT_EQ(painted, red) << "case " << &test - &cases[0];
        if (!test.PaintsFlat) {
            EXPECT_EQ(painted, 0) << "case " << &test - &cases[0];
        }
    }
}

class NotifyTest : public GradientTest {
protected:
    void SetUp() override {
        Gradient.SetOnChange([this](TPersistent* sender) { Senders.push_back(sender); });
    }
    std::vector<TPersistent*> Senders;
};

TEST_F(NotifyTest, EveryChangeOfTheListReportsOnceWithTheListAsSender) {
    TQelGradientColorList& colors = Gradient.Colors();
    TPersistent* list = &colors;
    colors.Add(Red);
    colors.Add(Green);
    colors.Add(Blue);
    colors.Items(1).SetValue(Blue);
    colors.Items(1).SetValue(Blue); // unchanged: no report
    colors.Move(0, 2);
    colors.Delete(0);
    colors.Delete(5); // out of range: nothing
    colors.Clear();
    colors.Clear(); // already empty: nothing
    EXPECT_EQ(Senders, std::vector<TPersistent*>(7, list));
}

TEST_F(NotifyTest, MoveAndDeleteKeepTheOtherColoursInOrder) {
    TQelGradientColorList& colors = Gradient.Colors();
    for (COLORREF color : {Red, Green, Blue})
        colors.Add(color);
    colors.Move(0, 2);
    EXPECT_EQ(colors.Items(0).GetValue(), Green);
    EXPECT_EQ(colors.Items(1).GetValue(), Blue);
    EXPECT_EQ(colors.Items(2).GetValue(), Red);
    EXPECT_EQ(colors.Items(2).Index(), 2);
    colors.Delete(1);
    EXPECT_EQ(colors.Count(), 2);
    EXPECT_EQ(colors.Items(1).GetValue(), Red);
    EXPECT_THROW(colors.Items(2), Exception);
}

TEST_F(NotifyTest, AnUpdateBracketReportsOnceAtItsEnd) {
    TQelGradientColorList& colors = Gradient.Colors();
    colors.BeginUpdate();
    colors.BeginUpdate();
    colors.Add(Red);
    colors.Add(Blue);
    colors.Items(0).SetValue(Green);
    colors.EndUpdate();
    EXPECT_TRUE(Senders.empty());
    EXPECT_EQ(colors.UpdateCount(), 1);
    colors.EndUpdate();
    EXPECT_EQ(Senders.size(), 1u);
    EXPECT_EQ(colors.UpdateCount(), 0);
}

TEST_F(NotifyTest, ADirectionChangeReportsWithTheGradientAsSender) {
    Gradient.SetDirection(gtVertical);
    Gradient.SetDirection(gtVertical);
    Gradient.SetDirection(gtCenter);
    EXPECT_EQ(Senders, std::vector<TPersistent*>(2, &Gradient));
    EXPECT_EQ(Gradient.GetDirection(), gtCenter);
}

TEST_F(NotifyTest, AssigningAGradientCopiesDirectionQuietlyAndColoursInOneReport) {
    TComponent otherOwner;
    TQelGradient source(&otherOwner);
    source.SetDirection(gtRectangular);
    source.Colors().Add(Green);
    source.Colors().Add(Blue);
    Gradient.Colors().Add(Red);
    Senders.clear();

    Gradient.Assign(source);
    EXPECT_EQ(Gradient.GetDirection(), gtRectangular);
    ASSERT_EQ(Gradient.Colors().Count(), 2);
    EXPECT_EQ(Gradient.Colors().Items(0).GetValue(), Green);
    EXPECT_EQ(Gradient.Colors().Items(1).GetValue(), Blue);
    EXPECT_EQ(Senders, std::vector<TPersistent*>{&Gradient.Colors()});

    // The colour items are copies, not shared.
    source.Colors().Items(0).SetValue(Red);
    EXPECT_EQ(Gradient.Colors().Items(0).GetValue(), Green);
}

TEST_F(NotifyTest, AColourItemCopiesAnotherItemAndReports) {
    Gradient.Colors().Add(Red);
    TComponent otherOwner;
    TQelGradient source(&otherOwner);
    source.Colors().Add(Blue);
    Senders.clear();
    Gradient.Colors().Items(0).Assign(source.Colors().Items(0));
    EXPECT_EQ(Gradient.Colors().Items(0).GetValue(), Blue);
    EXPECT_EQ(Senders.size(), 1u);
}

TEST_F(GradientTest, AssigningFromAnotherKindRaisesTheConversionError) {
    TComponent otherOwner;
    TQelGradient other(&otherOwner);
    try {
        Gradient.Assign(other.Colors());
        FAIL() << "no error";
    } catch (const EConvertError& error) {
        EXPECT_EQ(error.Message(), "Cannot assign a TQelGradientColorList to a TQelGradient");
    }
    try {
        Gradient.Colors().Assign(other);
        FAIL() << "no error";
    } catch (const EConvertError& error) {
        EXPECT_EQ(error.Message(), "Cannot assign a TQelGradient to a TQelGradientColorList");
    }
}

} // namespace
