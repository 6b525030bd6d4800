// The odds as figures in words: numbers grouped, exact figures and estimates told apart, and the
// share of rolls that overflow.
#include "programs/odds_text.h"

#include <gtest/gtest.h>

namespace tavrol {
namespace {

TEST(OddsNumber, groupsThousandsFromTenThousandUp)
{
    const struct {
        double value;
        const char* text;
    } rows[] = { { 9999, "9999" }, { 10000, "10,000" }, { -40000, "-40,000" }, { 1654733.5, "1,654,733.5" },
        { 123456, "123,456" }, { 0.25, "0.25" }, { -0.0, "0" }, { 12345678901234, "12,345,678,901,234" } };
    for (const auto& row : rows)
        EXPECT_EQ(oddsNumber(row.value), row.text) << row.value;
}

ShownOdds exactOf(std::initializer_list<std::pair<double, double>> shown, double overflow = 0)
{
    ShownOdds odds = ShownOdds::exactOdds();
    for (const auto& [value, weight] : shown)
        odds.addShown(value, weight);
    if (overflow > 0)
        odds.addOverflow(overflow);
    odds.finish();
    return odds;
}

ShownOdds d20()
{
    ShownOdds odds = ShownOdds::exactOdds();
    for (int face = 1; face <= 20; ++face)
        odds.addShown(face, 1.0 / 20);
    odds.finish();
    return odds;
}

ShownOdds estimateOf3d6()
{
    // 20,000 presses of 3 d6 in the proportions of the 216 throws, a hundred of them each.
    ShownOdds odds = ShownOdds::estimate(21600);
    for (int a = 1; a <= 6; ++a)
        for (int b = 1; b <= 6; ++b)
            for (int c = 1; c <= 6; ++c)
                odds.addShown(a + b + c, 100);
    odds.finish();
    return odds;
}

TEST(OddsLine, exactFiguresEstimatesAndOverflows)
{
    const struct {
        const char* behaviour;
        ShownOdds odds;
        const char* line;
    } rows[] = {
        { "oneInTwentyIsTheFifthPercentile", d20(), "Average 10.5; 90% of rolls 1 to 19; possible 1 to 20" },
        { "fixed", exactOf({ { 5, 1 } }), "Shows 5" },
        { "fixedOverflow", exactOf({}, 1), "Overflows the display" },
        { "averageToTwoPlaces", exactOf({ { 12, 0.7554 }, { 13, 0.2446 } }),
            "Average 12.24; 90% of rolls 12 to 13; possible 12 to 13" },
        { "overflowWithItsShare", exactOf({ { 1, 1.0 / 6 } }, 5.0 / 6),
            "Average 1; 90% of rolls 1 to 1; possible 1 to 1; 83% of rolls overflow the display" },
        { "bigNumbersGrouped", exactOf({ { 32767, 0.5 }, { 3276700, 0.5 } }),
            "Average 1,654,733.5; 90% of rolls 32,767 to 3,276,700; possible 32,767 to 3,276,700" },
        { "estimateSaysAbout", estimateOf3d6(),
            "Average about 10.5; 90% of rolls about 6 to 15; possible about 3 to 18; estimated from 21,600 presses" },
    };
    for (const auto& row : rows)
        EXPECT_EQ(oddsLine(row.odds), row.line) << row.behaviour;
}

} // namespace
} // namespace tavrol
