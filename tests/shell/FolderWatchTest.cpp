// The folder tree's watch: files and folders that come and go show up after the watch thread
// notices, and the thread of a folder no longer selected is gone.
#include "FolderWatch.h"
#include "ShellTestSupport.h"

#include <gtest/gtest.h>

#include <commctrl.h>

#include <memory>

namespace {

using Names = std::vector<std::string>;
constexpr DWORD WatchLimitMs = 10000; // a bound on the wait, never a measure of speed

class FolderWatchTest : public ::testing::Test {
protected:
    void SetUp() override {
        Pane->List.SetFolderTree(&Pane->Tree);
        Pane->List.SetMask("*.scr");
        Pane->List.OnFilled = [this](TComponent*) { ++Fillings; };
        ASSERT_TRUE(Pane->Tree.SetSelectedFolder(Disk.Root()));
    }

    TTempTree Disk;
    std::unique_ptr<TShellPane> Pane = std::make_unique<TShellPane>();
    int Fillings = 0;
};

TEST_F(FolderWatchTest, FilesThatComeAndGoShowUpAndTheSelectionStays) {
    ASSERT_EQ(ListNames(Pane->List), (Names{"a.scr", "B.SCR"}));
    Pane->List.SetSelected(1, true);
    Fillings = 0;
    Disk.AddFile("0.scr");
    Disk.AddFile("z.txt");
    ASSERT_TRUE(PumpUntil([&] { return Pane->List.Count() == 3; }, WatchLimitMs));
    EXPECT_EQ(ListNames(Pane->List), (Names{"0.scr", "a.scr", "B.SCR"}));
    EXPECT_EQ(Pane->List.SelectedIndexes(), (std::vector<int>{2})) << "B.SCR stays selected";
    EXPECT_GE(Fillings, 1);

    ASSERT_TRUE(DeleteFileA(Disk.Path("a.scr").c_str()));
    ASSERT_TRUE(PumpUntil([&] { return Pane->List.Count() == 2; }, WatchLimitMs));
    EXPECT_EQ(ListNames(Pane->List), (Names{"0.scr", "B.SCR"}));
}

TEST_F(FolderWatchTest, NewSubfoldersOfTheSelectedFolderAppearInTheTree) {
    const HWND tree = Pane->Tree.Handle();
    const HTREEITEM root = TreeView_GetSelection(tree);
    TreeView_Expand(tree, root, TVE_EXPAND);
    Disk.AddFolder("Delta");
    const Names expected{"Alpha", "beta", "Delta", "e.scr", "Gamma"};
    ASSERT_TRUE(PumpUntil([&] { return ChildTexts(tree, root) == expected; }, WatchLimitMs))
        << ChildTexts(tree, root).size();
}

TEST_F(FolderWatchTest, ChangingTheFolderEndsTheOldWatchThread) {
    const DWORD first = Pane->Tree.WatchThreadId();
    ASSERT_NE(first, 0u);
    EXPECT_EQ(Pane->Tree.WatchedFolder(), Pane->Tree.SelectedFolder());
    EXPECT_EQ(TFolderWatch::RunningCount(), 1);
    // Holding the thread open keeps its id from going to another thread.
    const HANDLE firstThread = OpenThread(SYNCHRONIZE, FALSE, first);
    ASSERT_NE(firstThread, nullptr);
    EXPECT_EQ(WaitForSingleObject(firstThread, 0), static_cast<DWORD>(WAIT_TIMEOUT));

    ASSERT_TRUE(Pane->Tree.SetSelectedFolder(Disk.Path("Gamma")));
    EXPECT_EQ(WaitForSingleObject(firstThread, 0), WAIT_OBJECT_0) << "already ended";
    CloseHandle(firstThread);
    const DWORD second = Pane->Tree.WatchThreadId();
    ASSERT_NE(second, 0u);
    EXPECT_NE(second, first);
    EXPECT_EQ(Pane->Tree.WatchedFolder(), Pane->Tree.SelectedFolder());
    EXPECT_EQ(TFolderWatch::RunningCount(), 1);

    // The new watch is the one that works.
    Disk.AddFile("Gamma\\y.scr");
    ASSERT_TRUE(PumpUntil([&] { return Pane->List.Count() == 2; }, WatchLimitMs));
    EXPECT_EQ(ListNames(Pane->List), (Names{"x.scr", "y.scr"}));

    // The control's end ends the watch with it.
    const HANDLE secondThread = OpenThread(SYNCHRONIZE, FALSE, second);
    ASSERT_NE(secondThread, nullptr);
    Pane.reset();
    EXPECT_EQ(WaitForSingleObject(secondThread, 0), WAIT_OBJECT_0);
    CloseHandle(secondThread);
    EXPECT_EQ(TFolderWatch::RunningCount(), 0);
}

TEST_F(FolderWatchTest, AFolderThatCannotBeWatchedStartsNoThread) {
    TFolderWatch watch(Disk.Path("missing"), Pane->Tree.Handle(), WM_NULL, 0);
    EXPECT_FALSE(watch.Active());
    EXPECT_EQ(watch.ThreadId(), 0u);
    EXPECT_EQ(TFolderWatch::RunningCount(), 1); // only the tree's own
}

} // namespace
