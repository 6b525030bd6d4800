#include "calculator/number_text.h"

#include <cmath>
#include <gtest/gtest.h>
#include <limits>
#include <optional>
#include <string>

namespace tavrol {
namespace {

template <class Case> std::string behaviourName(const ::testing::TestParamInfo<Case>& param)
{
    return param.param.behaviour;
}

struct TextCase {
    const char* behaviour;
    double value;
    const char* expected;
};

class NumberTextTest : public ::testing::TestWithParam<TextCase> { };

TEST_P(NumberTextTest, writesStandardText)
{
    EXPECT_EQ(numberText(GetParam().value), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Table, NumberTextTest,
    ::testing::Values(TextCase { "wholeHasNoPoint", 25, "25" }, TextCase { "fractionHasLeadingZero", 0.5, "0.5" },
        TextCase { "negative", -2.25, "-2.25" }, TextCase { "zero", 0, "0" },
        TextCase { "negativeZeroHasNoSign", -0.0, "0" },
        TextCase { "fifteenDigitRoundingHidesBinaryError", 0.1 + 0.2, "0.3" },
        TextCase { "roundsToFifteenSignificant", 1.0 / 3.0, "0.333333333333333" },
        TextCase { "twentyTwoSevenths", 22.0 / 7.0, "3.14285714285714" },
        TextCase { "largestPlainValue", 999999999999999, "999999999999999" },
        TextCase { "exponentFromE15", 1e15, "1E+15" }, TextCase { "exponentKeepsMantissaDigits", 1.5e20, "1.5E+20" },
        TextCase { "exponentRoundsMantissa", -123456789012345678.0, "-1.23456789012346E+17" },
        TextCase { "smallestPlainValue", 0.0001, "0.0001" }, TextCase { "exponentBelowE04", 0.00001, "1E-05" },
        TextCase { "threeDigitExponent", 1e-100, "1E-100" },
        TextCase { "roundingCarriesIntoExponent", 999999999999999.9, "1E+15" }),
    behaviourName<TextCase>);

TEST(SingleText, keepsSevenSignificantDigits)
{
    const struct {
        float value;
        const char* expected;
    } rows[] = { { 123456792.0f, "1.234568E+08" }, { 1234567.0f, "1234567" }, { 1e7f, "1E+07" }, { 0.1f + 0.2f, "0.3" },
        { 5.0f, "5" }, { -5.0f, "-5" }, { 0.00001f, "1E-05" }, { 0.0f, "0" } };
    for (const auto& row : rows)
        EXPECT_EQ(singleText(row.value), row.expected) << row.value;
}

TEST(SignText, putsBlankBeforeNonNegative)
{
    EXPECT_EQ(signText(7), " 7");
    EXPECT_EQ(signText(-2), "-2");
    EXPECT_EQ(signText(2.5), " 2.5");
    EXPECT_EQ(signText(0), " 0");
}

class DisplayPatternTest : public ::testing::TestWithParam<TextCase> { };

TEST_P(DisplayPatternTest, formatsWithPointAndFourteenPlaces)
{
    EXPECT_EQ(displayPattern(GetParam().value), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Table, DisplayPatternTest,
    ::testing::Values(TextCase { "wholeGetsTrailingPoint", 5, "5." }, TextCase { "fractionBelowOne", 0.5, "0.5" },
        TextCase { "negativeFraction", -2.25, "-2.25" }, TextCase { "zeroFractionDropped", 3.0, "3." },
        TextCase { "zero", 0, "0." }, TextCase { "negativeZeroHasNoSign", -0.0, "0." },
        TextCase { "typedDecimalStaysAsTyped", 300.2, "300.2" }, TextCase { "binaryErrorIsNotShown", 0.1 + 0.2, "0.3" },
        TextCase { "noExponentForSmall", 0.00001, "0.00001" },
        TextCase { "noExponentForLarge", 1e15, "1000000000000000." },
        TextCase { "roundsToFourteenPlaces", 0.123456789012345, "0.12345678901235" },
        TextCase { "tinyNegativeRoundsToUnsignedZero", -1e-15, "0." },
        TextCase { "tinyRoundsUpToLastPlace", 6e-15, "0.00000000000001" },
        TextCase { "roundingCarriesIntoInteger", 0.999999999999999, "1." },
        TextCase { "singlePrecisionRecall", 123456800, "123456800." }),
    behaviourName<TextCase>);

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
