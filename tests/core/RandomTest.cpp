// The generator and the weighted choice of a group and a saver.

#include "Kdlist.h"

#include <gtest/gtest.h>

#include <map>

namespace {
std::uint32_t NextState(std::uint32_t s) {
    return s * 1664525u + 1013904223u;
}

// The draw for a total, as the choice computes it from a generator state.
std::uint32_t DrawFrom(std::uint32_t state, std::uint32_t total) {
    return (NextState(state) >> 16) % total + 1;
}

// Groups A (active, 3, savers), B (inactive, 5), C (active, 2, savers), D (active, 4, empty).
void AddExampleGroups(TKDSaverList& list) {
    const struct {
        const char* name;
        bool active;
        int priority;
        bool savers;
    } groups[] = {
        {"A", true, 3, true}, {"B", false, 5, true}, {"C", true, 2, true}, {"D", true, 4, false}};
    for (const auto& group : groups) {
        std::size_t g = 0;
        ASSERT_TRUE(list.AddGroup(group.name, &g));
        list.SetGroupActive(g, group.active);
        list.SetGroupPriority(g, group.priority);
        if (group.savers)
            list.AddSaver(g, std::string(group.name) + ".scr");
    }
}
} // namespace

TEST(Random, KnownSequenceFromStateZero) {
    TRandom random(0);
    EXPECT_EQ(random.NextValue(9), 9u);
    EXPECT_EQ(random.NextValue(9), 5u);
    EXPECT_EQ(random.NextValue(9), 6u);
}

TEST(Random, SameSeedSameSequenceAndResultsInRange) {
    TRandom a(12345), b(12345);
    for (int i = 0; i < 1000; ++i) {
        const auto value = a.NextValue(7);
        EXPECT_EQ(value, b.NextValue(7));
        EXPECT_GE(value, 1u);
        EXPECT_LE(value, 7u);
        EXPECT_EQ(a.GetState(), b.GetState());
    }
    EXPECT_EQ(TRandom(0).NextValue(1), 1u);
}

TEST(Random, ClockSeedIsWholeSeconds) {
    const auto before = static_cast<std::uint32_t>(std::time(nullptr));
    TRandom random;
    const auto after = static_cast<std::uint32_t>(std::time(nullptr));
    EXPECT_GE(random.GetState(), before);
    EXPECT_LE(random.GetState(), after);
}

TEST(PickGroup, FollowsTheDrawForEveryState) {
    TKDSaverList list;
    AddExampleGroups(list);
    ASSERT_EQ(list.TotalGroupWeight(), 5u);
    for (std::uint32_t state : {0u, 1u, 77u, 123456789u, 0xFFFFFFFFu, 0x80000000u, 42u, 9u}) {
        list.Random().SetState(state);
        const std::uint32_t r = DrawFrom(state, 5);
        EXPECT_EQ(list.PickGroup(), r <= 3 ? 0u : 2u) << "state " << state << " r " << r;
        EXPECT_EQ(list.Random().GetState(), NextState(state));
    }
}

TEST(PickGroup, NothingEligibleReturnsTheCountWithoutDrawing) {
    TKDSaverList list;
    AddExampleGroups(list);
    list.SetGroupActive(0, false);
    list.SetGroupActive(2, false);
    list.Random().SetState(7);
    EXPECT_EQ(list.TotalGroupWeight(), 0u);
    EXPECT_EQ(list.PickGroup(), 4u);
    EXPECT_EQ(list.Random().GetState(), 7u);

    TKDSaverList zeroPriority;
    AddExampleGroups(zeroPriority);
    zeroPriority.SetGroupPriority(0, 0);
    zeroPriority.SetGroupPriority(2, 0);
    EXPECT_EQ(zeroPriority.CountActiveSavers(), 2u);
    EXPECT_EQ(zeroPriority.PickGroup(), 4u);
}

TEST(PickGroup, SingleEligibleGroupIsAlwaysChosenAndStillDraws) {
    TKDSaverList list;
    AddExampleGroups(list);
    list.SetGroupActive(0, false);
    list.Random().SetState(5);
    EXPECT_EQ(list.PickGroup(), 2u);
    EXPECT_EQ(list.Random().GetState(), NextState(5));
}

TEST(PickSaver, WalksThePrioritiesInOrder) {
    TKDGroup group("G");
    for (const char* path : {"p3", "p1", "p5"})
        group.AddSaver(path);
    group.SetSaverPriority(1, 1);
    group.SetSaverPriority(2, 5);
    for (std::uint32_t state = 0; state < 2000; state += 37) {
        group.Random().SetState(state);
        const std::uint32_t r = DrawFrom(state, 9);
        const std::size_t expected = r <= 3 ? 0 : r == 4 ? 1 : 2;
        EXPECT_EQ(group.PickSaver(), expected) << "r " << r;
    }
}

TEST(PickSaver, ZeroPrioritiesAreNeverChosenAndEmptyGroupsDoNotDraw) {
    TKDGroup group("G");
    group.AddSaver("zero");
    group.AddSaver("two");
    group.SetSaverPriority(0, 0);
    group.SetSaverPriority(1, 2);
    for (std::uint32_t state = 0; state < 50; ++state) {
        group.Random().SetState(state);
        EXPECT_EQ(group.PickSaver(), 1u);
    }

    TKDGroup empty("E");
    empty.Random().SetState(3);
    EXPECT_EQ(empty.PickSaver(), 0u);
    EXPECT_EQ(empty.Random().GetState(), 3u);

    TKDGroup one("O");
    one.AddSaver("only");
    one.Random().SetState(3);
    EXPECT_EQ(one.PickSaver(), 0u);
    EXPECT_EQ(one.Random().GetState(), NextState(3));
}

TEST(PickSaver, EachGroupDrawsFromItsOwnGenerator) {
    TKDSaverList list;
    AddExampleGroups(list);
    list.Random().SetState(100);
    list.Group(0)->Random().SetState(200);
    list.Group(2)->Random().SetState(300);
    list.PickSaver(0);
    EXPECT_EQ(list.Random().GetState(), 100u);
    EXPECT_EQ(list.Group(2)->Random().GetState(), 300u);
    EXPECT_EQ(list.Group(0)->Random().GetState(), NextState(200));
}

TEST(PickSaver, ChancesFollowThePriorities) {
    TKDGroup group("G");
    for (const char* path : {"a", "b", "c"})
        group.AddSaver(path);
    group.SetSaverPriority(0, 1);
    group.SetSaverPriority(1, 2);
    group.SetSaverPriority(2, 5);
    group.Random().SetState(2024);
    std::map<std::size_t, int> hits;
    constexpr int draws = 80000;
    for (int i = 0; i < draws; ++i)
        ++hits[group.PickSaver()];
    EXPECT_NEAR(hits[0] / double(draws), 1.0 / 8, 0.01);
    EXPECT_NEAR(hits[1] / double(draws), 2.0 / 8, 0.01);
    EXPECT_NEAR(hits[2] / double(draws), 5.0 / 8, 0.01);
}
