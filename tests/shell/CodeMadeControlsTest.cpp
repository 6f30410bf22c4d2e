// The four controls made in code rather than taken from a template work the same way.
#include "ShellTestSupport.h"

#include <gtest/gtest.h>

#include <commctrl.h>

namespace {

using Names = std::vector<std::string>;

// A plain top-level window of the test's own, standing for a form.
class TPlainForm {
public:
    TPlainForm() {
        WNDCLASSA windowClass{};
        windowClass.lpfnWndProc = DefWindowProcA;
        windowClass.hInstance = GetModuleHandleA(nullptr);
        windowClass.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
        windowClass.lpszClassName = "KaleidraShellTestForm";
        RegisterClassA(&windowClass);
        Form.Attach(CreateWindowExA(0, windowClass.lpszClassName, "Made in code",
                                    WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 400, 360, nullptr,
                                    nullptr, windowClass.hInstance, nullptr));
    }
    TWinControl Form{nullptr};
};

TEST(CodeMadeControls, WorkLikeTheOnesFromATemplate) {
    TTempTree disk;
    TPlainForm form;
    const HWND parent = form.Form.Handle();
    TShellFolderTree tree(nullptr);
    TSplitter splitter(nullptr);
    TShellFileList list(nullptr);
    TSpinEdit minutes(nullptr);
    tree.Create(parent, {0, 0, 185, 145}, 11);
    splitter.Create(parent, {0, 145, 185, 155}, 12);
    list.Create(parent, {0, 155, 185, 300}, 13);
    minutes.Create(parent, {200, 10, 260, 32}, 14);
    ASSERT_TRUE(tree.HandleAllocated() && splitter.HandleAllocated() && list.HandleAllocated() &&
                minutes.HandleAllocated());

    int folderChanges = 0;
    tree.OnChange = [&](TComponent*) { ++folderChanges; };
    list.SetMask("*.scr");
    list.SetFolderTree(&tree);
    ASSERT_TRUE(tree.SetSelectedFolder(disk.Path("Gamma")));
    EXPECT_EQ(folderChanges, 1);
    EXPECT_EQ(ListNames(list), (Names{"x.scr"}));
    EXPECT_NE(tree.WatchThreadId(), 0u);
    EXPECT_TRUE(GetWindowLongPtrA(tree.Handle(), GWL_STYLE) & TVS_SHOWSELALWAYS);
    EXPECT_EQ(GetWindowLongPtrA(list.Handle(), GWL_STYLE) & LVS_TYPEMASK, LVS_REPORT);

    // The arrows sit at the right end of the given bounds (where exactly, and how far they
    // overlap the edit's border, is the common controls' choice); the edit takes the rest.
    const HWND arrows = minutes.UpDownHandle();
    ASSERT_NE(arrows, nullptr);
    EXPECT_EQ(reinterpret_cast<HWND>(SendMessageA(arrows, UDM_GETBUDDY, 0, 0)), minutes.Handle());
    RECT arrowBounds;
    GetWindowRect(arrows, &arrowBounds);
    MapWindowPoints(HWND_DESKTOP, parent, reinterpret_cast<POINT*>(&arrowBounds), 2);
    EXPECT_LE(arrowBounds.right, 260);
    EXPECT_GE(arrowBounds.right, 256);
    EXPECT_EQ(arrowBounds.top, 10);
    const RECT edit = minutes.BoundsRect();
    EXPECT_EQ(edit.left, 200);
    EXPECT_GE(edit.right, arrowBounds.left);
    EXPECT_LT(edit.right, arrowBounds.right);
    const LONG_PTR arrowStyle = GetWindowLongPtrA(arrows, GWL_STYLE);
    EXPECT_EQ(arrowStyle & (UDS_SETBUDDYINT | UDS_ARROWKEYS | UDS_ALIGNRIGHT),
              UDS_SETBUDDYINT | UDS_ARROWKEYS | UDS_ALIGNRIGHT);
    minutes.SetRange(1, 360);
    minutes.SetValue(0);
    EXPECT_EQ(minutes.GetCaption(), "1");

    // Neighbours named in code rather than found.
    splitter.SetNeighbours(tree.Handle(), list.Handle());
    EXPECT_EQ(splitter.MoveTo(-20), 10);
    EXPECT_EQ(tree.Height(), 10);
    EXPECT_EQ(list.BoundsRect().top, 20);
    EXPECT_EQ(splitter.MoveTo(60), 60);
    EXPECT_EQ(tree.Height(), 60);
    EXPECT_EQ(list.Height(), 300 - 70);
}

} // namespace
