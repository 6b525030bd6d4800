// The key code: every code a key records plays that key back; anything else is skipped.
#include "programs/key_code.h"

#include <gtest/gtest.h>

namespace tavrol {
namespace {

TEST(KeyCode, everyRecordedCodeReplaysItsKey)
{
    const struct {
        const char* code;
        KeyArray array;
        int index;
    } rows[] = { { "0", KeyArray::Digit, 0 }, { "9", KeyArray::Digit, 9 }, { ".", KeyArray::Digit, 10 },
        { "\u00B1", KeyArray::Operator, 0 }, { "%", KeyArray::Operator, 1 }, { "\u00D7", KeyArray::Operator, 2 },
        { "\u00F7", KeyArray::Operator, 3 }, { "+", KeyArray::Operator, 4 }, { "-", KeyArray::Operator, 5 },
        { "=", KeyArray::Operator, 6 }, { "f", KeyArray::Dice, 0 }, { "x", KeyArray::Dice, 1 },
        { "e", KeyArray::Dice, 2 }, { "t", KeyArray::Dice, 3 }, { "l", KeyArray::Dice, 4 }, { "n", KeyArray::Dice, 5 },
        { "h", KeyArray::Dice, 6 }, { "i", KeyArray::Dice, 7 }, { "u", KeyArray::Dice, 8 }, { "v", KeyArray::Dice, 9 },
        { "y", KeyArray::Dice, 10 }, { "b", KeyArray::Dice, 11 }, { "w", KeyArray::Dice, 12 } };
    for (const auto& row : rows)
        EXPECT_EQ(keyForCode(row.code), (KeyPress { row.array, row.index })) << row.code;
    for (const char* skipped : { "F", "X", "M", "r", " ", ",", "*", "/", "a", "\u00D8", "" })
        EXPECT_FALSE(keyForCode(skipped).has_value()) << skipped;
}

// A tooltip is the key's line, then every way the keyboard reaches it.
TEST(KeyCode, tooltipsNameTheShortcut)
{
    const struct {
        KeySpec key;
        const char* tooltip;
    } rows[] = {
        { keySpec(DiceKey::D6), "Rolls as many six-sided dice as the display shows. Keyboard: d6" },
        { keySpec(DiceKey::D100), "Rolls as many hundred-sided dice as the display shows. Keyboard: d% or d100" },
        { { "k", "k", "", 0, 0, 0, "a  F9 Enter", "Does it." }, "Does it. Keyboard: a, F9 or Enter" },
        { { "k", "k", "", 0, 0, 0, "a", "" }, "Keyboard: a" },
        { kCustomKeys[0], "" },
    };
    for (const auto& row : rows)
        EXPECT_EQ(keyTooltip(row.key), row.tooltip) << row.key.caption;
}

// Every key but the programmable ones says what it does and how the keyboard reaches it.
TEST(KeyCode, everyFixedKeyHasAShortcutAndALine)
{
    for (const KeyArray array : kKeyArrays) {
        if (array == KeyArray::Custom)
            continue;
        for (const KeySpec& key : keyTable(array)) {
            EXPECT_FALSE(key.shortcut.empty()) << key.caption;
            EXPECT_FALSE(key.tooltip.empty()) << key.caption;
        }
    }
}

} // namespace
} // namespace tavrol
