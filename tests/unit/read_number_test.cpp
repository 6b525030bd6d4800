// Reading number text: what is a number and what is not.
#include "calculator/number_text.h"
#include "number_cases.h"

#include <cmath>
#include <gtest/gtest.h>
#include <optional>

namespace tavrol {
namespace {

struct ReadCase {
    const char* behaviour;
    const char* text;
    std::optional<double> expected;
};

class ReadNumberTest : public ::testing::TestWithParam<ReadCase> { };

TEST_P(ReadNumberTest, readsNumberTextOnly)
{
    const auto got = readNumber(GetParam().text);
    ASSERT_EQ(got.has_value(), GetParam().expected.has_value()) << GetParam().text;
    if (got) {
        EXPECT_DOUBLE_EQ(*got, *GetParam().expected);
    }
}

INSTANTIATE_TEST_SUITE_P(Table, ReadNumberTest,
    ::testing::Values(ReadCase { "displayText", "12.", 12.0 }, ReadCase { "leadingBlank", " 7", 7.0 },
        ReadCase { "blanksAround", "  -3.5  ", -3.5 }, ReadCase { "plusSign", "+4", 4.0 },
        ReadCase { "leadingPoint", ".5", 0.5 }, ReadCase { "exponent", "1.234568E+08", 123456800.0 },
        ReadCase { "exponentWithAppendedPoint", "1E-05.", 0.00001 }, ReadCase { "lowerCaseExponent", "2e3", 2000.0 },
        ReadCase { "lonePoint", ".", std::nullopt }, ReadCase { "banner", "Tavrol 32", std::nullopt },
        ReadCase { "empty", "", std::nullopt }, ReadCase { "onlyBlanks", "   ", std::nullopt },
        ReadCase { "twoPoints", "1.2.3", std::nullopt }, ReadCase { "exponentWithoutDigits", "1E+", std::nullopt },
        ReadCase { "infinityWord", "inf", std::nullopt }, ReadCase { "nanWord", "nan", std::nullopt },
        ReadCase { "hexadecimal", "0x10", std::nullopt }, ReadCase { "innerBlank", "1 2", std::nullopt },
        ReadCase { "signOnly", "-", std::nullopt }, ReadCase { "underflowReadsZero", "1E-400", 0.0 }),
    behaviourName<ReadCase>);

TEST(ReadNumber, overflowReadsAsInfinity)
{
    const auto got = readNumber("1E+400");
    ASSERT_TRUE(got.has_value());
    EXPECT_TRUE(std::isinf(*got));
}

TEST(ReadNumber, roundTripsEveryNumberText)
{
    for (double value : { 0.1, -2.5, 1e15, 1.5e-7, 123456789012345.0, -0.000123 }) {
        const auto back = readNumber(numberText(value));
        ASSERT_TRUE(back.has_value()) << value;
        EXPECT_NEAR(*back, value, std::abs(value) * 1e-14) << value;
    }
}

} // namespace
} // namespace tavrol
