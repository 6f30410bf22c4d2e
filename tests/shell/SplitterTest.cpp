// The splitter between tree and list: dragged by mouse messages, it moves the boundary and
// leaves neither neighbour smaller than 10 pixels.
#include "ShellTestSupport.h"

#include <gtest/gtest.h>

namespace {

// A mouse position in a window's client coordinates; negative values as the system sends them.
LPARAM At(int x, int y) {
    return MAKELPARAM(static_cast<WORD>(static_cast<short>(x)),
                      static_cast<WORD>(static_cast<short>(y)));
}

class SplitterTest : public ::testing::Test {
protected:
    // Takes the bar 5 pixels below its top edge and lets go at `parentY` (pane coordinates).
    void Drag(int parentY) {
        const HWND bar = Pane.Splitter.Handle();
        const int start = Pane.Splitter.BoundsRect().top + 5;
        SendMessageA(bar, WM_LBUTTONDOWN, MK_LBUTTON, At(20, 5));
        for (int y : {(start + parentY) / 2, parentY})
            SendMessageA(bar, WM_MOUSEMOVE, MK_LBUTTON, InBar(y));
        SendMessageA(bar, WM_LBUTTONUP, 0, InBar(parentY));
    }
    // A pane position in the bar's client coordinates, wherever the bar is now.
    LPARAM InBar(int parentY) const { return At(20, parentY - Pane.Splitter.BoundsRect().top); }

    TShellPane Pane;
};

TEST_F(SplitterTest, DraggingMovesTheBoundaryWithinTheMinimumSizes) {
    const struct {
        int dropAt; // where the grabbed point goes, in the pane
        int treeHeight;
    } cases[] = {{150, 145}, {105, 100}, {200, 195}, {19, 14},   {0, 10},
                 {-50, 10},  {275, 270}, {290, 280}, {1000, 280}};
    for (const auto& c : cases) {
        Pane.LayOut();
        int moved = 0;
        Pane.Splitter.OnMoved = [&](TComponent*) { ++moved; };
        Drag(c.dropAt);
        const RECT tree = Pane.Tree.BoundsRect();
        const RECT bar = Pane.Splitter.BoundsRect();
        const RECT list = Pane.List.BoundsRect();
        EXPECT_EQ(tree.top, 0) << c.dropAt;
        EXPECT_EQ(tree.bottom - tree.top, c.treeHeight) << c.dropAt;
        EXPECT_EQ(bar.top, tree.bottom) << c.dropAt;
        EXPECT_EQ(bar.bottom - bar.top, 10) << c.dropAt;
        EXPECT_EQ(list.top, bar.bottom) << c.dropAt;
        EXPECT_EQ(list.bottom, 300) << c.dropAt;
        EXPECT_GE(list.bottom - list.top, 10) << c.dropAt;
        EXPECT_EQ(moved > 0, c.treeHeight != 145) << c.dropAt;
        EXPECT_EQ(GetCapture(), nullptr) << c.dropAt;
    }
}

TEST_F(SplitterTest, MovingTheMouseWithoutADragMovesNothing) {
    const HWND bar = Pane.Splitter.Handle();
    SendMessageA(bar, WM_MOUSEMOVE, 0, At(20, -60));
    SendMessageA(bar, WM_LBUTTONDOWN, MK_LBUTTON, At(20, 5));
    SendMessageA(bar, WM_LBUTTONUP, 0, At(20, 5));
    SendMessageA(bar, WM_MOUSEMOVE, MK_LBUTTON, At(20, -60));
    EXPECT_EQ(Pane.Tree.Height(), 145);
    EXPECT_EQ(Pane.List.BoundsRect().top, 155);
}

TEST_F(SplitterTest, ShowsTheNorthSouthCursor) {
    const auto sizeNS = LoadCursorA(nullptr, IDC_SIZENS);
    EXPECT_EQ(reinterpret_cast<HCURSOR>(GetClassLongPtrA(Pane.Splitter.Handle(), GCLP_HCURSOR)),
              sizeNS);
    SendMessageA(Pane.Splitter.Handle(), WM_SETCURSOR,
                 reinterpret_cast<WPARAM>(Pane.Splitter.Handle()),
                 MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
    EXPECT_EQ(GetCursor(), sizeNS);
    char className[32] = {};
    GetClassNameA(Pane.Splitter.Handle(), className, sizeof className);
    EXPECT_STREQ(className, TSplitter::ClassName());
    EXPECT_STREQ(className, "KdSplitter");
}

} // namespace
