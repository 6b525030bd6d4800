// The dice keys driven as a user clicks them, with scripted faces.
#include "harness.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace tavrol::testing {
namespace {

struct Roll {
    const char* behaviour;
    std::vector<int> faces;
    const char* keys;
    const char* list; // DiceBox
    const char* display;
    const char* record; // the reroll key's Tag
    const char* recorded; // CommandLine
    std::vector<std::int16_t> dice; // DiceArray
};

class DiceScenario : public ::testing::TestWithParam<Roll> { };

TEST_P(DiceScenario, listsTotalsAndRecords)
{
    const Roll& roll = GetParam();
    Window window(true, roll.faces);
    window.pressAll(roll.keys);
    const frmTavrol& f = window.form;
    EXPECT_EQ(f.DiceBox.text(), roll.list);
    EXPECT_EQ(f.Display.caption(), roll.display);
    EXPECT_EQ(f.btnDice[DiceKey::Reroll]->tag(), roll.record);
    EXPECT_EQ(f.CommandLine, roll.recorded);
    EXPECT_EQ(f.DiceArray, roll.dice);
    EXPECT_EQ(f.LastKey, "dice");
    EXPECT_TRUE(f.btnDice[DiceKey::Reroll]->enabled());
}

INSTANTIATE_TEST_SUITE_P(Keys, DiceScenario,
    ::testing::Values(Roll { "plainDiceFromDisplay", { 4, 2, 6 }, "3 d6", " 4\r\n 2\r\n 6\r\n", "12.", " 1, 3", "3x",
                          { 3, 4, 2, 6 } },
        Roll { "zeroDisplayRollsOne", { 5 }, "d6", " 5\r\n", "5.", " 1, 1", "x", { 1, 5 } },
        Roll { "negativeCountRollsMagnitude", { 1, 2, 3 }, "3 \u00B1 d8", " 1\r\n 2\r\n 3\r\n", "6.", " 2, 3",
            "3\u00B1e", { 3, 1, 2, 3 } },
        Roll { "eachPlainKeyRecordsItsLetter", { 1 }, "d4 d10 d12 d20 d%", " 1\r\n", "1.", " 6, 1", "ftlnh", { 1, 1 } },
        Roll { "threeD6OneGroup", { 1, 2, 3 }, "1 3d6", " 1\r\n 2\r\n 3\r\n------\r\n", "6.", " 7, 1", "1i",
            { 3, 1, 2, 3 } },
        Roll { "threeD6KeepsLastGroup", { 1, 2, 3, 4, 5, 6 }, "2 3d6",
            " 1\r\n 2\r\n 3\r\n------\r\n 4\r\n 5\r\n 6\r\n------\r\n", "21.", " 7, 2", "2i", { 3, 4, 5, 6 } },
        Roll { "fudgeGoesNegative", { -1, -1, 0, 1, -1, -1, -1, 0 }, "2 fudge",
            "-1\r\n-1\r\n 0\r\n 1\r\n------\r\n-1\r\n-1\r\n-1\r\n 0\r\n------\r\n", "-4.", " 8, 2", "2u",
            { 4, -1, -1, -1, 0 } },
        Roll { "averageDiceReadThreeToFour", { 1, 2, 3, 4, 5, 6 }, "6 dAvg", " 3\r\n 2\r\n 3\r\n 4\r\n 5\r\n 4\r\n",
            "21.", " 9, 6", "6v", { 6, 3, 2, 3, 4, 5, 4 } },
        Roll { "bestKeepsHighest", { 6, 2, 5, 1 }, "4 d6 3 best", "6\r\n5\r\n2\r\n", "13.", " 11, 3", "4x3b",
            { 4, 6, 5, 2, 1 } },
        Roll { "worstLowersCountToList", { 6, 2, 5, 1 }, "4 d6 3 best worst", "1\r\n2\r\n5\r\n6\r\n", "14.", " 12, 4",
            "4x3bw", { 4, 1, 2, 5, 6 } },
        Roll { "xdnSecondPressRolls", { 1, 2, 3, 8 }, "4 xDn 8 xDn", " 1\r\n 2\r\n 3\r\n 8\r\n", "14.", " 10, 8",
            "4y8y", { 4, 1, 2, 3, 8 } },
        Roll { "xdnNoSidesRollsOnes", {}, "3 xDn 0 xDn", " 1\r\n 1\r\n 1\r\n", "3.", " 10, 1", "3y0y", { 3, 1, 1, 1 } },
        Roll { "rerollRepeatsLastKey", { 1, 2, 3, 4, 5, 6 }, "3 d10 reroll", " 4\r\n 5\r\n 6\r\n", "15.", " 3, 3",
            "3tt", { 3, 4, 5, 6 } },
        Roll { "rerollAfterFirstXdnPressRollsIt", { 1, 2, 3, 4 }, "4 xDn reroll", " 1\r\n 2\r\n 3\r\n 4\r\n", "10.",
            " 10, 4", "4yy", { 4, 1, 2, 3, 4 } },
        Roll { "rerollAfterBestSortsAgain", { 6, 2, 5, 1 }, "4 d6 2 best reroll", "6\r\n5\r\n", "11.", " 11, 2",
            "4x2bb", { 4, 6, 5, 2, 1 } },
        Roll { "fractionalCountRollsWholePart", { 1, 2, 3, 4 }, "3 . 5 d6", " 1\r\n 2\r\n 3\r\n", "6.", " 1, 3.5",
            "3.5x", { 3, 1, 2, 3 } },
        Roll { "fractionalGroupCountRollsWholeGroups", { 1, 1, 1 }, "1 . 5 3d6", " 1\r\n 1\r\n 1\r\n------\r\n", "3.",
            " 7, 1.5", "1.5i", { 3, 1, 1, 1 } },
        Roll { "negativePendingXdnRollsMagnitude", { 1, 2, 3 }, "3 \u00B1 xDn 6 xDn", " 1\r\n 2\r\n 3\r\n", "6.",
            " 10, 6", "3\u00B1y6y", { 3, 1, 2, 3 } },
        Roll { "bestBeforeAnyRollIsEmpty", {}, "2 best", "", "0.", " 11, 0", "2b", {} },
        // The count is single precision: 4.9999999 is 5 dice, and the record keeps its 7 digits.
        Roll { "singlePrecisionCountRoundsUp", { 1 }, "4 . 9 9 9 9 9 9 9 d6", " 1\r\n 1\r\n 1\r\n 1\r\n 1\r\n", "5.",
            " 1, 5", "4.9999999x", { 5, 1, 1, 1, 1, 1 } },
        Roll {
            "recordKeepsSevenDigits", { 1 }, ". 3 3 3 3 3 3 3 3 d6", "", "0.", " 1, 0.3333333", ".33333333x", { 0 } }),
    [](const ::testing::TestParamInfo<Roll>& param) { return std::string(param.param.behaviour); });

// A 14-character count comes back from the record as its 7-digit text, not as an overflow that
// would roll one die and let the timer wipe the calculation.
TEST(DiceKeys, rerollOfFourteenCharacterCountRollsTheSameDice)
{
    Window window(true, { 2 });
    window.pressAll("1 2 3 . 4 5 6 7 8 9 1 2 3 4 d6 reroll");
    EXPECT_EQ(window.status(), "");
    EXPECT_FALSE(window.form.pauser.enabled());
    ASSERT_FALSE(window.form.DiceArray.empty());
    EXPECT_EQ(window.form.DiceArray.front(), 123);
    EXPECT_EQ(window.display(), "246.");
    EXPECT_EQ(window.form.btnDice[DiceKey::Reroll]->tag(), " 1, 123.4568");
}

TEST(DiceKeys, rerollWithNothingRememberedSaysNotDefined)
{
    Window window(false); // during the banner the reroll key is still enabled
    window.press("reroll");
    EXPECT_EQ(window.status(), "Not Defined");
    EXPECT_EQ(window.display(), "0.");
    EXPECT_EQ(window.form.btnDice[DiceKey::Reroll]->tag(), "");
    EXPECT_EQ(window.form.CommandLine, "");
    window.press("reroll");
    EXPECT_EQ(window.status(), "Not Defined");
    window.press("d6"); // a roll replaces and hides the message
    EXPECT_EQ(window.status(), "");
}

TEST(DiceKeys, rerollAfterCompletedXdnActsAsFirstPress)
{
    Window window(true, { 1, 2 });
    window.pressAll("2 xDn 6 xDn reroll");
    EXPECT_EQ(window.form.btnDice[DiceKey::XDn]->tag(), "6.");
    EXPECT_EQ(window.display(), "6.");
    EXPECT_EQ(window.form.Mem.caption(), "X");
    EXPECT_EQ(window.form.DiceBox.text(), "");
}

TEST(DiceKeys, xdnIndicatorFollowsPendingCountAndMemory)
{
    Window window(true, { 3 });
    window.pressAll("5 M+ AC 2 . 5 xDn");
    EXPECT_EQ(window.form.btnDice[DiceKey::XDn]->tag(), "2.5");
    EXPECT_EQ(window.display(), "2.");
    EXPECT_EQ(window.form.Mem.caption(), "MX");
    window.press("MR"); // a memory key rewrites the indicator; the pending count stays
    EXPECT_EQ(window.form.Mem.caption(), "M");
    window.pressAll("4 xDn");
    EXPECT_EQ(window.form.DiceArray, (std::vector<std::int16_t> { 2, 3, 3 }));
    EXPECT_EQ(window.form.Mem.caption(), "M");
    window.pressAll("7 xDn AC");
    EXPECT_EQ(window.form.btnDice[DiceKey::XDn]->tag(), "");
}

TEST(DiceKeys, diceCountAboveListLimitIsClamped)
{
    for (const char* keys : { "9 9 9 9 9 d4", "9 9 9 9 9 9 9 9 9 9 9 9 9 d4", "9 9 9 9 9 dAvg" }) {
        Window window(true, { 1 });
        window.pressAll(keys);
        ASSERT_EQ(window.form.DiceArray.size(), 32768u) << keys;
        EXPECT_EQ(window.form.DiceArray[0], 32767) << keys;
        EXPECT_EQ(std::count(window.form.DiceBox.text().begin(), window.form.DiceBox.text().end(), '\n'), 32767);
        EXPECT_EQ(
            window.form.btnDice[DiceKey::Reroll]->tag().substr(window.form.btnDice[DiceKey::Reroll]->tag().find(',')),
            ", 32767")
            << keys;
    }
}

TEST(DiceKeys, xdnOutsideSixteenBitsIsClamped)
{
    Window window(true, { 2 });
    window.pressAll("9 9 9 9 9 9 xDn");
    EXPECT_EQ(window.display(), "32767.");
    window.pressAll("9 9 9 9 9 9 \u00B1 xDn");
    EXPECT_EQ(window.form.DiceArray[0], 32767);
}

TEST(DiceKeys, keptDiceSumDoesNotOverflow)
{
    Window window;
    window.form.DiceArray.assign(32768, 32767);
    window.pressAll("9 9 9 9 9 best");
    EXPECT_EQ(window.display(), "1073676289.");
}

TEST(DiceKeys, rollFollowsOperatorAsSecondOperand)
{
    Window window(true, { 3, 4 });
    window.pressAll("2 + d6 =");
    EXPECT_EQ(window.display(), "9.");
    EXPECT_EQ(window.form.CommandLine, "2+x=");
}

TEST(DiceTape, groupsPrintHeaderAndOneDiceLine)
{
    const std::string zone(14, ' ');
    const std::string gap(10, ' ');
    const struct {
        std::vector<int> faces;
        const char* keys;
        std::vector<std::string> lines;
    } rows[] = {
        { { 4, 2 }, "2 d6", { zone + " 2D 6", gap + " 4" + gap + " 2" } },
        { { 1, 2, 3 }, "1 3d6", { zone + " 3D 6", gap + " 1" + gap + " 2" + gap + " 3" } },
        { { -1, 0, 1, 0 }, "1 fudge", { zone + " 4D 1", gap + "-1" + gap + " 0" + gap + " 1" + gap + " 0" } },
        { { 5 }, "3 . 5 xDn 6 xDn", { zone + " 4D 6", gap + " 5" + gap + " 5" + gap + " 5" + gap + " 5" } },
        { {}, "0 xDn 6 xDn", { zone + " 0D 6", "" } },
        { { 1, 2 }, "2 dAvg best worst", {} },
    };
    for (const auto& row : rows) {
        Window window(true, row.faces);
        window.form.btnPrint.setTag("Pon");
        window.pressAll(row.keys);
        EXPECT_EQ(window.printer.lines, row.lines) << row.keys;
    }
}

} // namespace
} // namespace tavrol::testing
