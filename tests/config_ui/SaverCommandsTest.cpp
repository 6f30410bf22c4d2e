// The Savers page's smaller commands: the pictures' hints and tags, the selection buttons of
// both lists, the folder buttons, and the buttons that start a saver.

#include "ConfigFormTestSupport.h"

#include "Application.h"
#include "Kdlist.h"
#include "Kdregistry.h"
#include "QelDropListBox.h"
#include "ShellFileList.h"
#include "ShellFolderTree.h"

#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

namespace {
using Indexes = std::vector<int>;

Indexes SelectedFiles(const TShellFileList& files) {
    return files.SelectedIndexes();
}

std::string WithoutTrailingSeparator(std::string path) {
    if (!path.empty() && path.back() == '\\')
        path.pop_back();
    return path;
}

bool SameFolder(const std::string& a, const std::string& b) {
    return lstrcmpiA(WithoutTrailingSeparator(a).c_str(), WithoutTrailingSeparator(b).c_str()) == 0;
}

// The first line of a fixture saver's log, once it is there.
std::string WaitForStartLine(const std::string& log) {
    for (int tries = 0; tries < 400; ++tries) {
        std::ifstream file(log);
        std::string line;
        if (std::getline(file, line) && line.rfind("start ", 0) == 0)
            return line;
        Sleep(25);
    }
    return {};
}
} // namespace

TEST_F(ConfigFormTest, SaversPageButtonsCarryTheirHintsTagsAndSizes) {
    Open(std::nullopt);
    struct Case {
        TSpeedButton* Button;
        const char* Hint;
        int Tag;
        int Width;
        int Height;
    };
    const Case cases[] = {
        {Form->btnWinDir, "Go to Windows directory", 0, 20, 20},
        {Form->btnSysDir, "Go to Windows\\System directory", 1, 20, 20},
        {Form->btnFilePreview, "Preview selected saver", 0, 20, 20},
        {Form->btnSelectAllFiles, "Select All", 1, 20, 20},
        {Form->btnSelectNoFiles, "Select None", 2, 20, 20},
        {Form->btnSelectInvFiles, "Inverse Selection", 3, 20, 20},
        {Form->btnAddSaver, "Add saver(s) to saver list", 0, 73, 22},
        {Form->btnRemoveSaver, "Remove saver(s) from saver list", 0, 73, 22},
        {Form->btnMoveTop, "Move selected saver(s) to top", 1, 20, 20},
        {Form->btnMoveUp, "Move selected saver(s) up", 0, 20, 20},
        {Form->btnMoveDown, "Move selected saver(s) down", 0, 20, 20},
        {Form->btnMoveBottom, "Move selected saver(s) to bottom", 2, 20, 20},
        {Form->btnSaverPreview, "Preview selected saver", 1, 20, 20},
        {Form->btnSaverConfig, "Configure selected saver", 2, 20, 20},
        {Form->btnSelectAllSavers, "Select All", 1, 20, 20},
        {Form->btnSelectNoSavers, "Select None", 2, 20, 20},
        {Form->btnSelectInvSavers, "Inverse Selection", 3, 20, 20},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Hint);
        EXPECT_EQ(c.Button->GetHint(), c.Hint);
        EXPECT_EQ(c.Button->Tag, c.Tag);
        EXPECT_EQ(c.Button->Width(), c.Width);
        EXPECT_EQ(c.Button->Height(), c.Height);
        EXPECT_TRUE(c.Button->Flat);
    }
    EXPECT_EQ(Form->btnAddSaver->GetCaption(), "Add");
    EXPECT_EQ(Form->btnRemoveSaver->GetCaption(), "Remove");
    EXPECT_EQ(Form->SaverLB->GetHint(), "") << "the list's tooltips are its long entries";
}

TEST_F(ConfigFormTest, SelectionButtonsSelectAllNoneOrTheRestInBothLists) {
    const TSaverFolder& folder = MakeSaverFolder({"a.scr", "b.scr", "c.scr", "notes.txt"});
    Open("Version=2.0.0\r\n\r\n[G;On;1]\r\nC:\\s0.scr;1\r\nC:\\s1.scr;5\r\nC:\\s2.scr;2\r\n");
    ASSERT_TRUE(Form->DirectoryView->SetSelectedFolder(folder.Path()));
    ASSERT_EQ(Form->FileView->Count(), 3) << "only the saver files";

    Form->FileView->SetSelected(1, true);
    ClickControl(*Form->btnSelectInvFiles);
    EXPECT_EQ(SelectedFiles(*Form->FileView), (Indexes{0, 2}));
    EXPECT_TRUE(Form->btnAddSaver->GetEnabled());
    EXPECT_TRUE(Form->btnFilePreview->GetEnabled());
    ClickControl(*Form->btnSelectNoFiles);
    EXPECT_EQ(SelectedFiles(*Form->FileView), Indexes{});
    EXPECT_FALSE(Form->btnAddSaver->GetEnabled());
    EXPECT_FALSE(Form->btnFilePreview->GetEnabled());
    ClickControl(*Form->btnSelectAllFiles);
    EXPECT_EQ(SelectedFiles(*Form->FileView), (Indexes{0, 1, 2}));

    // The saver buttons end as a click in the list ends: the focused saver's priority shows
    // and the commands follow the selection.
    Form->SaverLB->SetSelected(1, true);
    Form->SaverLB->SetFocusedIndex(1);
    ClickControl(*Form->btnSelectInvSavers);
    EXPECT_EQ(SelectedEntries(), (Indexes{0, 2}));
    EXPECT_EQ(Form->SaverPriority->Position(), 5);
    EXPECT_TRUE(Form->btnRemoveSaver->GetEnabled());
    ClickControl(*Form->btnSelectNoSavers);
    EXPECT_EQ(SelectedEntries(), Indexes{});
    EXPECT_FALSE(Form->btnRemoveSaver->GetEnabled());
    ClickControl(*Form->btnSelectAllSavers);
    EXPECT_EQ(SelectedEntries(), (Indexes{0, 1, 2}));
    EXPECT_TRUE(Form->btnMoveUp->GetEnabled());
}

TEST_F(ConfigFormTest, SelectingAFileWithTheKeyboardEnablesAddAndPreview) {
    const TSaverFolder& folder = MakeSaverFolder({"a.scr", "b.scr"});
    Open(std::nullopt);
    ASSERT_TRUE(Form->DirectoryView->SetSelectedFolder(folder.Path()));
    ASSERT_FALSE(Form->btnAddSaver->GetEnabled());
    SetFocus(Form->FileView->Handle());
    SendMessageA(Form->FileView->Handle(), WM_KEYDOWN, VK_HOME, 0);
    SendMessageA(Form->FileView->Handle(), WM_KEYUP, VK_HOME, 0);
    ASSERT_EQ(SelectedFiles(*Form->FileView), Indexes{0});
    EXPECT_TRUE(Form->btnAddSaver->GetEnabled());
    EXPECT_TRUE(Form->btnFilePreview->GetEnabled());
}

TEST_F(ConfigFormTest, FolderButtonsShowTheWindowsAndSystemFolders) {
    Open(std::nullopt);
    char windows[MAX_PATH] = {};
    char system[MAX_PATH] = {};
    GetWindowsDirectoryA(windows, MAX_PATH);
    GetSystemDirectoryA(system, MAX_PATH);
    ClickControl(*Form->btnWinDir);
    EXPECT_TRUE(SameFolder(Form->DirectoryView->SelectedFolder(), windows))
        << Form->DirectoryView->SelectedFolder();
    EXPECT_TRUE(SameFolder(Form->FileView->Folder(), windows));
    ClickControl(*Form->btnSysDir);
    EXPECT_TRUE(SameFolder(Form->DirectoryView->SelectedFolder(), system))
        << Form->DirectoryView->SelectedFolder();
    EXPECT_TRUE(SameFolder(Form->FileView->Folder(), system));
}

// The list's buttons start the focused saver, quoted, in its own folder at normal priority;
// the file list's button starts the first selected file in the tree's folder at idle priority.
TEST_F(ConfigFormTest, PreviewAndConfigureStartTheSaverAndLetItRunOnItsOwn) {
    const TSaverFolder& folder = MakeSaverFolder({});
    struct Case {
        const char* Name;
        const char* Mode;
        DWORD Priority;
        bool FromFileList;
    };
    const Case cases[] = {{"Preview", "/s", NORMAL_PRIORITY_CLASS, false},
                          {"Config", "/c", NORMAL_PRIORITY_CLASS, false},
                          {"FilePreview", "/s", IDLE_PRIORITY_CLASS, true}};
    for (const Case& c : cases) {
        const std::string saver = folder.Path() + c.Name + ".scr";
        ASSERT_TRUE(CopyFileA((ProgramFolder() + "fx_exit.exe").c_str(), saver.c_str(), FALSE));
    }
    Open("Version=2.0.0\r\n\r\n[G;On;1]\r\n" + folder.Path() + "Preview.scr;3\r\n" + folder.Path() +
         "Config.scr;3\r\n");
    ASSERT_TRUE(Form->DirectoryView->SetSelectedFolder(folder.Path()));
    // The priority class is seen on its way to the real start (Wine starts every process at
    // normal priority, whatever it is asked).
    std::vector<DWORD> creationFlags;
    SetProcessCreator([&](LPCSTR application, LPSTR commandLine, DWORD flags, LPCSTR directory,
                          LPSTARTUPINFOA startup, LPPROCESS_INFORMATION process) {
        creationFlags.push_back(flags);
        return CreateProcessDirect(application, commandLine, flags, directory, startup, process);
    });
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        const std::string saver = folder.Path() + c.Name + ".scr";
        if (c.FromFileList) {
            ClickControl(*Form->btnSelectNoFiles);
            for (int i = 0; i < Form->FileView->Count(); ++i)
                if (Form->FileView->ItemName(i) == std::string(c.Name) + ".scr")
                    Form->FileView->SetSelected(i, true);
            ClickControl(*Form->btnFilePreview);
        } else {
            // Both savers selected: the focused one is started.
            const int entry = std::string(c.Name) == "Preview" ? 0 : 1;
            ClickControl(*Form->btnSelectAllSavers);
            Form->SaverLB->SetFocusedIndex(entry);
            ClickControl(std::string(c.Mode) == "/s" ? *Form->btnSaverPreview
                                                     : *Form->btnSaverConfig);
        }
        const std::string line = WaitForStartLine(folder.Path() + c.Name + ".log");
        ASSERT_FALSE(line.empty()) << "the saver started";
        ASSERT_FALSE(creationFlags.empty());
        EXPECT_EQ(creationFlags.back(), c.Priority);
        EXPECT_TRUE(Contains(line, "cmdline=\"" + saver + "\" " + c.Mode + " ")) << line;
        EXPECT_TRUE(Contains(line, "cwd=" + WithoutTrailingSeparator(folder.Path()))) << line;
    }
    SetProcessCreator(nullptr);
    EXPECT_EQ(creationFlags.size(), 3u) << "one start per click";
}
