#include "game_tools/RandomSelecter.h"

#include "engine/core/Random.h"

#include <gtest/gtest.h>

#include <map>

using GameTools::RandomSelecter;

TEST(RandomSelecter, EmptySelecterGivesZeroAndASingleEntryRepeats)
{
    RandomSelecter selecter;
    EXPECT_EQ(selecter.Select(), 0u);
    selecter.Add(4, 1);
    EXPECT_EQ(selecter.Select(), 4u);
    EXPECT_EQ(selecter.Select(), 4u);
}

TEST(RandomSelecter, ZeroWeightsAreNeverDrawnWhileOthersWeigh)
{
    Halvard::SetRandomSeed(5);
    RandomSelecter selecter;
    selecter.Add(7, 0);
    selecter.Add(9, 5);
    for (int i = 0; i < 100; ++i)
        EXPECT_EQ(selecter.Select(), 9u);
}

TEST(RandomSelecter, AllZeroWeightsFallBackToEveryEntryWithoutRepeats)
{
    Halvard::SetRandomSeed(11);
    RandomSelecter selecter;
    selecter.Add(7, 0);
    selecter.Add(9, 5);
    selecter.SetWeight(9, 0);
    selecter.Add(3, 0);
    std::map<unsigned, int> seen;
    unsigned previous = 0;
    for (int i = 0; i < 300; ++i) {
        const unsigned id = selecter.Select();
        EXPECT_NE(id, previous);
        previous = id;
        ++seen[id];
    }
    EXPECT_EQ(seen.size(), 3u);
}

TEST(RandomSelecter, DrawsFollowTheWeightsAndNeverRepeat)
{
    Halvard::SetRandomSeed(1234);
    RandomSelecter selecter;
    selecter.Add(1, 10);
    selecter.Add(2, 10);
    selecter.Add(3, 80);
    std::map<unsigned, int> seen;
    unsigned previous = 0;
    for (int i = 0; i < 3000; ++i) {
        const unsigned id = selecter.Select();
        EXPECT_NE(id, previous);
        previous = id;
        ++seen[id];
    }
    EXPECT_GT(seen[3], seen[1]);
    EXPECT_GT(seen[1], 300);
    EXPECT_GT(seen[2], 300);
}
