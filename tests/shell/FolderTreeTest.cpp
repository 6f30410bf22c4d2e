// The folder tree on a folder tree of the test's own: selecting and reporting a folder, the
// drives at the top, children read on expanding, its read-only look, and its change watch.
#include "ShellTestIds.h"
#include "ShellTestSupport.h"
#include "ShellUtil.h"

#include <gtest/gtest.h>

#include <commctrl.h>

#include <cstring>

namespace {

class FolderTreeTest : public ::testing::Test {
protected:
    void SetUp() override {
        Pane.Tree.OnChange = [this](TComponent* sender) {
            EXPECT_EQ(sender, &Pane.Tree);
            ++Changes;
        };
    }
    HWND TreeWindow() const { return Pane.Tree.Handle(); }
    HTREEITEM Selection() const { return TreeView_GetSelection(TreeWindow()); }

    TTempTree Disk;
    TShellPane Pane;
    int Changes = 0;
};

TEST_F(FolderTreeTest, SelectsAGivenFolderAndReportsItAsTheDiskSpellsIt) {
    struct Case {
        std::string asked;
        std::string shownTail; // after the root folder
        std::string itemText;
    };
    const Case cases[] = {
        {Disk.Path("Gamma\\Inner"), "\\Gamma\\Inner", "Inner"},
        {Disk.Path("gamma\\INNER\\"), "\\Gamma\\Inner", "Inner"},
        {Disk.Root() + "\\", "", ""},
        {Disk.Path("Gamma\\Inner\\..\\..\\beta"), "\\beta", "beta"},
        {Disk.Path(".hidden"), "\\.hidden", ".hidden"}, // not listed, still reachable
    };
    const std::string rootName = Disk.Root().substr(Disk.Root().find_last_of('\\') + 1);
    for (const auto& c : cases) {
        ASSERT_TRUE(Pane.Tree.SetSelectedFolder(c.asked)) << c.asked;
        const std::string shown = Pane.Tree.SelectedFolder();
        ASSERT_GE(shown.size(), Disk.Root().size()) << c.asked;
        EXPECT_TRUE(SamePath(shown.substr(0, Disk.Root().size()), Disk.Root())) << shown;
        EXPECT_EQ(shown.substr(Disk.Root().size()), c.shownTail) << c.asked;
        const std::string text = ItemText(TreeWindow(), Selection());
        EXPECT_TRUE(c.itemText.empty() ? SamePath(text, rootName) : text == c.itemText) << text;
        // Every folder on the way is open, so the selection can be seen.
        for (HTREEITEM parent = TreeView_GetParent(TreeWindow(), Selection()); parent;
             parent = TreeView_GetParent(TreeWindow(), parent))
            EXPECT_TRUE(TreeView_GetItemState(TreeWindow(), parent, TVIS_EXPANDED) & TVIS_EXPANDED);
    }
    // One report per new folder (the first two cases are one folder); asking for the same
    // folder again reports nothing.
    EXPECT_EQ(Changes, 4);
    ASSERT_TRUE(Pane.Tree.SetSelectedFolder(Disk.Path(".HIDDEN")));
    EXPECT_EQ(Changes, 4);
}

TEST_F(FolderTreeTest, WhatIsNoFolderIsRefusedAndChangesNothing) {
    ASSERT_TRUE(Pane.Tree.SetSelectedFolder(Disk.Path("Alpha")));
    const std::string before = Pane.Tree.SelectedFolder();
    const HTREEITEM selected = Selection();
    Changes = 0;
    for (const std::string& asked :
         {std::string(), Disk.Path("a.scr"), Disk.Path("missing"), Disk.Path("missing\\deeper"),
          std::string("Q:\\nowhere\\at\\all"), std::string("\\\\")}) {
        EXPECT_FALSE(Pane.Tree.SetSelectedFolder(asked)) << asked;
        EXPECT_EQ(Pane.Tree.SelectedFolder(), before) << asked;
        EXPECT_EQ(Selection(), selected) << asked;
    }
    EXPECT_EQ(Changes, 0);
}

TEST_F(FolderTreeTest, DrivesAtTheTopAndChildrenReadOnFirstExpanding) {
    std::vector<std::string> drives;
    char buffer[512];
    const DWORD length = GetLogicalDriveStringsA(sizeof buffer, buffer);
    ASSERT_GT(length, 0u);
    for (const char* drive = buffer; *drive; drive += std::strlen(drive) + 1)
        drives.push_back(drive);
    std::vector<HTREEITEM> roots;
    for (HTREEITEM item = TreeView_GetRoot(TreeWindow()); item;
         item = TreeView_GetNextSibling(TreeWindow(), item))
        roots.push_back(item);
    ASSERT_EQ(roots.size(), drives.size());
    // Each drive's node shows the drive's letter somewhere in its text ("Local Disk (C:)").
    for (std::size_t i = 0; i < drives.size(); ++i)
        EXPECT_NE(ItemText(TreeWindow(), roots[i]).find(drives[i].substr(0, 2)), std::string::npos)
            << drives[i];

    ASSERT_TRUE(Pane.Tree.SetSelectedFolder(Disk.Root()));
    const HTREEITEM root = Selection();
    EXPECT_EQ(TreeView_GetChild(TreeWindow(), root), nullptr) << "read before it was opened";
    TreeView_Expand(TreeWindow(), root, TVE_EXPAND);
    // Folders only, hidden ones left out, ordered by name whatever the case of the letters.
    EXPECT_EQ(ChildTexts(TreeWindow(), root),
              (std::vector<std::string>{"Alpha", "beta", "e.scr", "Gamma"}));
    // A folder without subfolders shows no expand button: the tree asks, while it draws,
    // through its parent, as this request does.
    for (HTREEITEM child = TreeView_GetChild(TreeWindow(), root); child;
         child = TreeView_GetNextSibling(TreeWindow(), child)) {
        NMTVDISPINFOA request{};
        request.hdr = {TreeWindow(), IDC_FOLDER_TREE, TVN_GETDISPINFOA};
        request.item.mask = TVIF_CHILDREN;
        request.item.hItem = child;
        request.item.cChildren = -7;
        SendMessageA(Pane.Form.Handle(), WM_NOTIFY, IDC_FOLDER_TREE,
                     reinterpret_cast<LPARAM>(&request));
        const std::string text = ItemText(TreeWindow(), child);
        EXPECT_EQ(request.item.cChildren, text == "Gamma" ? 1 : 0) << text;
    }
}

TEST_F(FolderTreeTest, IsReadOnlyKeepsItsSelectionShownAndUsesTheShellIcons) {
    const LONG_PTR style = GetWindowLongPtrA(TreeWindow(), GWL_STYLE);
    EXPECT_TRUE(style & TVS_SHOWSELALWAYS);
    EXPECT_FALSE(style & TVS_EDITLABELS) << "the template asked for label editing";
    ASSERT_TRUE(Pane.Tree.SetSelectedFolder(Disk.Path("Alpha")));
    EXPECT_EQ(TreeView_EditLabel(TreeWindow(), Selection()), nullptr);
    EXPECT_EQ(ItemText(TreeWindow(), Selection()), "Alpha");

    const auto images = TreeView_GetImageList(TreeWindow(), TVSIL_NORMAL);
    ASSERT_NE(images, nullptr);
    EXPECT_EQ(images, SystemSmallImages());
    TVITEMA query{};
    query.mask = TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_HANDLE;
    query.hItem = Selection();
    SendMessageA(TreeWindow(), TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&query));
    EXPECT_EQ(query.iImage, SmallIconIndex(Disk.Path("Alpha")));
    EXPECT_EQ(query.iSelectedImage, SmallIconIndex(Disk.Path("Alpha"), true));
    EXPECT_LT(query.iImage, ImageList_GetImageCount(images));
}

TEST_F(FolderTreeTest, RefreshFollowsFoldersThatCameAndWent) {
    ASSERT_TRUE(Pane.Tree.SetSelectedFolder(Disk.Root()));
    const HTREEITEM root = Selection();
    TreeView_Expand(TreeWindow(), root, TVE_EXPAND);
    Disk.AddFolder("Delta");
    ASSERT_TRUE(RemoveDirectoryA(Disk.Path("beta").c_str()));
    Pane.Tree.Refresh();
    EXPECT_EQ(ChildTexts(TreeWindow(), root),
              (std::vector<std::string>{"Alpha", "Delta", "e.scr", "Gamma"}));

    // The selected folder itself goes away (renamed: a removed folder lingers while the watch
    // holds it open under Wine): its parent takes over, read again.
    ASSERT_TRUE(Pane.Tree.SetSelectedFolder(Disk.Path("Alpha")));
    Changes = 0;
    ASSERT_TRUE(MoveFileA(Disk.Path("Alpha").c_str(), Disk.Path("Omega").c_str()));
    Pane.Tree.Refresh();
    EXPECT_EQ(Selection(), root);
    EXPECT_TRUE(SamePath(Pane.Tree.SelectedFolder(), Disk.Root()));
    EXPECT_EQ(Changes, 1);
    EXPECT_EQ(ChildTexts(TreeWindow(), root),
              (std::vector<std::string>{"Delta", "e.scr", "Gamma", "Omega"}));
}

} // namespace
