// The saver collection's editing operations and their neutral results.

#include "Kdlist.h"
#include "TStrings.h"

#include <gtest/gtest.h>

#include <limits>
#include <string>
#include <vector>

namespace {
using Names = std::vector<std::string>;

Names GroupNames(const TKDSaverList& list) {
    TStringList names;
    list.GetGroupNames(&names);
    return names.Items;
}

Names SaverNames(const TKDSaverList& list, std::size_t g) {
    TStringList names;
    list.GetSaverNames(g, &names);
    return names.Items;
}

std::vector<std::int32_t> Priorities(const TKDSaverList& list, std::size_t g) {
    std::vector<std::int32_t> result;
    for (std::size_t s = 0; s < list.GetSaverCount(g); ++s)
        result.push_back(list.GetSaverPriority(g, s));
    return result;
}

// Groups "A" (savers a1, a2, a3) and "B" (saver b1).
class Collection : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(List.AddGroup("A"));
        ASSERT_TRUE(List.AddGroup("B"));
        for (const char* path : {"a1", "a2", "a3"})
            List.AddSaver(0, path);
        List.AddSaver(1, "b1");
    }
    TKDSaverList List;
};
} // namespace

TEST(EmptyCollection, HoldsNothingUntilLoaded) {
    TKDSaverList list;
    EXPECT_EQ(list.GroupCount(), 0u);
    EXPECT_EQ(list.CountActiveSavers(), 0u);
    list.MoveGroupDown(0);
    list.MoveGroupUp(0);
    list.DeleteGroup(0);
    EXPECT_EQ(list.GroupCount(), 0u);
}

TEST_F(Collection, AddGroupAppendsAnActiveGroupAndReportsItsIndex) {
    std::size_t index = 99;
    ASSERT_TRUE(List.AddGroup("C", &index));
    EXPECT_EQ(index, 2u);
    EXPECT_EQ(GroupNames(List), (Names{"A", "B", "C"}));
    EXPECT_TRUE(List.GetGroupActive(2));
    EXPECT_EQ(List.GetGroupPriority(2), 1);
    EXPECT_EQ(List.GetSaverCount(2), 0u);
}

TEST_F(Collection, AddGroupRefusesEmptyAndTakenNamesButNotOtherCase) {
    std::size_t index = 99;
    EXPECT_FALSE(List.AddGroup("", &index));
    EXPECT_FALSE(List.AddGroup("A", &index));
    EXPECT_EQ(index, 99u) << "a refused name leaves the index place untouched";
    EXPECT_EQ(GroupNames(List), (Names{"A", "B"}));
    EXPECT_TRUE(List.AddGroup("a", &index));
    EXPECT_EQ(index, 2u);
}

TEST_F(Collection, CopyGroupMakesAnIndependentLastGroup) {
    List.SetGroupActive(0, false);
    List.SetGroupPriority(0, 4);
    List.SetSaverPriority(0, 1, 5);
    ASSERT_TRUE(List.CopyGroup(0, "A2"));
    ASSERT_EQ(List.GroupCount(), 3u);
    EXPECT_EQ(List.GetGroupName(2), "A2");
    EXPECT_FALSE(List.GetGroupActive(2));
    EXPECT_EQ(List.GetGroupPriority(2), 4);
    EXPECT_EQ(SaverNames(List, 2), (Names{"a1", "a2", "a3"}));
    EXPECT_EQ(Priorities(List, 2), (std::vector<std::int32_t>{3, 5, 3}));
    EXPECT_EQ(List.Group(2)->GetSaverPriorityTotal(), 11u);

    List.RemoveSaver(2, 0);
    List.SetSaverPriority(0, 0, 1);
    EXPECT_EQ(SaverNames(List, 0), (Names{"a1", "a2", "a3"}));
    EXPECT_EQ(Priorities(List, 2), (std::vector<std::int32_t>{5, 3}));
}

TEST_F(Collection, CopyGroupRefusals) {
    EXPECT_FALSE(List.CopyGroup(5, "X"));
    EXPECT_FALSE(List.CopyGroup(0, ""));
    EXPECT_FALSE(List.CopyGroup(0, "B"));
    EXPECT_EQ(GroupNames(List), (Names{"A", "B"}));
}

TEST_F(Collection, RenameGroup) {
    EXPECT_FALSE(List.RenameGroup(0, "A")) << "its own name counts as taken";
    EXPECT_FALSE(List.RenameGroup(0, "B"));
    EXPECT_FALSE(List.RenameGroup(2, "Z"));
    EXPECT_TRUE(List.RenameGroup(0, "Alpha"));
    EXPECT_EQ(GroupNames(List), (Names{"Alpha", "B"}));
    EXPECT_TRUE(List.GroupExists("Alpha"));
    EXPECT_FALSE(List.GroupExists("A"));
    EXPECT_FALSE(List.GroupExists("alpha"));
}

TEST_F(Collection, DeleteGroupNeverRemovesTheLastOne) {
    List.DeleteGroup(7);
    EXPECT_EQ(List.GroupCount(), 2u);
    List.DeleteGroup(0);
    EXPECT_EQ(GroupNames(List), (Names{"B"}));
    List.DeleteGroup(0);
    EXPECT_EQ(GroupNames(List), (Names{"B"}));
    EXPECT_EQ(SaverNames(List, 0), (Names{"b1"}));
}

TEST_F(Collection, GroupMovesStopAtTheEnds) {
    ASSERT_TRUE(List.AddGroup("C"));
    List.MoveGroupUp(0);
    List.MoveGroupDown(2);
    List.MoveGroupDown(99);
    EXPECT_EQ(GroupNames(List), (Names{"A", "B", "C"}));
    List.MoveGroupDown(0);
    EXPECT_EQ(GroupNames(List), (Names{"B", "A", "C"}));
    List.MoveGroupUp(2);
    EXPECT_EQ(GroupNames(List), (Names{"B", "C", "A"}));
    EXPECT_EQ(SaverNames(List, 2), (Names{"a1", "a2", "a3"})) << "savers travel with the group";
}

TEST_F(Collection, SaverMovesStopAtTheEnds) {
    List.MoveSaverUp(0, 0);
    List.MoveSaverDown(0, 2);
    EXPECT_EQ(SaverNames(List, 0), (Names{"a1", "a2", "a3"}));
    List.MoveSaverDown(0, 0);
    EXPECT_EQ(SaverNames(List, 0), (Names{"a2", "a1", "a3"}));
    List.MoveSaverUp(0, 2);
    EXPECT_EQ(SaverNames(List, 0), (Names{"a2", "a3", "a1"}));
}

TEST_F(Collection, MoveSaverTakesOutAndReinserts) {
    List.SetSaverPriority(0, 0, 1);
    List.MoveSaver(0, 0, 2);
    EXPECT_EQ(SaverNames(List, 0), (Names{"a2", "a3", "a1"}));
    EXPECT_EQ(Priorities(List, 0), (std::vector<std::int32_t>{3, 3, 1})) << "priority travels";
    List.MoveSaver(0, 2, 0);
    EXPECT_EQ(SaverNames(List, 0), (Names{"a1", "a2", "a3"}));
    List.MoveSaver(0, 1, 1);
    List.MoveSaver(0, 1, 3);
    List.MoveSaver(0, 3, 0);
    List.MoveSaver(9, 0, 1);
    EXPECT_EQ(SaverNames(List, 0), (Names{"a1", "a2", "a3"}));
    EXPECT_EQ(List.Group(0)->GetSaverPriorityTotal(), 7u);
}

TEST_F(Collection, AddSaverRefusesAPathTheGroupHolds) {
    std::size_t index = 99;
    List.AddSaver(0, "a2", &index);
    EXPECT_EQ(index, 99u);
    EXPECT_EQ(SaverNames(List, 0), (Names{"a1", "a2", "a3"}));
    List.AddSaver(0, "A2", &index);
    EXPECT_EQ(index, 3u) << "paths compare with letter case";
    List.AddSaver(1, "a2", &index);
    EXPECT_EQ(index, 1u) << "the same path may stand in another group";
    EXPECT_EQ(List.GetSaverPriority(1, 1), 3);
    List.AddSaver(7, "x", &index);
    EXPECT_EQ(index, 1u);
}

TEST(GroupTotal, FollowsEveryPriorityChange) {
    TKDGroup group("G");
    for (const char* path : {"x", "y", "z"})
        ASSERT_TRUE(group.AddSaver(path));
    group.SetSaverPriority(0, 1);
    group.SetSaverPriority(1, 5);
    group.SetSaverPriority(2, 2);
    EXPECT_EQ(group.GetSaverPriorityTotal(), 8u);
    EXPECT_TRUE(group.RemoveSaver(1));
    EXPECT_EQ(group.GetSaverPriorityTotal(), 3u);
    EXPECT_FALSE(group.RemoveSaver(2));
    group.SetSaverPriority(5, 4);
    EXPECT_EQ(group.GetSaverPriorityTotal(), 3u);
}

TEST_F(Collection, OutOfRangeIndexesGiveNeutralResults) {
    constexpr auto far = std::numeric_limits<std::size_t>::max();
    EXPECT_EQ(List.GetSaverName(0, 3), nullptr);
    EXPECT_EQ(List.GetSaverName(2, 0), nullptr);
    EXPECT_EQ(List.GetSaverName(far, far), nullptr);
    EXPECT_FALSE(List.GetGroupActive(2));
    EXPECT_EQ(List.GetGroupPriority(2), 0);
    EXPECT_EQ(List.GetSaverPriority(0, 3), 0);
    EXPECT_EQ(List.GetSaverPriority(2, 0), 0);
    EXPECT_EQ(List.PickSaver(2), 0u);

    List.SetGroupActive(2, false);
    List.SetGroupPriority(2, 5);
    List.SetSaverPriority(0, 3, 5);
    List.RemoveSaver(0, 3);
    List.RemoveSaver(2, 0);
    EXPECT_EQ(SaverNames(List, 0), (Names{"a1", "a2", "a3"}));
    EXPECT_EQ(List.CountActiveSavers(), 4u);
}

TEST_F(Collection, NameListsAreFilledOrLeftAlone) {
    TStringList names;
    names.Add("keep me");
    List.GetSaverNames(2, &names);
    EXPECT_EQ(names.Items, Names{"keep me"}) << "an out-of-range group does not clear the list";
    List.GetSaverNames(1, &names);
    EXPECT_EQ(names.Items, Names{"b1"});
    List.GetGroupNames(&names);
    EXPECT_EQ(names.Items, (Names{"A", "B"}));
    List.GetGroupNames(nullptr);
    List.GetSaverNames(0, nullptr);
}

TEST_F(Collection, PrioritiesAreStoredWithoutRangeCheck) {
    List.SetGroupPriority(1, -7);
    List.SetSaverPriority(1, 0, 250);
    EXPECT_EQ(List.GetGroupPriority(1), -7);
    EXPECT_EQ(List.GetSaverPriority(1, 0), 250);
    EXPECT_EQ(List.Group(1)->GetSaverPriorityTotal(), 250u);
}

TEST(SingleCollection, GetSaverListIsOneObject) {
    EXPECT_EQ(&GetSaverList(), &GetSaverList());
}
