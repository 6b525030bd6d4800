// The odds of a programmed key, from replays of its command: against what the dice give exactly.
#include "programs/odds.h"

#include <gtest/gtest.h>

namespace tavrol {
namespace {

TEST(KeyOdds, oddsOfSmallCommandsAreWhatTheDiceGive)
{
    const struct {
        const char* command;
        const char* line;
    } rows[] = {
        { "1x", "Average 3.5; 90% of rolls 1 to 6; seen 1 to 6" },
        // 206 of the 216 throws of 3 d6 are at most 15, 10 at most 5 and 20 at most 6.
        { "3x", "Average 10.5; 90% of rolls 6 to 15; seen 3 to 18" },
        { "3x+2=", "Average 12.5; 90% of rolls 8 to 17; seen 5 to 20" },
        { "2+3=", "Shows 5" },
        { "9999999\u00D79999999=", "Overflows the display" },
        // The status line stays up after an overflow, so what follows still counts as one.
        { "9999999\u00D79999999=+1=", "Overflows the display" },
    };
    for (const auto& row : rows)
        EXPECT_EQ(oddsLine(keyOdds(row.command)), row.line) << row.command;
}

TEST(KeyOdds, everyPressCountsAndOverflowsAreCountedApart)
{
    const OddsTally dice = keyOdds("3x");
    EXPECT_FALSE(dice.fixed());
    EXPECT_EQ(dice.presses(), kOddsReplays);

    const OddsTally fixed = keyOdds("2+3=");
    EXPECT_TRUE(fixed.fixed());
    EXPECT_EQ(fixed.presses(), 1);

    // A d6 of 5 or 6 times two million million runs past the display: a third of the rolls.
    const OddsTally some = keyOdds("1x\u00D72000000000000=");
    EXPECT_EQ(some.presses(), kOddsReplays);
    EXPECT_NEAR(static_cast<double>(some.overflows()) / kOddsReplays, 1.0 / 3, 0.02);
    EXPECT_EQ(some.least(), 2e12);
    EXPECT_EQ(some.greatest(), 8e12);
}

TEST(KeyOdds, manyDiceStopAtTheDrawBudget)
{
    // 32767 dice a press: 20,000 presses would take minutes.
    const OddsTally many = replayPart("32767x", 0);
    EXPECT_GE(many.presses(), 1);
    EXPECT_LE(many.presses(), kOddsMostDraws / kOddsParts / 32767 + 1);
    EXPECT_GE(*many.least(), 32767);
    EXPECT_LE(*many.greatest(), 6 * 32767);
}

} // namespace
} // namespace tavrol
