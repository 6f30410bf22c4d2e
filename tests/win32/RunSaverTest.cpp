// The saver run in this process: Kaleidra.cfg beside the test program, the real registry,
// the fixture savers as children, and the creation and clock seams to watch it.
#include "Application.h"
#include "Kdlist.h"
#include "Kdregistry.h"
#include "Kdsaver.h"
#include "TRandom.h"
#include "Win32TestSupport.h"

#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <thread>
#include <vector>

namespace {

const DWORD Minute = 60000;

struct TStart {
    std::string Application, CommandLine, Folder;
    DWORD Flags = 0;
    DWORD ProcessId = 0;
};

BOOL CALLBACK ClickWindowOf(HWND window, LPARAM processId) {
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner == DWORD(processId) && IsWindowVisible(window))
        PostMessageA(window, WM_LBUTTONDOWN, 0, 0);
    return TRUE;
}

// Plays the user: once the saver has started and a few timer events have passed, a click on
// its window ends it, as a mouse movement would end a real saver.
class TUser {
public:
    explicit TUser(std::string saverPath) : Path(std::move(saverPath)), Thread([this] { Act(); }) {}
    ~TUser() { Thread.join(); }

private:
    void Act() {
        if (!WaitUntil([this] { return !LogStartLine(Path).empty(); }, 20000))
            return;
        const std::string start = LogStartLine(Path);
        const DWORD processId = std::stoul(start.substr(start.find("pid=") + 4));
        Sleep(3000);
        EnumWindows(ClickWindowOf, processId);
    }
    std::string Path;
    std::thread Thread;
};

class RunSaverTest : public ::testing::Test {
protected:
    void SetUp() override {
        RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\Tessaly");
        Application().Initialize();
        // The collection lives for the whole process: earlier runs' groups must not take part.
        for (std::size_t g = 0; g < GetSaverList().GroupCount(); ++g)
            GetSaverList().SetGroupActive(g, false);
        GroupName = ::testing::UnitTest::GetInstance()->current_test_info()->name();
        for (const char* fixture : {"fx_click.exe", "fx_exit.exe", "fx_quit.exe"})
            RemoveLog(FixturePath(fixture));
        PreviousCreator = SetProcessCreator(
            [this](LPCSTR application, LPSTR commandLine, DWORD flags, LPCSTR folder,
                   LPSTARTUPINFOA startup, LPPROCESS_INFORMATION info) -> BOOL {
                const BOOL created =
                    CreateProcessDirect(application, commandLine, flags, folder, startup, info);
                Starts.push_back({application, commandLine, folder ? folder : "", flags,
                                  created ? info->dwProcessId : 0});
                if (created)
                    Children.Watch(info->dwProcessId);
                return created;
            });
    }
    void TearDown() override {
        SetProcessCreator(PreviousCreator);
        SetSaverTickSource(nullptr);
        DeleteFileA(ConfigPath().c_str());
        RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\Tessaly");
        for (const char* fixture : {"fx_click.exe", "fx_exit.exe", "fx_quit.exe"})
            RemoveLog(FixturePath(fixture));
        GetRotationSettings() = TKDRegistry();
    }

    static std::string ConfigPath() { return TestFolder() + "Kaleidra.cfg"; }

    // Kaleidra.cfg with one group of this test holding these savers, all of one priority.
    void WriteConfig(const std::vector<std::string>& savers, bool active = true, int priority = 1) {
        std::ofstream config(ConfigPath());
        config << "Version=2.0.0\n\n[" << GroupName << ";" << (active ? "On" : "Off") << ";1]\n";
        for (const auto& saver : savers)
            config << saver << ";" << priority << "\n";
    }

    // Loads the group before the run does, and seeds its generator so that the saver draws
    // come out as `draws` (1-based positions among two savers of equal priority).
    void SeedDraws(const std::vector<std::uint32_t>& draws) {
        GetSaverList().LoadFromFile(ConfigPath());
        TKDGroup* group = GetSaverList().Group(GetSaverList().FindGroup(GroupName));
        ASSERT_NE(group, nullptr);
        for (std::uint32_t seed = 1; seed < 100000; ++seed) {
            TRandom trial(seed);
            bool matches = true;
            for (std::uint32_t draw : draws)
                matches = matches && trial.NextValue(2) == draw;
            if (matches) {
                group->Random().SetState(seed);
                return;
            }
        }
        FAIL() << "no seed gives these draws";
    }

    // A clock that moves 15 minutes on at every reading, so every timer event finds the
    // turn over.
    void UseFastClock() {
        SetSaverTickSource([now = DWORD(0)]() mutable { return now += 15 * Minute; });
    }

    void StoreSettings(bool changeOnStartup, std::int32_t minutes) {
        TKDRegistry settings;
        settings.ChangeOnStartup = changeOnStartup;
        settings.ChangeAfterMinutes = minutes;
        settings.WriteSettings();
    }

    std::string GroupName;
    std::vector<TStart> Starts;
    TProcessCreator PreviousCreator;
    TChildGuard Children;
};

TEST_F(RunSaverTest, NothingToRunEndsAtOnce) {
    RunSaver();
    WriteConfig({FixturePath("fx_click.exe")}, false);
    RunSaver();
    EXPECT_TRUE(Starts.empty());
    EXPECT_FALSE(static_cast<bool>(Application().OnMessage));
}

TEST_F(RunSaverTest, NoSaverThatCanBeDrawnStartsNothing) {
    // Priority 0 everywhere: the draw finds no saver, so the path is empty.
    WriteConfig({FixturePath("fx_click.exe")}, true, 0);
    RunSaver();
    EXPECT_TRUE(Starts.empty());
}

TEST_F(RunSaverTest, SaverRunsInItsFolderWithQuotedCommandLineAtIdlePriority) {
    const std::string saver = FixturePath("fx_exit.exe");
    WriteConfig({saver});
    RunSaver();
    ASSERT_EQ(Starts.size(), 1u);
    EXPECT_EQ(Starts[0].Application, saver);
    EXPECT_EQ(Starts[0].CommandLine, "\"" + saver + "\" /s");
    EXPECT_EQ(Starts[0].Folder, TestFolder());
    EXPECT_EQ(Starts[0].Flags, DWORD(IDLE_PRIORITY_CLASS));
    EXPECT_NE(LogStartLine(saver).find(" cmdline=\"" + saver + "\" /s cwd="), std::string::npos);
    EXPECT_TRUE(LogHas(saver, "exit"));
    EXPECT_FALSE(static_cast<bool>(Application().OnMessage));
}

TEST_F(RunSaverTest, SixFailedStartsEndTheRun) {
    const std::string broken = FixturePath("fx_broken.scr");
    const std::string missing = TestFolder() + "missing saver.scr";
    WriteConfig({broken, missing});
    RunSaver();
    ASSERT_EQ(Starts.size(), 6u);
    for (const auto& start : Starts) {
        EXPECT_TRUE(start.Application == broken || start.Application == missing);
        EXPECT_EQ(start.CommandLine, "\"" + start.Application + "\" /s");
        EXPECT_EQ(start.ProcessId, 0u);
    }
}

TEST_F(RunSaverTest, TurnOverReplacesTheSaverWithAnotherOfTheGroup) {
    const std::string first = FixturePath("fx_click.exe");
    const std::string second = FixturePath("fx_exit.exe");
    WriteConfig({first, second});
    StoreSettings(false, 15);
    // Draws after the second draw the running saver again, so a timer event that comes
    // before it has ended starts nothing more.
    SeedDraws({1, 2, 2, 2, 2, 2, 2, 2});
    UseFastClock();
    RunSaver();
    ASSERT_EQ(Starts.size(), 2u);
    EXPECT_EQ(Starts[0].Application, first);
    EXPECT_EQ(Starts[1].Application, second);
    // The old saver was in front, so the click closed it; nothing else was needed.
    EXPECT_TRUE(LogHas(first, "click"));
    EXPECT_FALSE(LogHas(first, "close"));
    EXPECT_TRUE(LogHas(first, "exit"));
    EXPECT_TRUE(LogHas(second, "exit"));
}

// Without rotation the first saver runs until the user ends it, however long its turn.
struct NoRotationCase {
    const char* Name;
    bool ChangeOnStartup;
    bool MonitorPowerDown;
};

class NoRotationTest : public RunSaverTest, public ::testing::WithParamInterface<NoRotationCase> {};

TEST_P(NoRotationTest, OnlyTheFirstSaverRuns) {
    const std::string first = FixturePath("fx_click.exe");
    const std::string second = FixturePath("fx_exit.exe");
    WriteConfig({first, second});
    StoreSettings(GetParam().ChangeOnStartup, 15);
    SeedDraws({1, 2});
    UseFastClock();
    if (GetParam().MonitorPowerDown) {
        ASSERT_TRUE(PostThreadMessageA(GetCurrentThreadId(), WM_SYSCOMMAND, SC_MONITORPOWER, 2));
    }
    {
        TUser user(first);
        RunSaver();
    }
    ASSERT_EQ(Starts.size(), 1u);
    EXPECT_EQ(Starts[0].Application, first);
    EXPECT_TRUE(LogHas(first, "click"));
    EXPECT_TRUE(ReadLog(second).empty());
}

INSTANTIATE_TEST_SUITE_P(Settings, NoRotationTest,
                         ::testing::Values(NoRotationCase{"ChangeOnStartup", true, false},
                                           NoRotationCase{"MonitorPowerDown", false, true}),
                         [](const auto& info) { return std::string(info.param.Name); });

} // namespace
