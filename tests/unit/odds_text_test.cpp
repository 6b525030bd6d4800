// A programmed key in words: its keys as read, the figures of a tally, and its description.
#include "programs/odds_text.h"

#include <gtest/gtest.h>

namespace tavrol {
namespace {

TEST(ReadableCommand, eachKeyByItsCaptionWithNumbersWhole)
{
    const struct {
        const char* command;
        const char* read;
    } rows[] = {
        { "3x+2=", "3 d6 + 2 =" },
        { "12.5h\u00D7.5=", "12.5 d% \u00D7 .5 =" },
        { "2y6y", "2 xDn 6 xDn" },
        { "fetlnhiuvbw", "d4 d8 d10 d12 d20 d% 3d6 fudge dAvg best worst" },
        { "\u00B1%\u00F7-", "\u00B1 % \u00F7 -" },
        { "2x3", "2 d6 3" }, // a key between two numbers keeps them apart
        { "1 2a+X3\xFF=", "12 + 3 =" }, // skipped characters neither show nor split a number
        { "AMZ r", "" },
    };
    for (const auto& row : rows)
        EXPECT_EQ(readableCommand(row.command), row.read) << row.command;
}

OddsTally tallyOf(std::initializer_list<double> shown, int overflows = 0)
{
    OddsTally tally;
    for (const double value : shown)
        tally.addShown(value);
    for (int i = 0; i < overflows; ++i)
        tally.addOverflow();
    return tally;
}

OddsTally repeated(double value, int times, int overflows)
{
    OddsTally tally;
    for (int i = 0; i < times; ++i)
        tally.addShown(value);
    for (int i = 0; i < overflows; ++i)
        tally.addOverflow();
    return tally;
}

TEST(OddsTally, percentilesByNearestRankAndMergedParts)
{
    // 1 to 20 once each: the 5th percentile is the 1st value, the 95th the 19th.
    OddsTally tally = tallyOf({ 11, 12, 13, 14, 15, 16, 17, 18, 19, 20 });
    tally.merge(tallyOf({ 10, 9, 8, 7, 6, 5, 4, 3, 2, 1 }, 3));
    EXPECT_EQ(tally.presses(), 23);
    EXPECT_EQ(tally.overflows(), 3);
    EXPECT_EQ(tally.percentile(5), 1);
    EXPECT_EQ(tally.percentile(95), 19);
    EXPECT_EQ(tally.percentile(100), 20);
    EXPECT_EQ(tally.average(), 10.5); // overflows are not averaged
    // A fixed part stands for every press.
    OddsTally fixed = tallyOf({ 5 });
    fixed.markFixed();
    tally.merge(fixed);
    EXPECT_TRUE(tally.fixed());
    EXPECT_EQ(tally.presses(), 1);
}

TEST(OddsLine, saysWhatTheKeyShows)
{
    OddsTally fixed = tallyOf({ -2.5 });
    fixed.markFixed();
    OddsTally fixedOverflow = tallyOf({}, 1);
    fixedOverflow.markFixed();
    const struct {
        const char* behaviour;
        OddsTally tally;
        const char* line;
    } rows[] = {
        { "fixed", fixed, "Shows -2.5" },
        { "fixedOverflow", fixedOverflow, "Overflows the display" },
        { "everyRollOverflows", tallyOf({}, 4), "Every roll overflows the display" },
        { "averageToOneDecimal", tallyOf({ 0, 1, 1 }), "Average 0.7; 90% of rolls 0 to 1; seen 0 to 1" },
        { "fractions", tallyOf({ 0.25, -0.125 }), "Average 0.1; 90% of rolls -0.125 to 0.25; seen -0.125 to 0.25" },
        { "someOverflow", tallyOf({ 2, 4, 6 }, 1),
            "Average 4; 90% of rolls 2 to 6; seen 2 to 6; 25% of rolls overflow the display" },
        { "fewOverflow", repeated(1, 299, 1),
            "Average 1; 90% of rolls 1 to 1; seen 1 to 1; under 1% of rolls overflow the display" },
        { "mostOverflow", repeated(1, 1, 299),
            "Average 1; 90% of rolls 1 to 1; seen 1 to 1; over 99% of rolls overflow the display" },
    };
    for (const auto& row : rows)
        EXPECT_EQ(oddsLine(row.tally), row.line) << row.behaviour;
}

TEST(ProgrammedKeyDescription, captionKeysAndOdds)
{
    EXPECT_EQ(programmedKeyDescription("Fireball", "3x+2=", "Average 12.5; 90% of rolls 8 to 17; seen 5 to 20"),
        "Fireball\n3 d6 + 2 =\nAverage 12.5; 90% of rolls 8 to 17; seen 5 to 20");
    EXPECT_EQ(programmedKeyDescription("Blank", "", kOddsPending), "Blank\nPresses no keys\nWorking out the odds...");
    // Such a key opens the programming window and never plays its command.
    EXPECT_EQ(programmedKeyDescription("Program", "3x", kOddsPending), "Program\nOpens the programming window");
}

} // namespace
} // namespace tavrol
