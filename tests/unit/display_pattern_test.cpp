// The display's form of a number: a point always, fourteen places, never an exponent.
#include "calculator/number_text.h"
#include "number_cases.h"

#include <gtest/gtest.h>

namespace tavrol {
namespace {

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

} // namespace
} // namespace tavrol
