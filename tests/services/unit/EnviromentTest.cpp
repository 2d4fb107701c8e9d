// SPDX-License-Identifier: MIT
// Enviroment: random numbers and their seeding.
#include "services/Enviroment.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstdlib>
#include <ctime>
#include <set>

namespace {

// Draws a few numbers after seeding with the given value, as Random reduces them.
std::vector<int> SeededDraws(unsigned seed, int count) {
    std::srand(seed);
    std::vector<int> draws;
    for (int i = 0; i < count; ++i)
        draws.push_back(std::rand() % 1000);
    return draws;
}

std::vector<int> RandomDraws(int count) {
    std::vector<int> draws;
    for (int i = 0; i < count; ++i)
        draws.push_back(Enviroment::Random(0, 999));
    return draws;
}

} // namespace

TEST(EnviromentRandomTest, DrawsStayInTheirRange) {
    Enviroment::RandomizeFlag = 0;
    std::set<int> seen;
    for (int i = 0; i < 10000; ++i) {
        const int value = Enviroment::Random(0, 7);
        ASSERT_GE(value, 0);
        ASSERT_LE(value, 7);
        seen.insert(value);
    }
    EXPECT_EQ(seen.size(), 8u);
    for (int i = 0; i < 100; ++i) {
        EXPECT_EQ(Enviroment::Random(5, 5), 5);
        const int value = Enviroment::Random(-3, 3);
        EXPECT_GE(value, -3);
        EXPECT_LE(value, 3);
    }
    // The widest range and a reversed one neither overflow nor divide by zero.
    (void)Enviroment::Random(INT_MIN, INT_MAX);
    EXPECT_GE(Enviroment::Random(INT_MAX - 1, INT_MAX), INT_MAX - 1);
    EXPECT_EQ(Enviroment::Random(3, 1), 3);
    EXPECT_EQ(Enviroment::Random(0, -1), 0);
}

TEST(EnviromentRandomTest, SeedsFromTheClockOnlyWhenTheFlagIsClear) {
    Enviroment::RandomizeFlag = 0;
    (void)Enviroment::Random(0, 7);
    EXPECT_EQ(Enviroment::RandomizeFlag, 1);

    // Flag set: the generator goes on where it is, no reseeding.
    const std::vector<int> expected = SeededDraws(12345, 5);
    std::srand(12345);
    EXPECT_EQ(RandomDraws(5), expected);
    EXPECT_EQ(Enviroment::RandomizeFlag, 1);

    // Flag cleared: the next draw seeds from the clock's seconds. Retried when the second
    // changes between the two sides.
    for (int attempt = 0; attempt < 5; ++attempt) {
        const std::time_t before = std::time(nullptr);
        const std::vector<int> fromClock = SeededDraws(static_cast<unsigned>(before), 5);
        std::srand(12345);
        Enviroment::RandomizeFlag = 0;
        const std::vector<int> drawn = RandomDraws(5);
        if (std::time(nullptr) != before)
            continue;
        EXPECT_EQ(drawn, fromClock);
        EXPECT_EQ(Enviroment::RandomizeFlag, 1);
        return;
    }
    FAIL() << "the clock's second kept changing";
}
