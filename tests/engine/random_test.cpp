#include "engine/random.h"

#include <gtest/gtest.h>

TEST(Random, SeedOneGivesTheClassicSequence)
{
    SeedRandom(1);
    EXPECT_EQ(41, NextRandom());
    EXPECT_EQ(18467, NextRandom());
    EXPECT_EQ(6334, NextRandom());
    EXPECT_EQ(26500, NextRandom());
}
