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

} // namespace
} // namespace tavrol
