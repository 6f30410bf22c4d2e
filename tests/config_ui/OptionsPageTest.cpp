// The Options page edits the rotation settings in memory; only OK writes them. The About page
// shows what the program's version resource says.

#include "ConfigFormTestSupport.h"

#include "Application.h"
#include "KdMaker.h"
#include "Kdregistry.h"
#include "QelURLLabel.h"
#include "SpinEdit.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {
// A click on a radio button as the user makes it: the button's own click message.
void ClickRadio(const TRadioButton& button) {
    SendMessageA(button.Handle(), BM_CLICK, 0, 0);
}

bool MinutesControlsEnabled(const TKDConfigForm& form) {
    const bool all = form.CTLabel1->GetEnabled() && form.SaverChangeTime->GetEnabled() &&
                     form.CTLabel2->GetEnabled() &&
                     IsWindowEnabled(form.SaverChangeTime->UpDownHandle());
    const bool none = !form.CTLabel1->GetEnabled() && !form.SaverChangeTime->GetEnabled() &&
                      !form.CTLabel2->GetEnabled() &&
                      !IsWindowEnabled(form.SaverChangeTime->UpDownHandle());
    EXPECT_TRUE(all || none) << "the label, the spin edit and the arrows go together";
    return all;
}
} // namespace

TEST_F(ConfigFormTest, ChoosingRotationWhileRunningEnablesTheMinutesAndCancelWritesNothing) {
    Open(std::nullopt);
    EXPECT_TRUE(Form->SOChangeStartup->Checked());
    EXPECT_FALSE(Form->SOChangeRunning->Checked());
    EXPECT_FALSE(MinutesControlsEnabled(*Form));
    EXPECT_EQ(Form->SaverChangeTime->Value(), 15);

    ClickRadio(*Form->SOChangeRunning);
    EXPECT_TRUE(Form->SOChangeRunning->Checked());
    EXPECT_FALSE(Form->SOChangeStartup->Checked());
    EXPECT_TRUE(MinutesControlsEnabled(*Form));
    EXPECT_FALSE(Form->Settings->ChangeOnStartup);

    // Every change of the spin edit's value reaches the settings: typed or stepped.
    Form->SaverChangeTime->SetCaption("42");
    EXPECT_EQ(Form->Settings->ChangeAfterMinutes, 42);
    SendMessageA(Form->SaverChangeTime->Handle(), WM_KEYDOWN, VK_UP, 0);
    EXPECT_EQ(Form->Settings->ChangeAfterMinutes, 43);

    ClickRadio(*Form->SOChangeStartup);
    EXPECT_TRUE(Form->Settings->ChangeOnStartup);
    EXPECT_FALSE(MinutesControlsEnabled(*Form));

    ClickControl(*Form->CancelBtn);
    EXPECT_FALSE(SettingsKeyExists());
}

TEST_F(ConfigFormTest, OkWritesTheOptionsChosenOnThePage) {
    SetSettingsValue(KDChangeOnStartupValue, 1);
    SetSettingsValue(KDChangeAfterMinutesValue, 20);
    Open(std::nullopt);
    EXPECT_EQ(Form->SaverChangeTime->Value(), 20);
    ClickRadio(*Form->SOChangeRunning);
    Form->SaverChangeTime->SetValue(90);
    ClickControl(*Form->OKBtn);
    EXPECT_EQ(SettingsValue(KDChangeOnStartupValue), 0u);
    EXPECT_EQ(SettingsValue(KDChangeAfterMinutesValue), 90u);
}

// The page's controls show the stored settings without writing to them, and OK writes them
// back as they were read: minutes outside the spin edit's range are shown clamped, and while
// the saver changes only at start-up the minutes cannot be edited at all.
TEST_F(ConfigFormTest, OptionsAreShownWithoutChangeAndWrittenBackAsStored) {
    struct Case {
        const char* Name;
        DWORD ChangeOnStartup;
        DWORD Minutes;
        int Shown;
        bool MinutesEditable;
    };
    const Case cases[] = {{"changing while running, minutes below the range", 0, 0, 1, true},
                          {"changing only on startup, minutes of their own", 1, 20, 20, false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        SetSettingsValue(KDChangeOnStartupValue, c.ChangeOnStartup);
        SetSettingsValue(KDChangeAfterMinutesValue, c.Minutes);
        Open(std::nullopt);
        EXPECT_EQ(Form->SOChangeRunning->Checked(), c.ChangeOnStartup == 0);
        EXPECT_EQ(MinutesControlsEnabled(*Form), c.MinutesEditable);
        EXPECT_EQ(Form->SaverChangeTime->Value(), c.Shown);
        EXPECT_EQ(Form->Settings->ChangeOnStartup, c.ChangeOnStartup != 0);
        EXPECT_EQ(Form->Settings->ChangeAfterMinutes, static_cast<int>(c.Minutes));
        ClickControl(*Form->OKBtn);
        EXPECT_EQ(SettingsValue(KDChangeOnStartupValue), c.ChangeOnStartup);
        EXPECT_EQ(SettingsValue(KDChangeAfterMinutesValue), c.Minutes);
        delete Form;
        Form = nullptr;
        Pump();
    }
}

TEST_F(ConfigFormTest, AboutPageShowsTheVersionResourceNotThePlaceholders) {
    Open(std::nullopt);
    EXPECT_EQ(Form->ProductName->GetCaption(), "Kaleidra");
    EXPECT_EQ(Form->ProductVersion->GetCaption(), "Version 2.0");
    EXPECT_EQ(Form->ProductBuild->GetCaption(), "2.0.3.83");
    EXPECT_EQ(Form->ProductDescription->GetCaption(), "A screen saver randomizer");
    EXPECT_TRUE(Contains(Form->ProductCopyright->GetCaption(), "Copyright (C) 2026"))
        << Form->ProductCopyright->GetCaption();
    EXPECT_EQ(Form->Label2->GetCaption(), "Build ");
}

// The maker's addresses come from the build settings; the mail link opens a new mail.
TEST_F(ConfigFormTest, AboutPageLinksOpenTheMakersAddresses) {
    Open(std::nullopt);
    EXPECT_EQ(Form->lblEmail->GetCaption(), KD_SUPPORT_EMAIL);
    EXPECT_EQ(Form->lblEmail->GetURL(), "mailto:" KD_SUPPORT_EMAIL);
    EXPECT_EQ(Form->lblWebSite->GetCaption(), KD_WEBSITE);
    EXPECT_EQ(Form->lblWebSite->GetURL(), KD_WEBSITE);
    for (TQelURLLabel* link : {Form->lblEmail, Form->lblWebSite}) {
        std::string opened;
        link->ShellOpen = [&](HWND, const char* verb, const char* file, const char*, const char*,
                              int) {
            opened = std::string(verb) + " " + file;
            return reinterpret_cast<HINSTANCE>(33);
        };
        ClickControl(*link);
        EXPECT_EQ(opened, "open " + link->GetURL());
        EXPECT_EQ(link->Cursor, LoadCursorA(nullptr, IDC_HAND));
    }
}

// The read-me beside the program is handed to the shell; whether it opens is the shell's to say.
TEST_F(ConfigFormTest, ReadMeButtonAsksTheShellToOpenKaleidraTxtBesideTheProgram) {
    Open(std::nullopt);
    struct TCall {
        HWND Owner;
        std::string Verb, File;
        bool NoParameters, NoFolder;
        int Show;
    };
    std::vector<TCall> calls;
    Form->ShellOpen = [&](HWND owner, const char* verb, const char* file, const char* parameters,
                          const char* folder, int show) {
        calls.push_back({owner, verb, file, parameters == nullptr, folder == nullptr, show});
        return reinterpret_cast<HINSTANCE>(2); // "file not found": nothing is reported
    };
    ClickControl(*Form->CmdReadMe);
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_EQ(calls[0].Owner, Application().Handle());
    EXPECT_EQ(calls[0].Verb, "open");
    EXPECT_EQ(calls[0].File, ProgramFolder() + "Kaleidra.txt");
    EXPECT_TRUE(calls[0].NoParameters);
    EXPECT_TRUE(calls[0].NoFolder);
    EXPECT_EQ(calls[0].Show, SW_SHOWNORMAL);
    EXPECT_TRUE(MessageBoxes.Boxes().empty());
    EXPECT_TRUE(IsWindow(Form->Handle()));
}
