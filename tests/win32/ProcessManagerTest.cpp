// TProcessManager and TSaverProcess against real child processes: the fixture savers.
#include "Kdregistry.h"
#include "Kdsaver.h"
#include "Win32TestSupport.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace {

const char* const Fixtures[] = {"fx_click.exe", "fx_quit.exe", "fx_stubborn.exe", "fx_exit.exe",
                                "fx_busy.exe"};

// What one call of the process-creation seam was given.
struct TCreateCall {
    std::string Application;
    std::string CommandLine;
    DWORD Flags = 0;
    std::string Folder;
    bool HasFolder = false;
    DWORD StartupInfoSize = 0;
};

// Records every creation; forwards to the real call when `forward` is set.
class TRecordingCreator {
public:
    explicit TRecordingCreator(bool forward) {
        Previous = SetProcessCreator(
            [this, forward](LPCSTR application, LPSTR commandLine, DWORD flags, LPCSTR folder,
                            LPSTARTUPINFOA startup, LPPROCESS_INFORMATION info) -> BOOL {
                Calls.push_back({application, commandLine, flags, folder ? folder : "",
                                 folder != nullptr, startup->cb});
                return forward &&
                       CreateProcessDirect(application, commandLine, flags, folder, startup, info);
            });
    }
    ~TRecordingCreator() { SetProcessCreator(Previous); }

    std::vector<TCreateCall> Calls;

private:
    TProcessCreator Previous;
};

class ProcessTest : public ::testing::Test {
protected:
    void SetUp() override {
        for (const char* fixture : Fixtures)
            RemoveLog(FixturePath(fixture));
    }
    void TearDown() override {
        for (const char* fixture : Fixtures)
            RemoveLog(FixturePath(fixture));
    }

    // Starts a fixture saver the way the run loop does.
    bool Start(TProcessManager& manager, const std::string& fixture) {
        const std::string path = FixturePath(fixture);
        const bool started = manager.Launch(path, SaverFolder(path), SaverCommandLine(path, "/s"),
                                            IDLE_PRIORITY_CLASS);
        if (started)
            Children.Watch(manager.ProcessInfo.dwProcessId);
        return started;
    }

    TChildGuard Children;
};

TEST_F(ProcessTest, StartsAChildThatRunsUntilItEnds) {
    TProcessManager manager;
    ASSERT_TRUE(Start(manager, "fx_quit.exe"));
    EXPECT_TRUE(manager.Running);
    EXPECT_TRUE(manager.IsRunning());
    EXPECT_NE(manager.ProcessInfo.hProcess, nullptr);
    const std::string start = LogStartLine(FixturePath("fx_quit.exe"));
    EXPECT_NE(start.find("pid=" + std::to_string(manager.ProcessInfo.dwProcessId) + " "),
              std::string::npos)
        << start;
    // The child became ready for input before Launch returned: it already reads messages.
    EXPECT_TRUE(PostThreadMessageA(manager.ProcessInfo.dwThreadId, WM_QUIT, 0, 0));
    EXPECT_FALSE(manager.WaitFor(10000));
    EXPECT_TRUE(LogHas(FixturePath("fx_quit.exe"), "quit"));
}

TEST_F(ProcessTest, StartupRecordHasItsOwnSize) {
    TProcessManager manager;
    ASSERT_TRUE(Start(manager, "fx_exit.exe"));
    // 68 bytes on 32-bit Windows, 104 on 64-bit.
    EXPECT_EQ(manager.StartupInfo.cb, sizeof(void*) == 4 ? 68u : 104u);
    manager.WaitFor(10000);
}

TEST_F(ProcessTest, ChildThatEndsIsSeenOnceAndItsHandlesAreClosed) {
    TProcessManager manager;
    // fx_exit ends with the code STILL_ACTIVE, which must not make it look alive.
    ASSERT_TRUE(Start(manager, "fx_exit.exe"));
    EXPECT_FALSE(manager.WaitFor(10000));
    EXPECT_FALSE(manager.Running);
    EXPECT_EQ(manager.ProcessInfo.hProcess, nullptr);
    EXPECT_EQ(manager.ProcessInfo.hThread, nullptr);
    EXPECT_FALSE(manager.IsRunning());
    EXPECT_FALSE(manager.WaitFor(0));
    EXPECT_TRUE(LogHas(FixturePath("fx_exit.exe"), "exit"));
}

TEST_F(ProcessTest, CanBeReusedAfterTheChildEnded) {
    TProcessManager manager;
    ASSERT_TRUE(Start(manager, "fx_exit.exe"));
    const DWORD first = manager.ProcessInfo.dwProcessId;
    ASSERT_FALSE(manager.WaitFor(10000));
    ASSERT_TRUE(Start(manager, "fx_quit.exe"));
    EXPECT_NE(manager.ProcessInfo.dwProcessId, first);
    EXPECT_TRUE(manager.IsRunning());
    EXPECT_FALSE(manager.Stop());
}

TEST_F(ProcessTest, LaunchWhileRunningStartsNothing) {
    TRecordingCreator creator(true);
    TProcessManager manager;
    ASSERT_TRUE(Start(manager, "fx_quit.exe"));
    const DWORD child = manager.ProcessInfo.dwProcessId;
    EXPECT_TRUE(Start(manager, "fx_click.exe"));
    EXPECT_EQ(creator.Calls.size(), 1u);
    EXPECT_EQ(manager.ProcessInfo.dwProcessId, child);
    EXPECT_TRUE(ReadLog(FixturePath("fx_click.exe")).empty());
    EXPECT_FALSE(manager.Stop());
}

TEST_F(ProcessTest, FailedStartReturnsFalse) {
    for (const std::string& path :
         {std::string(), FixturePath("fx_broken.scr"), FixturePath("no such saver.scr"),
          TestFolder() + "no such folder\\x.scr"}) {
        SCOPED_TRACE(path);
        TProcessManager manager;
        EXPECT_FALSE(manager.Launch(path, SaverFolder(path), SaverCommandLine(path, "/s"),
                                    IDLE_PRIORITY_CLASS));
        EXPECT_FALSE(manager.Running);
        EXPECT_FALSE(manager.IsRunning());
        EXPECT_EQ(manager.ProcessInfo.hProcess, nullptr);
        EXPECT_FALSE(manager.WaitFor(0));
        EXPECT_FALSE(manager.Stop());
    }
}

TEST_F(ProcessTest, CreationGetsProgramCommandLineFolderAndFlags) {
    TRecordingCreator creator(false);
    const std::string path = "C:\\My Savers\\x.scr";
    TProcessManager manager;
    EXPECT_FALSE(
        manager.Launch(path, SaverFolder(path), SaverCommandLine(path, "/s"), IDLE_PRIORITY_CLASS));
    EXPECT_FALSE(manager.LaunchNormal(path, "D:\\", SaverCommandLine(path, "/c")));
    EXPECT_FALSE(manager.Launch("x.scr", SaverFolder("x.scr"), "x.scr /s", IDLE_PRIORITY_CLASS));
    ASSERT_EQ(creator.Calls.size(), 3u);

    EXPECT_EQ(creator.Calls[0].Application, path);
    EXPECT_EQ(creator.Calls[0].CommandLine, "\"C:\\My Savers\\x.scr\" /s");
    EXPECT_EQ(creator.Calls[0].Flags, DWORD(IDLE_PRIORITY_CLASS));
    EXPECT_EQ(creator.Calls[0].Folder, "C:\\My Savers\\");
    EXPECT_EQ(creator.Calls[0].StartupInfoSize, sizeof(STARTUPINFOA));

    EXPECT_EQ(creator.Calls[1].CommandLine, "\"C:\\My Savers\\x.scr\" /c");
    EXPECT_EQ(creator.Calls[1].Flags, DWORD(NORMAL_PRIORITY_CLASS));
    EXPECT_EQ(creator.Calls[1].Folder, "D:\\");

    // No folder in the path: the child stays in ours rather than failing on an empty one.
    EXPECT_FALSE(creator.Calls[2].HasFolder);
}

TEST(SaverPathsTest, CommandLineQuotesThePathAndFolderKeepsItsSeparator) {
    struct Case {
        std::string Path, Switch, CommandLine, Folder;
    };
    const Case cases[] = {
        {"C:\\My Savers\\x.scr", "/s", "\"C:\\My Savers\\x.scr\" /s", "C:\\My Savers\\"},
        {"C:\\x.scr", "/c", "\"C:\\x.scr\" /c", "C:\\"},
        {"C:x.scr", "/s", "\"C:x.scr\" /s", "C:"},
        {"x.scr", "/s", "\"x.scr\" /s", ""},
        {"", "/s", "\"\" /s", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Path);
        EXPECT_EQ(SaverCommandLine(c.Path, c.Switch), c.CommandLine);
        EXPECT_EQ(SaverFolder(c.Path), c.Folder);
    }
}

TEST_F(ProcessTest, ChildInFolderWithBlankSeesQuotedCommandLineAndItsFolder) {
    TBlankFolder folder;
    const std::string path = folder.CopyFixture("fx_quit.exe", "fx blank saver.scr");
    TProcessManager manager;
    ASSERT_TRUE(
        manager.Launch(path, SaverFolder(path), SaverCommandLine(path, "/s"), IDLE_PRIORITY_CLASS));
    Children.Watch(manager.ProcessInfo.dwProcessId);
    const std::string start = LogStartLine(path);
    const std::string folderWithoutSeparator = folder.Path().substr(0, folder.Path().size() - 1);
    EXPECT_NE(start.find(" cmdline=\"" + path + "\" /s cwd="), std::string::npos) << start;
    const auto cwd = start.find(" cwd=");
    ASSERT_NE(cwd, std::string::npos);
    EXPECT_EQ(lstrcmpiA(start.substr(cwd + 5).c_str(), folderWithoutSeparator.c_str()), 0) << start;
    EXPECT_FALSE(manager.Stop());
}

TEST_F(ProcessTest, ChildThatNeverBecomesReadyDoesNotHoldUpLaunch) {
    TProcessManager manager;
    ASSERT_TRUE(Start(manager, "fx_busy.exe"));
    EXPECT_TRUE(manager.IsRunning());
}

TEST_F(ProcessTest, DestroyingTheManagerLeavesTheChildRunning) {
    DWORD child = 0;
    {
        TSaverProcess manager;
        ASSERT_TRUE(Start(manager, "fx_quit.exe"));
        child = manager.ProcessInfo.dwProcessId;
    }
    EXPECT_TRUE(ProcessAlive(child));
    EXPECT_FALSE(LogHas(FixturePath("fx_quit.exe"), "quit"));
}

// Every way of stopping, for each kind of fixture saver.
struct StopCase {
    const char* Name;
    const char* Fixture;
    bool SaverStop; // TSaverProcess::Stop rather than the plain request
    bool StillRunning;
    std::vector<std::string> Logged;
    std::vector<std::string> NotLogged;
};

class StopTest : public ProcessTest, public ::testing::WithParamInterface<StopCase> {};

TEST_P(StopTest, AsksTheChildToCloseInTurn) {
    const StopCase& c = GetParam();
    std::unique_ptr<TProcessManager> manager =
        c.SaverStop ? std::make_unique<TSaverProcess>() : std::make_unique<TProcessManager>();
    ASSERT_TRUE(Start(*manager, c.Fixture));
    if (c.SaverStop) {
        // The click path needs the child in front; the fixture puts itself there.
        DWORD owner = 0;
        GetWindowThreadProcessId(GetForegroundWindow(), &owner);
        ASSERT_EQ(owner, manager->ProcessInfo.dwProcessId);
    }
    EXPECT_EQ(manager->Stop(), c.StillRunning);
    EXPECT_EQ(manager->Running, c.StillRunning);
    const std::string path = FixturePath(c.Fixture);
    if (!c.StillRunning)
        EXPECT_TRUE(WaitUntil([&] { return LogHas(path, "exit"); }, 5000));
    else
        EXPECT_TRUE(ProcessAlive(manager->ProcessInfo.dwProcessId));
    for (const auto& line : c.Logged)
        EXPECT_TRUE(LogHas(path, line)) << line;
    for (const auto& line : c.NotLogged)
        EXPECT_FALSE(LogHas(path, line)) << line;
}

INSTANTIATE_TEST_SUITE_P(
    Fixtures, StopTest,
    ::testing::Values(
        StopCase{"ClickClosesIt", "fx_click.exe", true, false, {"click"}, {"quit", "close"}},
        StopCase{
            "QuitToItsWindowClosesIt", "fx_quit.exe", true, false, {"click", "quit"}, {"close"}},
        StopCase{"PlainCloseCommandClosesIt",
                 "fx_click.exe",
                 false,
                 false,
                 {"close"},
                 {"click", "quit"}},
        StopCase{"PlainQuitToItsThreadClosesIt",
                 "fx_quit.exe",
                 false,
                 false,
                 {"close", "quit"},
                 {"click"}},
        StopCase{"RefusedSaverStopLeavesItRunning",
                 "fx_stubborn.exe",
                 true,
                 true,
                 {"click", "close", "quit"},
                 {"exit"}},
        StopCase{"RefusedPlainStopLeavesItRunning",
                 "fx_stubborn.exe",
                 false,
                 true,
                 {"close", "quit"},
                 {"click", "exit"}}),
    [](const auto& info) { return std::string(info.param.Name); });

// A window of the test's own that stands in for some other program in front.
class TForeignWindow {
public:
    TForeignWindow() {
        WNDCLASSA windowClass{};
        windowClass.lpfnWndProc = DefWindowProcA;
        windowClass.hInstance = GetModuleHandleA(nullptr);
        windowClass.lpszClassName = "KaleidraTestForeign";
        RegisterClassA(&windowClass);
        Window = CreateWindowExA(WS_EX_TOPMOST, windowClass.lpszClassName, "Other program",
                                 WS_POPUP | WS_VISIBLE, 300, 0, 200, 150, nullptr, nullptr,
                                 windowClass.hInstance, nullptr);
        SetForegroundWindow(Window);
    }
    ~TForeignWindow() { DestroyWindow(Window); }
    // Removes what was posted to the window; true when a click or a quit was among it.
    bool ReceivedClickOrQuit() {
        bool received = false;
        MSG msg;
        while (PeekMessageA(&msg, Window, 0, 0, PM_REMOVE)) {
            received = received || msg.message == WM_LBUTTONDOWN || msg.message == WM_LBUTTONUP ||
                       msg.message == WM_QUIT;
            DispatchMessageA(&msg);
        }
        return received;
    }
    HWND Window;
};

TEST_F(ProcessTest, SaverStopSendsNoClickToAnotherProgramInFront) {
    TSaverProcess manager;
    ASSERT_TRUE(Start(manager, "fx_click.exe"));
    TForeignWindow foreign;
    ASSERT_EQ(GetForegroundWindow(), foreign.Window);
    EXPECT_FALSE(manager.Stop());
    EXPECT_FALSE(foreign.ReceivedClickOrQuit());
    const std::string path = FixturePath("fx_click.exe");
    EXPECT_TRUE(LogHas(path, "close"));
    EXPECT_FALSE(LogHas(path, "click"));
}

} // namespace
