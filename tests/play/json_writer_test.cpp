#include "app/play/json_writer.h"

#include <gtest/gtest.h>
#include <limits>
#include <string>

namespace tavrol::play {
namespace {

struct StringRow {
    const char* behaviour;
    std::string text;
    std::string json;
};

class JsonStringOf : public testing::TestWithParam<StringRow> { };

TEST_P(JsonStringOf, escapesControlsAndKeepsWellFormedUtf8)
{
    EXPECT_EQ(jsonString(GetParam().text), GetParam().json);
}

INSTANTIATE_TEST_SUITE_P(JsonWriter, JsonStringOf,
    testing::Values(StringRow { "plainAscii", "Roll 3d6", "\"Roll 3d6\"" },
        StringRow { "quoteAndBackslash", "a\"b\\c", R"("a\"b\\c")" },
        StringRow { "shortEscapes", "\b\f\n\r\t", R"("\b\f\n\r\t")" },
        StringRow { "lineBreakOfTheDiceList", " 4\r\n 6\r\n", R"(" 4\r\n 6\r\n")" },
        StringRow { "otherControlsAsHex", "\x01\x1f\x1b", R"("\u0001\u001f\u001b")" },
        StringRow { "nulInside", std::string("a\0b", 3), R"("a\u0000b")" },
        StringRow { "deletePasses", "\x7f", "\"\x7f\"" },
        StringRow { "operatorsPassAsCharacters", "\u00B1\u00D7\u00F7", "\"\u00B1\u00D7\u00F7\"" },
        StringRow { "fourByteSequencePasses", "\xF0\x9F\x8E\xB2", "\"\xF0\x9F\x8E\xB2\"" },
        StringRow { "strayContinuationReplaced",
            "a\x80"
            "z",
            "\"a\uFFFDz\"" },
        StringRow { "truncatedSequenceReplacedPerByte", "\xE2\x80", "\"\uFFFD\uFFFD\"" },
        StringRow { "overlongReplaced", "\xC0\xAF", "\"\uFFFD\uFFFD\"" },
        StringRow { "surrogateReplaced", "\xED\xA0\x80", "\"\uFFFD\uFFFD\uFFFD\"" },
        StringRow { "invalidByteBeforeAscii",
            "\xFF"
            "5",
            "\"\uFFFD"
            "5\"" }),
    [](const auto& row) { return std::string(row.param.behaviour); });

struct NumberRow {
    const char* behaviour;
    double value;
    const char* json;
};

class JsonNumber : public testing::TestWithParam<NumberRow> { };

TEST_P(JsonNumber, isTheShortestRoundTripForm)
{
    JsonWriter json;
    json.number(GetParam().value);
    EXPECT_EQ(json.text(), GetParam().json);
}

constexpr double kInfinity = std::numeric_limits<double>::infinity();

INSTANTIATE_TEST_SUITE_P(JsonWriter, JsonNumber,
    testing::Values(NumberRow { "wholeWithoutPoint", 5.0, "5" }, NumberRow { "timerInterval", 5000, "5000" },
        NumberRow { "negativeFraction", -0.5, "-0.5" },
        NumberRow { "binaryFractionInFull", 0.1 + 0.2, "0.30000000000000004" },
        NumberRow { "third", 1.0 / 3, "0.3333333333333333" }, NumberRow { "largeAsExponent", 1e21, "1e+21" },
        NumberRow { "tinyAsExponent", 1.5e-10, "1.5e-10" }, NumberRow { "infinityIsNull", kInfinity, "null" },
        NumberRow { "negativeInfinityIsNull", -kInfinity, "null" },
        NumberRow { "nanIsNull", std::numeric_limits<double>::quiet_NaN(), "null" }),
    [](const auto& row) { return std::string(row.param.behaviour); });

TEST(JsonWriter, separatesMembersAndElementsAtEveryDepth)
{
    JsonWriter json;
    json.beginObject();
    json.key("a").beginArray().number(1).string("x").beginArray().endArray().beginObject().endObject().endArray();
    json.key("b").beginObject().key("c").boolean(true).key("d").null().endObject();
    json.key("e\n").boolean(false);
    json.endObject();
    EXPECT_EQ(json.text(), R"({"a": [1, "x", [], {}], "b": {"c": true, "d": null}, "e\n": false})");
}

} // namespace
} // namespace tavrol::play
