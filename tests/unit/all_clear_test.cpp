// All Clear: what it resets and what it keeps.
#include "harness.h"

#include <gtest/gtest.h>

namespace tavrol::testing {
namespace {

TEST(AllClear, resetsCalculatorKeepsMemory)
{
    Window window;
    frmTavrol& f = window.form;
    window.pressAll("5 M+ 2 + 3 \u00D7 . 4");
    f.DiceBox.setText(" 3\r\n");
    f.btnDice[DiceKey::XDn]->setTag("4.");
    window.press("AC");
    EXPECT_EQ(f.Display.caption(), "0.");
    EXPECT_FALSE(f.DecimalEntered);
    EXPECT_EQ(f.LastKey, "none");
    EXPECT_EQ(f.CommandLine, "");
    EXPECT_EQ(f.DiceBox.text(), "");
    EXPECT_EQ(f.HeldSum, 0);
    EXPECT_EQ(f.HeldOp, "+");
    EXPECT_EQ(f.RunValue, 0);
    EXPECT_EQ(f.PendingOp, "+");
    EXPECT_EQ(f.btnDice[DiceKey::XDn]->tag(), "");
    EXPECT_EQ(f.MemoryText, "5");
    EXPECT_EQ(f.Mem.caption(), "M");
    EXPECT_TRUE(f.btnMemory[MemoryKey::Recall]->enabled());
}

TEST(AllClear, disablesRerollOnlyWithoutRecord)
{
    Window window;
    EXPECT_FALSE(window.form.btnDice[DiceKey::Reroll]->enabled());
    window.form.btnDice[DiceKey::Reroll]->setEnabled(true);
    window.form.btnDice[DiceKey::Reroll]->setTag(" 1, 3");
    window.press("AC");
    EXPECT_TRUE(window.form.btnDice[DiceKey::Reroll]->enabled());
    EXPECT_EQ(window.form.btnDice[DiceKey::Reroll]->tag(), " 1, 3");
}

} // namespace
} // namespace tavrol::testing
