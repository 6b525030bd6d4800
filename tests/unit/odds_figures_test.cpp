// The figures of a key's odds: nearest ranks that do not miss by a rounding error, the rank of a
// shown result, estimates joined, and the chart's slices.
#include "programs/odds_figures.h"

#include <gtest/gtest.h>
#include <numeric>

namespace tavrol {
namespace {

ShownOdds faces(int lowest, int highest, double overflow = 0)
{
    ShownOdds odds = ShownOdds::exactOdds();
    const double share = (1 - overflow) / (highest - lowest + 1);
    for (int face = lowest; face <= highest; ++face)
        odds.addShown(face, share);
    if (overflow > 0)
        odds.addOverflow(overflow);
    odds.finish();
    return odds;
}

TEST(ShownOdds, nearestRanksReachExactTies)
{
    // 1 in 20 shows 1, a share a double writes as a hair under 5%.
    const ShownOdds d20 = faces(1, 20);
    EXPECT_EQ(d20.percentile(5), 1);
    EXPECT_EQ(d20.percentile(95), 19);
    // Three weights of a sixtieth add up to a twentieth only up to rounding.
    ShownOdds sixtieths = ShownOdds::exactOdds();
    for (int value = 1; value <= 60; ++value)
        sixtieths.addShown(value, 1.0 / 60);
    sixtieths.finish();
    EXPECT_EQ(sixtieths.percentile(5), 3);
    EXPECT_EQ(sixtieths.percentile(95), 57);
}

TEST(ShownOdds, theRankOfAShownResultAmongThePressesThatShowOne)
{
    const ShownOdds d6 = faces(1, 6, 0.25);
    EXPECT_DOUBLE_EQ(*d6.shareAtOrBelow(3), 0.5);
    EXPECT_DOUBLE_EQ(*d6.shareAtOrBelow(0), 0);
    EXPECT_DOUBLE_EQ(*d6.shareAtOrBelow(6), 1);
    EXPECT_DOUBLE_EQ(*d6.shareAtOrBelow(3.5), 0.5);
    EXPECT_DOUBLE_EQ(d6.overflowShare(), 0.25);
    EXPECT_FALSE(faces(1, 1, 0.5).fixed()); // shows 1 or overflows
    EXPECT_FALSE(ShownOdds::exactOdds().shareAtOrBelow(1));
}

TEST(ShownOdds, anOutcomeTooRareToWeighIsPossibleButNeverARank)
{
    ShownOdds odds = faces(10, 12);
    odds.addShown(1, 0);
    odds.addShown(99, 0);
    odds.finish();
    EXPECT_EQ(odds.least(), 1);
    EXPECT_EQ(odds.greatest(), 99);
    EXPECT_EQ(odds.percentile(1), 10);
    EXPECT_EQ(odds.percentile(100), 12);
    EXPECT_EQ(odds.average(), 11);
}

TEST(ShownOdds, estimatesJoinTheirPresses)
{
    ShownOdds first = ShownOdds::estimate(3);
    first.addShown(1, 2);
    first.addOverflow(1);
    first.finish();
    ShownOdds second = ShownOdds::estimate(2);
    second.addShown(1, 1);
    second.addShown(4, 1);
    second.finish();
    const ShownOdds both = ShownOdds::joined({ first, second });
    EXPECT_FALSE(both.exact());
    EXPECT_EQ(both.presses(), 5);
    ASSERT_EQ(both.shown().size(), 2u);
    EXPECT_EQ(both.shown()[0], std::make_pair(1.0, 3.0));
    EXPECT_DOUBLE_EQ(both.overflowShare(), 0.2);
    EXPECT_EQ(both.average(), 1.75);
}

double total(const OddsChart& chart)
{
    return std::accumulate(chart.bars.begin(), chart.bars.end(), 0.0);
}

TEST(OddsChart, aBarEachForFewNumbersAndSlicesForMany)
{
    // 3 d6: sixteen numbers, a bar each, each number in the middle of its bar.
    ShownOdds threeD6 = ShownOdds::exactOdds();
    for (int a = 1; a <= 6; ++a)
        for (int b = 1; b <= 6; ++b)
            for (int c = 1; c <= 6; ++c)
                threeD6.addShown(a + b + c, 1.0 / 216);
    threeD6.finish();
    const auto few = chartOf(threeD6, 60);
    ASSERT_TRUE(few);
    ASSERT_EQ(few->bars.size(), 16u);
    EXPECT_NEAR(few->bars[0], 1.0 / 216, 1e-15);
    EXPECT_NEAR(few->bars[7], 27.0 / 216, 1e-15); // 10
    EXPECT_NEAR(total(*few), 1, 1e-12);
    EXPECT_DOUBLE_EQ(few->position(10.5), 0.5);
    EXPECT_DOUBLE_EQ(few->position(3), 0.5 / 16);
    EXPECT_EQ(few->low, 6);
    EXPECT_EQ(few->high, 15);

    // 1 to 1000 alike: slices of whole numbers, at most the bars asked for, over what is seen.
    const auto many = chartOf(faces(1, 1000, 0.5), 60);
    ASSERT_TRUE(many);
    EXPECT_LE(many->bars.size(), 60u);
    EXPECT_GE(total(*many), 0.5 * 0.998); // the overflows are no bar
    EXPECT_LE(total(*many), 0.5 + 1e-12);
    EXPECT_GE(many->from, 0.5);
    EXPECT_LE(many->to, 1000.5 + 17);
    EXPECT_NEAR(many->position(many->average), 0.5, 0.02);

    // Fractions: equal slices between the least and the greatest seen.
    ShownOdds fractions = ShownOdds::exactOdds();
    for (int i = 0; i < 10; ++i)
        fractions.addShown(i / 4.0, 0.1);
    fractions.finish();
    const auto sliced = chartOf(fractions, 5);
    ASSERT_TRUE(sliced);
    ASSERT_EQ(sliced->bars.size(), 5u);
    for (const double bar : sliced->bars)
        EXPECT_NEAR(bar, 0.2, 1e-12);

    EXPECT_FALSE(chartOf(faces(4, 4), 60)); // always the same: nothing to draw
}

} // namespace
} // namespace tavrol
