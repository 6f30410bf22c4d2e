// The Savers page: its commands change the saver list and the collection together, entry by
// entry, and keep the saver commands in step with the list's selection.

#include "ConfigFormTestSupport.h"

#include "Kdlist.h"
#include "QelDropListBox.h"
#include "ShellFileList.h"
#include "ShellFolderTree.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {
using Texts = std::vector<std::string>;
using Indexes = std::vector<int>;

const char* const FiveSavers = "Version=2.0.0\r\n"
                               "\r\n"
                               "[Five;On;1]\r\n"
                               "C:\\Savers\\s0.scr;1\r\n"
                               "C:\\Savers\\s1.scr;2\r\n"
                               "C:\\Savers\\s2.scr;3\r\n"
                               "C:\\Savers\\s3.scr;4\r\n"
                               "C:\\Savers\\s4.scr;5\r\n";

std::string Saver(int oldIndex) {
    return "C:\\Savers\\s" + std::to_string(oldIndex) + ".scr";
}

Texts Savers(const Indexes& oldIndexes) {
    Texts paths;
    for (int index : oldIndexes)
        paths.push_back(Saver(index));
    return paths;
}

std::string Upper(std::string text) {
    CharUpperBuffA(text.data(), static_cast<DWORD>(text.size()));
    return text;
}

int Occurrences(const std::string& text, const std::string& part) {
    int count = 0;
    for (std::size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1))
        ++count;
    return count;
}
} // namespace

// ---- moves ----

enum class TMove { Up, Down, Top, Bottom };

struct TMoveCase {
    const char* Name;
    TMove Move;
    Indexes Selected;
    Indexes Order;         // old indexes, in the new order
    Indexes SelectedAfter; // new indexes
};

class SaverMoves : public ConfigFormTest {
protected:
    TSpeedButton* ButtonFor(TMove move) const {
        switch (move) {
        case TMove::Up:
            return Form->btnMoveUp;
        case TMove::Down:
            return Form->btnMoveDown;
        case TMove::Top:
            return Form->btnMoveTop;
        case TMove::Bottom:
            return Form->btnMoveBottom;
        }
        return nullptr;
    }
    // Puts s0 to s4 back in their first order, in the collection and then in the controls
    // (building a window per case takes a second under Wine).
    void RestoreFiveSavers() {
        while (Form->SaverList->GetSaverCount(0) > 0)
            Form->SaverList->RemoveSaver(0, 0);
        for (int s = 0; s < 5; ++s)
            Form->SaverList->AddSaver(0, Saver(s));
        Form->FillControls();
    }
};

TEST_F(SaverMoves, MoveSelectedEntriesInListAndCollectionAlike) {
    const TMoveCase cases[] = {
        {"up: a selected block at the top stays", TMove::Up, {0, 1, 3}, {0, 1, 3, 2, 4}, {0, 1, 2}},
        {"up: every entry selected", TMove::Up, {0, 1, 2, 3, 4}, {0, 1, 2, 3, 4}, {0, 1, 2, 3, 4}},
        {"up: each passes one neighbour", TMove::Up, {2, 4}, {0, 2, 1, 4, 3}, {1, 3}},
        {"down: a selected block at the bottom stays",
         TMove::Down,
         {1, 3, 4},
         {0, 2, 1, 3, 4},
         {2, 3, 4}},
        {"down: every entry selected",
         TMove::Down,
         {0, 1, 2, 3, 4},
         {0, 1, 2, 3, 4},
         {0, 1, 2, 3, 4}},
        {"down: each passes one neighbour", TMove::Down, {0, 2}, {1, 0, 3, 2, 4}, {1, 3}},
        {"top: 2 and 4", TMove::Top, {2, 4}, {2, 4, 0, 1, 3}, {0, 1}},
        {"top: already there", TMove::Top, {0, 1}, {0, 1, 2, 3, 4}, {0, 1}},
        {"bottom: 0 and 2", TMove::Bottom, {0, 2}, {1, 3, 4, 0, 2}, {3, 4}},
        {"bottom: 1 and 4", TMove::Bottom, {1, 4}, {0, 2, 3, 1, 4}, {3, 4}},
    };
    Open(FiveSavers);
    for (const TMoveCase& c : cases) {
        SCOPED_TRACE(c.Name);
        RestoreFiveSavers();
        ASSERT_EQ(ListEntries(), Savers({0, 1, 2, 3, 4}));
        ASSERT_EQ(Form->SaverLB->SelCount(), 0);
        for (int j : c.Selected)
            Form->SaverLB->SetSelected(j, true);
        // As a click in the list would: the saver commands come on.
        Form->SaverLB->SetFocusedIndex(c.Selected.front());
        Form->SaverLBClick(Form->SaverLB);
        TSpeedButton* button = ButtonFor(c.Move);
        ASSERT_TRUE(button->GetEnabled());

        ClickControl(*button);

        EXPECT_EQ(ListEntries(), Savers(c.Order));
        EXPECT_EQ(CollectionEntries(), ListEntries());
        EXPECT_EQ(SelectedEntries(), c.SelectedAfter);
    }
}

// ---- add from the file list ----

TEST_F(ConfigFormTest, AddSkipsDuplicatesAndItselfAndRefusesPathsTheFileCannotHold) {
    const TSaverFolder& folder = MakeSaverFolder(
        {"a.scr", "B.scr", "c.scr", "x Kaleidra y.scr", "semi;colon.scr", "Dup.scr"});
    const std::string listed = Upper(folder.Path() + "Dup.scr");
    Open("Version=2.0.0\r\n\r\n[Main;On;1]\r\n" + listed + ";4\r\n");
    ASSERT_TRUE(Form->DirectoryView->SetSelectedFolder(folder.Path()));
    ASSERT_EQ(Form->FileView->Count(), 6);
    auto indexOf = [&](const std::string& name) {
        for (int i = 0; i < Form->FileView->Count(); ++i)
            if (Form->FileView->ItemName(i) == name)
                return i;
        return -1;
    };
    auto pathOf = [&](const std::string& name) { return Form->FileView->ItemPath(indexOf(name)); };
    ASSERT_EQ(lstrcmpiA(pathOf("Dup.scr").c_str(), listed.c_str()), 0)
        << "the list holds the file list's path in other letters";
    EXPECT_FALSE(Form->btnAddSaver->GetEnabled());

    ClickControl(*Form->btnSelectAllFiles);
    Form->FileView->SetSelected(indexOf("c.scr"), false);
    ASSERT_EQ(Form->FileView->SelectedIndexes().size(), 5u);
    ASSERT_TRUE(Form->btnAddSaver->GetEnabled());
    ClickControl(*Form->btnAddSaver);

    EXPECT_EQ(ListEntries(), (Texts{listed, pathOf("a.scr"), pathOf("B.scr")}));
    EXPECT_EQ(CollectionEntries(), ListEntries());
    EXPECT_EQ(CollectionPriorities(), (std::vector<int>{4, 3, 3}));
    ASSERT_EQ(MessageBoxes.Boxes().size(), 1u) << "one message for the refused file";
    const TSeenMessageBox& box = MessageBoxes.Boxes().front();
    EXPECT_EQ(box.Owner, Form->Handle());
    EXPECT_TRUE(Contains(box.Text, pathOf("semi;colon.scr"))) << box.Text;
    EXPECT_FALSE(Contains(box.Text, "Kaleidra y.scr")) << "skipped, not refused";
    EXPECT_FALSE(Contains(box.Text, "a.scr")) << box.Text;
    // Adding leaves the saver list's selection and its commands alone.
    EXPECT_EQ(Form->SaverLB->SelCount(), 0);
    for (const auto& [name, control] : SaverCommands())
        EXPECT_FALSE(control->GetEnabled()) << name;

    // A double-click in the file list adds too: the one file not yet listed goes to the end.
    ClickControl(*Form->btnSelectInvFiles);
    ASSERT_EQ(Form->FileView->SelectedIndexes(), std::vector<int>{indexOf("c.scr")});
    SendNotification(*Form->FileView, NM_DBLCLK);
    EXPECT_EQ(ListEntries(), (Texts{listed, pathOf("a.scr"), pathOf("B.scr"), pathOf("c.scr")}));
    EXPECT_EQ(CollectionEntries(), ListEntries());
    EXPECT_EQ(MessageBoxes.Boxes().size(), 1u);
}

// ---- drop ----

TEST_F(ConfigFormTest, DropAddsNewPathsSkipsListedOnesAndRefusesWhatTheFileCannotHold) {
    Open("Version=2.0.0\r\n\r\n[Main;On;1]\r\nC:\\Savers\\One.scr;5\r\n");
    const Texts refused = {"[bracket.scr", "C:\\Savers\\a=b.scr", "C:\\Savers\\semi;colon.scr",
                           " C:\\Savers\\leading blank.scr"};
    DropFiles(Form->SaverLB->Handle(),
              {"C:\\Savers\\New.scr", refused[0], "c:\\savers\\ONE.SCR", refused[1],
               "C:\\Savers\\Kaleidra Extra.scr", refused[2], refused[3]});

    const Texts added = {"C:\\Savers\\One.scr", "C:\\Savers\\New.scr",
                         "C:\\Savers\\Kaleidra Extra.scr"};
    EXPECT_EQ(ListEntries(), added) << "a listed path is skipped; Kaleidra may be dropped";
    EXPECT_EQ(CollectionEntries(), added);
    EXPECT_EQ(CollectionPriorities(), (std::vector<int>{5, 3, 3}));
    EXPECT_TRUE(MessageBoxes.Boxes().empty()) << "the message waits until the drop is over";

    Pump();

    ASSERT_EQ(MessageBoxes.Boxes().size(), 1u) << "one message for the whole drop";
    const TSeenMessageBox& box = MessageBoxes.Boxes().front();
    EXPECT_EQ(box.Owner, Form->Handle());
    for (const auto& path : refused)
        EXPECT_EQ(Occurrences(box.Text, path), 1) << path << " in:\n" << box.Text;
    EXPECT_FALSE(Contains(box.Text, "New.scr")) << box.Text;

    // The next drop's message lists only its own refused paths.
    DropFiles(Form->SaverLB->Handle(), {"C:\\Savers\\x=y.scr"});
    Pump();
    ASSERT_EQ(MessageBoxes.Boxes().size(), 2u);
    EXPECT_TRUE(Contains(MessageBoxes.Boxes().back().Text, "C:\\Savers\\x=y.scr"));
    EXPECT_FALSE(Contains(MessageBoxes.Boxes().back().Text, "[bracket.scr"));
    EXPECT_EQ(ListEntries(), added);
}

// ---- remove ----

TEST_F(ConfigFormTest, DoubleClickRemovesEverySelectedEntryAndDisablesTheCommands) {
    Open(FiveSavers);
    for (int j : {1, 3, 4})
        Form->SaverLB->SetSelected(j, true);
    Form->SaverLB->SetFocusedIndex(1);
    Form->SaverLBClick(Form->SaverLB);
    ASSERT_TRUE(Form->btnRemoveSaver->GetEnabled());

    // A double-click on entry 1 only.
    const RECT item = Form->SaverLB->ItemRect(1);
    SendMessageA(Form->SaverLB->Handle(), WM_LBUTTONDBLCLK, MK_LBUTTON,
                 MAKELPARAM((item.left + item.right) / 2, (item.top + item.bottom) / 2));

    EXPECT_EQ(ListEntries(), Savers({0, 2}));
    EXPECT_EQ(CollectionEntries(), ListEntries());
    EXPECT_EQ(CollectionPriorities(), (std::vector<int>{1, 3}));
    EXPECT_EQ(Form->SaverLB->SelCount(), 0);
    for (const auto& [name, control] : SaverCommands())
        EXPECT_FALSE(control->GetEnabled()) << name;

    // Without a selection the command does nothing.
    Form->btnRemoveSaverClick(Form->btnRemoveSaver);
    EXPECT_EQ(ListEntries(), Savers({0, 2}));
}

// ---- priority ----

TEST_F(ConfigFormTest, ClickingASelectedSaverGivesItsPriorityToEverySelectedSaver) {
    struct Case {
        const char* Name;
        int Clicked;
        std::vector<int> Priorities;
        int Position;
    };
    const Case cases[] = {
        // The bar moves from 5 to 1, and the change reaches every selected saver.
        {"the priority-1 saver", 1, {1, 1, 1, 2}, 1},
        // The bar already shows 5: it does not change, so no saver does either.
        {"the priority-5 saver", 0, {5, 1, 1, 2}, 5},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        Open("Version=2.0.0\r\n\r\n[P;On;1]\r\nC:\\Savers\\p5.scr;5\r\nC:\\Savers\\p1a.scr;1\r\n"
             "C:\\Savers\\p1b.scr;1\r\nC:\\Savers\\p2.scr;2\r\n");
        // The bar at 5 while nothing is selected changes no saver.
        Form->SaverPriority->SetPosition(5);
        ASSERT_EQ(CollectionPriorities(), (std::vector<int>{5, 1, 1, 2}));
        Form->SaverLB->SetSelected(0, true);
        Form->SaverLB->SetSelected(1, true);

        Form->SaverLB->SetFocusedIndex(c.Clicked);
        Form->SaverLBClick(Form->SaverLB);

        EXPECT_EQ(CollectionPriorities(), c.Priorities);
        EXPECT_EQ(Form->SaverPriority->Position(), c.Position);
        for (const auto& [name, control] : SaverCommands())
            EXPECT_TRUE(control->GetEnabled()) << name;
        delete Form;
        Form = nullptr;
        SetUp();
    }
}

TEST_F(ConfigFormTest, TrackBarGivesItsPositionToEverySelectedSaver) {
    Open(FiveSavers);
    for (int j : {0, 2, 4})
        Form->SaverLB->SetSelected(j, true);
    Form->SaverLB->SetFocusedIndex(4);
    Form->SaverLBClick(Form->SaverLB);
    ASSERT_EQ(Form->SaverPriority->Position(), 5);
    ASSERT_EQ(CollectionPriorities(), (std::vector<int>{5, 2, 5, 4, 5}));

    // As the user drags the thumb: the bar reports the scroll to its parent.
    SendMessageA(Form->SaverPriority->Handle(), TBM_SETPOS, TRUE, 2);
    SendMessageA(GetParent(Form->SaverPriority->Handle()), WM_HSCROLL, TB_ENDTRACK,
                 reinterpret_cast<LPARAM>(Form->SaverPriority->Handle()));

    EXPECT_EQ(CollectionPriorities(), (std::vector<int>{2, 2, 2, 4, 2}));
}

// ---- group tabs ----

TEST_F(ConfigFormTest, AnotherTabRefillsTheListClearsTheSelectionAndDisablesTheCommands) {
    Open("Version=2.0.0\r\n\r\n[First;On;1]\r\nC:\\Savers\\f0.scr;3\r\nC:\\Savers\\f1.scr;3\r\n"
         "\r\n[Second;On;1]\r\nC:\\Savers\\g0.scr;2\r\n");
    Form->SaverLB->SetSelected(0, true);
    Form->SaverLB->SetSelected(1, true);
    Form->SaverLBClick(Form->SaverLB);
    ASSERT_TRUE(Form->btnMoveUp->GetEnabled());

    // As a click on the second tab: the selection moves, then the row tells its parent.
    Form->GroupTabs->SetTabIndex(1);
    SendNotification(*Form->GroupTabs, TCN_SELCHANGE);

    EXPECT_EQ(ListEntries(), Texts{"C:\\Savers\\g0.scr"});
    EXPECT_EQ(CollectionEntries(), ListEntries());
    EXPECT_EQ(Form->SaverLB->SelCount(), 0);
    for (const auto& [name, control] : SaverCommands())
        EXPECT_FALSE(control->GetEnabled()) << name;

    // A drop now goes into the second group.
    DropFiles(Form->SaverLB->Handle(), {"C:\\Savers\\g1.scr"});
    EXPECT_EQ(CollectionEntries(), (Texts{"C:\\Savers\\g0.scr", "C:\\Savers\\g1.scr"}));
    EXPECT_EQ(Form->SaverList->GetSaverCount(0), 2u) << "the first group is untouched";
}
