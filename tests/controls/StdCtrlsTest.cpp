// The framework's list box over a native LISTBOX: items, selection, geometry, redrawing and
// the click events, on a real window.
#include "ControlsTestSupport.h"
#include "Kdlist.h"
#include "StdCtrls.h"

#include <gtest/gtest.h>

#include <commctrl.h>

#include <string>
#include <vector>

namespace {

using Texts = std::vector<std::string>;
using Indices = std::vector<int>;

class ListBoxTest : public ::testing::Test {
protected:
    void Make(bool multiSelect, DWORD extraStyle = 0) {
        List.Create(TestForm().Handle(), ListBounds, ListId, multiSelect, extraStyle);
        ASSERT_TRUE(List.HandleAllocated());
    }
    void Fill(const Texts& texts) {
        for (const auto& text : texts)
            List.Add(text);
    }
    TCustomListBox List{nullptr};
};

TEST_F(ListBoxTest, ItemsGoInWhereTheListPutsThem) {
    Make(true);
    EXPECT_EQ(List.Add("alpha"), 0);
    EXPECT_EQ(List.Add("gamma"), 1);
    EXPECT_EQ(List.Insert(1, "beta"), 1);
    EXPECT_EQ(List.Insert(-1, "delta"), 3);
    EXPECT_EQ(ItemTexts(List.Handle()), (Texts{"alpha", "beta", "gamma", "delta"}));
    EXPECT_EQ(List.Count(), 4);
    EXPECT_EQ(List.Get(2), "gamma");
    EXPECT_EQ(List.Get(4), "");
    EXPECT_EQ(List.Get(-1), "");
    List.Delete(0);
    List.Delete(7);
    EXPECT_EQ(ItemTexts(List.Handle()), (Texts{"beta", "gamma", "delta"}));
    List.Clear();
    EXPECT_EQ(List.Count(), 0);
}

TEST_F(ListBoxTest, SortedListAddsInOrderAndReportsThePosition) {
    Make(false, LBS_SORT);
    EXPECT_EQ(List.Add("m"), 0);
    EXPECT_EQ(List.Add("z"), 1);
    EXPECT_EQ(List.Add("a"), 0);
    EXPECT_EQ(ItemTexts(List.Handle()), (Texts{"a", "m", "z"}));
}

TEST_F(ListBoxTest, MoveCarriesTheItemsDataAndSelection) {
    Make(true);
    Fill({"0", "1", "2", "3", "4"});
    for (int i = 0; i < 5; ++i)
        SendMessageA(List.Handle(), LB_SETITEMDATA, static_cast<WPARAM>(i), 100 + i);
    List.SetSelected(1, true);
    List.SetSelected(3, true);

    List.Move(1, 4);
    EXPECT_EQ(ItemTexts(List.Handle()), (Texts{"0", "2", "3", "4", "1"}));
    EXPECT_EQ(SelectedIndices(List.Handle()), (Indices{2, 4}));
    EXPECT_EQ(SendMessageA(List.Handle(), LB_GETITEMDATA, 4, 0), 101);

    List.Move(3, 0);
    EXPECT_EQ(ItemTexts(List.Handle()), (Texts{"4", "0", "2", "3", "1"}));
    EXPECT_EQ(SelectedIndices(List.Handle()), (Indices{3, 4}));
    EXPECT_EQ(SendMessageA(List.Handle(), LB_GETITEMDATA, 0, 0), 104);

    // Out of range: nothing moves.
    List.Move(0, 5);
    List.Move(-1, 2);
    EXPECT_EQ(ItemTexts(List.Handle()), (Texts{"4", "0", "2", "3", "1"}));
}

TEST_F(ListBoxTest, MultiSelectQueries) {
    Make(true);
    EXPECT_TRUE(List.MultiSelect());
    EXPECT_EQ(List.FocusedIndex(), -1); // empty
    EXPECT_EQ(List.ItemIndex(), -1);
    Fill({"a", "b", "c", "d"});
    List.SetSelected(0, true);
    List.SetSelected(2, true);
    List.SetSelected(3, true);
    List.SetSelected(3, false);
    EXPECT_EQ(List.SelCount(), 2);
    EXPECT_TRUE(List.Selected(2));
    EXPECT_FALSE(List.Selected(1));
    EXPECT_FALSE(List.Selected(9));
    // The focus mark moves without touching the selection.
    List.SetItemIndex(1);
    EXPECT_EQ(List.ItemIndex(), 1);
    EXPECT_EQ(List.FocusedIndex(), 1);
    EXPECT_EQ(SelectedIndices(List.Handle()), (Indices{0, 2}));
}

TEST_F(ListBoxTest, SingleSelectQueries) {
    Make(false);
    EXPECT_FALSE(List.MultiSelect());
    Fill({"a", "b", "c"});
    EXPECT_EQ(List.SelCount(), 0);
    List.SetItemIndex(2);
    EXPECT_EQ(List.ItemIndex(), 2);
    List.SetSelected(1, true);
    EXPECT_EQ(List.ItemIndex(), 1);
    EXPECT_EQ(List.SelCount(), 1);
    // Deselecting another item leaves the selection alone.
    List.SetSelected(2, false);
    EXPECT_EQ(List.ItemIndex(), 1);
    List.SetSelected(1, false);
    EXPECT_EQ(List.ItemIndex(), -1);
    EXPECT_EQ(List.SelCount(), 0);
}

TEST_F(ListBoxTest, ItemGeometryAndTheItemAtAPoint) {
    Make(true);
    Fill({"a", "b", "c"});
    List.SetItemHeight(14);
    EXPECT_EQ(List.ItemHeight(), 14);
    const RECT second = List.ItemRect(1);
    EXPECT_EQ(second.bottom - second.top, 14);
    EXPECT_EQ(second.top, 14);
    const RECT none = List.ItemRect(3);
    EXPECT_TRUE(IsRectEmpty(&none));

    EXPECT_EQ(List.ItemAtPos({5, second.top + 3}, true), 1);
    // In the client area below the last item.
    EXPECT_EQ(List.ItemAtPos({5, 100}, true), -1);
    EXPECT_EQ(List.ItemAtPos({5, 100}, false), 3);
    // Outside the client area.
    EXPECT_EQ(List.ItemAtPos({-5, 3}, false), -1);
    EXPECT_EQ(List.ItemAtPos({5, 1000}, false), -1);
}

TEST_F(ListBoxTest, ItemsAreTheStringListTheCollectionFills) {
    Make(true);
    TKDSaverList savers;
    std::size_t first = 0;
    std::size_t second = 0;
    ASSERT_TRUE(savers.AddGroup("First", &first));
    ASSERT_TRUE(savers.AddGroup("Second", &second));
    savers.AddSaver(first, "C:\\A\\one.scr");
    savers.AddSaver(first, "C:\\A\\two.scr");
    savers.AddSaver(second, "C:\\B\\three.scr");

    List.Add("left over");
    savers.GetSaverNames(first, &List.Items());
    EXPECT_EQ(ItemTexts(List.Handle()), (Texts{"C:\\A\\one.scr", "C:\\A\\two.scr"}));
    savers.GetSaverNames(second, &List.Items());
    EXPECT_EQ(ItemTexts(List.Handle()), (Texts{"C:\\B\\three.scr"}));
    EXPECT_EQ(List.Items().Count(), 1u);
    EXPECT_EQ(List.Items().Get(0), "C:\\B\\three.scr");
    EXPECT_EQ(List.Items().Get(1), "");
}

TEST_F(ListBoxTest, TextWidthUsesTheListsFont) {
    Make(true);
    const std::string text = "Measured with the list's own font";
    EXPECT_EQ(List.TextWidth(text), MeasureText(List.Handle(), text));
    const HFONT fixed = static_cast<HFONT>(GetStockObject(SYSTEM_FIXED_FONT));
    List.SetFont(fixed);
    EXPECT_EQ(List.TextWidth(text), MeasureText(List.Handle(), text));
    Fill({"iii", text, "mm"});
    EXPECT_EQ(List.WidestItemWidth(), MeasureText(List.Handle(), text));
}

// Notes every WM_SETREDRAW the list box receives.
LRESULT CALLBACK RedrawSpy(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                           DWORD_PTR log) {
    if (message == WM_SETREDRAW)
        reinterpret_cast<std::vector<WPARAM>*>(log)->push_back(wParam);
    return DefSubclassProc(window, message, wParam, lParam);
}

TEST_F(ListBoxTest, UpdatesNestAndRedrawOnlyAtTheOuterEnd) {
    Make(true);
    std::vector<WPARAM> redraws;
    SetWindowSubclass(List.Handle(), RedrawSpy, 1, reinterpret_cast<DWORD_PTR>(&redraws));
    List.BeginUpdate();
    List.BeginUpdate();
    List.Add("x");
    List.EndUpdate();
    EXPECT_EQ(redraws, (std::vector<WPARAM>{FALSE}));
    List.EndUpdate();
    List.EndUpdate(); // unmatched: ignored
    EXPECT_EQ(redraws, (std::vector<WPARAM>{FALSE, TRUE}));
    RemoveWindowSubclass(List.Handle(), RedrawSpy, 1);
}

TEST_F(ListBoxTest, ClicksAndDoubleClicksReachTheEvents) {
    Make(true);
    Fill({"a", "b", "c"});
    int clicks = 0;
    int doubleClicks = 0;
    List.OnClick = [&](TComponent* sender) {
        EXPECT_EQ(sender, &List);
        ++clicks;
    };
    List.OnDblClick = [&](TComponent*) { ++doubleClicks; };

    const RECT item = List.ItemRect(1);
    const LPARAM at = MAKELPARAM(item.left + 2, item.top + 2);
    SendMessageA(List.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, at);
    SendMessageA(List.Handle(), WM_LBUTTONUP, 0, at);
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(SelectedIndices(List.Handle()), (Indices{1}));
    SendMessageA(List.Handle(), WM_LBUTTONDBLCLK, MK_LBUTTON, at);
    SendMessageA(List.Handle(), WM_LBUTTONUP, 0, at);
    EXPECT_EQ(doubleClicks, 1);

    // Losing the focus shares its code with a button's double-click; it is neither event.
    const int clicksBefore = clicks;
    SendMessageA(TestForm().Handle(), WM_COMMAND, MAKEWPARAM(ListId, LBN_KILLFOCUS),
                 reinterpret_cast<LPARAM>(List.Handle()));
    EXPECT_EQ(doubleClicks, 1);
    EXPECT_EQ(clicks, clicksBefore);
}

} // namespace
