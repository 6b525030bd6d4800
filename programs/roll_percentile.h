// Where a roll stands among the rolls of the same keys: the share of them that come out at or
// below it. The log asks this of every entry that rolled dice, beside the event loop.
#pragma once

#include "programs/pressed_keys.h"

#include <optional>

namespace tavrol {

struct Percentile {
    double percent = 0; // 0 to 100
    bool exact = false; // false: an estimate from many presses
};

// The share, in per cent, of presses of `keys` on a window in the state `before` whose display
// shows at most `shown`. Nothing when the press draws no dice (it always shows the same), or
// when no press shows a number.
std::optional<Percentile> percentileOf(const WindowState& before, const PressedKeys& keys, double shown);

} // namespace tavrol
