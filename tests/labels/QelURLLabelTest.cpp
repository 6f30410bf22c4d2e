// The URL label on a real window: its link look, the hand cursor, the hover colour, and a
// click that runs OnClick and then asks the shell to open the address.
#include "Application.h"
#include "GradientTestSupport.h"
#include "LabelsTestSupport.h"
#include "QelURLLabel.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

namespace {

constexpr TColor Blue = 0xFF0000; // the stored colour format: 0x00BBGGRR
constexpr TColor Red = 0x0000FF;
constexpr TColor Green = RGB(0, 160, 0);
constexpr TColor Purple = RGB(128, 0, 128);

// What the label handed the shell.
struct TShellCall {
    HWND Owner = nullptr;
    std::string Verb;
    std::string File;
    bool NoParameters = false;
    bool NoDirectory = false;
    int Show = -1;
};

LPARAM At(int x, int y) {
    return MAKELPARAM(x, y);
}

class URLLabelTest : public ::testing::Test {
protected:
    TQelURLLabel& MakeLabel(const std::string& url, HWND parent = TestForm()) {
        Label = std::make_unique<TQelURLLabel>(&Owner);
        Label->SetURL(url);
        Label->CreateIn(parent, RECT{20, 20, 30, 30});
        Label->SetCaption("www.example.com");
        Label->Color = RGB(255, 255, 255);
        Label->OnClick = [this](TComponent* sender) {
            Events.push_back(sender == Label.get() ? "OnClick" : "OnClick from a stranger");
        };
        Label->ShellOpen = [this](HWND owner, const char* verb, const char* file,
                                  const char* parameters, const char* directory, int show) {
            Events.push_back("shell");
            Shell = {owner,
                     verb ? verb : "",
                     file ? file : "",
                     parameters == nullptr,
                     directory == nullptr,
                     show};
            return reinterpret_cast<HINSTANCE>(static_cast<INT_PTR>(33));
        };
        return *Label;
    }
    void Enter() { SendMessageA(Label->Handle(), WM_MOUSEMOVE, 0, At(2, 2)); }
    void Leave() { SendMessageA(Label->Handle(), WM_MOUSELEAVE, 0, 0); }
    void ClickLabel() {
        SendMessageA(Label->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, At(2, 2));
        SendMessageA(Label->Handle(), WM_LBUTTONUP, 0, At(2, 2));
    }
    // The cursor the label's window sets over its client area.
    HCURSOR CursorOverLabel() {
        SetCursor(nullptr);
        SendMessageA(Label->Handle(), WM_SETCURSOR, reinterpret_cast<WPARAM>(Label->Handle()),
                     MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
        return GetCursor();
    }
    int PixelsOf(COLORREF color) {
        return Capture(Label->Handle()).Count([&](COLORREF c) { return c == color; });
    }
    void SetUp() override {
        // Park the real cursor away from the labels, so that no label appears under it and
        // gets a mouse move the test did not send.
        SetCursorPos(1200, 1000);
    }
    void TearDown() override { Label.reset(); }

    TComponent Owner;
    std::unique_ptr<TQelURLLabel> Label;
    std::vector<std::string> Events;
    TShellCall Shell;
};

TEST_F(URLLabelTest, AFreshLabelIsABlueUnderlinedPlainLabel) {
    TQelURLLabel label(nullptr);
    EXPECT_EQ(label.Font().GetColor(), Blue);
    EXPECT_TRUE(label.Font().GetStyle() & fsUnderline);
    EXPECT_EQ(label.GetTextColor(), Blue);
    EXPECT_EQ(label.GetMouseOverColor(), Red);
    EXPECT_EQ(label.GetURL(), "");
    EXPECT_EQ(label.Cursor, nullptr);

    MakeLabel("");
    EXPECT_GT(PixelsOf(RGB(0, 0, 255)), 10);
    Enter();
    EXPECT_EQ(Label->Font().GetColor(), Blue);
    EXPECT_EQ(PixelsOf(RGB(255, 0, 0)), 0);
}

// The link's colour and underline sit on the page's face and size, like its neighbours.
TEST_F(URLLabelTest, FaceAndSizeFollowTheParentsFont) {
    const HFONT pageFont =
        CreateFontA(-20, 0, 0, 0, FW_NORMAL, 0, 0, 0, ANSI_CHARSET, 0, 0, 0, 0, "Arial");
    {
        TFontParent page(pageFont);
        TQelURLLabel& label = MakeLabel("http://www.example.com/", page.Handle());
        EXPECT_EQ(label.Font().GetName(), "Arial");
        EXPECT_EQ(label.Font().GetHeight(), -20);
        EXPECT_TRUE(label.Font().GetStyle() & fsUnderline);
        EXPECT_EQ(label.Font().GetColor(), Blue);
        EXPECT_TRUE(label.GetParentFont());
        EXPECT_EQ(label.Height(), TextSize(label.Font().Handle(), "www.example.com").cy);
        Label.reset();
    }
    DeleteObject(pageFont);
}

struct TCursorCase {
    const char* URL;
    bool Hand;
};

TEST_F(URLLabelTest, AnAddressGivesTheHandCursor) {
    const HCURSOR hand = LoadCursorA(nullptr, IDC_HAND);
    const HCURSOR arrow = LoadCursorA(nullptr, IDC_ARROW);
    ASSERT_NE(hand, arrow);
    for (const TCursorCase& test :
         {TCursorCase{"", false}, TCursorCase{"http://www.example.com/", true},
          TCursorCase{"mailto:someone@example.com", true}, TCursorCase{"Kaleidra.txt", true}}) {
        MakeLabel(test.URL);
        EXPECT_EQ(Label->Cursor, test.Hand ? hand : nullptr) << test.URL;
        EXPECT_EQ(CursorOverLabel(), test.Hand ? hand : arrow) << test.URL;
    }
}

TEST_F(URLLabelTest, ClearingTheAddressBringsBackTheDefaultCursor) {
    TQelURLLabel& label = MakeLabel("http://www.example.com/");
    label.SetURL("");
    EXPECT_EQ(label.Cursor, nullptr);
    EXPECT_EQ(CursorOverLabel(), LoadCursorA(nullptr, IDC_ARROW));
}

TEST_F(URLLabelTest, TheSameAddressAgainLeavesACursorSetOtherwise) {
    TQelURLLabel& label = MakeLabel("http://www.example.com/");
    const HCURSOR cross = LoadCursorA(nullptr, IDC_CROSS);
    label.Cursor = cross;
    label.SetURL("http://www.example.com/");
    EXPECT_EQ(label.Cursor, cross);
    label.SetURL("http://www.example.org/");
    EXPECT_EQ(label.Cursor, LoadCursorA(nullptr, IDC_HAND));
}

struct THoverCase {
    const char* URL;
    TColor WhileOver;
    COLORREF PixelsWhileOver;
};

TEST_F(URLLabelTest, TheMouseOverALinkTurnsItRedAndLeavingTurnsItBlue) {
    for (const THoverCase& test : {THoverCase{"http://www.example.com/", Red, RGB(255, 0, 0)},
                                   THoverCase{"", Blue, RGB(0, 0, 255)}}) {
        MakeLabel(test.URL);
        Enter();
        EXPECT_EQ(Label->Font().GetColor(), test.WhileOver) << test.URL;
        EXPECT_GT(PixelsOf(test.PixelsWhileOver), 10) << test.URL;
        Leave();
        EXPECT_EQ(Label->Font().GetColor(), Blue) << test.URL;
        EXPECT_GT(PixelsOf(RGB(0, 0, 255)), 10) << test.URL;
        EXPECT_EQ(PixelsOf(RGB(255, 0, 0)), 0) << test.URL;
    }
}

TEST_F(URLLabelTest, TheFrameworksEnterAndLeaveMessagesDoTheSame) {
    TQelURLLabel& label = MakeLabel("http://www.example.com/");
    label.Perform(CM_MOUSEENTER, 0, 0);
    EXPECT_EQ(label.Font().GetColor(), Red);
    label.Perform(CM_MOUSELEAVE, 0, 0);
    EXPECT_EQ(label.Font().GetColor(), Blue);
}

// A colour change shows at once only in the state that uses the colour. The last cases have
// both colours the same, where the font colour alone cannot tell the states apart.
struct TColorChangeCase {
    const char* Name;
    TColor TextColor;
    TColor MouseOverColor;
    bool Over;
    bool ChangeMouseOver; // otherwise TextColor changes
    TColor Shown;
};

TEST_F(URLLabelTest, AColourChangeRecoloursOnlyTheStateShown) {
    const std::vector<TColorChangeCase> cases{
        {"hover colour, over", Blue, Red, true, true, Green},
        {"hover colour, away", Blue, Red, false, true, Blue},
        {"text colour, away", Blue, Red, false, false, Green},
        {"text colour, over", Blue, Red, true, false, Red},
        {"same colours, hover colour changed away", Purple, Purple, false, true, Purple},
        {"same colours, text colour changed over", Purple, Purple, true, false, Purple},
    };
    for (const TColorChangeCase& test : cases) {
        TQelURLLabel& label = MakeLabel("http://www.example.com/");
        label.SetTextColor(test.TextColor);
        label.SetMouseOverColor(test.MouseOverColor);
        Leave();
        if (test.Over)
            Enter();
        if (test.ChangeMouseOver)
            label.SetMouseOverColor(Green);
        else
            label.SetTextColor(Green);
        EXPECT_EQ(label.Font().GetColor(), test.Shown) << test.Name;
        EXPECT_GT(PixelsOf(ColorToRGB(test.Shown)), 10) << test.Name;
        EXPECT_EQ(test.ChangeMouseOver ? label.GetMouseOverColor() : label.GetTextColor(), Green)
            << test.Name;
    }
}

TEST_F(URLLabelTest, ACustomTextColourIsWhatLeavingReturnsTo) {
    TQelURLLabel& label = MakeLabel("http://www.example.com/");
    label.SetTextColor(Purple);
    EXPECT_EQ(label.Font().GetColor(), Purple);
    Enter();
    Leave();
    EXPECT_EQ(label.Font().GetColor(), Purple);
}

struct TClickCase {
    const char* URL;
    std::vector<std::string> Events;
};

TEST_F(URLLabelTest, AClickRunsOnClickAndThenOpensTheAddress) {
    Application().CreateHandle();
    for (const TClickCase& test : {TClickCase{"http://www.example.com/", {"OnClick", "shell"}},
                                   TClickCase{"mailto:someone@example.com", {"OnClick", "shell"}},
                                   TClickCase{"", {"OnClick"}}}) {
        Events.clear();
        Shell = {};
        MakeLabel(test.URL);
        ClickLabel();
        EXPECT_EQ(Events, test.Events) << test.URL;
        if (test.Events.size() < 2)
            continue;
        EXPECT_EQ(Shell.Owner, Application().Handle());
        EXPECT_NE(Shell.Owner, nullptr);
        EXPECT_EQ(Shell.Verb, "open");
        EXPECT_EQ(Shell.File, test.URL);
        EXPECT_TRUE(Shell.NoParameters);
        EXPECT_TRUE(Shell.NoDirectory);
        EXPECT_EQ(Shell.Show, SW_SHOWNORMAL);
    }
}

// A click is a press and a release on the label: releasing outside it, or ending on it a drag
// that began elsewhere, opens nothing.
TEST_F(URLLabelTest, OnlyAPressAndAReleaseOnTheLabelAreAClick) {
    TQelURLLabel& label = MakeLabel("http://www.example.com/");
    SendMessageA(label.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, At(2, 2));
    SendMessageA(label.Handle(), WM_LBUTTONUP, 0, At(label.Width() + 5, 2));
    EXPECT_TRUE(Events.empty()) << "released outside";
    SendMessageA(label.Handle(), WM_LBUTTONUP, 0, At(2, 2));
    EXPECT_TRUE(Events.empty()) << "released without a press";
    ClickLabel();
    EXPECT_FALSE(Events.empty());
}

// Hovering changes the colour only: an underline the program took away stays away.
TEST_F(URLLabelTest, HoverKeepsTheStyleTheProgramChose) {
    TQelURLLabel& label = MakeLabel("http://www.example.com/");
    label.Font().SetStyle(fsBold);
    Enter();
    EXPECT_EQ(label.Font().GetColor(), Red);
    Leave();
    EXPECT_EQ(label.Font().GetStyle(), fsBold);
}

// The real shell, pointed at a logging program through an address scheme of its own. Wine's
// shell reads schemes from the classes root only (not from the user's Software\Classes), so
// the scheme goes there, in the test's own Wine prefix, and is removed afterwards.
class RealShellTest : public URLLabelTest {
protected:
    static constexpr const char* SchemeKey = "kaleidra-label-test";

    void SetUp() override {
        URLLabelTest::SetUp();
        char path[MAX_PATH];
        const DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
        const std::string folder(path, std::string(path, length).rfind('\\') + 1);
        Logger = folder + "label_url_logger.exe";
        Log = folder + "label_url_logger.log";
        std::remove(Log.c_str());
        ASSERT_NE(GetFileAttributesA(Logger.c_str()), INVALID_FILE_ATTRIBUTES) << Logger;
        SetValue(SchemeKey, nullptr, "URL:Kaleidra label test");
        SetValue(SchemeKey, "URL Protocol", "");
        SetValue((std::string(SchemeKey) + "\\shell\\open\\command").c_str(), nullptr,
                 "\"" + Logger + "\" \"%1\"");
    }
    void TearDown() override {
        URLLabelTest::TearDown();
        RegDeleteTreeA(HKEY_CLASSES_ROOT, SchemeKey);
        std::remove(Log.c_str());
    }
    static void SetValue(const char* key, const char* name, const std::string& value) {
        ASSERT_EQ(RegSetKeyValueA(HKEY_CLASSES_ROOT, key, name, REG_SZ, value.c_str(),
                                  static_cast<DWORD>(value.size() + 1)),
                  ERROR_SUCCESS);
    }
    std::string LogText() const {
        std::ifstream file(Log);
        return std::string(std::istreambuf_iterator<char>(file), {});
    }

    std::string Logger;
    std::string Log;
};

TEST_F(RealShellTest, AClickStartsTheSchemesProgramWithTheAddress) {
    TQelURLLabel& label = MakeLabel("kaleidra-label-test:hello/world");
    label.ShellOpen = ::ShellExecuteA;
    ClickLabel();
    ASSERT_EQ(Events, std::vector<std::string>{"OnClick"});
    ASSERT_TRUE(PumpUntil([&] { return !LogText().empty(); }, 30000)) << Log;
    EXPECT_EQ(LogText(), "\"kaleidra-label-test:hello/world\"\n");
}

} // namespace
