// A programmed key's stored value: caption, first comma, command.
#include "programs/custom_entry.h"

#include <gtest/gtest.h>
#include <string>

namespace tavrol {
namespace {

TEST(CustomEntry, parsesCaptionAndCommand)
{
    const struct {
        const char* value;
        const char* caption;
        const char* command;
        bool programmed;
    } rows[]
        = { { "Unprog,0", "Unprog", "0", false }, { "Roll,3+x", "Roll", "3+x", true }, { "Two,00", "Two", "00", true },
              { "Blank, 0", "Blank", " 0", true }, { ",3+x", "", "3+x", true }, { "Empty,", "Empty", "", true },
              { "a,b,1", "a", "b,1", true }, { "NoComma", "NoComma", "0", false }, { "", "", "0", false } };
    for (const auto& row : rows) {
        const CustomEntry entry = parseCustomEntry(row.value);
        EXPECT_EQ(entry.caption, row.caption) << row.value;
        EXPECT_EQ(entry.command, row.command) << row.value;
        EXPECT_EQ(entry.programmed, row.programmed) << row.value;
    }
}

TEST(CustomEntry, cutsLongCommandAtFiveHundredTwelveCharacters)
{
    const std::string command(600, '\xC3'); // invalid on its own: counts a character a byte
    EXPECT_EQ(parseCustomEntry("Long," + std::string(300, '1') + std::string(300, '\xD7')).command.size(), 300u + 212u);
    EXPECT_EQ(parseCustomEntry("Long," + std::string(700, '5')).command, std::string(512, '5'));
    std::string multiplied;
    for (int i = 0; i < 600; ++i)
        multiplied += "\u00D7";
    EXPECT_EQ(parseCustomEntry("Times," + multiplied).command, multiplied.substr(0, 1024));
    EXPECT_EQ(parseCustomEntry("Bytes," + command).command.size(), 512u);
}

} // namespace
} // namespace tavrol
