// A programmed key in words: its keys as read, and its description.
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
        { "3x+2=", "3d6 + 2" },
        { "12.5h\u00D7.5=", "12.5d% \u00D7 .5" },
        { "2y6y", "2d6" },
        { "fetlnhiuvbw", "d4 d8 d10 d12 d20 d% 3d6 4dF dAvg keep best keep worst" },
        { "\u00B1%\u00F7-", "\u00B1 % \u00F7 -" },
        { "2x3", "2d6 3" }, // a key between two numbers keeps them apart
        { "1 2a+X3\xFF=", "12 + 3" }, // skipped characters neither show nor split a number
        { "AMZ r", "" },
    };
    for (const auto& row : rows)
        EXPECT_EQ(readableCommand(row.command), row.read) << row.command;
}

TEST(ProgrammedKeyDescription, captionKeysAndOdds)
{
    EXPECT_EQ(programmedKeyDescription("Fireball", "3x+2=", "Average 12.5; 90% of rolls 8 to 17; possible 5 to 20"),
        "Fireball\n3d6 + 2\nAverage 12.5; 90% of rolls 8 to 17; possible 5 to 20");
    EXPECT_EQ(programmedKeyDescription("Blank", "", kOddsPending), "Blank\nPresses no keys\nWorking out the odds...");
    // Such a key opens the programming window and never plays its command.
    EXPECT_EQ(programmedKeyDescription("Program", "3x", kOddsPending), "Program\nOpens the programming window");
}

} // namespace
} // namespace tavrol
