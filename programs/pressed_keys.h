// A logged press as it can be pressed again: from the main window's state before it (WindowState,
// which the programmed keys' odds take the same way), on a window of its own.
#pragma once

#include "programs/key_code.h"
#include "programs/odds_state.h"

#include <string>

namespace tavrol {

class frmTavrol;

// The keys of one logged press as they can be pressed again on any window: a dice key, or a
// programmed key with the recorded keys it plays.
struct PressedKeys {
    KeyPress key;
    std::string command; // a programmed key's recorded keys; "" for a dice key
};

// Presses them as the main window's handlers do for a click.
void pressAgain(frmTavrol& window, const PressedKeys& keys);

} // namespace tavrol
