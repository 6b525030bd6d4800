// The calculator driven through its keys, as a user clicks them: display after every key.
#include "harness.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace tavrol::testing {
namespace {

struct Scenario {
    const char* behaviour;
    const char* keys; // key captions, blank-separated
    std::vector<std::string> displays; // the display after each key
    const char* status = ""; // the status line at the end ("" when hidden)
};

class CalculatorScenario : public ::testing::TestWithParam<Scenario> { };

TEST_P(CalculatorScenario, showsExpectedDisplays)
{
    Window window;
    EXPECT_EQ(window.pressAll(GetParam().keys), GetParam().displays);
    EXPECT_EQ(window.status(), GetParam().status);
}

std::string name(const ::testing::TestParamInfo<Scenario>& info)
{
    return info.param.behaviour;
}

const char* const kError = "==== Error ====";

INSTANTIATE_TEST_SUITE_P(Entry, CalculatorScenario,
    ::testing::Values(Scenario { "digitsBuildInteger", "1 2 3", { "1.", "12.", "123." } },
        Scenario { "leadingZerosNeverAccumulate", "0 0 7", { "0.", "0.", "7." } },
        Scenario { "pointStartsEntry", ". 5", { ".", "0.5" } },
        Scenario { "secondPointIgnored", "2 . 5 .", { "2.", "2.", "2.5", "2.5" } },
        Scenario { "typedFractionZeroVanishes", "1 . 0 5", { "1.", "1.", "1.", "1.5" } },
        Scenario { "fractionDigitsAppend", ". 5 3", { ".", "0.5", "0.53" } },
        Scenario { "typedDecimalKeepsItsDigits", "3 0 0 . 2", { "3.", "30.", "300.", "300.", "300.2" } },
        Scenario { "thirteenDigitsFillDisplay", "1 2 3 4 5 6 7 8 9 0 1 2 3",
            { "1.", "12.", "123.", "1234.", "12345.", "123456.", "1234567.", "12345678.", "123456789.", "1234567890.",
                "12345678901.", "123456789012.", "1234567890123." } },
        Scenario { "fourteenthDigitOverflows", "1 2 3 4 5 6 7 8 9 0 1 2 3 4",
            { "1.", "12.", "123.", "1234.", "12345.", "123456.", "1234567.", "12345678.", "123456789.", "1234567890.",
                "12345678901.", "123456789012.", "1234567890123.", "0." },
            kError },
        Scenario { "fifteenthCharacterInFractionOverflows", "1 . 2 3 4 5 6 7 8 9 1 2 3 4 5",
            { "1.", "1.", "1.2", "1.23", "1.234", "1.2345", "1.23456", "1.234567", "1.2345678", "1.23456789",
                "1.234567891", "1.2345678912", "1.23456789123", "1.234567891234", "0." },
            kError },
        Scenario { "signChangeContinuesEntry", "5 \u00B1 3", { "5.", "-5.", "-53." } },
        Scenario { "operatorEndsEntry", "5 + 3", { "5.", "5.", "3." } },
        Scenario { "clearEntryKeepsDecimalState", "1 . 2 CE 5", { "1.", "1.", "1.2", "0.", "0.5" } },
        Scenario { "clearEntryInIntegerEntry", "1 2 CE 5", { "1.", "12.", "0.", "5." } }),
    name);

INSTANTIATE_TEST_SUITE_P(Operators, CalculatorScenario,
    ::testing::Values(Scenario { "productBindsTighter", "2 + 3 \u00D7 4 =", { "2.", "2.", "3.", "3.", "4.", "14." } },
        Scenario { "subtractProduct", "1 0 - 2 \u00D7 3 =", { "1.", "10.", "10.", "2.", "2.", "3.", "4." } },
        Scenario { "productThenSum", "2 \u00D7 3 + 4 =", { "2.", "2.", "3.", "6.", "4.", "10." } },
        Scenario {
            "sumAfterProductTerm", "2 + 3 \u00D7 4 + 1 =", { "2.", "2.", "3.", "3.", "4.", "14.", "1.", "15." } },
        Scenario { "lastMultiplicativeApplies", "6 \u00D7 2 \u00F7 3 =", { "6.", "6.", "2.", "12.", "3.", "4." } },
        Scenario { "divideThenMultiply", "6 \u00F7 2 \u00D7 3 =", { "6.", "6.", "2.", "3.", "3.", "9." } },
        Scenario { "equalsTwiceShowsSame", "2 + 3 = =", { "2.", "2.", "3.", "5.", "5." } },
        Scenario { "equalsReusesDisplay", "2 + =", { "2.", "2.", "4." } },
        Scenario { "operatorAfterOperatorReusesDisplay", "2 + \u00D7 3 =", { "2.", "2.", "2.", "3.", "8." } },
        Scenario { "percentOfEntry", "2 0 0 + 1 0 % =", { "2.", "20.", "200.", "200.", "1.", "10.", "0.1", "200.1" } },
        Scenario { "percentAlone", "5 0 %", { "5.", "50.", "0.5" } },
        Scenario { "signChangeOnResult", "2 + 3 = \u00B1", { "2.", "2.", "3.", "5.", "-5." } },
        Scenario { "signChangeOfZeroHasNoSign", "0 \u00B1", { "0.", "0." } },
        Scenario { "divideByZeroGoesOnWithZero", "5 + 6 \u00F7 0 =", { "5.", "5.", "6.", "6.", "0.", "5." },
            "Divide by Zero" },
        Scenario { "divideByZeroAlone", "6 \u00F7 0 =", { "6.", "6.", "0.", "0." }, "Divide by Zero" },
        Scenario { "sixteenCharacterResultOverflows", "2 2 \u00F7 7 =", { "2.", "22.", "22.", "7.", "0." }, kError },
        Scenario { "oneThirdOverflows", "1 \u00F7 3 =", { "1.", "1.", "3.", "0." }, kError },
        Scenario { "binaryErrorHidden", ". 1 + . 2 =", { ".", "0.1", "0.1", ".", "0.2", "0.3" } },
        Scenario { "exponentResultOverflows", "9 9 9 9 9 9 9 9 \u00D7 9 9 9 9 9 9 9 9 =",
            { "9.", "99.", "999.", "9999.", "99999.", "999999.", "9999999.", "99999999.", "99999999.", "9.", "99.",
                "999.", "9999.", "99999.", "999999.", "9999999.", "99999999.", "0." },
            kError },
        Scenario { "smallExponentResultShownPlain",
            "1 \u00F7 1 0 0 0 0 0 =", { "1.", "1.", "1.", "10.", "100.", "1000.", "10000.", "100000.", "0.00001" } },
        Scenario { "clearEntryHidesDivideByZero", "6 \u00F7 0 = CE", { "6.", "6.", "0.", "0.", "0." } }),
    name);

INSTANTIATE_TEST_SUITE_P(Memory, CalculatorScenario,
    ::testing::Values(Scenario { "memoryKeyDoesNotEndEntry", "5 M+ 3", { "5.", "5.", "53." } },
        Scenario { "memoryAddsResults", "5 M+ + 3 M+ MR", { "5.", "5.", "5.", "3.", "3.", "8." } },
        Scenario { "singlePrecisionRecall", "1 2 3 4 5 6 7 8 9 M+ MR",
            { "1.", "12.", "123.", "1234.", "12345.", "123456.", "1234567.", "12345678.", "123456789.", "123456789.",
                "123456800." } },
        Scenario {
            "allClearKeepsMemory", ". 1 M+ AC . 2 M+ MR", { ".", "0.1", "0.1", "0.", ".", "0.2", "0.2", "0.3" } },
        Scenario { "recallContinuesEntry", "3 M+ AC 5 MR 2", { "3.", "3.", "0.", "5.", "3.", "32." } },
        Scenario { "memoryMinusGoesNegative", "5 M- MR", { "5.", "5.", "-5." } },
        Scenario { "smallMemoryRecallsPlain", "1 \u00F7 1 0 0 0 0 0 = M+ AC MR",
            { "1.", "1.", "1.", "10.", "100.", "1000.", "10000.", "100000.", "0.00001", "0.00001", "0.", "0.00001" } }),
    name);

} // namespace
} // namespace tavrol::testing
