// The rotation timer and the message hook of TSaverProcess, with a clock of the test's own.
#include "Application.h"
#include "Kdregistry.h"
#include "Kdsaver.h"
#include "Win32TestSupport.h"

#include <gtest/gtest.h>

#include <string>

namespace {

const DWORD Minute = 60000;

// Puts a settable clock in place of GetTickCount and rotation settings of the test's choice.
class RotationTest : public ::testing::Test {
protected:
    void SetUp() override {
        Previous = SetSaverTickSource([this] { return Now; });
        SavedSettings = GetRotationSettings();
        Application().OnMessage = nullptr;
    }
    void TearDown() override {
        SetSaverTickSource(Previous);
        GetRotationSettings() = SavedSettings;
        Application().OnMessage = nullptr;
    }

    DWORD Now = 0;
    TTickSource Previous;
    TKDRegistry SavedSettings;
};

// One saver that runs for the whole table, so each case only moves the clock.
class RunningSaverTest : public RotationTest {
protected:
    static void SetUpTestSuite() {
        Saver = new TSaverProcess;
        const std::string path = FixturePath("fx_quit.exe");
        ASSERT_TRUE(Saver->Launch(path, SaverFolder(path), SaverCommandLine(path, "/s"),
                                  IDLE_PRIORITY_CLASS));
    }
    static void TearDownTestSuite() {
        if (Saver->Stop())
            TerminateProcess(Saver->ProcessInfo.hProcess, 1);
        delete Saver;
        Saver = nullptr;
    }
    static TSaverProcess* Saver;
};

TSaverProcess* RunningSaverTest::Saver = nullptr;

TEST_F(RunningSaverTest, ChangeFallsDueWhenTheTurnHasLastedTheSetMinutes) {
    struct Case {
        const char* Name;
        bool ChangeOnStartup;
        std::int32_t Minutes;
        DWORD StartTick;
        DWORD Now;
        bool MonitorOff;
        bool Due;
    };
    const Case cases[] = {
        {"exactly 15 minutes", false, 15, 1000, 1000 + 15 * Minute, false, true},
        {"one ms short of 15 minutes", false, 15, 1000, 1000 + 15 * Minute - 1, false, false},
        {"0 minutes is due at once", false, 0, 5000, 5000, false, true},
        {"counter wrapped, 15 minutes on", false, 15, 0xFFFFF000u, 0xFFFFF000u + 15 * Minute, false,
         true},
        {"counter wrapped, 1 ms short", false, 15, 0xFFFFF000u, 0xFFFFF000u + 15 * Minute - 1,
         false, false},
        {"6 hours", false, 360, 0, 360 * Minute, false, true},
        {"monitor off bars it", false, 15, 1000, 1000 + 60 * Minute, true, false},
        {"change on startup bars it", true, 15, 1000, 1000 + 60 * Minute, false, false},
    };
    ASSERT_TRUE(Saver->IsRunning());
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        GetRotationSettings().ChangeOnStartup = c.ChangeOnStartup;
        GetRotationSettings().ChangeAfterMinutes = c.Minutes;
        SaverStartTick = c.StartTick;
        Now = c.Now;
        Saver->MonitorOff = c.MonitorOff;
        Saver->ChangeDue = false;
        Saver->OnRotationTimer(nullptr);
        EXPECT_EQ(Saver->ChangeDue, c.Due);
    }
}

TEST_F(RunningSaverTest, TimerFiresOnlyWhileMessagesAreProcessed) {
    GetRotationSettings().ChangeOnStartup = false;
    GetRotationSettings().ChangeAfterMinutes = 0;
    Saver->MonitorOff = false;
    Saver->ChangeDue = false;
    Saver->RotationTimer->SetEnabled(true);
    Sleep(2 * TSaverProcess::RotationIntervalMs);
    EXPECT_FALSE(Saver->ChangeDue);
    EXPECT_TRUE(WaitUntil(
        [] {
            Application().ProcessMessages();
            return Saver->ChangeDue;
        },
        10000));
    Saver->RotationTimer->SetEnabled(false);
}

TEST_F(RotationTest, NoChangeFallsDueWithoutARunningSaver) {
    TSaverProcess saver;
    GetRotationSettings().ChangeOnStartup = false;
    GetRotationSettings().ChangeAfterMinutes = 0;
    saver.ChangeDue = false;
    saver.OnRotationTimer(nullptr);
    EXPECT_FALSE(saver.ChangeDue);
}

TEST_F(RotationTest, NewSaverProcessStartsWithAChangeDueAndTheTimerOff) {
    TSaverProcess saver;
    EXPECT_TRUE(saver.ChangeDue);
    EXPECT_FALSE(saver.MonitorOff);
    EXPECT_FALSE(saver.Running);
    ASSERT_TRUE(saver.RotationTimer);
    EXPECT_FALSE(saver.RotationTimer->Enabled());
    EXPECT_EQ(saver.RotationTimer->Interval(), 1000u);
    EXPECT_EQ(saver.RotationTimer->Owner(), &Application());
}

TEST_F(RotationTest, OnlyTheMonitorPowerCommandTurnsRotationOff) {
    struct Case {
        UINT Message;
        WPARAM WParam;
        bool MonitorOff;
    };
    const Case cases[] = {
        {WM_SYSCOMMAND, SC_MONITORPOWER, true}, {WM_SYSCOMMAND, SC_MONITORPOWER | 1, false},
        {WM_SYSCOMMAND, SC_SCREENSAVE, false},  {WM_SYSCOMMAND, SC_CLOSE, false},
        {WM_COMMAND, SC_MONITORPOWER, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.Message) + " " + std::to_string(c.WParam));
        TSaverProcess saver;
        saver.ChangeDue = false;
        MSG msg{};
        msg.message = c.Message;
        msg.wParam = c.WParam;
        msg.lParam = 2;
        bool handled = false;
        saver.OnAppMessage(msg, handled);
        EXPECT_EQ(saver.MonitorOff, c.MonitorOff);
        EXPECT_FALSE(handled);
    }
}

TEST_F(RotationTest, MonitorPowerCommandFromTheQueueDropsAPendingChange) {
    TSaverProcess saver;
    saver.ChangeDue = true;
    ASSERT_TRUE(PostThreadMessageA(GetCurrentThreadId(), WM_SYSCOMMAND, SC_MONITORPOWER, 2));
    Application().ProcessMessages();
    EXPECT_TRUE(saver.MonitorOff);
    // Otherwise the run could never end once its saver has ended.
    EXPECT_FALSE(saver.ChangeDue);
}

TEST_F(RotationTest, HookIsRemovedWhenTheSaverProcessIsDestroyed) {
    {
        TSaverProcess saver;
        EXPECT_TRUE(static_cast<bool>(Application().OnMessage));
    }
    EXPECT_FALSE(static_cast<bool>(Application().OnMessage));
    // A message after the object is gone reaches no hook.
    ASSERT_TRUE(PostThreadMessageA(GetCurrentThreadId(), WM_SYSCOMMAND, SC_MONITORPOWER, 2));
    Application().ProcessMessages();
}

TEST_F(RotationTest, HookInstalledByAnotherOwnerSurvivesTheSaverProcess) {
    int seen = 0;
    {
        TSaverProcess saver;
        Application().OnMessage = [&seen](MSG&, bool&) { ++seen; };
    }
    ASSERT_TRUE(static_cast<bool>(Application().OnMessage));
    ASSERT_TRUE(PostThreadMessageA(GetCurrentThreadId(), WM_USER, 0, 0));
    Application().ProcessMessages();
    EXPECT_EQ(seen, 1);
}

TEST_F(RotationTest, NewestSaverProcessOwnsTheHook) {
    TSaverProcess first;
    TSaverProcess second;
    ASSERT_TRUE(PostThreadMessageA(GetCurrentThreadId(), WM_SYSCOMMAND, SC_MONITORPOWER, 2));
    Application().ProcessMessages();
    EXPECT_FALSE(first.MonitorOff);
    EXPECT_TRUE(second.MonitorOff);
}

} // namespace
