#include "platform/utf8.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace tavrol {
namespace {

TEST(Utf8, walksCodePointsAndSkipsInvalidBytes)
{
    const struct {
        std::string text;
        std::vector<std::string> points;
    } rows[] = {
        { "3\u00D7x", { "3", "\u00D7", "x" } }, { "\xC3", {} }, // truncated two-byte sequence
        { "a\x80"
          "b",
            { "a", "b" } }, // stray continuation byte
        { "\xC0\xAF", {} }, // overlong encoding
        { "\xED\xA0\x80", {} }, // surrogate
        { "\xF0\x9F\x8E\xB2", { "\xF0\x9F\x8E\xB2" } }, // four-byte sequence
        { "\xF4\x90\x80\x80", {} }, // beyond U+10FFFF
    };
    for (const auto& row : rows)
        EXPECT_EQ(utf8::codePoints(row.text), row.points) << row.text.size();
}

TEST(Utf8, lengthAndLeftCountCodePoints)
{
    EXPECT_EQ(utf8::length("\u00B1\u00D7\u00F7"), 3u);
    EXPECT_EQ(utf8::length("a\xFF"
                           "b"),
        3u);
    EXPECT_EQ(utf8::left("\u00D7\u00D7\u00D7", 2), "\u00D7\u00D7");
    EXPECT_EQ(utf8::left("ab", 5), "ab");
}

} // namespace
} // namespace tavrol
