// The configuration window as a whole: what it shows when it opens, and what OK, Cancel and a
// save that fails leave in the file and the registry.

#include "ConfigFormTestSupport.h"

#include "Application.h"
#include "AtomicFile.h"
#include "Kdlist.h"
#include "Kdregistry.h"
#include "QelDropListBox.h"
#include "ShellFolderTree.h"
#include "SpinEdit.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace {
using Texts = std::vector<std::string>;

const char* const TwoGroups = "Version=2.0.0\r\n"
                              "\r\n"
                              "[Alpha;On;2]\r\n"
                              "C:\\Savers\\One.scr;4\r\n"
                              "C:\\Savers\\Two.scr;1\r\n"
                              "\r\n"
                              "[Beta;Off;5]\r\n"
                              "C:\\Savers\\Three.scr;3\r\n";

std::string WithoutTrailingSeparator(std::string path) {
    if (!path.empty() && path.back() == '\\')
        path.pop_back();
    return path;
}
} // namespace

TEST_F(ConfigFormTest, OpensOnAMissingFileWithTheDefaultGroupAndNoSavers) {
    Open(std::nullopt);
    EXPECT_EQ(TabTexts(*Form->GroupTabs), Texts{"Default"});
    EXPECT_EQ(Form->GroupTabs->TabIndex(), 0);
    EXPECT_EQ(Form->SaverLB->Count(), 0);
    EXPECT_EQ(CollectionEntries(), Texts{});
    ASSERT_EQ(Form->ActiveGroups->Count(), 1);
    EXPECT_EQ(Form->ActiveGroups->Get(0), "Default");
    EXPECT_TRUE(Form->ActiveGroups->Checked(0)) << "the default group is active";
    for (const auto& [name, control] : SaverCommands())
        EXPECT_FALSE(control->GetEnabled()) << name;
    EXPECT_FALSE(Form->btnAddSaver->GetEnabled()) << "no file is selected";
    EXPECT_EQ(ConfigBytes(), std::nullopt) << "opening writes nothing";
    EXPECT_FALSE(SettingsKeyExists());
}

TEST_F(ConfigFormTest, OpensOnTheFileWithEveryGroupAndTheFirstGroupsSavers) {
    Open(TwoGroups);
    EXPECT_EQ(TabTexts(*Form->GroupTabs), (Texts{"Alpha", "Beta"}));
    EXPECT_EQ(Form->GroupTabs->TabIndex(), 0);
    EXPECT_EQ(ListEntries(), (Texts{"C:\\Savers\\One.scr", "C:\\Savers\\Two.scr"}));
    EXPECT_EQ(CollectionEntries(), ListEntries());
    EXPECT_EQ(Form->SaverLB->SelCount(), 0);
    ASSERT_EQ(Form->ActiveGroups->Count(), 2);
    EXPECT_TRUE(Form->ActiveGroups->Checked(0));
    EXPECT_FALSE(Form->ActiveGroups->Checked(1)) << "Beta is switched off in the file";
    for (const auto& [name, control] : SaverCommands())
        EXPECT_FALSE(control->GetEnabled()) << name;
}

TEST_F(ConfigFormTest, CaptionIsTheApplicationTitleFollowedBySettings) {
    Open(std::nullopt);
    // Before start-up names it, the title comes from the program file: this test program's
    // name up to its first dot, every letter after the first in lower case.
    EXPECT_EQ(Application().Title(), "config_ui_tests");
    EXPECT_EQ(Form->GetCaption(), Application().Title() + " Settings");
    EXPECT_EQ(Form->ConfigFileName, ProgramFolder() + "Kaleidra.cfg");
    EXPECT_EQ(lstrcmpiA(WithoutTrailingSeparator(Form->DirectoryView->SelectedFolder()).c_str(),
                        WithoutTrailingSeparator(ProgramFolder()).c_str()),
              0)
        << Form->DirectoryView->SelectedFolder();
}

// A value outside 1 to 360 is shown clamped; OK without touching it writes back what was read.
TEST_F(ConfigFormTest, OkRewritesTheFileInTheCurrentFormatAndWritesBothSettings) {
    SetSettingsValue(KDChangeOnStartupValue, 0);
    SetSettingsValue(KDChangeAfterMinutesValue, 500);
    Open("Version=1.0.1\n[Old;On]\nC:\\Savers\\One.scr\n  C:\\Savers\\Two.scr;5\n");
    EXPECT_EQ(Form->SaverChangeTime->Value(), 360);
    const HWND window = Form->Handle();

    ClickControl(*Form->OKBtn);

    EXPECT_EQ(ConfigBytes(), "Version=2.0.0\r\n"
                             "\r\n"
                             "[Old;On;1]\r\n"
                             "C:\\Savers\\One.scr;3\r\n"
                             "C:\\Savers\\Two.scr;5\r\n");
    EXPECT_EQ(SettingsValue(KDChangeOnStartupValue), 0u);
    EXPECT_EQ(SettingsValue(KDChangeAfterMinutesValue), 500u);
    EXPECT_FALSE(IsWindow(window)) << "OK closes the window";
    EXPECT_TRUE(MessageBoxes.Boxes().empty());
}

TEST_F(ConfigFormTest, OkWithoutAFileOrSettingsWritesTheDefaults) {
    Open(std::nullopt);
    ClickControl(*Form->OKBtn);
    EXPECT_EQ(ConfigBytes(), "Version=2.0.0\r\n\r\n[Default;On;1]\r\n");
    EXPECT_EQ(SettingsValue(KDChangeOnStartupValue), 1u);
    EXPECT_EQ(SettingsValue(KDChangeAfterMinutesValue), 15u);
}

TEST_F(ConfigFormTest, CancelAfterEditsLeavesFileAndRegistryExactlyAsTheyWere) {
    struct Case {
        const char* Name;
        bool SettingsStored;
    };
    for (const Case& c : {Case{"no settings stored", false}, Case{"settings stored", true}}) {
        SCOPED_TRACE(c.Name);
        RemoveSettingsKey();
        if (c.SettingsStored) {
            SetSettingsValue(KDChangeOnStartupValue, 0);
            SetSettingsValue(KDChangeAfterMinutesValue, 42);
        }
        // Lines a rewrite would change: LF ends, an old version, a priority out of range.
        const std::string bytes = "Version=1.0.0\n[Alpha;On]\nC:\\Savers\\One.scr;9\n"
                                  "C:\\Savers\\Two.scr\nC:\\Savers\\Three.scr\n";
        Open(bytes);
        const HWND window = Form->Handle();
        DropFiles(Form->SaverLB->Handle(), {"C:\\Savers\\New.scr"});
        Form->SaverLB->SetSelected(0, true);
        Form->btnMoveDownClick(Form->btnMoveDown);
        Form->SaverLB->SetSelected(1, false);
        Form->SaverLB->SetSelected(2, true);
        Form->btnRemoveSaverClick(Form->btnRemoveSaver);
        ASSERT_EQ(ListEntries(),
                  (Texts{"C:\\Savers\\Two.scr", "C:\\Savers\\One.scr", "C:\\Savers\\New.scr"}))
            << "the edits reached the window";

        ClickControl(*Form->CancelBtn);

        EXPECT_FALSE(IsWindow(window)) << "Cancel closes the window";
        EXPECT_EQ(ConfigBytes(), bytes);
        EXPECT_EQ(SettingsKeyExists(), c.SettingsStored);
        EXPECT_EQ(SettingsValue(KDChangeOnStartupValue),
                  c.SettingsStored ? std::optional<DWORD>(0) : std::nullopt);
        EXPECT_EQ(SettingsValue(KDChangeAfterMinutesValue),
                  c.SettingsStored ? std::optional<DWORD>(42) : std::nullopt);
        delete Form;
        Form = nullptr;
        SetUp();
    }
}

// What keeps the file from being replaced, and how to take it away again.
class TSaveBlocker {
public:
    virtual ~TSaveBlocker() = default;
    virtual void Release() = 0;
};

// A folder where the writer puts its temporary file: the new bytes cannot even be written.
class TFolderInTheWay : public TSaveBlocker {
public:
    explicit TFolderInTheWay(const std::string& config)
        : Folder(config + "." + std::to_string(GetCurrentProcessId()) + ".tmp") {
        CreateDirectoryA(Folder.c_str(), nullptr);
    }
    ~TFolderInTheWay() override { Release(); }
    void Release() override { RemoveDirectoryA(Folder.c_str()); }

private:
    std::string Folder;
};

// The file held open without sharing: the new bytes are written but cannot take its place.
class TFileHeldOpen : public TSaveBlocker {
public:
    explicit TFileHeldOpen(const std::string& config)
        : File(CreateFileA(config.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                           FILE_ATTRIBUTE_NORMAL, nullptr)) {}
    ~TFileHeldOpen() override { Release(); }
    void Release() override {
        if (File != INVALID_HANDLE_VALUE)
            CloseHandle(File);
        File = INVALID_HANDLE_VALUE;
    }

private:
    HANDLE File;
};

TEST_F(ConfigFormTest, FailedSaveNamesFileAndReasonAndKeepsWindowEditsAndRegistry) {
    struct Case {
        const char* Name;
        std::unique_ptr<TSaveBlocker> (*Block)(const std::string& config);
    };
    const Case cases[] = {
        {"temporary name taken by a folder",
         [](const std::string& config) -> std::unique_ptr<TSaveBlocker> {
             return std::make_unique<TFolderInTheWay>(config);
         }},
        {"file held open without sharing",
         [](const std::string& config) -> std::unique_ptr<TSaveBlocker> {
             return std::make_unique<TFileHeldOpen>(config);
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        const std::size_t seenBefore = MessageBoxes.Boxes().size();
        const std::string bytes = "Version=2.0.0\r\n\r\n[Alpha;On;1]\r\nC:\\Savers\\One.scr;3\r\n";
        Open(bytes);
        const HWND window = Form->Handle();
        DropFiles(Form->SaverLB->Handle(), {"C:\\Savers\\New.scr"});
        auto blocker = c.Block(ConfigPath());
        std::string reason;
        ASSERT_FALSE(WriteFileAtomically(ConfigPath(), "probe", &reason))
            << "the blocker stops a save";

        ClickControl(*Form->OKBtn);

        ASSERT_EQ(MessageBoxes.Boxes().size(), seenBefore + 1);
        const TSeenMessageBox& box = MessageBoxes.Boxes().back();
        EXPECT_EQ(box.Owner, window);
        EXPECT_TRUE(Contains(box.Text, ConfigPath())) << box.Text;
        EXPECT_TRUE(Contains(box.Text, reason)) << box.Text << "\nreason: " << reason;
        EXPECT_TRUE(IsWindow(window)) << "the window stays open";
        EXPECT_EQ(Form->Handle(), window);
        EXPECT_EQ(ListEntries(), (Texts{"C:\\Savers\\One.scr", "C:\\Savers\\New.scr"}));
        EXPECT_EQ(CollectionEntries(), ListEntries());
        blocker->Release();
        EXPECT_EQ(ConfigBytes(), bytes);
        EXPECT_FALSE(SettingsKeyExists()) << "nothing reached the registry";

        // Once the way is clear, OK saves the edits the window kept.
        ClickControl(*Form->OKBtn);
        EXPECT_EQ(ConfigBytes(), "Version=2.0.0\r\n\r\n[Alpha;On;1]\r\nC:\\Savers\\One.scr;3\r\n"
                                 "C:\\Savers\\New.scr;3\r\n");
        EXPECT_EQ(SettingsValue(KDChangeAfterMinutesValue), 15u);
        EXPECT_FALSE(IsWindow(window));
        EXPECT_EQ(MessageBoxes.Boxes().size(), seenBefore + 1) << "the second OK said nothing";

        delete Form;
        Form = nullptr;
        SetUp();
    }
}
