// The minutes spin edit: values clamped into 1 to 360, text read as a number, one change
// report per change whether typed, set or stepped, and both parts enabled together.
#include "ShellTestIds.h"
#include "ShellTestSupport.h"

#include <gtest/gtest.h>

#include <commctrl.h>

#include <climits>

namespace {

class SpinEditTest : public ::testing::Test {
protected:
    void SetUp() override {
        Pane.Minutes.SetValue(15);
        Pane.Minutes.OnChange = [this](TComponent* sender) {
            EXPECT_EQ(sender, &Pane.Minutes);
            ++Changes;
        };
    }
    HWND Arrows() const { return Pane.Minutes.UpDownHandle(); }
    void ClickArrow(bool up) {
        RECT client;
        GetClientRect(Arrows(), &client);
        const int y = up ? client.bottom / 4 : client.bottom * 3 / 4;
        const LPARAM at = MAKELPARAM(client.right / 2, y);
        SendMessageA(Arrows(), WM_LBUTTONDOWN, MK_LBUTTON, at);
        SendMessageA(Arrows(), WM_LBUTTONUP, 0, at);
        PumpMessages();
    }
    void PressKey(UINT key) {
        SendMessageA(Pane.Minutes.Handle(), WM_KEYDOWN, key, 1);
        SendMessageA(Pane.Minutes.Handle(), WM_KEYUP, key, 0xC0000001);
        PumpMessages();
    }

    TShellPane Pane;
    int Changes = 0;
};

TEST_F(SpinEditTest, SetValueShowsTheValueClampedIntoTheRange) {
    EXPECT_EQ(Pane.Minutes.MinValue(), 1);
    EXPECT_EQ(Pane.Minutes.MaxValue(), 360);
    const struct {
        int set;
        const char* shown;
    } cases[] = {{0, "1"},     {1, "1"},  {15, "15"},     {360, "360"},
                 {361, "360"}, {-5, "1"}, {INT_MIN, "1"}, {INT_MAX, "360"}};
    for (const auto& c : cases) {
        Pane.Minutes.SetValue(c.set);
        EXPECT_EQ(Pane.Minutes.GetCaption(), c.shown) << c.set;
        EXPECT_EQ(Pane.Minutes.Value(), std::stoi(c.shown)) << c.set;
    }
}

TEST_F(SpinEditTest, TextReadsAsANumberClampedIntoTheRange) {
    const struct {
        const char* text;
        int value;
    } cases[] = {{"abc", 1},
                 {"", 1},
                 {"42", 42},
                 {" 42 ", 42},
                 {"+7", 7},
                 {"0", 1},
                 {"361", 360},
                 {"-3", 1},
                 {"12abc", 1},
                 {"4 2", 1},
                 {"99999999999999999999", 360},
                 {"-99999999999999999999", 1}};
    for (const auto& c : cases) {
        SetWindowTextA(Pane.Minutes.Handle(), c.text);
        EXPECT_EQ(Pane.Minutes.Value(), c.value) << '"' << c.text << '"';
    }
}

TEST_F(SpinEditTest, EveryChangeIsReportedOnce) {
    Pane.Minutes.SetValue(20);
    EXPECT_EQ(Changes, 1);
    Pane.Minutes.SetValue(20);    // no change
    Pane.Minutes.SetValue(20000); // shown as 360
    Pane.Minutes.SetValue(400);   // still 360
    EXPECT_EQ(Changes, 2);
    SetWindowTextA(Pane.Minutes.Handle(), "3"); // as typed
    EXPECT_EQ(Changes, 3);
    SetWindowTextA(Pane.Minutes.Handle(), "3"); // the edit reports this too; it is no change
    EXPECT_EQ(Changes, 3);

    ClickArrow(true);
    EXPECT_EQ(Pane.Minutes.Value(), 4);
    ClickArrow(false);
    ClickArrow(false);
    EXPECT_EQ(Pane.Minutes.Value(), 2);
    PressKey(VK_UP);
    EXPECT_EQ(Pane.Minutes.Value(), 3);
    PressKey(VK_DOWN);
    EXPECT_EQ(Pane.Minutes.Value(), 2);
    EXPECT_EQ(Changes, 8);
    EXPECT_EQ(Pane.Minutes.GetCaption(), "2");
}

TEST_F(SpinEditTest, ArrowsStopAtTheLimitsAndStepFromWhatTheTextReadsAs) {
    Pane.Minutes.SetValue(360);
    Changes = 0;
    ClickArrow(true);
    PressKey(VK_UP);
    EXPECT_EQ(Pane.Minutes.GetCaption(), "360");
    Pane.Minutes.SetValue(1);
    Changes = 0;
    ClickArrow(false);
    EXPECT_EQ(Pane.Minutes.GetCaption(), "1");
    EXPECT_EQ(Changes, 0);

    SetWindowTextA(Pane.Minutes.Handle(), "abc"); // reads as 1
    ClickArrow(true);
    EXPECT_EQ(Pane.Minutes.GetCaption(), "2");
    SetWindowTextA(Pane.Minutes.Handle(), "5000"); // reads as 360
    ClickArrow(false);
    EXPECT_EQ(Pane.Minutes.GetCaption(), "359");
}

TEST_F(SpinEditTest, LeavingTheEditShowsWhatTheTextReadsAs) {
    SetWindowTextA(Pane.Minutes.Handle(), "999");
    SendMessageA(Pane.Form.Handle(), WM_COMMAND, MAKEWPARAM(IDC_MINUTES, EN_KILLFOCUS),
                 reinterpret_cast<LPARAM>(Pane.Minutes.Handle()));
    EXPECT_EQ(Pane.Minutes.GetCaption(), "360");
}

TEST_F(SpinEditTest, EditAndArrowsAreEnabledTogether) {
    ASSERT_EQ(Arrows(), GetDlgItem(Pane.Form.Handle(), IDC_MINUTES_ARROWS));
    EXPECT_EQ(reinterpret_cast<HWND>(SendMessageA(Arrows(), UDM_GETBUDDY, 0, 0)),
              Pane.Minutes.Handle());
    Pane.Minutes.SetEnabled(false);
    EXPECT_FALSE(IsWindowEnabled(Pane.Minutes.Handle()));
    EXPECT_FALSE(IsWindowEnabled(Arrows()));
    EXPECT_FALSE(Pane.Minutes.GetEnabled());
    Pane.Minutes.SetEnabled(true);
    EXPECT_TRUE(IsWindowEnabled(Pane.Minutes.Handle()));
    EXPECT_TRUE(IsWindowEnabled(Arrows()));
}

RECT BoundsInParent(HWND window) {
    RECT bounds;
    GetWindowRect(window, &bounds);
    MapWindowPoints(HWND_DESKTOP, GetParent(window), reinterpret_cast<POINT*>(&bounds), 2);
    return bounds;
}

bool SameRect(const RECT& a, const RECT& b) {
    return EqualRect(&a, &b) != FALSE;
}

int UpDownCount(HWND dialog) {
    int count = 0;
    for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        char className[32] = {};
        GetClassNameA(child, className, sizeof className);
        count += lstrcmpiA(className, UPDOWN_CLASSA) == 0;
    }
    return count;
}

TEST(SpinEditTemplate, TheTemplatesArrowsComeAlongAndKeepTheirPlaces) {
    TWinControl form(nullptr);
    form.Attach(CreatePaneDialog());
    const HWND dialog = form.Handle();
    struct Pair {
        int editId;
        int arrowsId;
    };
    // Arrows without a buddy right after their edit, as the configuration window has them;
    // arrows that chose their edit themselves, already aligned by the common controls.
    for (const Pair pair :
         {Pair{IDC_MINUTES, IDC_MINUTES_ARROWS}, Pair{IDC_COUNT, IDC_COUNT_ARROWS}}) {
        const HWND edit = GetDlgItem(dialog, pair.editId);
        const HWND arrows = GetDlgItem(dialog, pair.arrowsId);
        const RECT editBefore = BoundsInParent(edit);
        const RECT arrowsBefore = BoundsInParent(arrows);
        const int upDownsBefore = UpDownCount(dialog);
        TSpinEdit spin(nullptr);
        spin.Attach(edit);
        EXPECT_EQ(spin.UpDownHandle(), arrows) << pair.editId;
        EXPECT_EQ(reinterpret_cast<HWND>(SendMessageA(arrows, UDM_GETBUDDY, 0, 0)), edit);
        EXPECT_TRUE(SameRect(BoundsInParent(edit), editBefore)) << pair.editId;
        EXPECT_TRUE(SameRect(BoundsInParent(arrows), arrowsBefore)) << pair.editId;
        const LONG_PTR style = GetWindowLongPtrA(arrows, GWL_STYLE);
        EXPECT_EQ(style & (UDS_SETBUDDYINT | UDS_ARROWKEYS), UDS_SETBUDDYINT | UDS_ARROWKEYS);
        spin.SetValue(7);
        SendMessageA(edit, WM_KEYDOWN, VK_UP, 1);
        EXPECT_EQ(spin.Value(), 8) << pair.editId;
        EXPECT_EQ(UpDownCount(dialog), upDownsBefore) << "no arrows made beside the template's";
    }
}

TEST_F(SpinEditTest, NarrowingTheRangeClampsTheShownNumber) {
    Pane.Minutes.SetValue(300);
    Pane.Minutes.SetRange(100, 10); // bounds in either order
    EXPECT_EQ(Pane.Minutes.MinValue(), 10);
    EXPECT_EQ(Pane.Minutes.MaxValue(), 100);
    EXPECT_EQ(Pane.Minutes.GetCaption(), "100");
    int low = 0;
    int high = 0;
    SendMessageA(Arrows(), UDM_GETRANGE32, reinterpret_cast<WPARAM>(&low),
                 reinterpret_cast<LPARAM>(&high));
    EXPECT_EQ(low, 10);
    EXPECT_EQ(high, 100);
}

} // namespace
