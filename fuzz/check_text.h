// Text the fuzz session's checks read and write, written here again rather than taken from the
// program, so that the checks do not share the program's mistakes.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace tavrol::fuzz {

inline constexpr int kMostDice = 32767;
inline constexpr std::size_t kDisplayWidth = 14;

// Length of the well-formed UTF-8 sequence at text[i], 0 when none starts there.
std::size_t sequenceAt(std::string_view text, std::size_t i);

bool isDigit(char c);

// The display's own form for text shorter than the display: an optional minus, a whole part
// without leading zeros, the point, and a fraction without trailing zeros; never "-0.".
bool inDisplayForm(std::string_view text);

// A die line: " 5" or "-5" as a roll writes it, "5" as the best and worst keys list it.
struct Die {
    long long value = 0;
    bool blank = false;
};
std::optional<Die> readDie(std::string_view line);

// How many dice (or groups) a dice key rolls for what the display showed: its magnitude in single
// precision (so 99.99999991 is 100), its whole part, at most 32767, and one when that reads zero.
long long diceForDisplay(double shown);

// Text as a failure message can print it: control and other bytes as \xNN, cut after `most`.
std::string printable(std::string_view text, std::size_t most = 80);

std::string settingsKey(int key);

} // namespace tavrol::fuzz
