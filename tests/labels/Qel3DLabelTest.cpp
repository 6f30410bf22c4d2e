// The 3D label on a real window. Its drawing is recorded call by call (where each copy of the
// text went, in which colour, in which order) and, for the looks, read back as pixels.
#include "GradientTestSupport.h"
#include "LabelsTestSupport.h"
#include "Qel3DLabel.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace {

constexpr COLORREF Ink = RGB(200, 0, 0);
constexpr COLORREF Navy = RGB(0, 0, 128);
constexpr COLORREF White = RGB(255, 255, 255);

// Lets a test paint the label on a device context of its own.
class TPaintable3DLabel : public TQel3DLabel {
public:
    using TQel3DLabel::Paint;
    using TQel3DLabel::TQel3DLabel;
};

class Label3DTest : public ::testing::Test {
protected:
    TPaintable3DLabel& MakeLabel(const std::string& caption,
                                 const RECT& bounds = RECT{20, 20, 30, 30}, bool autoSize = true) {
        Label = std::make_unique<TPaintable3DLabel>(&Owner);
        Label->SetAutoSize(autoSize);
        Label->CreateIn(TestForm(), bounds);
        Label->Font().SetColor(Ink);
        Label->SetCaption(caption);
        return *Label;
    }
    TRecording RecordPaint() {
        return Record([&](HDC dc) {
            TCanvas canvas(dc);
            canvas.SetFont(Label->GetFont());
            Label->Paint(canvas);
        });
    }
    SIZE PlainTextSize(const std::string& text) { return TextSize(Label->Font().Handle(), text); }
    int LineHeight() { return PlainTextSize("W").cy; }
    void TearDown() override { Label.reset(); }

    TComponent Owner;
    std::unique_ptr<TPaintable3DLabel> Label;
};

TEST_F(Label3DTest, StartsWithTheLabelAndDepthDefaults) {
    TQel3DLabel label(nullptr);
    EXPECT_EQ(label.GetDepthColor(), clBtnHighlight);
    EXPECT_EQ(label.GetDepthSize(), 1);
    EXPECT_EQ(label.GetDepthDir(), dirLeftTop);
    EXPECT_EQ(label.GetDepthType(), dtShadow);
    EXPECT_EQ(label.GetAlignment(), taLeftJustify);
    EXPECT_EQ(label.GetLayout(), tlTop);
    EXPECT_TRUE(label.GetAutoSize());
    EXPECT_FALSE(label.GetWordWrap());
    EXPECT_TRUE(label.GetShowAccelChar());
    EXPECT_FALSE(label.GetTransparent());
    EXPECT_EQ(label.GetFocusControl(), nullptr);
}

// Where the depth copies go, in drawing order, where the text goes after them, and how much
// the depth adds to the auto-sized label.
struct TDepthCase {
    const char* Name;
    int Size;
    TQel3DType Type;
    TQel3DDirection Direction;
    POINT TextAt;
    std::vector<POINT> Copies;
    SIZE Extra;
};

TEST_F(Label3DTest, DepthCopiesComeFarthestFirstThenTheText) {
    const std::vector<TDepthCase> cases{
        {"defaults", 1, dtShadow, dirLeftTop, {1, 1}, {{0, 0}}, {1, 1}},
        {"block 3 right bottom",
         3,
         dtBlock,
         dirRightBottom,
         {0, 0},
         {{3, 3}, {2, 2}, {1, 1}},
         {3, 3}},
        {"shadow 3 right bottom", 3, dtShadow, dirRightBottom, {0, 0}, {{3, 3}}, {3, 3}},
        {"no depth", 0, dtBlock, dirLeftTop, {0, 0}, {}, {0, 0}},
        {"block 3 left top", 3, dtBlock, dirLeftTop, {3, 3}, {{0, 0}, {1, 1}, {2, 2}}, {3, 3}},
        {"block 2 left bottom", 2, dtBlock, dirLeftBottom, {2, 0}, {{0, 2}, {1, 1}}, {2, 2}},
        {"shadow 1 right top", 1, dtShadow, dirRightTop, {0, 1}, {{1, 0}}, {1, 1}},
        {"block 2 left", 2, dtBlock, dirLeft, {2, 0}, {{0, 0}, {1, 0}}, {2, 0}},
        {"shadow 2 top", 2, dtShadow, dirTop, {0, 2}, {{0, 0}}, {0, 2}},
        {"block 2 right", 2, dtBlock, dirRight, {0, 0}, {{2, 0}, {1, 0}}, {2, 0}},
        {"shadow 1 bottom", 1, dtShadow, dirBottom, {0, 0}, {{0, 1}}, {0, 1}},
    };
    for (const TDepthCase& test : cases) {
        TPaintable3DLabel& label = MakeLabel("Depth");
        label.SetDepthSize(test.Size);
        label.SetDepthType(test.Type);
        label.SetDepthDir(test.Direction);
        const TRecording drawn = RecordPaint();
        ASSERT_EQ(drawn.Texts.size(), test.Copies.size() + 1) << test.Name;
        for (std::size_t i = 0; i < test.Copies.size(); ++i) {
            EXPECT_EQ(drawn.Texts[i].At.x, test.Copies[i].x) << test.Name << " copy " << i;
            EXPECT_EQ(drawn.Texts[i].At.y, test.Copies[i].y) << test.Name << " copy " << i;
            EXPECT_EQ(drawn.Texts[i].Color, GetSysColor(COLOR_BTNHIGHLIGHT)) << test.Name;
        }
        const TTextCall& text = drawn.Texts.back();
        EXPECT_EQ(text.At.x, test.TextAt.x) << test.Name;
        EXPECT_EQ(text.At.y, test.TextAt.y) << test.Name;
        EXPECT_EQ(text.Color, Ink) << test.Name;
        for (const TTextCall& call : drawn.Texts)
            EXPECT_EQ(call.Text, "Depth") << test.Name;

        const SIZE plain = PlainTextSize("Depth");
        EXPECT_EQ(label.Width(), plain.cx + test.Extra.cx) << test.Name;
        EXPECT_EQ(label.Height(), plain.cy + test.Extra.cy) << test.Name;
    }
}

TEST_F(Label3DTest, TheDepthColourShowsBesideTheTextOnTheScreen) {
    struct TLookCase {
        const char* Name;
        int Size;
        TQel3DType Type;
        TQel3DDirection Direction;
    };
    for (const TLookCase& test : {TLookCase{"defaults", 1, dtShadow, dirLeftTop},
                                  TLookCase{"block 3 right bottom", 3, dtBlock, dirRightBottom}}) {
        TPaintable3DLabel& label = MakeLabel("WWW");
        label.Color = White;
        label.Font().SetColor(RGB(0, 0, 0));
        label.SetDepthColor(RGB(255, 0, 0));
        label.SetDepthSize(test.Size);
        label.SetDepthType(test.Type);
        label.SetDepthDir(test.Direction);
        const TPixels pixels = Capture(label.Handle());
        const RECT text = pixels.Bounds([](COLORREF c) { return c == RGB(0, 0, 0); });
        const RECT depth = pixels.Bounds([](COLORREF c) { return c == RGB(255, 0, 0); });
        ASSERT_GT(text.right, text.left) << test.Name;
        ASSERT_GT(depth.right, depth.left) << test.Name;
        if (test.Direction == dirLeftTop) {
            EXPECT_EQ(depth.left, text.left - test.Size) << test.Name;
            EXPECT_EQ(depth.top, text.top - test.Size) << test.Name;
        } else {
            EXPECT_EQ(depth.right, text.right + test.Size) << test.Name;
            EXPECT_EQ(depth.bottom, text.bottom + test.Size) << test.Name;
        }
    }
}

TEST_F(Label3DTest, ANegativeDepthCountsAsNone) {
    TPaintable3DLabel& label = MakeLabel("Depth");
    label.SetDepthSize(-2);
    EXPECT_EQ(label.GetDepthSize(), 0);
    const TRecording drawn = RecordPaint();
    ASSERT_EQ(drawn.Texts.size(), 1u);
    EXPECT_EQ(drawn.Texts[0].At.x, 0);
    EXPECT_EQ(drawn.Texts[0].At.y, 0);
    EXPECT_EQ(label.Width(), PlainTextSize("Depth").cx);
}

// Disabled without depth: engraved, highlight one pixel right and down under shadow. With
// depth: the copies keep the depth colour and the text turns to button shadow.
struct TDisabledCase {
    const char* Name;
    int Size;
    std::vector<TTextCall> Drawn;
};

TEST_F(Label3DTest, ADisabledLabelLooksEngravedOrShadowsItsText) {
    const COLORREF light = GetSysColor(COLOR_BTNHIGHLIGHT);
    const COLORREF shadow = GetSysColor(COLOR_BTNSHADOW);
    const std::vector<TDisabledCase> cases{
        {"no depth", 0, {{{1, 1}, light, "Off"}, {{0, 0}, shadow, "Off"}}},
        {"depth 2", 2, {{{0, 0}, Navy, "Off"}, {{2, 2}, shadow, "Off"}}},
    };
    for (const TDisabledCase& test : cases) {
        TPaintable3DLabel& label = MakeLabel("Off");
        label.SetDepthColor(Navy);
        label.SetDepthSize(test.Size);
        label.SetEnabled(false);
        const TRecording drawn = RecordPaint();
        ASSERT_EQ(drawn.Texts.size(), test.Drawn.size()) << test.Name;
        for (std::size_t i = 0; i < test.Drawn.size(); ++i) {
            EXPECT_EQ(drawn.Texts[i].At.x, test.Drawn[i].At.x) << test.Name << " " << i;
            EXPECT_EQ(drawn.Texts[i].At.y, test.Drawn[i].At.y) << test.Name << " " << i;
            EXPECT_EQ(drawn.Texts[i].Color, test.Drawn[i].Color) << test.Name << " " << i;
            EXPECT_EQ(drawn.Texts[i].Text, test.Drawn[i].Text) << test.Name << " " << i;
        }
    }
}

TEST_F(Label3DTest, AnEmptyAutoSizeLabelKeepsTheHeightOfOneLine) {
    struct TEmptyCase {
        int Size;
        TQel3DDirection Direction;
        int ExtraHeight;
    };
    for (const TEmptyCase& test : {TEmptyCase{1, dirLeftTop, 1}, TEmptyCase{0, dirLeftTop, 0},
                                   TEmptyCase{3, dirBottom, 3}, TEmptyCase{2, dirRight, 0}}) {
        TPaintable3DLabel& label = MakeLabel("Hello", RECT{20, 20, 30, 90});
        label.SetDepthSize(test.Size);
        label.SetDepthDir(test.Direction);
        label.SetCaption("");
        EXPECT_EQ(label.Height(), LineHeight() + test.ExtraHeight) << test.Size;
        label.SetCaption("&"); // a lone accelerator mark draws nothing either
        EXPECT_EQ(label.Height(), LineHeight() + test.ExtraHeight) << test.Size;
    }
}

TEST_F(Label3DTest, LayoutPlacesTextAndDepthAtTheTopMiddleOrBottom) {
    struct TLayoutCase {
        TTextLayout Layout;
        const char* Name;
    };
    for (const TLayoutCase& test : {TLayoutCase{tlTop, "top"}, TLayoutCase{tlCenter, "centre"},
                                    TLayoutCase{tlBottom, "bottom"}}) {
        TPaintable3DLabel& label = MakeLabel("Hi", RECT{10, 10, 110, 100}, false);
        label.SetLayout(test.Layout);
        const int block = LineHeight() + 1; // the text and its one pixel of depth above it
        const int spare = 90 - block;
        const int top = test.Layout == tlTop ? 0 : test.Layout == tlCenter ? spare >> 1 : spare;
        const TRecording drawn = RecordPaint();
        ASSERT_EQ(drawn.Texts.size(), 2u) << test.Name;
        EXPECT_EQ(drawn.Texts[0].At.y, top) << test.Name;
        EXPECT_EQ(drawn.Texts[1].At.y, top + 1) << test.Name;
    }
}

TEST_F(Label3DTest, TheTextSitsOnTheBottomEdgeOnTheScreen) {
    TPaintable3DLabel& label = MakeLabel("Hg", RECT{10, 10, 110, 100}, false);
    label.Color = White;
    label.SetLayout(tlBottom);
    const TPixels pixels = Capture(label.Handle());
    const RECT ink = pixels.Bounds([](COLORREF c) { return c == Ink; });
    ASSERT_GT(ink.bottom, ink.top);
    EXPECT_GT(ink.top, 90 / 2);
    EXPECT_LE(ink.bottom, 90);
}

TEST_F(Label3DTest, AnAutoSizeLabelThatIsNotLeftJustifiedGrowsToTheLeft) {
    for (const TAlignment alignment : {taRightJustify, taCenter}) {
        TPaintable3DLabel& label = MakeLabel("", RECT{100, 20, 200, 40});
        label.SetAlignment(alignment);
        const int right = label.BoundsRect().right;
        label.SetCaption("A longer caption");
        EXPECT_EQ(label.BoundsRect().right, right) << alignment;
        EXPECT_EQ(label.Width(), PlainTextSize("A longer caption").cx + 1) << alignment;
    }
}

TEST_F(Label3DTest, WordWrapBreaksTheTextWithinTheWidthBesideTheDepth) {
    TPaintable3DLabel& label = MakeLabel("", RECT{20, 20, 60, 40}, false);
    label.SetDepthSize(2);
    label.SetDepthDir(dirRightBottom);
    label.SetWordWrap(true);
    label.SetCaption("one two three four five six");
    label.SetAutoSize(true);
    EXPECT_LE(label.Width(), 40 + 2);
    EXPECT_GE(label.Height() - 2, 3 * LineHeight());
    EXPECT_EQ((label.Height() - 2) % LineHeight(), 0);

    label.SetWordWrap(false);
    EXPECT_EQ(label.Height(), LineHeight() + 2);
    EXPECT_EQ(label.Width(), PlainTextSize("one two three four five six").cx + 2);
}

TEST_F(Label3DTest, TransparentShowsTheParentsBackground) {
    TPaintable3DLabel& label = MakeLabel("x", RECT{10, 10, 150, 40}, false);
    label.Color = Navy;
    EXPECT_TRUE(SameColor(Capture(label.Handle()).At(130, 20), Navy));
    label.SetTransparent(true);
    EXPECT_TRUE(SameColor(Capture(label.Handle()).At(130, 20), FormColor));
    label.SetTransparent(false);
    EXPECT_TRUE(SameColor(Capture(label.Handle()).At(130, 20), Navy));
}

// Every setter repaints when its value changes and does nothing when it does not; those that
// change the text's extent resize an auto-size label.
struct TSetterCase {
    const char* Name;
    std::function<void(TQel3DLabel&)> Set;
    SIZE Extra; // the depth's share of the size afterwards
};

TEST_F(Label3DTest, SettersRepaintAndResizeOnlyOnAChange) {
    const std::vector<TSetterCase> cases{
        {"depth colour", [](TQel3DLabel& l) { l.SetDepthColor(Navy); }, {1, 1}},
        {"depth size", [](TQel3DLabel& l) { l.SetDepthSize(4); }, {4, 4}},
        {"depth direction", [](TQel3DLabel& l) { l.SetDepthDir(dirRight); }, {1, 0}},
        {"depth type", [](TQel3DLabel& l) { l.SetDepthType(dtBlock); }, {1, 1}},
        {"transparent", [](TQel3DLabel& l) { l.SetTransparent(true); }, {1, 1}},
        {"alignment", [](TQel3DLabel& l) { l.SetAlignment(taCenter); }, {1, 1}},
        {"layout", [](TQel3DLabel& l) { l.SetLayout(tlBottom); }, {1, 1}},
        {"accelerator", [](TQel3DLabel& l) { l.SetShowAccelChar(false); }, {1, 1}},
    };
    for (const TSetterCase& test : cases) {
        TPaintable3DLabel& label = MakeLabel("Seven");
        PumpMessages();
        ValidateRect(label.Handle(), nullptr);
        test.Set(label);
        EXPECT_TRUE(NeedsPaint(label.Handle())) << test.Name;
        const SIZE plain = PlainTextSize("Seven");
        EXPECT_EQ(label.Width(), plain.cx + test.Extra.cx) << test.Name;
        EXPECT_EQ(label.Height(), plain.cy + test.Extra.cy) << test.Name;

        PumpMessages();
        ValidateRect(label.Handle(), nullptr);
        test.Set(label);
        EXPECT_FALSE(NeedsPaint(label.Handle())) << test.Name << " again";
    }
}

TEST_F(Label3DTest, TheAcceleratorIsUnderlinedOrTheAmpersandDrawn) {
    struct TAccelCase {
        bool ShowAccelChar;
        const char* Drawn;
        bool Underline;
    };
    for (const TAccelCase& test :
         {TAccelCase{true, "File", true}, TAccelCase{false, "&File", false}}) {
        TPaintable3DLabel& label = MakeLabel("&File");
        label.SetShowAccelChar(test.ShowAccelChar);
        const TRecording drawn = RecordPaint();
        ASSERT_EQ(drawn.Texts.size(), 2u);
        for (const TTextCall& call : drawn.Texts)
            EXPECT_EQ(call.Text, test.Drawn);
        EXPECT_EQ(label.Width(), PlainTextSize(test.Drawn).cx + 1);
        if (!test.Underline) {
            EXPECT_TRUE(drawn.Lines.empty());
            continue;
        }
        // One underline under the F of each copy: from the copy's left edge, as wide as F.
        ASSERT_EQ(drawn.Lines.size(), drawn.Texts.size());
        const int f = PlainTextSize("F").cx;
        for (std::size_t i = 0; i < drawn.Lines.size(); ++i) {
            const TLineCall& line = drawn.Lines[i];
            EXPECT_EQ(line.From.y, line.To.y);
            EXPECT_GT(line.From.y, drawn.Texts[i].At.y);
            EXPECT_LE(std::abs(line.From.x - drawn.Texts[i].At.x), 1);
            EXPECT_LE(std::abs(line.To.x - drawn.Texts[i].At.x - f), 1);
        }
    }
}

class Label3DAcceleratorTest : public Label3DTest {
protected:
    void SetUp() override {
        Edit = MakeEditField(&Owner, 10, 301);
        Other = MakeEditField(&Owner, 40, 302);
    }
    void TearDown() override {
        Label.reset();
        Edit.reset();
        Other.reset();
    }
    TQel3DLabel& MakeLinkedLabel(const std::string& caption) {
        TQel3DLabel& label = MakeLabel(caption);
        label.SetFocusControl(Edit.get());
        SetFocus(Other->Handle());
        return label;
    }

    std::unique_ptr<TWinControl> Edit;
    std::unique_ptr<TWinControl> Other;
};

struct TKeyCase {
    bool ShowAccelChar;
    bool Enabled;
    char Key;
    bool Focuses;
};

TEST_F(Label3DAcceleratorTest, AltAndTheAcceleratorFocusesTheFocusControl) {
    for (const TKeyCase& test :
         {TKeyCase{true, true, 'F', true}, TKeyCase{true, true, 'f', true},
          TKeyCase{true, true, 'i', false}, TKeyCase{false, true, 'f', false},
          TKeyCase{true, false, 'f', false}}) {
        TQel3DLabel& label = MakeLinkedLabel("&File");
        label.SetShowAccelChar(test.ShowAccelChar);
        label.SetEnabled(test.Enabled);
        ASSERT_EQ(GetFocus(), Other->Handle());
        const LRESULT result = label.Perform(CM_DIALOGCHAR, static_cast<WPARAM>(test.Key), 0);
        EXPECT_EQ(result, test.Focuses ? 1 : 0) << test.Key << test.ShowAccelChar << test.Enabled;
        EXPECT_EQ(GetFocus(), test.Focuses ? Edit->Handle() : Other->Handle())
            << test.Key << test.ShowAccelChar << test.Enabled;
    }
}

TEST_F(Label3DAcceleratorTest, TheDialogManagerRoutesAltFToTheFocusControl) {
    for (const bool showAccelChar : {true, false}) {
        TQel3DLabel& label = MakeLinkedLabel("&File");
        label.SetShowAccelChar(showAccelChar);
        MSG msg{};
        msg.hwnd = Other->Handle();
        msg.message = WM_SYSCHAR;
        msg.wParam = 'f';
        IsDialogMessageA(TestForm(), &msg);
        EXPECT_EQ(GetFocus(), showAccelChar ? Edit->Handle() : Other->Handle()) << showAccelChar;
    }
}

TEST_F(Label3DAcceleratorTest, AFocusControlThatGoesIsForgotten) {
    TQel3DLabel& label = MakeLinkedLabel("&File");
    Edit.reset();
    EXPECT_EQ(label.GetFocusControl(), nullptr);
    EXPECT_EQ(label.Perform(CM_DIALOGCHAR, 'f', 0), 0);
    EXPECT_EQ(GetFocus(), Other->Handle());
}

} // namespace
