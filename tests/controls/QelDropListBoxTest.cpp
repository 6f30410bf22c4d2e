// The drop-file list box: files dropped through a real WM_DROPFILES (a DROPFILES block made
// here), the wildcard mask, the veto and report events, and the drop-target registration.
#include "ControlsTestSupport.h"
#include "QelDropListBox.h"

#include "DropFiles.h"

#include <gtest/gtest.h>

#include <shlobj.h>

#include <algorithm>
#include <cstring>
#include <functional>
#include <ostream>
#include <string>
#include <vector>

namespace {

using Texts = std::vector<std::string>;

// ---- wildcard test ----

struct TMatchCase {
    const char* Name;
    const char* Pattern;
    bool Matches;
};

TEST(WildcardMatchTest, FollowsTheMaskRules) {
    const TMatchCase cases[] = {
        {"X.SCR", "*.scr", true},
        {"x.scr", "*.SCR", true},
        {"readme.txt", "*.scr", false},
        {"anything at all", "*", true},
        {"", "*", true},
        {"", "**", false},
        {"", "?", true},
        {"", "?*", false},
        {"", "", true},
        {"a", "", false},
        {"ac", "a?c", true},
        {"abc", "a?c", true},
        {"abbc", "a?c", false},
        {"abc", "a*c", true},
        {"ac", "a*c", true},
        {"abcd", "a*c", false},
        {"x", "**", true},
        {"a.scr", "*.s*", true},
        {"a.exe", "*.s*", false},
        {"ab", "a", false},
        {"a", "ab", false},
        {"a", "a*", true},
        {"a", "a**", false},
        {"abc", "???", true},
        {"abc", "??", false},
        {"Photo \xC4"
         "rger.scr",
         "photo \xE4*", true}, // cp1252: A and a with diaeresis
        // Many stars against a long name: answered without back-tracking through every split.
        {"aaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaab",
         "*a*a*a*a*a*a*a*a*a*a*a*a*a*a*a*a*a*a*a*a*c", false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(WildcardMatch(c.Name, c.Pattern), c.Matches)
            << "'" << c.Name << "' against '" << c.Pattern << "'";
}

// ---- drops ----

class QelDropListBoxTest : public ::testing::Test {
protected:
    void Make(DWORD extraStyle = 0) {
        List.Create(TestForm().Handle(), ListBounds, ListId, true, extraStyle);
        ASSERT_TRUE(List.HandleAllocated());
    }
    // Records both events, and what the list held at each of them.
    void Watch() {
        List.OnDroppingFile = [this](TComponent* sender, const std::string& name, bool& accept) {
            EXPECT_EQ(sender, &List);
            EXPECT_TRUE(accept);
            Events.push_back("dropping " + name + " with " + std::to_string(List.Count()));
            accept = !Veto || !Veto(name);
        };
        List.OnDroppedFile = [this](TComponent* sender, const std::string& name, int index) {
            EXPECT_EQ(sender, &List);
            EXPECT_EQ(List.Get(index), name);
            Events.push_back("dropped " + name + " at " + std::to_string(index));
        };
    }
    // The names offered to OnDroppingFile, in order.
    Texts Offered() const {
        Texts offered;
        for (const auto& event : Events)
            if (event.rfind("dropping ", 0) == 0)
                offered.push_back(event.substr(9, event.find(" with ") - 9));
        return offered;
    }

    TQelDropListBox List{nullptr};
    Texts Events;
    std::function<bool(const std::string&)> Veto;
};

TEST_F(QelDropListBoxTest, StartsAcceptingEveryFile) {
    EXPECT_TRUE(List.GetAcceptFiles());
    EXPECT_EQ(List.GetFileMask(), "");
    EXPECT_TRUE(List.GetUseScrollBar());
}

TEST_F(QelDropListBoxTest, EachFileIsOfferedAddedAndReportedInTurn) {
    Make();
    List.Add("C:\\existing.scr");
    Watch();
    DropFiles(List.Handle(), {"C:\\A\\one.scr", "C:\\B\\two.txt", "D:\\three"});
    EXPECT_EQ(Events, (Texts{"dropping C:\\A\\one.scr with 1", "dropped C:\\A\\one.scr at 1",
                             "dropping C:\\B\\two.txt with 2", "dropped C:\\B\\two.txt at 2",
                             "dropping D:\\three with 3", "dropped D:\\three at 3"}));
    // The list's own add: the scroll range follows the widest path.
    int widest = 0;
    for (const auto& item : ItemTexts(List.Handle()))
        widest = std::max(widest, MeasureText(List.Handle(), item));
    EXPECT_EQ(List.GetMaxItemWidth(), widest);
}

TEST_F(QelDropListBoxTest, WithoutHandlersEveryFileIsAddedInTheShellsOrder) {
    Make();
    DropFiles(List.Handle(), {"C:\\z.scr", "C:\\a.scr"});
    EXPECT_EQ(ItemTexts(List.Handle()), (Texts{"C:\\z.scr", "C:\\a.scr"}));
}

TEST_F(QelDropListBoxTest, AVetoKeepsTheFileOutAndTheHandlerMayAddItItself) {
    Make();
    Watch();
    // What the configuration window does: refuse, and add the file its own way.
    Veto = [this](const std::string& name) {
        if (name.find("own") != std::string::npos)
            List.Add("[" + name + "]");
        return name.find("keep") == std::string::npos;
    };
    DropFiles(List.Handle(), {"C:\\keep.scr", "C:\\own.scr", "C:\\out.scr"});
    EXPECT_EQ(ItemTexts(List.Handle()), (Texts{"C:\\keep.scr", "[C:\\own.scr]"}));
    EXPECT_EQ(Events, (Texts{"dropping C:\\keep.scr with 0", "dropped C:\\keep.scr at 0",
                             "dropping C:\\own.scr with 1", "dropping C:\\out.scr with 2"}));
}

TEST_F(QelDropListBoxTest, ASortedListReportsWhereTheFileLanded) {
    Make(LBS_SORT);
    Watch();
    DropFiles(List.Handle(), {"C:\\m.scr", "C:\\b.scr"});
    EXPECT_EQ(Events, (Texts{"dropping C:\\m.scr with 0", "dropped C:\\m.scr at 0",
                             "dropping C:\\b.scr with 1", "dropped C:\\b.scr at 0"}));
}

TEST_F(QelDropListBoxTest, PathsLongerThanTheOldBufferArriveWhole) {
    Make();
    const std::string path = "C:\\" + std::string(150, 'd') + "\\" + std::string(150, 'e') + ".scr";
    DropFiles(List.Handle(), {path, "C:\\short.scr"});
    EXPECT_EQ(ItemTexts(List.Handle()), (Texts{path, "C:\\short.scr"}));
}

struct TMaskCase {
    const char* Name;
    const char* Mask;
    Texts Dropped;
    Texts Offered;
};

// Names the case in failure messages.
void PrintTo(const TMaskCase& c, std::ostream* out) {
    *out << c.Name;
}

class QelDropListBoxMaskTest : public QelDropListBoxTest,
                               public ::testing::WithParamInterface<TMaskCase> {};

TEST_P(QelDropListBoxMaskTest, OffersAFileOncePerMatchingPart) {
    const TMaskCase& c = GetParam();
    Make();
    Watch();
    List.SetFileMask(c.Mask);
    DropFiles(List.Handle(), c.Dropped);
    EXPECT_EQ(Offered(), c.Offered);
    // Nothing vetoed: the list holds the full paths, once per offer.
    EXPECT_EQ(ItemTexts(List.Handle()), c.Offered);
}

INSTANTIATE_TEST_SUITE_P(
    Masks, QelDropListBoxMaskTest,
    ::testing::Values(
        TMaskCase{"EmptyMaskTakesAll", "", {"C:\\a.txt", "C:\\b"}, {"C:\\a.txt", "C:\\b"}},
        TMaskCase{"CaseIgnored", "*.scr", {"C:\\A\\X.SCR", "C:\\A\\readme.txt"}, {"C:\\A\\X.SCR"}},
        TMaskCase{"OnePartOfTwo", "*.scr;*.exe", {"c:\\x.exe"}, {"c:\\x.exe"}},
        TMaskCase{"BothParts", "*.s*;*.scr", {"a.scr"}, {"a.scr", "a.scr"}},
        TMaskCase{"BlanksAroundParts",
                  " *.scr ; *.exe ",
                  {"C:\\x.exe", "C:\\y.scr", "C:\\z.txt"},
                  {"C:\\x.exe", "C:\\y.scr"}},
        TMaskCase{"TabsAndLineBreaksTrimmed", "\t*.a\r\n", {"C:\\f.a"}, {"C:\\f.a"}},
        TMaskCase{"EmptyPartIsSkipped",
                  "*.a;;*.b",
                  {"C:\\f.a", "C:\\f.b", "C:\\f.c"},
                  {"C:\\f.a", "C:\\f.b"}},
        TMaskCase{"OnlyEmptyPartsMatchNothing", " ; ;", {"C:\\f.a"}, {}},
        TMaskCase{"EmptyPartDoesNotMatchADriveRoot", "*.a; ", {"C:\\"}, {}},
        TMaskCase{
            "NameOnlyNotTheFolder", "c*", {"C:\\cdir\\x.scr", "D:\\dir\\cat"}, {"D:\\dir\\cat"}},
        TMaskCase{"FolderTestedByItsName", "s*", {"C:\\savers\\sub"}, {"C:\\savers\\sub"}},
        TMaskCase{"NameAfterADriveColon", "x*", {"C:x.scr"}, {"C:x.scr"}}),
    [](const auto& info) { return std::string(info.param.Name); });

// ---- drop registration ----

bool AcceptsFiles(HWND window) {
    return (GetWindowLongA(window, GWL_EXSTYLE) & WS_EX_ACCEPTFILES) != 0;
}

TEST_F(QelDropListBoxTest, RegistrationFollowsAcceptFiles) {
    Make();
    EXPECT_TRUE(AcceptsFiles(List.Handle()));
    List.SetAcceptFiles(false);
    EXPECT_FALSE(AcceptsFiles(List.Handle()));
    List.SetAcceptFiles(true);
    EXPECT_TRUE(AcceptsFiles(List.Handle()));
}

TEST_F(QelDropListBoxTest, RegistrationWaitsUntilLoaded) {
    List.SetLoading(true);
    Make();
    EXPECT_FALSE(AcceptsFiles(List.Handle()));
    List.SetAcceptFiles(false);
    List.SetAcceptFiles(true);
    EXPECT_FALSE(AcceptsFiles(List.Handle()));
    List.Loaded();
    EXPECT_FALSE(List.IsLoading());
    EXPECT_TRUE(AcceptsFiles(List.Handle()));
}

// A list box made as a dialog template makes it: outside the control.
HWND PlainListBox(DWORD exStyle) {
    return CreateWindowExA(exStyle, "LISTBOX", "", WS_CHILD | WS_VISIBLE | LBS_NOTIFY, 10, 10, 200,
                           100, TestForm().Handle(), nullptr, GetModuleHandleA(nullptr), nullptr);
}

TEST_F(QelDropListBoxTest, ANewWindowIsRegisteredByTheCurrentSetting) {
    Make();
    List.SetAcceptFiles(false);
    DestroyWindow(List.Handle());
    ASSERT_FALSE(List.HandleAllocated());

    const HWND registered = PlainListBox(WS_EX_ACCEPTFILES);
    List.Attach(registered);
    EXPECT_FALSE(AcceptsFiles(registered));
    DestroyWindow(registered);

    List.SetAcceptFiles(true);
    const HWND plain = PlainListBox(0);
    List.Attach(plain);
    EXPECT_TRUE(AcceptsFiles(plain));
    // The attached window drops like a made one.
    DropFiles(plain, {"C:\\attached.scr"});
    EXPECT_EQ(ItemTexts(plain), (Texts{"C:\\attached.scr"}));
}

} // namespace
