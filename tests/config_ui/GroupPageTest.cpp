// The Groups page: each group command changes the collection and brings the group list, its
// check marks and the Savers page's tabs and saver list back into step with it. The input box is
// the real one, answered by the test.

#include "ConfigFormTestSupport.h"

#include "Kdlist.h"
#include "QelDropListBox.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

namespace {
using Texts = std::vector<std::string>;
using Answers = std::vector<std::optional<std::string>>;

// Alpha: active, priority 2, two savers. Beta: inactive, priority 3, one saver. Gamma: active,
// a hand-edited priority of 9, one saver.
const char* const ThreeGroups = "Version=2.0.0\r\n"
                                "\r\n"
                                "[Alpha;On;2]\r\n"
                                "C:\\Savers\\a1.scr;1\r\n"
                                "C:\\Savers\\a2.scr;4\r\n"
                                "\r\n"
                                "[Beta;Off;3]\r\n"
                                "C:\\Savers\\b1.scr;5\r\n"
                                "\r\n"
                                "[Gamma;On;9]\r\n"
                                "C:\\Savers\\g1.scr;2\r\n";

const Texts AlphaSavers{"C:\\Savers\\a1.scr", "C:\\Savers\\a2.scr"};
const Texts BetaSavers{"C:\\Savers\\b1.scr"};
const Texts GammaSavers{"C:\\Savers\\g1.scr"};

constexpr const char* EmptyName = "Please enter a name for the group";
constexpr const char* TakenName = "That group already exists; please try again";
constexpr const char* Unstorable = "Group names cannot contain ';' or '='; please try again";

class GroupPageTest : public ConfigFormTest {
protected:
    void SetUp() override {
        ConfigFormTest::SetUp();
        Open(ThreeGroups);
    }

    Texts GroupEntries() const { return ListTexts(*Form->ActiveGroups); }
    std::vector<bool> CheckMarks() const {
        std::vector<bool> marks;
        for (int i = 0; i < Form->ActiveGroups->Count(); ++i)
            marks.push_back(Form->ActiveGroups->Checked(i));
        return marks;
    }
    Texts CollectionGroups() const {
        Texts names;
        for (std::size_t g = 0; g < Form->SaverList->GroupCount(); ++g)
            names.push_back(Form->SaverList->GetGroupName(g));
        return names;
    }
    void SelectGroup(int index) {
        ClickListEntry(*Form->ActiveGroups, index);
        ASSERT_EQ(Form->ActiveGroups->ItemIndex(), index);
    }
    // The list, the collection and the tabs name the same groups, and the saver list shows the
    // savers of the current tab's group.
    void ExpectPagesAgree(const Texts& groups, int currentTab, const Texts& savers) {
        EXPECT_EQ(GroupEntries(), groups);
        EXPECT_EQ(CollectionGroups(), groups);
        EXPECT_EQ(TabTexts(*Form->GroupTabs), groups);
        EXPECT_EQ(Form->GroupTabs->TabIndex(), currentTab);
        EXPECT_EQ(ListEntries(), savers);
        EXPECT_EQ(CollectionEntries(), savers);
    }
    std::vector<std::pair<const char*, TSpeedButton*>> SelectionCommands() const {
        return {{"btnCopyGroup", Form->btnCopyGroup},
                {"btnRenameGroup", Form->btnRenameGroup},
                {"btnMoveGroupUp", Form->btnMoveGroupUp},
                {"btnMoveGroupDown", Form->btnMoveGroupDown},
                {"btnDeleteGroup", Form->btnDeleteGroup}};
    }
};
} // namespace

TEST_F(GroupPageTest, OpensWithTheGroupCommandsThatNeedASelectionDisabled) {
    EXPECT_EQ(Form->ActiveGroups->ItemIndex(), -1);
    EXPECT_TRUE(Form->btnAddGroup->GetEnabled());
    for (const auto& [name, button] : SelectionCommands())
        EXPECT_FALSE(button->GetEnabled()) << name;
    EXPECT_EQ(Form->ActiveGroups->GetHint(),
              "Check groups you want to be active.\nSavers in unchecked groups will not be\n"
              "displayed.");
    EXPECT_EQ(Form->ActiveGroups->ItemHeight(), 14);
    EXPECT_EQ(Form->GroupPSlider->Position(), 1);
    struct Look {
        TSpeedButton* Button;
        const char* Caption;
        const char* Hint;
    };
    for (const Look& look :
         {Look{Form->btnAddGroup, "Create Group", "Create a new, blank group"},
          Look{Form->btnCopyGroup, "Copy Group", "Copy selected group"},
          Look{Form->btnDeleteGroup, "Delete Group", "Delete selected group"},
          Look{Form->btnRenameGroup, "Rename Group", "Rename selected group"},
          Look{Form->btnMoveGroupUp, "Move Up", "Move selected group up"},
          Look{Form->btnMoveGroupDown, "Move Down", "Move selected group down"}}) {
        EXPECT_EQ(look.Button->GetCaption(), look.Caption);
        EXPECT_EQ(look.Button->GetHint(), look.Hint);
        EXPECT_EQ(look.Button->Width(), 110);
        EXPECT_EQ(look.Button->Height(), 22);
        EXPECT_TRUE(look.Button->Flat);
    }

    SelectGroup(0);
    for (const auto& [name, button] : SelectionCommands())
        EXPECT_TRUE(button->GetEnabled()) << name << ": the ends too";
}

// Selecting a group shows its priority clamped into the track bar's range, and moving the
// track bar writes that value to the group: a hand-edited 9 becomes 5.
TEST_F(GroupPageTest, SelectingAGroupShowsItsPriorityClampedAndWritesItBack) {
    SelectGroup(1);
    EXPECT_EQ(Form->GroupPSlider->Position(), 3);
    EXPECT_EQ(Form->SaverList->GetGroupPriority(1), 3);
    SelectGroup(2);
    EXPECT_EQ(Form->GroupPSlider->Position(), 5);
    EXPECT_EQ(Form->SaverList->GetGroupPriority(2), 5);

    Form->GroupPSlider->SetPosition(2);
    EXPECT_EQ(Form->SaverList->GetGroupPriority(2), 2);
    EXPECT_EQ(Form->SaverList->GetGroupPriority(1), 3) << "only the selected group";

    ClickControl(*Form->OKBtn);
    EXPECT_TRUE(Contains(ConfigBytes().value_or(""), "[Gamma;On;2]\r\n"));
}

TEST_F(GroupPageTest, ClickingACheckMarkSwitchesThatGroupOnOrOff) {
    ClickListEntry(*Form->ActiveGroups, 1, 4);
    EXPECT_EQ(Form->ActiveGroups->ItemIndex(), 1);
    EXPECT_TRUE(Form->ActiveGroups->Checked(1));
    EXPECT_TRUE(Form->SaverList->GetGroupActive(1));
    ClickListEntry(*Form->ActiveGroups, 0, 4);
    EXPECT_FALSE(Form->SaverList->GetGroupActive(0));
    // The space bar toggles the selected entry.
    SendMessageA(Form->ActiveGroups->Handle(), WM_KEYDOWN, VK_SPACE, 0);
    EXPECT_TRUE(Form->ActiveGroups->Checked(0));
    EXPECT_TRUE(Form->SaverList->GetGroupActive(0));
    SendMessageA(Form->ActiveGroups->Handle(), WM_KEYDOWN, VK_SPACE, 0);
    EXPECT_FALSE(Form->SaverList->GetGroupActive(0));

    ClickControl(*Form->OKBtn);
    const std::string bytes = ConfigBytes().value_or("");
    EXPECT_TRUE(Contains(bytes, "[Alpha;Off;2]\r\n")) << bytes;
    EXPECT_TRUE(Contains(bytes, "[Beta;On;3]\r\n")) << bytes;
}

// ---- create, copy, rename: the name loop ----

TEST_F(GroupPageTest, CreateAsksAgainUntilANameIsTakenAndKeepsTheRefusedText) {
    SelectGroup(1);
    MessageBoxes.AnswerInputBoxes(
        {"", "Alpha", "a;b", "x=y", "alpha"}); // another letter case is another name

    ClickControl(*Form->btnAddGroup);

    const std::vector<TSeenInputBox> expected{
        {"Add Blank Group", "Please enter a name for the new group", ""},
        {"Add Blank Group", EmptyName, ""},
        {"Add Blank Group", TakenName, "Alpha"},
        {"Add Blank Group", Unstorable, "a;b"},
        {"Add Blank Group", Unstorable, "x=y"}};
    ASSERT_EQ(MessageBoxes.InputBoxes().size(), expected.size());
    for (std::size_t n = 0; n < expected.size(); ++n) {
        SCOPED_TRACE(n);
        EXPECT_EQ(MessageBoxes.InputBoxes()[n].Caption, expected[n].Caption);
        EXPECT_EQ(MessageBoxes.InputBoxes()[n].Prompt, expected[n].Prompt);
        EXPECT_EQ(MessageBoxes.InputBoxes()[n].Text, expected[n].Text);
    }
    // The new group is active and last; the Savers page shows the group selected here.
    ExpectPagesAgree({"Alpha", "Beta", "Gamma", "alpha"}, 1, BetaSavers);
    EXPECT_EQ(CheckMarks(), (std::vector<bool>{true, false, true, true}));
    EXPECT_TRUE(Form->SaverList->GetGroupActive(3));
    EXPECT_EQ(Form->SaverList->GetSaverCount(3), 0u);
    EXPECT_EQ(Form->ActiveGroups->ItemIndex(), 1);
}

TEST_F(GroupPageTest, CreateWithNoGroupSelectedShowsTheFirstGroupOnTheSaversPage) {
    Form->GroupTabs->SetTabIndex(2);
    SendNotification(*Form->GroupTabs, TCN_SELCHANGE);
    ASSERT_EQ(ListEntries(), GammaSavers);
    MessageBoxes.AnswerInputBoxes({"New"});

    ClickControl(*Form->btnAddGroup);

    ExpectPagesAgree({"Alpha", "Beta", "Gamma", "New"}, 0, AlphaSavers);
}

TEST_F(GroupPageTest, CancelLeavesEverythingAsItWas) {
    SelectGroup(2);
    const std::string before = ConfigBytes().value_or("");
    for (TSpeedButton* button : {Form->btnAddGroup, Form->btnCopyGroup, Form->btnRenameGroup}) {
        SCOPED_TRACE(button->GetCaption());
        MessageBoxes.AnswerInputBoxes({"", std::nullopt}); // a refusal, then Cancel
        ClickControl(*button);
        EXPECT_EQ(MessageBoxes.InputBoxes().size(), 2u);
        ExpectPagesAgree({"Alpha", "Beta", "Gamma"}, 0, AlphaSavers);
        EXPECT_EQ(Form->ActiveGroups->ItemIndex(), 2);
    }
    ClickControl(*Form->CancelBtn);
    EXPECT_EQ(ConfigBytes(), before);
}

TEST_F(GroupPageTest, CopyOfAnInactiveGroupIsInactiveWithTheSameSaversAndPriorities) {
    SelectGroup(1);
    MessageBoxes.AnswerInputBoxes({"Beta", "Beta copy"});

    ClickControl(*Form->btnCopyGroup);

    ASSERT_EQ(MessageBoxes.InputBoxes().size(), 2u);
    EXPECT_EQ(MessageBoxes.InputBoxes()[0].Caption, "Copy Group");
    EXPECT_EQ(MessageBoxes.InputBoxes()[0].Prompt, "Please enter a new name for the group");
    EXPECT_EQ(MessageBoxes.InputBoxes()[0].Text, "") << "no name is offered";
    EXPECT_EQ(MessageBoxes.InputBoxes()[1].Prompt, TakenName);
    // The selection stays on the source, whose savers the Savers page shows.
    ExpectPagesAgree({"Alpha", "Beta", "Gamma", "Beta copy"}, 1, BetaSavers);
    EXPECT_EQ(Form->ActiveGroups->ItemIndex(), 1);
    EXPECT_EQ(CheckMarks(), (std::vector<bool>{true, false, true, false}));
    EXPECT_EQ(Form->SaverList->GetGroupPriority(3), 3);
    ASSERT_EQ(Form->SaverList->GetSaverCount(3), 1u);
    EXPECT_EQ(Form->SaverList->GetSaverName(3, 0), BetaSavers[0]);
    EXPECT_EQ(Form->SaverList->GetSaverPriority(3, 0), 5);
}

TEST_F(GroupPageTest, RenameRefusesItsOwnNameThenRenamesInPlace) {
    SelectGroup(1);
    Form->GroupTabs->SetTabIndex(2);
    SendNotification(*Form->GroupTabs, TCN_SELCHANGE);
    MessageBoxes.AnswerInputBoxes({"Beta", "Gamma", "B;eta", "Bravo"});

    ClickControl(*Form->btnRenameGroup);

    Texts prompts;
    for (const auto& box : MessageBoxes.InputBoxes())
        prompts.push_back(box.Prompt);
    EXPECT_EQ(prompts,
              (Texts{"Please enter a new name for the group", TakenName, TakenName, Unstorable}));
    EXPECT_EQ(MessageBoxes.InputBoxes()[0].Caption, "Rename Group");
    EXPECT_EQ(MessageBoxes.InputBoxes()[0].Text, "") << "the current name is not offered";
    // The entry keeps its place, selection and check mark; the Savers page starts over on its
    // first group.
    ExpectPagesAgree({"Alpha", "Bravo", "Gamma"}, 0, AlphaSavers);
    EXPECT_EQ(Form->ActiveGroups->ItemIndex(), 1);
    EXPECT_EQ(CheckMarks(), (std::vector<bool>{true, false, true}));
    EXPECT_EQ(Form->SaverList->GetSaverCount(1), 1u) << "the savers stay with the group";
}

// ---- delete ----

TEST_F(GroupPageTest, DeleteDownToTheLastGroupThenRefuseWithAMessage) {
    // Deleting the group whose tab is current leaves the first group's savers on the page.
    Form->GroupTabs->SetTabIndex(1);
    SendNotification(*Form->GroupTabs, TCN_SELCHANGE);
    SelectGroup(1);
    ClickControl(*Form->btnDeleteGroup);
    ExpectPagesAgree({"Alpha", "Gamma"}, 0, AlphaSavers);
    EXPECT_EQ(Form->ActiveGroups->ItemIndex(), -1);
    for (const auto& [name, button] : SelectionCommands())
        EXPECT_FALSE(button->GetEnabled()) << name << ": nothing is selected";

    SelectGroup(0);
    ClickControl(*Form->btnDeleteGroup);
    ExpectPagesAgree({"Gamma"}, 0, GammaSavers);
    EXPECT_TRUE(MessageBoxes.Boxes().empty()) << "no question before a delete";

    SelectGroup(0);
    EXPECT_FALSE(Form->btnDeleteGroup->GetEnabled()) << "one group left";
    Form->btnDeleteGroupClick(Form->btnDeleteGroup);
    ASSERT_EQ(MessageBoxes.Boxes().size(), 1u);
    EXPECT_EQ(MessageBoxes.Boxes()[0].Text, "Cannot delete last available group\n");
    ExpectPagesAgree({"Gamma"}, 0, GammaSavers);
}

// ---- moves ----

TEST_F(GroupPageTest, MovesTakeTheCheckMarkAlongAndShowTheMovedGroupAndDoNothingAtTheEnds) {
    struct Case {
        const char* Name;
        int Selected;
        bool Up;
        Texts Order;
        int SelectedAfter;
        std::vector<bool> Marks;
    };
    const Case cases[] = {
        {"first up", 0, true, {"Alpha", "Beta", "Gamma"}, 0, {true, false, true}},
        {"last down", 2, false, {"Alpha", "Beta", "Gamma"}, 2, {true, false, true}},
        {"second up", 1, true, {"Beta", "Alpha", "Gamma"}, 0, {false, true, true}},
        {"second down", 1, false, {"Alpha", "Gamma", "Beta"}, 2, {true, true, false}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        delete Form;
        Form = nullptr;
        SetUp();
        SelectGroup(c.Selected);
        ClickControl(c.Up ? *Form->btnMoveGroupUp : *Form->btnMoveGroupDown);
        EXPECT_EQ(GroupEntries(), c.Order);
        EXPECT_EQ(CollectionGroups(), c.Order);
        EXPECT_EQ(TabTexts(*Form->GroupTabs), c.Order);
        EXPECT_EQ(CheckMarks(), c.Marks);
        EXPECT_EQ(Form->ActiveGroups->ItemIndex(), c.SelectedAfter);
        const bool moved = c.Selected != c.SelectedAfter;
        if (moved) {
            EXPECT_EQ(Form->GroupTabs->TabIndex(), c.SelectedAfter);
            EXPECT_EQ(ListEntries(), c.Selected == 1 ? BetaSavers : Texts{});
        } else {
            EXPECT_EQ(Form->GroupTabs->TabIndex(), 0) << "the Savers page is left alone";
            EXPECT_EQ(ListEntries(), AlphaSavers);
        }
        EXPECT_EQ(CollectionEntries(), ListEntries());
    }
}
