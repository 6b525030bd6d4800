// What a screen reader speaks for each control of both windows, and the order in which keyboard
// focus reaches the main window's keys.
#include "harness.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <map>
#include <string>
#include <vector>

namespace tavrol::testing {
namespace {

// Controls whose text is what they say: a fixed name would be spoken instead of it. A
// programmable key shows the caption the user chose; a label shows a number or a message.
bool speaksItsText(const Control& control)
{
    const bool programmable = control.name() == "btnCustom" && control.index() >= 0 && control.index() < 6;
    return programmable || control.kind() == ControlKind::Label;
}

struct WindowUnderTest {
    const char* title;
    const Form& form;
};

TEST(AccessibleNames, accessibleNameOfEveryKeyAndBoxInBothWindowsIsItsOwn)
{
    Window main;
    frmCustom& custom = main.form.loadCustomWindow();
    for (const WindowUnderTest& window :
        { WindowUnderTest { "main", main.form }, WindowUnderTest { "programming", custom } }) {
        SCOPED_TRACE(window.title);
        std::map<std::string, std::string> owners; // spoken name -> the control that has it
        int named = 0;
        for (const auto& control : window.form.controls()) {
            SCOPED_TRACE(control->key());
            const std::string& spoken = control->accessibleName();
            if (control->kind() == ControlKind::Timer || speaksItsText(*control)) {
                EXPECT_EQ(spoken, "");
                continue;
            }
            ASSERT_FALSE(spoken.empty());
            // Letters, digits and blanks only: a symbol is read differently by every screen reader.
            EXPECT_TRUE(std::all_of(spoken.begin(), spoken.end(), [](char c) {
                return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == ' ';
            })) << spoken;
            const auto [at, fresh] = owners.emplace(spoken, control->key());
            EXPECT_TRUE(fresh) << "\"" << spoken << "\" is also the name of " << at->second;
            ++named;
        }
        EXPECT_GT(named, 10);
    }
}

// The keys whose captions are symbols or abbreviations, found by what they show: a name that
// slipped to the neighbouring row of its table would speak the wrong key.
TEST(AccessibleNames, accessibleNamesOfSymbolKeysSayWhatTheKeysDo)
{
    const struct {
        const char* caption;
        const char* spoken;
    } table[] = {
        { "AC", "All Clear" },
        { "CE", "Clear Entry" },
        { ".", "Decimal point" },
        { "\u00B1", "Change sign" },
        { "%", "Percent" },
        { "\u00D7", "Multiply" },
        { "\u00F7", "Divide" },
        { "+", "Plus" },
        { "-", "Minus" },
        { "=", "Equals" },
        { "MC", "Memory clear" },
        { "MR", "Memory recall" },
        { "M-", "Memory subtract" },
        { "M+", "Memory add" },
        { "d%", "d100" },
        { "3d6", "Three d6" },
        { "fudge", "Fudge dice" },
        { "dAvg", "Average dice" },
        { "xDn", "Several dice of a chosen size" },
        { "best", "Keep best" },
        { "worst", "Keep worst" },
        { "reroll", "Reroll" },
        { "7", "7" },
        { "0", "0" },
    };
    Window window;
    for (const auto& row : table) {
        SCOPED_TRACE(row.caption);
        const auto shown
            = std::find_if(window.form.controls().begin(), window.form.controls().end(), [&](const auto& control) {
                  const auto* key = dynamic_cast<const Clickable*>(control.get());
                  return key && key->caption() == row.caption;
              });
        ASSERT_NE(shown, window.form.controls().end());
        EXPECT_EQ((*shown)->accessibleName(), row.spoken);
    }
}

std::vector<std::string> byTabOrder(const Form& form)
{
    std::vector<const Control*> stops;
    for (const auto& control : form.controls())
        if (control->tabOrder() >= 0)
            stops.push_back(control.get());
    std::sort(
        stops.begin(), stops.end(), [](const Control* a, const Control* b) { return a->tabOrder() < b->tabOrder(); });
    std::vector<std::string> keys;
    for (const Control* stop : stops)
        keys.push_back(stop->key());
    return keys;
}

TEST(TabOrder, accessByTabReadsTheMainWindowRowByRowLeftToRight)
{
    const std::vector<std::string> expected = {
        // AC 7 8 9 ± % MC
        "btnClear(0)",
        "btnDigit(7)",
        "btnDigit(8)",
        "btnDigit(9)",
        "btnOperator(0)",
        "btnOperator(1)",
        "btnMemory(0)",
        // CE 4 5 6 × ÷ MR
        "btnClear(1)",
        "btnDigit(4)",
        "btnDigit(5)",
        "btnDigit(6)",
        "btnOperator(2)",
        "btnOperator(3)",
        "btnMemory(1)",
        // tape toggle 1 2 3 + - M-
        "btnPrint",
        "btnDigit(1)",
        "btnDigit(2)",
        "btnDigit(3)",
        "btnOperator(4)",
        "btnOperator(5)",
        "btnMemory(2)",
        // 0 . = M+
        "btnDigit(0)",
        "btnDigit(10)",
        "btnOperator(6)",
        "btnMemory(3)",
        // the dice list, then the dice and programmable keys a row at a time
        "DiceBox",
        "btnDice(0)",
        "btnDice(7)",
        "btnCustom(0)", //
        "btnDice(1)",
        "btnDice(8)",
        "btnCustom(1)", //
        "btnDice(2)",
        "btnDice(9)",
        "btnCustom(2)", //
        "btnDice(3)",
        "btnDice(10)",
        "btnCustom(3)", //
        "btnDice(4)",
        "btnDice(11)",
        "btnCustom(4)", //
        "btnDice(5)",
        "btnDice(12)",
        "btnCustom(5)", //
        "btnDice(6)",
        "btnDice(13)",
        "btnCustom(6)",
    };
    Window window;
    EXPECT_EQ(byTabOrder(window.form), expected);

    // Every place is taken once: two stops sharing a number would leave their order to chance.
    std::vector<int> orders;
    for (const auto& control : window.form.controls())
        if (control->tabOrder() >= 0)
            orders.push_back(control->tabOrder());
    std::sort(orders.begin(), orders.end());
    EXPECT_EQ(std::adjacent_find(orders.begin(), orders.end()), orders.end());
}

} // namespace
} // namespace tavrol::testing
