// The dice arithmetic: a draw's face, how many dice a count rolls, and rounding within 16 bits.
#include "dice/dice_math.h"

#include <cmath>
#include <gtest/gtest.h>
#include <limits>

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

} // namespace
} // namespace tavrol
