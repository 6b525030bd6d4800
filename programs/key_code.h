// The one-character key code that the command line records and playback replays.
#pragma once

#include <optional>
#include <string_view>

namespace tavrol {

enum class KeyArray { Digit, Operator, Dice };

struct KeyPress {
    KeyArray array;
    int index;
    bool operator==(const KeyPress&) const = default;
};

// The key a code stands for, compared exactly; nothing for a character outside the code, which
// playback skips. Digits and operators are their own captions; dice keys are lower-case letters.
std::optional<KeyPress> keyForCode(std::string_view code);

} // namespace tavrol
