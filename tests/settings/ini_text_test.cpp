// The settings file's text without any file: what a hand-edited file loads as, which lines a save
// touches, and values that come back exactly as the program wrote them.
#include "platform/ini_text.h"

#include <gtest/gtest.h>
#include <optional>
#include <string>
#include <vector>

namespace tavrol::ini {
namespace {

TEST(IniText, handEditsLoadAsTheUserWroteThem)
{
    const struct {
        const char* behaviour;
        std::string text;
        std::optional<std::string> loaded; // the value of key 0 in [custom]
    } rows[] = {
        { "plain", "[custom]\n0=Fireball,3x+2=\n", "Fireball,3x+2=" },
        { "unquotedCommaKeepsItsBlank", "[custom]\n0=Roll, 3+x\n", "Roll, 3+x" },
        { "leadingAt", "[custom]\n0=@Boss,3x+2=\n", "@Boss,3x+2=" },
        { "atAfterComma", "[custom]\n0=Roll,@3x\n", "Roll,@3x" },
        { "byteArrayLookalike", "[custom]\n0=@ByteArray(Roll,1)\n", "@ByteArray(Roll,1)" },
        { "blanksAroundKeyAndValueTrimmed", "[custom]\n  0 \t=  Roll,3 \t\n", "Roll,3" },
        { "semicolonInUnquotedValueKept", "[custom]\n0=Roll;x,1\n", "Roll;x,1" },
        { "quoteInsideUnquotedValueKept", "[custom]\n0=Say \"hi\",1\n", "Say \"hi\",1" },
        { "escapesDecoded", "[custom]\n0=a\\tb\\\\c\\x41\\101\\q\n", "a\tb\\cAA" },
        { "doubledAtIsOne", "[custom]\n0=@@x,1\n", "@x,1" },
        { "quotedPartsJoinWithCommas", "[custom]\n0=\"Roll\", 3+x\n", "Roll,3+x" },
        { "quotedValueEndsAtComment", "[custom]\n0=\"a;b\" ; a note\n", "a;b" },
        { "quotedKeepsBlanks", "[custom]\n0=\" Roll,1 \"\n", " Roll,1 " },
        { "openQuoteEndsWithItsLine", "[custom]\n0=\"Fire,3x=\n1=x\n", "Fire,3x=" },
        { "quotedByteArrayUnwrapped", "[custom]\n0=\"@ByteArray(Roll,1)\"\n", "Roll,1" },
        { "crlfLineEnd", "[custom]\r\n0=Roll,1\r\n", "Roll,1" },
        { "crLineEnd", "[custom]\r0=Roll,1\r", "Roll,1" },
        { "empty", "[custom]\n0=\n", "" },
        { "byteOrderMark", "\xEF\xBB\xBF[custom]\n0=a\n", "a" },
        { "lastKeyWins", "[custom]\n0=a\n0=b\n", "b" },
        { "lastSectionWins", "[custom]\n0=a\n[other]\n0=x\n[custom]\n0=b\n", "b" },
        { "keyInEarlierSectionStillLoads", "[custom]\n0=a\n[custom]\n1=b\n", "a" },
        { "blanksInSectionHeader", "[ custom ]\n0=a\n", "a" },
        { "headerWithoutBracket", "[custom\n0=a\n", "a" },
        { "commentsAndStrayLinesIgnored", "# 0=x\n[custom]\n; 0=y\njunk line\n#0=z\n0=a\n[x\n0=b\n", "a" },
        { "otherSectionOnly", "[other]\n0=a\n", std::nullopt },
        { "keyBeforeAnySection", "0=a\n[custom]\n1=b\n", std::nullopt },
        { "sectionNamesAreCaseSensitive", "[Custom]\n0=a\n", std::nullopt },
        { "noFile", "", std::nullopt },
    };
    for (const auto& row : rows)
        EXPECT_EQ(read(row.text, "custom", "0"), row.loaded) << row.behaviour;
    EXPECT_EQ(read("# note\n[custom]\n; note\njunk\n0=a\n[x\n", "x", "0"), std::nullopt);
}

TEST(IniText, saveChangesOneLineAndKeepsEveryOther)
{
    const struct {
        const char* behaviour;
        std::string before;
        std::string value;
        std::string after; // with key 1 of [custom] set to `value`
    } rows[] = {
        { "newFile", "", "Roll,3+x", "[custom]\n1=\"Roll,3+x\"\n" },
        { "replacesInPlace", "[custom]\n0=a\n1=old\n2=c\n", "new", "[custom]\n0=a\n1=new\n2=c\n" },
        { "handEditsKept", "# mine\n[custom]\n; note\n0=Roll, 3+x\njunk\n1 = old  \n[x]\nstray\n", "new",
            "# mine\n[custom]\n; note\n0=Roll, 3+x\njunk\n1=new\n[x]\nstray\n" },
        { "lastOfDuplicatesReplaced", "[custom]\n1=a\n[custom]\n1=b\n", "c", "[custom]\n1=a\n[custom]\n1=c\n" },
        { "addedAfterSectionsLastEntry", "[custom]\n0=a\n; tail\n\n[x]\n1=q\n", "b",
            "[custom]\n0=a\n1=b\n; tail\n\n[x]\n1=q\n" },
        { "addedToLastAppearanceOfSection", "[custom]\n0=a\n[x]\n[custom]\n2=c\n", "b",
            "[custom]\n0=a\n[x]\n[custom]\n2=c\n1=b\n" },
        { "addedUnderEmptySection", "[custom]\n[x]\n", "b", "[custom]\n1=b\n[x]\n" },
        { "sectionAddedAfterBlankLine", "[x]\n0=a\n", "b", "[x]\n0=a\n\n[custom]\n1=b\n" },
        { "lastLineGetsItsLineEnd", "[custom]\n0=a", "b", "[custom]\n0=a\n1=b\n" },
        { "crlfFileKeepsCrlf", "[custom]\r\n0=a\r\n1=x\r\n", "b", "[custom]\r\n0=a\r\n1=b\r\n" },
        { "crlfFileAddsCrlf", "[custom]\r\n0=a\r\n", "b", "[custom]\r\n0=a\r\n1=b\r\n" },
        { "valueEncoded", "[custom]\n1=x\n", "Roll, 3+x", "[custom]\n1=\"Roll, 3+x\"\n" },
        { "byteOrderMarkKept", "\xEF\xBB\xBF[custom]\n1=x\n", "b", "\xEF\xBB\xBF[custom]\n1=b\n" },
    };
    for (const auto& row : rows)
        EXPECT_EQ(withValue(row.before, "custom", "1", row.value), row.after) << row.behaviour;
}

// Every byte in every place (ends, after an escape, after '@') comes back as it went in,
// invalid UTF-8 included, through the file's text.
TEST(IniText, whatTheProgramWritesLoadsBackExactly)
{
    std::vector<std::string> values = { "", " ", "  Blanks  ", "\t", "@", "@@", "@x", "@String(x)", "@ByteArray(x)",
        "\"", "\"q\"", "a,b", "Roll, 3+x", ";", "=", "\\", "x\\", "\\x41", "\\0",
        std::string("n\0"
                    "12",
            4),
        std::string("@\0", 2), "caf\xC3\xA9 \xC3\x97\xC3\xB7\xC2\xB1", "\xF0\x9F\x98\x80", "Bad\xFF\xFE,1",
        "\x1F"
        "abc",
        "\r\n", "[custom]" };
    for (int byte = 0; byte < 256; ++byte) {
        const char c = static_cast<char>(byte);
        values.push_back(std::string(1, c));
        values.push_back(std::string("a") + c + "F");
        values.push_back(std::string("\x01") + c);
        values.push_back(std::string(" ") + c + " ");
    }
    for (const std::string& value : values) {
        const std::string text = withValue("[custom]\n0=old\n", "custom", "1", value);
        EXPECT_EQ(read(text, "custom", "1"), value) << text;
        EXPECT_EQ(read(text, "custom", "0"), "old") << text;
    }
}

} // namespace
} // namespace tavrol::ini
