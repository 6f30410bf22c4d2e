// Kaleidra.scr /c: the settings window of the real program, driven from outside through its
// windows as a user drives it, and what it leaves in the file and the registry.

#include "E2eSupport.h"
#include "SettingsKey.h"

#include "Dialogs.h"
#include "KdconfigRes.h"
#include "Kdregistry.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <fstream>
#include <iterator>
#include <optional>
#include <string>

// ---- configure mode ----

namespace {
struct TChildSearch {
    const char* Text;
    HWND Found;
};

BOOL CALLBACK FindChildWithText(HWND child, LPARAM data) {
    auto* search = reinterpret_cast<TChildSearch*>(data);
    char text[64] = {};
    GetWindowTextA(child, text, sizeof text);
    if (std::string(text) != search->Text)
        return TRUE;
    search->Found = child;
    return FALSE;
}

// A picture button carries its hint as its window text, so it can be found by it.
HWND ChildWithText(HWND parent, const char* text) {
    TChildSearch search{text, nullptr};
    EnumChildWindows(parent, FindChildWithText, reinterpret_cast<LPARAM>(&search));
    return search.Found;
}

void PostClick(HWND button) {
    PostMessageA(button, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    PostMessageA(button, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
}

std::string FileBytes(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), {});
}

// An old-format file: any rewrite would change it.
const char* const OldFormatConfig = "Version=1.0.0\n[Only;On]\n@DIR@Saver One.scr;4\n";

class ConfigureMode : public ::testing::Test {
protected:
    void SetUp() override { RemoveSettingsKey(); }
    void TearDown() override { RemoveSettingsKey(); }

    // Starts "Kaleidra.scr /c" (or with other arguments) and waits for its settings window.
    HWND OpenSettings(PROCESS_INFORMATION& process, const std::string& arguments = "/c") {
        process = Folder.Start(arguments);
        HWND window = nullptr;
        PumpUntil(
            [&] {
                window = ProcessWindowTitled(process.dwProcessId, "Kaleidra Settings");
                return window != nullptr;
            },
            30000);
        return window;
    }

    TKaleidraFolder Folder;
};
} // namespace

TEST_F(ConfigureMode, SettingsWindowClosedWithoutOkEndsTheProgramAndWritesNothing) {
    struct Case {
        const char* Name;
        const char* Arguments; // no argument opens the settings too
        void (*Close)(HWND window);
    };
    const Case cases[] = {
        {"WM_CLOSE", "/c", [](HWND window) { PostMessageA(window, WM_CLOSE, 0, 0); }},
        {"Cancel button", "", [](HWND window) { PostClick(ChildWithText(window, "Cancel")); }},
    };
    Folder.WriteConfig(OldFormatConfig);
    const std::string config = Folder.Path() + "Kaleidra.cfg";
    const std::string before = FileBytes(config);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        PROCESS_INFORMATION process{};
        const HWND window = OpenSettings(process, c.Arguments);
        ASSERT_NE(window, nullptr) << "a window titled \"Kaleidra Settings\" of the process";
        ASSERT_NE(ChildWithText(window, "Cancel"), nullptr);

        c.Close(window);

        DWORD exitCode = 99;
        EXPECT_TRUE(WaitForExit(process, 30000, &exitCode));
        EXPECT_EQ(exitCode, 0u);
        EXPECT_EQ(FileBytes(config), before);
        EXPECT_EQ(SettingsValue(KDChangeOnStartupValue), std::nullopt);
        EXPECT_EQ(SettingsValue(KDChangeAfterMinutesValue), std::nullopt);
    }
}

TEST_F(ConfigureMode, OkRewritesTheFileInTheCurrentFormatAndStoresTheSettings) {
    Folder.WriteConfig(OldFormatConfig);
    PROCESS_INFORMATION process{};
    const HWND window = OpenSettings(process);
    ASSERT_NE(window, nullptr);
    const HWND ok = ChildWithText(window, "OK");
    ASSERT_NE(ok, nullptr);

    PostClick(ok);

    DWORD exitCode = 99;
    EXPECT_TRUE(WaitForExit(process, 30000, &exitCode));
    EXPECT_EQ(exitCode, 0u);
    EXPECT_EQ(FileBytes(Folder.Path() + "Kaleidra.cfg"),
              "Version=2.0.0\r\n\r\n[Only;On;1]\r\n" + Folder.Path() + "Saver One.scr;4\r\n");
    EXPECT_EQ(SettingsValue(KDChangeOnStartupValue), 1u);
    EXPECT_EQ(SettingsValue(KDChangeAfterMinutesValue), 15u);
}

// ---- a session of group and option edits ----

namespace {
struct TIdSearch {
    int Id;
    HWND Found;
};

BOOL CALLBACK FindDescendantWithId(HWND child, LPARAM data) {
    auto* search = reinterpret_cast<TIdSearch*>(data);
    if (GetDlgCtrlID(child) != search->Id)
        return TRUE;
    search->Found = child;
    return FALSE;
}

// The control of the window or of one of its pages with this id.
HWND ControlWithId(HWND window, int id) {
    TIdSearch search{id, nullptr};
    EnumChildWindows(window, FindDescendantWithId, reinterpret_cast<LPARAM>(&search));
    return search.Found;
}

// A click the control handles before the call returns (for commands that open no box).
void Click(HWND control, int x = 5, int y = 5) {
    SendMessageA(control, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
    SendMessageA(control, WM_LBUTTONUP, 0, MAKELPARAM(x, y));
}

// A click on entry `index` of the group list: on its check box, or on its name.
void ClickGroup(HWND list, int index, bool onCheckBox) {
    const int height = static_cast<int>(SendMessageA(list, LB_GETITEMHEIGHT, 0, 0));
    const int top = static_cast<int>(SendMessageA(list, LB_GETTOPINDEX, 0, 0));
    Click(list, onCheckBox ? 6 : 80, (index - top) * height + height / 2);
}

// Clicks a command that asks for a name, waits for the input box with `caption`, types `name`
// into it and presses OK; false when no box came.
bool AnswerNameBox(DWORD pid, HWND command, const char* caption, const std::string& name) {
    PostMessageA(command, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    PostMessageA(command, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    HWND box = nullptr;
    if (!PumpUntil([&] { return (box = ProcessWindowTitled(pid, caption)) != nullptr; }, 20000))
        return false;
    HWND edit = GetDlgItem(box, InputQueryEditId);
    SendMessageA(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(name.c_str()));
    SendMessageA(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(box, IDOK)));
    return PumpUntil([&] { return !IsWindow(box); }, 20000);
}

// Read through the wide message: Wine hands list texts to another process in UTF-16.
std::string GroupEntry(HWND list, int index) {
    wchar_t wide[256] = {};
    SendMessageW(list, LB_GETTEXT, index, reinterpret_cast<LPARAM>(wide));
    char text[256] = {};
    WideCharToMultiByte(CP_ACP, 0, wide, -1, text, sizeof text, nullptr, nullptr);
    return text;
}

const char* const TwoGroupConfig = "Version=2.0.0\r\n"
                                   "\r\n"
                                   "[Alpha;On;1]\r\n"
                                   "@DIR@Saver One.scr;4\r\n"
                                   "\r\n"
                                   "[Beta;On;2]\r\n";
} // namespace

TEST_F(ConfigureMode, GroupsAndOptionsEditedInTheWindowAreWrittenByOkAndDroppedByCancel) {
    for (const bool pressOk : {false, true}) {
        SCOPED_TRACE(pressOk ? "OK" : "Cancel");
        RemoveSettingsKey();
        Folder.WriteConfig(TwoGroupConfig);
        const std::string config = Folder.Path() + "Kaleidra.cfg";
        const std::string before = FileBytes(config);
        PROCESS_INFORMATION process{};
        const HWND window = OpenSettings(process);
        ASSERT_NE(window, nullptr);
        const DWORD pid = process.dwProcessId;
        const HWND groups = ControlWithId(window, IDC_ACTIVEGROUPS);
        ASSERT_NE(groups, nullptr);

        // Create Gamma, rename Beta to Bravo, move Gamma to the top, switch Alpha off.
        ASSERT_TRUE(
            AnswerNameBox(pid, ControlWithId(window, IDC_BTNADDGROUP), "Add Blank Group", "Gamma"));
        ClickGroup(groups, 1, false);
        ASSERT_TRUE(
            AnswerNameBox(pid, ControlWithId(window, IDC_BTNRENAMEGROUP), "Rename Group", "Bravo"));
        ClickGroup(groups, 2, false);
        Click(ControlWithId(window, IDC_BTNMOVEGROUPUP));
        Click(ControlWithId(window, IDC_BTNMOVEGROUPUP));
        ClickGroup(groups, 1, true);
        ASSERT_EQ(SendMessageA(groups, LB_GETCOUNT, 0, 0), 3);
        EXPECT_EQ(GroupEntry(groups, 0), "Gamma");
        EXPECT_EQ(GroupEntry(groups, 1), "Alpha");
        EXPECT_EQ(GroupEntry(groups, 2), "Bravo");

        // Rotate every 30 minutes.
        SendMessageA(ControlWithId(window, IDC_SOCHANGERUNNING), BM_CLICK, 0, 0);
        const HWND minutes = ControlWithId(window, IDC_SAVERCHANGETIME);
        ASSERT_TRUE(IsWindowEnabled(minutes));
        SendMessageA(minutes, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("30"));

        PostClick(ChildWithText(window, pressOk ? "OK" : "Cancel"));
        DWORD exitCode = 99;
        ASSERT_TRUE(WaitForExit(process, 30000, &exitCode));
        EXPECT_EQ(exitCode, 0u);
        if (!pressOk) {
            EXPECT_EQ(FileBytes(config), before);
            EXPECT_EQ(SettingsValue(KDChangeOnStartupValue), std::nullopt);
            EXPECT_EQ(SettingsValue(KDChangeAfterMinutesValue), std::nullopt);
            continue;
        }
        EXPECT_EQ(FileBytes(config), "Version=2.0.0\r\n"
                                     "\r\n"
                                     "[Gamma;On;1]\r\n"
                                     "\r\n"
                                     "[Alpha;Off;1]\r\n" +
                                         Folder.Path() +
                                         "Saver One.scr;4\r\n"
                                         "\r\n"
                                         "[Bravo;On;2]\r\n");
        EXPECT_EQ(SettingsValue(KDChangeOnStartupValue), 0u);
        EXPECT_EQ(SettingsValue(KDChangeAfterMinutesValue), 30u);
    }
}
