// The file list bound to the folder tree: which files it shows and in what order, their full
// paths, walking and setting the selection, and its events.
#include "ShellTestSupport.h"
#include "ShellUtil.h"

#include <gtest/gtest.h>

#include <commctrl.h>

namespace {

using Names = std::vector<std::string>;

class FileListTest : public ::testing::Test {
protected:
    void SetUp() override {
        Pane.List.OnFilled = [this](TComponent* sender) {
            EXPECT_EQ(sender, &Pane.List);
            ++Fillings;
        };
        Pane.List.SetFolderTree(&Pane.Tree);
        Pane.List.SetMask("*.scr");
        ASSERT_TRUE(Pane.Tree.SetSelectedFolder(Disk.Root()));
    }
    HWND ListWindow() const { return Pane.List.Handle(); }

    TTempTree Disk;
    TShellPane Pane;
    int Fillings = 0;
};

TEST_F(FileListTest, ShowsTheMatchingFilesOnlySortedByNameWithFullPaths) {
    EXPECT_TRUE(SamePath(Pane.List.Folder(), Disk.Root()));
    ASSERT_EQ(ListNames(Pane.List), (Names{"a.scr", "B.SCR"}));
    ASSERT_EQ(Pane.List.Count(), 2);
    EXPECT_EQ(Pane.List.ItemName(1), "B.SCR");
    EXPECT_EQ(Pane.List.ItemPath(0), Pane.Tree.SelectedFolder() + "\\a.scr");
    EXPECT_EQ(Pane.List.ItemPath(1), Pane.Tree.SelectedFolder() + "\\B.SCR");
    EXPECT_EQ(Pane.List.ItemPath(-1), "");
    EXPECT_EQ(Pane.List.ItemPath(2), "");

    struct Case {
        const char* mask;
        Names shown;
    };
    const Case cases[] = {
        {"*.SCR", {"a.scr", "B.SCR"}},
        {"*.txt;*.bak", {"c.txt", "d.scr.bak"}},
        {" *.txt ; a.* ;", {"a.scr", "c.txt"}},
        {"?.scr", {"a.scr", "B.SCR"}},
        {"*.*", {"a.scr", "B.SCR", "c.txt", "d.scr.bak"}},
        {"", {"a.scr", "B.SCR", "c.txt", "d.scr.bak"}},
        {"*.sc", {}},
        {"*scr*", {"a.scr", "B.SCR", "d.scr.bak"}}, // and never the folder e.scr
    };
    for (const auto& c : cases) {
        const int before = Fillings;
        Pane.List.SetMask(c.mask);
        EXPECT_EQ(ListNames(Pane.List), c.shown) << '"' << c.mask << '"';
        EXPECT_EQ(Fillings, before + 1) << '"' << c.mask << '"';
    }
}

TEST_F(FileListTest, FollowsTheTreesSelectedFolder) {
    Fillings = 0;
    ASSERT_TRUE(Pane.Tree.SetSelectedFolder(Disk.Path("Gamma")));
    EXPECT_EQ(Pane.List.Folder(), Pane.Tree.SelectedFolder());
    EXPECT_EQ(ListNames(Pane.List), (Names{"x.scr"}));
    EXPECT_EQ(Pane.List.ItemPath(0), Pane.Tree.SelectedFolder() + "\\x.scr");
    EXPECT_EQ(Fillings, 1);
    ASSERT_TRUE(Pane.Tree.SetSelectedFolder(Disk.Path("Gamma\\Inner")));
    EXPECT_EQ(Pane.List.Count(), 0);
    EXPECT_EQ(Fillings, 2);

    // Unbound, it keeps what it shows.
    Pane.List.SetFolderTree(nullptr);
    ASSERT_TRUE(Pane.Tree.SetSelectedFolder(Disk.Root()));
    EXPECT_EQ(Pane.List.Count(), 0);
    EXPECT_EQ(Fillings, 2);
}

TEST_F(FileListTest, SelectionIsWalkedInListOrderAndSetPerItem) {
    Pane.List.SetMask("*");
    ASSERT_EQ(Pane.List.Count(), 4);
    EXPECT_TRUE(Pane.List.SelectedIndexes().empty());
    Pane.List.SetSelected(2, true);
    Pane.List.SetSelected(0, true);
    EXPECT_EQ(Pane.List.SelectedIndexes(), (std::vector<int>{0, 2}));
    EXPECT_TRUE(Pane.List.IsSelected(2));
    EXPECT_FALSE(Pane.List.IsSelected(1));
    Pane.List.SetSelected(0, false);
    Pane.List.SetSelected(3, true);
    EXPECT_EQ(Pane.List.SelectedIndexes(), (std::vector<int>{2, 3}));
    // Indexes out of range change nothing and read as not selected.
    Pane.List.SetSelected(-1, true);
    Pane.List.SetSelected(4, true);
    EXPECT_FALSE(Pane.List.IsSelected(4));
    EXPECT_EQ(Pane.List.SelectedIndexes(), (std::vector<int>{2, 3}));
    // The window agrees.
    EXPECT_EQ(ListView_GetSelectedCount(ListWindow()), 2u);
}

TEST_F(FileListTest, IsAReadOnlyMultiSelectReportWithoutHeadersAndWithShellIcons) {
    const LONG_PTR style = GetWindowLongPtrA(ListWindow(), GWL_STYLE);
    EXPECT_EQ(style & LVS_TYPEMASK, LVS_REPORT) << "the template asked for a list";
    EXPECT_TRUE(style & LVS_NOCOLUMNHEADER);
    EXPECT_TRUE(style & LVS_SHOWSELALWAYS);
    EXPECT_TRUE(style & LVS_SHAREIMAGELISTS);
    EXPECT_FALSE(style & LVS_SINGLESEL) << "the template asked for a single selection";
    EXPECT_FALSE(style & LVS_EDITLABELS);
    EXPECT_FALSE(style & (LVS_SORTASCENDING | LVS_SORTDESCENDING));
    EXPECT_EQ(ListView_GetImageList(ListWindow(), LVSIL_SMALL), SystemSmallImages());
    EXPECT_EQ(ListView_EditLabel(ListWindow(), 0), nullptr);

    LVITEMA query{};
    query.mask = LVIF_IMAGE;
    query.iItem = 1;
    SendMessageA(ListWindow(), LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&query));
    EXPECT_EQ(query.iImage, SmallIconIndex(Pane.List.ItemPath(1)));
    // The single column spans the list.
    EXPECT_GE(ListView_GetColumnWidth(ListWindow(), 0), Pane.List.ClientRect().right);
}

TEST_F(FileListTest, MouseClicksAndDoubleClicksReachTheEvents) {
    int clicks = 0;
    int doubleClicks = 0;
    Pane.List.OnClick = [&](TComponent*) { ++clicks; };
    Pane.List.OnDblClick = [&](TComponent*) { ++doubleClicks; };
    RECT item{LVIR_LABEL, 0, 0, 0};
    ASSERT_TRUE(SendMessageA(ListWindow(), LVM_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&item)));
    const LPARAM at = MAKELPARAM((item.left + item.right) / 2, (item.top + item.bottom) / 2);
    // The button goes up before the list looks, so its wait for a drag ends at once.
    PostMessageA(ListWindow(), WM_LBUTTONUP, 0, at);
    SendMessageA(ListWindow(), WM_LBUTTONDOWN, MK_LBUTTON, at);
    PumpMessages();
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(Pane.List.SelectedIndexes(), (std::vector<int>{1}));
    PostMessageA(ListWindow(), WM_LBUTTONUP, 0, at);
    SendMessageA(ListWindow(), WM_LBUTTONDBLCLK, MK_LBUTTON, at);
    PumpMessages();
    EXPECT_EQ(doubleClicks, 1);
}

} // namespace
