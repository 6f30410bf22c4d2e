// The custom list box: the horizontal scroll range that follows the widest item, the item
// tooltips and the whole-list selection commands, driven by the list box's own messages.
#include "ControlsTestSupport.h"
#include "QelListBox.h"

#include <gtest/gtest.h>

#include <commctrl.h>

#include <ostream>
#include <string>
#include <vector>

namespace {

using Indices = std::vector<int>;

class QelListBoxTest : public ::testing::Test {
protected:
    void Make(bool multiSelect) {
        List.Create(TestForm().Handle(), ListBounds, ListId, multiSelect);
        ASSERT_TRUE(List.HandleAllocated());
    }
    int Width(const std::string& text) const { return MeasureText(List.Handle(), text); }
    int Extent() const { return HorizontalExtent(List.Handle()); }
    int Margin() const { return FrameMargin(List.Handle()); }
    LRESULT Send(UINT message, WPARAM wParam, const char* text) {
        return SendMessageA(List.Handle(), message, wParam, reinterpret_cast<LPARAM>(text));
    }

    TQelListBox List{nullptr};
    // Narrow, widest and middle, in the order they are added.
    const std::string Narrow = "il";
    const std::string Widest = "WWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWW";
    const std::string Middle = "MMMMMMMMMM";
};

TEST_F(QelListBoxTest, RangeFollowsTheWidestItemThroughAddsAndDeletes) {
    Make(true);
    ASSERT_LT(Width(Narrow), Width(Middle));
    ASSERT_LT(Width(Middle), Width(Widest));
    const int margin = Margin();
    ASSERT_GT(margin, 0); // the sunken frame

    EXPECT_EQ(Send(LB_ADDSTRING, 0, Narrow.c_str()), 0);
    EXPECT_EQ(Extent(), Width(Narrow) + margin);
    EXPECT_EQ(List.GetExtentMargin(), margin);
    EXPECT_EQ(Send(LB_INSERTSTRING, 0, Widest.c_str()), 0);
    EXPECT_EQ(Extent(), Width(Widest) + margin);
    // A narrower item never shrinks the range.
    EXPECT_EQ(Send(LB_ADDSTRING, 0, Middle.c_str()), 2);
    EXPECT_EQ(Extent(), Width(Widest) + margin);
    EXPECT_EQ(List.GetMaxItemWidth(), Width(Widest));

    // Deleting an item that is not the widest changes nothing; the item is gone once.
    EXPECT_EQ(SendMessageA(List.Handle(), LB_DELETESTRING, 2, 0), 2);
    EXPECT_EQ(Extent(), Width(Widest) + margin);
    // Deleting the widest re-measures what is left.
    EXPECT_EQ(SendMessageA(List.Handle(), LB_DELETESTRING, 0, 0), 1);
    EXPECT_EQ(Extent(), Width(Narrow) + margin);
    EXPECT_EQ(List.GetMaxItemWidth(), Width(Narrow));
    EXPECT_EQ(List.Count(), 1);
    EXPECT_EQ(List.Get(0), Narrow);
    // A delete of no item leaves everything as it was.
    EXPECT_EQ(SendMessageA(List.Handle(), LB_DELETESTRING, 5, 0), LB_ERR);
    EXPECT_EQ(Extent(), Width(Narrow) + margin);
    // The last item gone: the margin alone, or 0 where the list empties itself with an
    // LB_RESETCONTENT of its own (Wine does).
    EXPECT_EQ(SendMessageA(List.Handle(), LB_DELETESTRING, 0, 0), 0);
    EXPECT_EQ(List.GetMaxItemWidth(), 0);
    EXPECT_TRUE(Extent() == margin || Extent() == 0) << Extent();
}

TEST_F(QelListBoxTest, ARefusedInsertWidensNothing) {
    Make(true);
    List.Add(Narrow);
    EXPECT_EQ(Send(LB_INSERTSTRING, 7, Widest.c_str()), LB_ERR);
    EXPECT_EQ(List.Count(), 1);
    EXPECT_EQ(Extent(), Width(Narrow) + Margin());
}

TEST_F(QelListBoxTest, ResetDropsTheRangeEvenWithoutScrollBar) {
    Make(true);
    List.Add(Widest);
    List.SetUseScrollBar(false);
    SendMessageA(List.Handle(), LB_SETHORIZONTALEXTENT, 500, 0);
    ASSERT_EQ(Extent(), 500);
    SendMessageA(List.Handle(), LB_RESETCONTENT, 0, 0);
    EXPECT_EQ(Extent(), 0);
    EXPECT_EQ(List.GetMaxItemWidth(), 0);
    EXPECT_EQ(List.Count(), 0);
    // Through the framework's Clear as well, with the scroll bar on.
    List.SetUseScrollBar(true);
    List.Add(Middle);
    ASSERT_GT(Extent(), 0);
    List.Clear();
    EXPECT_EQ(Extent(), 0);
}

TEST_F(QelListBoxTest, SwitchingTheScrollBarOffAndOn) {
    Make(true);
    EXPECT_TRUE(List.GetUseScrollBar());
    List.Add(Middle);
    const int margin = Margin();
    List.SetUseScrollBar(false);
    EXPECT_EQ(Extent(), 0);
    // Items added meanwhile still count once the scroll bar is back.
    List.Add(Widest);
    EXPECT_EQ(Extent(), 0);
    EXPECT_EQ(List.GetMaxItemWidth(), Width(Widest));
    List.SetUseScrollBar(true);
    EXPECT_EQ(Extent(), Width(Widest) + margin);
    // Unchanged value: no message.
    SendMessageA(List.Handle(), LB_SETHORIZONTALEXTENT, 777, 0);
    List.SetUseScrollBar(true);
    EXPECT_EQ(Extent(), 777);
}

TEST_F(QelListBoxTest, MarginCountsTheVerticalScrollBarOnceItShows) {
    Make(true);
    const int frameOnly = Margin();
    for (int i = 0; i < 40; ++i)
        List.Add("item " + std::to_string(i));
    // Shown by the earlier adds, counted from the next one; a narrow item only notes it, a
    // wider one brings it into the range.
    const int before = Extent();
    List.Add(Narrow);
    EXPECT_EQ(List.GetExtentMargin(), Margin());
    EXPECT_GT(List.GetExtentMargin(), frameOnly);
    EXPECT_EQ(Extent(), before);
    List.Add(Widest);
    EXPECT_EQ(Extent(), Width(Widest) + Margin());
}

// ---- item hints ----

struct THintCase {
    const char* Name;
    const char* OwnHint;
    int Item; // the item under the mouse; -1: below the last item
    const char* ExpectedText;
    bool ExpectItemRect; // else: the empty rectangle, or (with an own hint) untouched
};

// Names the case in failure messages.
void PrintTo(const THintCase& c, std::ostream* out) {
    *out << c.Name;
}

class QelListBoxHintTest : public QelListBoxTest,
                           public ::testing::WithParamInterface<THintCase> {};

TEST_P(QelListBoxHintTest, AnswersTheHintRequestForTheItemUnderTheMouse) {
    const THintCase& c = GetParam();
    Make(true);
    List.Add("fits");
    List.Add(Widest + " and then some more text that cannot fit");
    List.Add("also fits");
    ASSERT_GT(Width(List.Get(1)), List.ClientRect().right);
    List.SetHint(c.OwnHint);

    THintInfo info;
    info.HintControl = &List;
    info.HintStr = "before";
    info.CursorRect = RECT{1, 2, 3, 4};
    if (c.Item >= 0) {
        const RECT item = List.ItemRect(c.Item);
        info.CursorPos = POINT{item.left + 3, item.top + 2};
    } else {
        info.CursorPos = POINT{5, List.ItemRect(2).bottom + 20};
    }
    SendMessageA(List.Handle(), CM_HINTSHOW, 0, reinterpret_cast<LPARAM>(&info));

    EXPECT_EQ(info.HintStr, c.ExpectedText);
    const RECT expected = c.ExpectItemRect ? List.ItemRect(c.Item)
                          : *c.OwnHint     ? RECT{1, 2, 3, 4}
                                           : RECT{};
    EXPECT_TRUE(EqualRect(&info.CursorRect, &expected)) << c.Name;
}

INSTANTIATE_TEST_SUITE_P(
    Hints, QelListBoxHintTest,
    ::testing::Values(THintCase{"OwnHintLeavesTheRequestAlone", "Saver list", 1, "before", false},
                      THintCase{"FittingItemShowsNoTooltip", "", 0, "", true},
                      THintCase{
                          "TruncatedItemShowsItsWholeText", "", 1,
                          "WWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWW and then some more text that "
                          "cannot fit",
                          true},
                      THintCase{"NextItemIsAskedAgain", "", 2, "", true},
                      THintCase{"NoItemEmptiesTheRectangleOnly", "", -1, "before", false}),
    [](const auto& info) { return std::string(info.param.Name); });

namespace {
BOOL CALLBACK FindShownTooltip(HWND window, LPARAM found) {
    char name[64] = {};
    GetClassNameA(window, name, sizeof name);
    if (lstrcmpiA(name, TOOLTIPS_CLASSA) != 0 || !IsWindowVisible(window))
        return TRUE;
    *reinterpret_cast<HWND*>(found) = window;
    return FALSE;
}

HWND ShownTooltip() {
    HWND found = nullptr;
    EnumThreadWindows(GetCurrentThreadId(), FindShownTooltip, reinterpret_cast<LPARAM>(&found));
    return found;
}
} // namespace

// The real tooltip, with the mouse on an entry too wide for the list. A Unicode list box tells
// the tooltip to ask in Unicode, so the tooltip asks for the text in the wide form; an answer
// only to the narrow form left the tooltip empty and hidden.
TEST_F(QelListBoxTest, TheTooltipShowsAnEntryTooWideForTheList) {
    // Made as the dialog manager makes a template's list box: a Unicode window.
    const HWND window = CreateWindowExW(
        WS_EX_CLIENTEDGE, L"LISTBOX", L"",
        WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_HSCROLL | LBS_NOTIFY | LBS_EXTENDEDSEL,
        ListBounds.left, ListBounds.top, ListBounds.right - ListBounds.left,
        ListBounds.bottom - ListBounds.top, TestForm().Handle(), nullptr, nullptr, nullptr);
    ASSERT_TRUE(IsWindowUnicode(window));
    List.Attach(window);
    List.Add(Widest);
    const RECT entry = List.ItemRect(0);
    POINT at{(entry.left + entry.right) / 2, (entry.top + entry.bottom) / 2};
    POINT screen = at;
    ClientToScreen(List.Handle(), &screen);
    SetForegroundWindow(TestForm().Handle());
    SetCursorPos(screen.x, screen.y);
    SendMessageA(List.Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(at.x, at.y));
    HWND tooltip = nullptr;
    const DWORD start = GetTickCount();
    while (!(tooltip = ShownTooltip()) && GetTickCount() - start < 10000) {
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
            DispatchMessageA(&msg);
        Sleep(10);
    }
    ASSERT_NE(tooltip, nullptr) << "no tooltip came";
    RECT shown{};
    GetWindowRect(tooltip, &shown);
    EXPECT_GT(shown.right - shown.left, MeasureText(tooltip, Widest)) << "it holds the whole entry";
    SetCursorPos(1200, 1000);
}

// ---- selection commands ----

enum class TCommand { SelectAll, UnselectAll, Invert };

struct TSelectionCase {
    const char* Name;
    int Count;
    Indices Before;
    TCommand Command;
    Indices After;
};

// Names the case in failure messages.
void PrintTo(const TSelectionCase& c, std::ostream* out) {
    *out << c.Name;
}

class QelListBoxSelectionTest : public QelListBoxTest,
                                public ::testing::WithParamInterface<TSelectionCase> {
protected:
    void Run(TCommand command) {
        switch (command) {
        case TCommand::SelectAll:
            List.SelectAll();
            break;
        case TCommand::UnselectAll:
            List.UnselectAll();
            break;
        case TCommand::Invert:
            List.InvertSelection();
            break;
        }
    }
};

TEST_P(QelListBoxSelectionTest, LeavesExactlyTheExpectedItemsSelected) {
    const TSelectionCase& c = GetParam();
    Make(true);
    for (int i = 0; i < c.Count; ++i)
        List.Add(std::to_string(i));
    for (const int index : c.Before)
        List.SetSelected(index, true);
    int clicks = 0;
    List.OnClick = [&](TComponent*) { ++clicks; };

    Run(c.Command);
    EXPECT_EQ(SelectedIndices(List.Handle()), c.After);
    EXPECT_EQ(clicks, 0);
}

INSTANTIATE_TEST_SUITE_P(
    Commands, QelListBoxSelectionTest,
    ::testing::Values(
        TSelectionCase{"InvertRuns", 6, {1, 2, 4}, TCommand::Invert, {0, 3, 5}},
        TSelectionCase{"InvertSingleItemRuns", 6, {0, 2, 4}, TCommand::Invert, {1, 3, 5}},
        TSelectionCase{"InvertBlockAtTheEnd", 6, {3, 4, 5}, TCommand::Invert, {0, 1, 2}},
        TSelectionCase{"InvertNoneSelectsAll", 4, {}, TCommand::Invert, {0, 1, 2, 3}},
        TSelectionCase{"InvertAllSelectsNone", 4, {0, 1, 2, 3}, TCommand::Invert, {}},
        TSelectionCase{"InvertTheOnlyItem", 1, {0}, TCommand::Invert, {}},
        TSelectionCase{"SelectAll", 5, {2}, TCommand::SelectAll, {0, 1, 2, 3, 4}},
        TSelectionCase{"UnselectAll", 5, {0, 3, 4}, TCommand::UnselectAll, {}},
        TSelectionCase{"UnselectTheOnlyItem", 1, {0}, TCommand::UnselectAll, {}},
        TSelectionCase{"EmptyListStaysEmpty", 0, {}, TCommand::Invert, {}}),
    [](const auto& info) { return std::string(info.param.Name); });

TEST_F(QelListBoxSelectionTest, SingleSelectListIsLeftAlone) {
    Make(false);
    for (int i = 0; i < 4; ++i)
        List.Add(std::to_string(i));
    List.SetItemIndex(2);
    for (const TCommand command : {TCommand::SelectAll, TCommand::UnselectAll, TCommand::Invert}) {
        Run(command);
        EXPECT_EQ(SelectedIndices(List.Handle()), (Indices{2}));
    }
}

} // namespace
