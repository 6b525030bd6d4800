// Overflow: the error message, the pause timer that clears it, results and exponent text the
// display cannot show.
#include "harness.h"

#include <gtest/gtest.h>
#include <limits>

namespace tavrol::testing {
namespace {

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

} // namespace
} // namespace tavrol::testing
