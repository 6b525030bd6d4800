// The memory register: its keys, its indicator, and its single-precision text.
#include "harness.h"

#include <gtest/gtest.h>

namespace tavrol::testing {
namespace {

TEST(Memory, indicatorAndKeysFollowRegister)
{
    Window window;
    frmTavrol& f = window.form;
    window.pressAll("5 M+");
    EXPECT_EQ(f.MemoryText, "5");
    EXPECT_EQ(f.Mem.caption(), "M");
    EXPECT_TRUE(f.btnMemory[MemoryKey::Clear]->enabled());
    EXPECT_TRUE(f.btnMemory[MemoryKey::Recall]->enabled());
    window.press("M-");
    EXPECT_EQ(f.MemoryText, "0");
    EXPECT_EQ(f.Mem.caption(), "");
    EXPECT_FALSE(f.btnMemory[MemoryKey::Clear]->enabled());
    EXPECT_FALSE(f.btnMemory[MemoryKey::Recall]->enabled());
    window.pressAll("9 M+ MC");
    EXPECT_EQ(f.MemoryText, "0");
    EXPECT_FALSE(f.btnMemory[MemoryKey::Recall]->enabled());
}

TEST(Memory, keysLeaveEntryStateAndPendingWork)
{
    Window window;
    frmTavrol& f = window.form;
    window.pressAll("2 + 3 .");
    window.press("M+");
    EXPECT_EQ(f.LastKey, "nums");
    EXPECT_TRUE(f.DecimalEntered);
    EXPECT_EQ(f.PendingOp, "+");
    EXPECT_EQ(f.RunValue, 2);
    EXPECT_EQ(f.CommandLine, "2+3.");
}

TEST(Memory, singlePrecisionRegisterText)
{
    Window window;
    window.pressAll("1 2 3 4 5 6 7 8 9 M+");
    EXPECT_EQ(window.form.MemoryText, "1.234568E+08");
}

TEST(Memory, registerBeyondSinglePrecisionKeepsWhatItHad)
{
    Window window;
    window.form.MemoryText = "1E+39";
    window.pressAll("5 M+");
    EXPECT_EQ(window.status(), "==== Error ====");
    EXPECT_EQ(window.form.MemoryText, "1E+39");
}

} // namespace
} // namespace tavrol::testing
