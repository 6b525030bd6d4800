// A programmed key in words: dice as referees write them, and captions written right to left.
#include "programs/odds_text.h"

#include <gtest/gtest.h>

namespace tavrol {
namespace {

TEST(ReadableCommand, diceAsRefereesWriteThem)
{
    const struct {
        const char* command;
        const char* read;
    } rows[] = {
        { "4x3b", "4d6 keep best 3" }, { "2n1w", "2d20 keep worst 1" },
        { "x b", "d6 keep best" }, // counts from the display are not written
        { "4i", "4 \u00D7 3d6" }, { "1i+1u", "3d6 + 4dF" }, { "2u", "2 \u00D7 4dF" }, { "3v", "3dAvg" },
        { "4y8y+1=", "4d8 + 1" }, { "y6y", "xDn 6 xDn" },
        { "2+3=\u00D72=", "2 + 3 = \u00D7 2" }, // only the closing "=" goes
    };
    for (const auto& row : rows)
        EXPECT_EQ(readableCommand(row.command), row.read) << row.command;
}

TEST(ProgrammedKeyDescription, eachLineKeepsItsDirectionUnderARightToLeftCaption)
{
    EXPECT_EQ(programmedKeyDescription("\u0643\u0631\u0629 \u0646\u0627\u0631", "3x+2=", "Shows 5"),
        "\u2068\u0643\u0631\u0629 \u0646\u0627\u0631\u2069\n\u20663d6 + 2\u2069\n\u2066Shows 5\u2069");
    EXPECT_EQ(programmedKeyDescription("\u05D0\u05E9", "1x", "Shows 1"),
        "\u2068\u05D0\u05E9\u2069\n\u20661d6\u2069\n\u2066Shows 1\u2069");
}

} // namespace
} // namespace tavrol
