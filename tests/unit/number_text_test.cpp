// Number text as the program writes it: doubles, single-precision values and signed values.
#include "calculator/number_text.h"
#include "number_cases.h"

#include <gtest/gtest.h>

namespace tavrol {
namespace {

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

} // namespace
} // namespace tavrol
