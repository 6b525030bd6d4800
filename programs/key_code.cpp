#include "programs/key_code.h"

#include <array>
#include <utility>

namespace tavrol {
namespace {

// Operator codes in their key order; "±", "×" and "÷" are single characters.
constexpr std::array<std::string_view, 7> kOperators = { "\u00B1", "%", "\u00D7", "\u00F7", "+", "-", "=" };
// Dice letters in key order, d4 to worst; the reroll key records the letter of what it rolls.
constexpr std::string_view kDiceLetters = "fxetlnhiuvybw";

} // namespace

std::optional<KeyPress> keyForCode(std::string_view code)
{
    if (code.size() == 1 && code[0] >= '0' && code[0] <= '9')
        return KeyPress { KeyArray::Digit, code[0] - '0' };
    if (code == ".")
        return KeyPress { KeyArray::Digit, 10 };
    for (std::size_t i = 0; i < kOperators.size(); ++i)
        if (code == kOperators[i])
            return KeyPress { KeyArray::Operator, static_cast<int>(i) };
    if (code.size() == 1)
        if (const std::size_t at = kDiceLetters.find(code[0]); at != std::string_view::npos)
            return KeyPress { KeyArray::Dice, static_cast<int>(at) };
    return std::nullopt;
}

} // namespace tavrol
