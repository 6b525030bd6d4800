#include "dice/dice_math.h"
#include "dice/random_source.h"

#include <cmath>
#include <gtest/gtest.h>
#include <limits>
#include <set>
#include <vector>

namespace tavrol {
namespace {

constexpr float kLargestDraw = 1.0f - 1.0f / 16777216.0f;

TEST(RangeFromDraw, coversEveryDieFromLowestToHighestFace)
{
    const struct {
        int lob, upb;
    } dice[] = { { 1, 4 }, { 1, 6 }, { 1, 8 }, { 1, 10 }, { 1, 12 }, { 1, 20 }, { 1, 100 }, { -1, 1 }, { 1, 32767 } };
    for (const auto& die : dice) {
        EXPECT_EQ(rangeFromDraw(0.0f, die.lob, die.upb), die.lob);
        EXPECT_EQ(rangeFromDraw(kLargestDraw, die.lob, die.upb), die.upb);
    }
}

TEST(RangeFromDraw, floorsSoNegativeFacesAreFair)
{
    EXPECT_EQ(rangeFromDraw(0.30f, -1, 1), -1); // truncation toward zero would give 0
    EXPECT_EQ(rangeFromDraw(0.34f, -1, 1), 0);
    EXPECT_EQ(rangeFromDraw(0.67f, -1, 1), 1);
    EXPECT_EQ(rangeFromDraw(0.5f, 1, 1), 1);
    EXPECT_EQ(rangeFromDraw(0.9f, 1, 0), 1); // no sides: always 1
}

TEST(WholeDice, wholePartClampedToListLimit)
{
    const struct {
        double count;
        int dice;
    } rows[] = { { 2.5, 2 }, { 3.5, 3 }, { 0.5, 0 }, { -3, 3 }, { 32767, 32767 }, { 40000, 32767 }, { 1e300, 32767 },
        { std::numeric_limits<double>::quiet_NaN(), 0 } };
    for (const auto& row : rows)
        EXPECT_EQ(wholeDice(row.count), row.dice) << row.count;
}

TEST(Round16, halfToEvenWithinSixteenBits)
{
    const struct {
        double value;
        int rounded;
    } rows[]
        = { { 2.5, 2 }, { 3.5, 4 }, { -2.5, -2 }, { 2.4, 2 }, { 40000, 32767 }, { -40000, -32768 }, { 1e300, 32767 } };
    for (const auto& row : rows)
        EXPECT_EQ(round16(row.value), row.rounded) << row.value;
}

TEST(SortDice, ordersDiceAfterTheCount)
{
    using List = std::vector<std::int16_t>;
    const struct {
        int direction;
        List before, after;
    } rows[] = {
        { 1, { 4, 2, 6, 4, 6 }, { 4, 6, 6, 4, 2 } },
        { 0, { 4, 2, 6, 4, 6 }, { 4, 2, 4, 6, 6 } },
        { 2, { 4, 2, 6, 4, 6 }, { 4, 2, 6, 4, 6 } },
        { 1, { 2, 1, 3, 9 }, { 2, 3, 1, 9 } }, // only the counted dice move
        { 1, {}, {} },
        { 0, { 0 }, { 0 } },
    };
    for (const auto& row : rows) {
        List list = row.before;
        sortDice(list, row.direction);
        EXPECT_EQ(list, row.after);
    }
}

TEST(SystemRandom, sameSeedSameDrawsAndClockMixingNeverRepeats)
{
    SystemRandom a(7), b(7);
    for (int i = 0; i < 100; ++i) {
        a.reseedFromClock();
        b.reseedFromClock();
        ASSERT_EQ(a.next(), b.next());
    }
    // Re-seeded from the clock before every draw, as the dice do in a tight loop: the draws stay
    // spread out instead of repeating the value that one clock reading gives.
    SystemRandom live;
    std::set<float> distinct;
    for (int i = 0; i < 1000; ++i) {
        live.reseedFromClock();
        const float r = live.next();
        ASSERT_GE(r, 0.0f);
        ASSERT_LT(r, 1.0f);
        distinct.insert(r);
    }
    EXPECT_GT(distinct.size(), 990u);
}

} // namespace
} // namespace tavrol
