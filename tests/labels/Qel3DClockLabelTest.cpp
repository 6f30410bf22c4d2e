// The clock label on a real window, its timer running in the test's own message loop: the
// caption becomes the time in the user's long time format and the label follows its width.
#include "GradientTestSupport.h"
#include "LabelsTestSupport.h"
#include "Qel3DClockLabel.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace {

// Generous: a tick is due every 250 ms, but a loaded machine may hold Wine back.
constexpr DWORD TickWait = 10000;

// The long time format of the user's locale, asked directly of the system.
std::string SystemLongTime(const SYSTEMTIME* time) {
    char text[128] = {};
    GetTimeFormatA(LOCALE_USER_DEFAULT, 0, time, nullptr, text, sizeof text);
    return text;
}

SYSTEMTIME TimeOfDay(WORD hour, WORD minute, WORD second) {
    SYSTEMTIME time{};
    GetLocalTime(&time);
    time.wHour = hour;
    time.wMinute = minute;
    time.wSecond = second;
    time.wMilliseconds = 0;
    return time;
}

class ClockLabelTest : public ::testing::Test {
protected:
    TQel3DClockLabel& MakeLabel() {
        Label = std::make_unique<TQel3DClockLabel>(&Owner);
        Label->CreateIn(TestForm(), RECT{20, 20, 30, 30});
        return *Label;
    }
    bool WaitForCaption(const std::string& caption) {
        return PumpUntil([&] { return Label->GetCaption() == caption; }, TickWait);
    }
    int TextWidth(const std::string& text) { return TextSize(Label->Font().Handle(), text).cx; }
    void TearDown() override { Label.reset(); }

    TComponent Owner;
    std::unique_ptr<TQel3DClockLabel> Label;
};

TEST_F(ClockLabelTest, ACaptionSetByHandGivesWayToTheTimeNow) {
    TQel3DClockLabel& label = MakeLabel();
    label.SetCaption("by hand");
    const std::string before = SystemLongTime(nullptr);
    ASSERT_TRUE(PumpUntil([&] { return label.GetCaption() != "by hand"; }, TickWait));
    const std::string after = SystemLongTime(nullptr);
    const std::string shown = label.GetCaption();
    EXPECT_TRUE(shown == before || shown == after)
        << shown << " is neither " << before << " nor " << after;
}

// The time comes with the first tick, not with the label: until then the caption is the one
// the label was made with.
TEST_F(ClockLabelTest, TheCaptionWaitsForTheFirstTick) {
    TQel3DClockLabel& label = MakeLabel();
    EXPECT_EQ(label.GetCaption(), "");
    label.SetCaption("at first");
    EXPECT_EQ(label.GetCaption(), "at first");
}

TEST_F(ClockLabelTest, LongTimeTextIsTheLocalesLongTimeFormat) {
    for (const SYSTEMTIME& time :
         {TimeOfDay(0, 0, 0), TimeOfDay(9, 5, 7), TimeOfDay(12, 30, 59), TimeOfDay(23, 59, 59)})
        EXPECT_EQ(LongTimeText(time), SystemLongTime(&time));
}

// With auto size the label takes the width of each new time and its depth; a caption
// narrower than any time widens at the next tick.
TEST_F(ClockLabelTest, AnAutoSizeClockFollowsTheWidthOfTheTime) {
    TQel3DClockLabel& label = MakeLabel();
    SYSTEMTIME now = TimeOfDay(9, 59, 59);
    label.Now = [&] { return now; };
    label.SetCaption(".");
    const int narrow = label.Width();
    ASSERT_TRUE(WaitForCaption(SystemLongTime(&now)));
    EXPECT_GT(label.Width(), narrow);
    EXPECT_EQ(label.Width(), TextWidth(SystemLongTime(&now)) + 1);

    now = TimeOfDay(10, 0, 0);
    ASSERT_TRUE(WaitForCaption(SystemLongTime(&now)));
    EXPECT_EQ(label.Width(), TextWidth(SystemLongTime(&now)) + 1);
    EXPECT_EQ(label.Height(), TextSize(label.Font().Handle(), "W").cy + 1);
}

TEST_F(ClockLabelTest, TheClockKeepsTheThreeDLook) {
    TQel3DClockLabel& label = MakeLabel();
    SYSTEMTIME now = TimeOfDay(10, 0, 0);
    label.Now = [&] { return now; };
    label.Color = RGB(255, 255, 255);
    label.Font().SetColor(RGB(0, 0, 0));
    label.SetDepthColor(RGB(255, 0, 0));
    label.SetDepthSize(2);
    label.SetDepthDir(dirRightBottom);
    ASSERT_TRUE(WaitForCaption(SystemLongTime(&now)));
    const TPixels pixels = Capture(label.Handle());
    const RECT text = pixels.Bounds([](COLORREF c) { return c == RGB(0, 0, 0); });
    const RECT depth = pixels.Bounds([](COLORREF c) { return c == RGB(255, 0, 0); });
    ASSERT_GT(text.right, text.left);
    EXPECT_EQ(depth.right, text.right + 2);
    EXPECT_EQ(depth.bottom, text.bottom + 2);
}

} // namespace
