// Kaleidra.scr started as Windows starts a screen saver, observed through fixture savers that
// log how they were started and asked to close.

#include "E2eSupport.h"
#include "SettingsKey.h"

#include "Kdregistry.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <functional>
#include <iterator>
#include <optional>
#include <string>
#include <vector>

namespace {
const char* const OneSaverConfig = "Version=2.0.0\r\n\r\n[Only;On;3]\r\n@DIR@Saver One.scr;3\r\n";
const char* const TwoSaverConfig =
    "Version=2.0.0\r\n\r\n[Pair;On;3]\r\n@DIR@Saver A.scr;3\r\n@DIR@Saver B.scr;3\r\n";

class SaverRun : public ::testing::Test {
protected:
    void SetUp() override { RemoveSettingsKey(); }
    void TearDown() override { RemoveSettingsKey(); }

    // Kaleidra with savers A and B and a turn of 0 minutes, once its first saver has started;
    // no process when none started in time.
    PROCESS_INFORMATION StartPairWithRotation();

    TKaleidraFolder Folder;
};

// The fixture's "start pid=.. cmdline=.. cwd=.." line, split.
struct TStartLine {
    DWORD Pid = 0;
    std::string CommandLine;
    std::string Folder;
};

TStartLine ParseStart(const std::string& line) {
    TStartLine start;
    start.Pid = PidOfStartLine(line);
    const auto cmd = line.find(" cmdline=");
    const auto cwd = line.rfind(" cwd=");
    if (cmd != std::string::npos && cwd != std::string::npos && cwd > cmd) {
        start.CommandLine = line.substr(cmd + 9, cwd - cmd - 9);
        start.Folder = line.substr(cwd + 5);
    }
    return start;
}

std::string WithoutTrailingSlash(std::string path) {
    if (!path.empty() && path.back() == '\\')
        path.pop_back();
    return path;
}

HWND MakeParentWindow(int width, int height) {
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = DefWindowProcA;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = "KaleidraTestPreviewParent";
    RegisterClassA(&windowClass);
    return CreateWindowExA(0, windowClass.lpszClassName, "Preview parent", WS_POPUP | WS_VISIBLE,
                           100, 100, width, height, nullptr, nullptr, windowClass.hInstance,
                           nullptr);
}

struct TDialogSearch {
    DWORD Pid;
    std::vector<std::string> Texts;
};

BOOL CALLBACK CollectStaticText(HWND child, LPARAM data) {
    char name[64] = {};
    char text[512] = {};
    GetClassNameA(child, name, sizeof name);
    if (lstrcmpiA(name, "Static") == 0 && GetWindowTextA(child, text, sizeof text))
        reinterpret_cast<TDialogSearch*>(data)->Texts.push_back(text);
    return TRUE;
}

BOOL CALLBACK SearchProcessWindow(HWND window, LPARAM data) {
    auto* search = reinterpret_cast<TDialogSearch*>(data);
    if (BelongsTo(window, search->Pid))
        EnumChildWindows(window, CollectStaticText, data);
    return TRUE;
}

BOOL CALLBACK PressOk(HWND window, LPARAM pid) {
    if (BelongsTo(window, static_cast<DWORD>(pid)))
        PostMessageA(window, WM_COMMAND, IDOK, 0);
    return TRUE;
}

// Texts of the static controls of the top-level windows that belong to process `pid`.
std::vector<std::string> DialogTexts(DWORD pid) {
    TDialogSearch search{pid, {}};
    EnumWindows(SearchProcessWindow, reinterpret_cast<LPARAM>(&search));
    return search.Texts;
}
} // namespace

PROCESS_INFORMATION SaverRun::StartPairWithRotation() {
    SetRotation(false, 0);
    Folder.AddSaver("fx_click.exe", "Saver A.scr");
    Folder.AddSaver("fx_click.exe", "Saver B.scr");
    Folder.WriteConfig(TwoSaverConfig);
    const auto kaleidra = Folder.Start("/s");
    const bool started = PumpUntil(
        [&] { return !Folder.Log("Saver A.scr").empty() || !Folder.Log("Saver B.scr").empty(); },
        30000);
    return started ? kaleidra : PROCESS_INFORMATION{};
}

TEST_F(SaverRun, StartsASaverOfTheCollectionQuotedInItsFolderAndEndsWithIt) {
    Folder.AddSaver("fx_click.exe", "Saver One.scr");
    Folder.WriteConfig(OneSaverConfig);
    const auto kaleidra = Folder.Start("/s");
    ASSERT_TRUE(Folder.WaitForLogLine("Saver One.scr", "start"));

    const TStartLine start = ParseStart(Folder.Log("Saver One.scr").front());
    EXPECT_EQ(start.CommandLine, "\"" + Folder.Path() + "Saver One.scr\" /s");
    EXPECT_EQ(WithoutTrailingSlash(start.Folder), WithoutTrailingSlash(Folder.Path()));
    EXPECT_FALSE(WaitForExit(kaleidra, 0)) << "Kaleidra watches its saver while it runs";

    // The user moves the mouse: the saver ends, and the run with it, within a poll or two.
    EndProcess(start.Pid); // returns once the saver has gone
    const DWORD endedAt = GetTickCount();
    DWORD exitCode = 99;
    ASSERT_TRUE(WaitForExit(kaleidra, 5000, &exitCode));
    const DWORD lag = GetTickCount() - endedAt;
    EXPECT_EQ(exitCode, 0u);
    std::printf("run ended %lu ms after its saver\n", static_cast<unsigned long>(lag));
    EXPECT_LE(lag, 1500u) << "polled every 500 ms; Wine adds its own process teardown";
    EXPECT_EQ(CountLines(Folder.Log("Saver One.scr"), "start"), 1);
}

TEST_F(SaverRun, RotationAsksTheOldSaverToCloseBeforeTheNextStarts) {
    const auto kaleidra = StartPairWithRotation();
    ASSERT_TRUE(kaleidra.hProcess);
    const bool aFirst = !Folder.Log("Saver A.scr").empty();
    const std::string first = aFirst ? "Saver A.scr" : "Saver B.scr";
    const std::string second = aFirst ? "Saver B.scr" : "Saver A.scr";

    // With a turn of 0 minutes every timer event draws again; the other saver soon wins.
    ASSERT_TRUE(Folder.WaitForLogLine(second, "start", 1, 60000));
    const auto firstLog = Folder.Log(first);
    EXPECT_EQ(CountLines(firstLog, "click"), 1) << "the old saver was asked to close first";
    EXPECT_EQ(CountLines(firstLog, "exit"), 1) << "and had ended before the new one started";
    EXPECT_FALSE(WaitForExit(kaleidra, 0)) << "the run goes on with the new saver";
    TerminateProcess(kaleidra.hProcess, 0);
}

TEST_F(SaverRun, MonitorPowerDownEndsTheRotation) {
    const auto kaleidra = StartPairWithRotation();
    ASSERT_TRUE(kaleidra.hProcess);
    // As the system tells every top-level window that the monitor is going off.
    PostMessageA(HWND_BROADCAST, WM_SYSCOMMAND, SC_MONITORPOWER, 2);
    Sleep(6000); // six turns of 0 minutes, each of which would draw again
    const auto a = Folder.Log("Saver A.scr"), b = Folder.Log("Saver B.scr");
    EXPECT_EQ(CountLines(a, "start") + CountLines(b, "start"), 1);
    EXPECT_EQ(CountLines(a, "click") + CountLines(b, "click"), 0) << "the saver was never stopped";
    EXPECT_FALSE(WaitForExit(kaleidra, 0));
    TerminateProcess(kaleidra.hProcess, 0);
}

TEST_F(SaverRun, SingleSaverGroupIsNeverStopped) {
    SetRotation(false, 0);
    Folder.AddSaver("fx_click.exe", "Saver One.scr");
    Folder.WriteConfig(OneSaverConfig);
    const auto kaleidra = Folder.Start("/s");
    ASSERT_TRUE(Folder.WaitForLogLine("Saver One.scr", "start"));
    Sleep(4500); // four timer events, each of which draws the same saver again
    EXPECT_EQ(Folder.Log("Saver One.scr"), std::vector<std::string>{Folder.Log("Saver One.scr")[0]})
        << "no click, close or quit request, and no second start";
    EXPECT_FALSE(WaitForExit(kaleidra, 0));
    TerminateProcess(kaleidra.hProcess, 0);
}

TEST_F(SaverRun, EndsWhenNothingCanStart) {
    struct Case {
        const char* name;
        std::string config;
    };
    const Case cases[] = {
        {"no file", ""},
        {"only an inactive group", "Version=2.0.0\r\n[Off;Off;3]\r\n@DIR@Saver One.scr;3\r\n"},
        {"six savers that are no programs",
         "Version=2.0.0\r\n[Broken;On;3]\r\n@DIR@b1.scr\r\n@DIR@b2.scr\r\n@DIR@b3.scr\r\n"
         "@DIR@missing1.scr\r\n@DIR@missing2.scr\r\n@DIR@missing3.scr\r\n"},
    };
    Folder.AddSaver("fx_click.exe", "Saver One.scr");
    for (const char* broken : {"b1.scr", "b2.scr", "b3.scr"})
        Folder.AddFile("fx_broken.scr", broken);
    for (const auto& c : cases) {
        if (c.config.empty())
            DeleteFileA((Folder.Path() + "Kaleidra.cfg").c_str());
        else
            Folder.WriteConfig(c.config);
        const auto kaleidra = Folder.Start("/s");
        DWORD exitCode = 99;
        EXPECT_TRUE(WaitForExit(kaleidra, 20000, &exitCode)) << c.name;
        EXPECT_EQ(exitCode, 0u) << c.name;
        EXPECT_TRUE(Folder.Log("Saver One.scr").empty()) << c.name;
    }
}

TEST_F(SaverRun, LockRefusesOtherInstancesButNotThePasswordChange) {
    Folder.AddSaver("fx_click.exe", "Saver One.scr");
    Folder.AddFile("fake_mpr.dll", "MPR.DLL");
    Folder.WriteConfig(OneSaverConfig);
    const TNativeDllOverride useOurMpr("Kaleidra.scr", "mpr");

    // A password change takes no lock: a saver run starts while its dialog is open.
    const auto password = Folder.Start("/a");
    ASSERT_TRUE(Folder.WaitForLogLine("MPR.DLL", "PwdChangePasswordA provider=SCRSAVE"));
    const auto saver = Folder.Start("/s");
    ASSERT_TRUE(Folder.WaitForLogLine("Saver One.scr", "start"));
    EXPECT_TRUE(WaitForExit(password, 20000));

    // While the run holds the lock, every other mode ends at once and silently...
    for (const char* arguments : {"/s", "/c", "/x", "/p:0", "-S"}) {
        const auto second = Folder.Start(arguments);
        DWORD exitCode = 99;
        EXPECT_TRUE(WaitForExit(second, 10000, &exitCode)) << arguments;
        EXPECT_EQ(exitCode, 0u) << arguments;
        EXPECT_TRUE(DialogTexts(second.dwProcessId).empty()) << arguments;
    }
    EXPECT_EQ(CountLines(Folder.Log("Saver One.scr"), "start"), 1);

    // ...but the password change still reaches the provider.
    const auto again = Folder.Start("/a");
    EXPECT_TRUE(Folder.WaitForLogLine("MPR.DLL", "PwdChangePasswordA provider=SCRSAVE", 2));
    EXPECT_TRUE(WaitForExit(again, 20000));
    EXPECT_FALSE(WaitForExit(saver, 0));
    TerminateProcess(saver.hProcess, 0);
}

TEST_F(SaverRun, UnknownLetterTakesTheLockAndEnds) {
    // "/x" holds the lock for its short life only; afterwards a saver run starts normally.
    DWORD exitCode = 99;
    EXPECT_TRUE(WaitForExit(Folder.Start("/x"), 10000, &exitCode));
    EXPECT_EQ(exitCode, 0u);
    Folder.AddSaver("fx_exit.exe", "Quick.scr");
    Folder.WriteConfig("[Q]\r\n@DIR@Quick.scr\r\n");
    EXPECT_TRUE(WaitForExit(Folder.Start("/s"), 20000));
    EXPECT_EQ(CountLines(Folder.Log("Quick.scr"), "start"), 1);
}

TEST_F(SaverRun, PreviewFillsTheParentAndEndsWithIt) {
    for (const char* form : {"/p %lu", "/p:%lu"}) {
        const HWND parent = MakeParentWindow(152, 112);
        ASSERT_NE(parent, nullptr);
        char arguments[64];
        std::snprintf(arguments, sizeof arguments, form,
                      static_cast<unsigned long>(reinterpret_cast<ULONG_PTR>(parent)));
        const auto preview = Folder.Start(arguments);

        HWND child = nullptr;
        ASSERT_TRUE(PumpUntil(
            [&] {
                // Found during its creation, it is visible only once that is over.
                child = FindWindowExA(parent, nullptr, "PreviewWindowClass", "QelSaverLibSaver");
                return child != nullptr && IsWindowVisible(child);
            },
            20000))
            << form;
        RECT area{};
        GetWindowRect(child, &area);
        EXPECT_EQ(area.right - area.left, 152) << form;
        EXPECT_EQ(area.bottom - area.top, 112) << form;
        const LONG style = GetWindowLongA(child, GWL_STYLE);
        EXPECT_EQ(style & (WS_CHILD | WS_VISIBLE | WS_DISABLED),
                  WS_CHILD | WS_VISIBLE | WS_DISABLED);

        DestroyWindow(parent);
        EXPECT_TRUE(PumpUntil([&] { return WaitForExit(preview, 0); }, 20000)) << form;
    }
}

TEST_F(SaverRun, PreviewHandleThatIsNoNumberIsReported) {
    const auto preview = Folder.Start("/p:abc");
    std::vector<std::string> texts;
    ASSERT_TRUE(PumpUntil(
        [&] {
            texts = DialogTexts(preview.dwProcessId);
            return !texts.empty();
        },
        20000));
    EXPECT_NE(std::find(texts.begin(), texts.end(), "'abc' is not a valid integer value"),
              texts.end());
    // Dismissing the message ends the program normally.
    EnumWindows(PressOk, static_cast<LPARAM>(preview.dwProcessId));
    DWORD exitCode = 99;
    EXPECT_TRUE(WaitForExit(preview, 10000, &exitCode));
    EXPECT_EQ(exitCode, 0u);
}
