// Start-up, the pause timer, the clear and memory keys' effects on state, recording and the
// operator keys' tape lines.
#include "harness.h"

#include <gtest/gtest.h>
#include <limits>
#include <string>
#include <vector>

namespace tavrol::testing {
namespace {

TEST(StartUp, showsBannerCreditAndArmsTimer)
{
    Window window(false);
    frmTavrol& f = window.form;
    EXPECT_EQ(f.Display.caption(), "Tavrol 32");
    EXPECT_EQ(f.caption(), texts::kCreditLine);
    EXPECT_TRUE(f.pauser.enabled());
    EXPECT_EQ(f.pauser.interval(), 5000);
    EXPECT_EQ(f.MemoryText, "0");
    EXPECT_FALSE(f.statuswatch.visible());
    EXPECT_EQ(f.Mem.caption(), "");
    EXPECT_FALSE(f.btnMemory[MemoryKey::Clear]->enabled());
    EXPECT_FALSE(f.btnMemory[MemoryKey::Recall]->enabled());
    EXPECT_TRUE(f.btnCustom[CustomKey::Program]->enabled());
    EXPECT_EQ(f.btnPrint.tag(), "Poff");
    EXPECT_EQ(f.btnPrint.picture(), "");
}

TEST(StartUp, timerTickClearsOnceAndRestoresCaption)
{
    Window window(false);
    frmTavrol& f = window.form;
    window.pressAll("4 2");
    f.pauser.tick();
    EXPECT_EQ(f.Display.caption(), "0.");
    EXPECT_EQ(f.caption(), texts::kDesignCaption);
    EXPECT_EQ(f.CommandLine, "");
    EXPECT_FALSE(f.pauser.enabled());
    window.press("7");
    f.pauser.tick(); // disabled now: no second clear
    EXPECT_EQ(f.Display.caption(), "7.");
}

TEST(StartUp, allClearDuringBannerStopsTimer)
{
    Window window(false);
    window.press("AC");
    EXPECT_FALSE(window.form.pauser.enabled());
    EXPECT_EQ(window.form.caption(), texts::kDesignCaption);
}

// Keys work during the banner, and a calculation made then is right from the first key.
TEST(StartUp, calculationDuringBannerIsRight)
{
    const struct {
        const char* keys;
        const char* shown;
    } rows[] = { { "2 + 3 =", "5." }, { "2 \u00D7 3 + 1 =", "7." }, { "6 \u00F7 4 =", "1.5" } };
    for (const auto& row : rows) {
        Window window(false);
        window.pressAll(row.keys);
        EXPECT_EQ(window.display(), row.shown) << row.keys;
    }
}

TEST(StartUp, bannerReadsAsZeroForEveryKeyThatTakesANumber)
{
    const struct {
        const char* key;
        const char* shown;
    } rows[] = { { "+", "0." }, { "=", "0." }, { "%", "0." }, { "\u00B1", "0." }, { "\u00D7", "0." },
        { "M+", "Tavrol 32" } };
    for (const auto& row : rows) {
        Window window(false);
        window.press(row.key);
        EXPECT_EQ(window.display(), row.shown) << row.key;
        EXPECT_EQ(window.form.MemoryText, "0") << row.key;
    }
}

TEST(Overflow, showsErrorAndTimerClearsLater)
{
    Window window;
    frmTavrol& f = window.form;
    window.pressAll("1 \u00F7 3 =");
    EXPECT_EQ(window.status(), "==== Error ====");
    EXPECT_EQ(f.Display.caption(), "0.");
    EXPECT_TRUE(f.pauser.enabled());
    window.press("5"); // digits do not hide the message
    EXPECT_EQ(window.status(), "==== Error ====");
    f.pauser.tick();
    EXPECT_EQ(window.status(), "");
    EXPECT_EQ(f.Display.caption(), "0.");
    EXPECT_FALSE(f.pauser.enabled());
}

TEST(Overflow, clearEntryHidesMessageButTimerStillClears)
{
    Window window;
    window.pressAll("1 \u00F7 3 = CE 4");
    EXPECT_EQ(window.status(), "");
    EXPECT_TRUE(window.form.pauser.enabled());
    window.form.pauser.tick();
    EXPECT_EQ(window.display(), "0.");
}

TEST(Overflow, resultThatIsNotFiniteOverflows)
{
    const struct {
        double run;
        const char* pending;
        const char* keys;
    } rows[] = { { 1e308, "\u00D7", "1 0 =" }, { 1e308, "\u00D7", "1 0 +" }, { 1e308, "\u00D7", "1 0 \u00D7" },
        { std::numeric_limits<double>::infinity(), "\u00D7", "0 =" } };
    for (const auto& row : rows) {
        Window window;
        window.form.RunValue = row.run;
        window.form.PendingOp = row.pending;
        window.pressAll(row.keys);
        EXPECT_EQ(window.status(), "==== Error ====") << row.keys;
        EXPECT_EQ(window.display(), "0.") << row.keys;
    }
}

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

TEST(Recording, recordsDigitAndOperatorCaptionsOnly)
{
    const struct {
        const char* keys;
        const char* recorded;
    } rows[] = { { "1 2 + 3 =", "12+3=" }, { "5 M+ 2", "52" }, { "2 . 5 .", "2.5." },
        { "5 \u00B1 % \u00D7 \u00F7 - =", "5\u00B1%\u00D7\u00F7-=" }, { "1 2 CE 3", "123" }, { "1 2 AC 3", "3" },
        { "= =", "==" } };
    for (const auto& row : rows) {
        Window window;
        window.pressAll(row.keys);
        EXPECT_EQ(window.form.CommandLine, row.recorded) << row.keys;
    }
}

TEST(Tape, operatorKeysPrintWhileTapeIsOn)
{
    const struct {
        const char* keys;
        std::vector<std::string> lines;
    } rows[] = {
        { "2 + 3 =", { " 2   +", " 3   =", " 5   <*>" } },
        { "1 2 + 3 =", { " 12   +", " 3   =", " 15   <*>" } },
        { "3 \u00B1 +", { "-3   +" } },
        { "1 2 . 5 \u00D7 4 \u00F7 2 =", { " 12.5   \u00D7", " 4   \u00F7", " 2   =", " 25   <*>" } },
        { "5 0 % \u00B1 1 2 CE M+", {} },
        { "AC", { "-----All Cleared-----" } },
    };
    for (const auto& row : rows) {
        Window window;
        window.form.btnPrint.setTag("Pon");
        window.pressAll(row.keys);
        EXPECT_EQ(window.printer.lines, row.lines) << row.keys;
    }
}

TEST(Tape, nothingPrintsWhileTapeIsOff)
{
    Window window;
    window.pressAll("2 + 3 = AC");
    EXPECT_TRUE(window.printer.lines.empty());
}

TEST(About, doubleClickShowsAboutBox)
{
    Window window;
    window.form.doubleClick();
    ASSERT_EQ(window.messages.shown.size(), 1u);
    EXPECT_EQ(window.messages.shown[0].title, "about Tavrol32...");
    const std::string& text = window.messages.shown[0].text;
    EXPECT_TRUE(text.starts_with("Tavrol 32bit Beta 1\r"));
    EXPECT_EQ(std::count(text.begin(), text.end(), '\r'), 3);
    EXPECT_EQ(text.find('\n'), std::string::npos);
}

} // namespace
} // namespace tavrol::testing

namespace tavrol::testing {
namespace {

// The display never shows an exponent: exponent text is shown plain, or overflows when its plain
// form does not fit, even when the exponent text itself would fit in 14 characters.
TEST(Overflow, exponentTextIsShownPlainOrOverflows)
{
    const struct {
        const char* text;
        const char* shown;
        const char* status;
    } rows[] = { { "1E-05", "0.00001", "" }, { "1.5E-05", "0.000015", "" }, { "1.234568E+08", "123456800.", "" },
        { "1.23456789E+39", "0.", "==== Error ====" }, { "1.23456789E-05", "0.", "==== Error ====" },
        { "1E+15", "0.", "==== Error ====" }, { "-1E-05", "-0.00001", "" },
        // Every digit of the number text counts: 1 ÷ 99998 and 1 ÷ 99999 do not fit.
        { "1.00002000040001E-05", "0.", "==== Error ====" }, { "1.0000100001E-05", "0.", "==== Error ====" },
        { "1.23456789E-03", "0.00123456789", "" } };
    for (const auto& row : rows) {
        Window window;
        window.form.Display.setCaption(row.text);
        EXPECT_EQ(window.display(), row.shown) << row.text;
        EXPECT_EQ(window.status(), row.status) << row.text;
    }
}

TEST(Overflow, productWithFourteenCharacterExponentTextOverflows)
{
    Window window;
    window.pressAll("1 2 3 4 5 6 7 8 9 \u00D7 1 0 0 0 0 0 0 0 0 0 0 0 0 \u00D7 1 0 0 0 0 0 0 0 0 0 0 0 0 \u00D7 "
                    "1 0 0 0 0 0 0 0 = M+");
    EXPECT_EQ(window.status(), "==== Error ====");
    EXPECT_EQ(window.display(), "0.");
    EXPECT_EQ(window.form.MemoryText, "0");
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
