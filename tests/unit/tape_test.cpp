// The tape toggle, the lines the operator keys print, and what a whole session prints.
#include "harness.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace tavrol::testing {
namespace {

using Lines = std::vector<std::string>;

TEST(TapeToggle, switchesStateFontAndPicture)
{
    Window window;
    frmTavrol& f = window.form;
    f.btnPrint.click();
    EXPECT_EQ(f.btnPrint.tag(), "Pon");
    EXPECT_EQ(f.btnPrint.picture(), "printon.bmp");
    EXPECT_EQ(window.printer.fontName, "Courier New");
    EXPECT_EQ(window.printer.fontSize, 10);
    EXPECT_TRUE(window.printer.lines.empty()); // switching on prints nothing
    f.btnPrint.click();
    EXPECT_EQ(f.btnPrint.tag(), "Poff");
    EXPECT_EQ(f.btnPrint.picture(), "printoff.bmp");
    EXPECT_EQ(window.printer.lines, (Lines { "<new page>", "<end document>" }));
}

TEST(TapeToggle, anythingButOffCountsAsOn)
{
    Window window;
    window.form.btnPrint.setTag("odd");
    window.form.btnPrint.click();
    EXPECT_EQ(window.form.btnPrint.tag(), "Poff");
    EXPECT_EQ(window.printer.lines, (Lines { "<new page>", "<end document>" }));
}

TEST(TapeSession, printsEveryStepInOrder)
{
    Window window(false, { 4, 2 });
    frmTavrol& f = window.form;
    f.btnPrint.click(); // during the banner, so the start-up clear prints too
    f.pauser.tick();
    window.pressAll("1 2 + 2 d6 = AC");
    f.btnPrint.click();
    const std::string zone(14, ' ');
    const std::string gap(10, ' ');
    EXPECT_EQ(window.printer.lines,
        (Lines { "-----All Cleared-----", " 12   +", zone + " 2D 6", gap + " 4" + gap + " 2", " 6   =", " 18   <*>",
            "-----All Cleared-----", "<new page>", "<end document>" }));
}

TEST(TapeSession, runningTapeIsSentWhenProgramEnds)
{
    Window window;
    window.form.Form_Unload();
    EXPECT_TRUE(window.printer.lines.empty());
    window.form.btnPrint.click();
    window.pressAll("5 +");
    window.form.Form_Unload();
    EXPECT_EQ(window.printer.lines, (Lines { " 5   +", "<new page>", "<end document>" }));
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

} // namespace
} // namespace tavrol::testing
