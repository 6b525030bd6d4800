// What decides what a key press shows, taken from the main window before the press: the display,
// the calculation under way, the dice list, a pending xDn count and the reroll record. A press
// is played again from it, as often as needed, on a window of its own.
#pragma once

#include "programs/key_code.h"

#include <cstdint>
#include <string>
#include <vector>

namespace tavrol {

class frmTavrol;

struct WindowState {
    std::string display;
    bool decimalEntered = false;
    std::string lastKey;
    double heldSum = 0;
    std::string heldOp = "+";
    double runValue = 0;
    std::string pendingOp = "+";
    std::vector<std::int16_t> diceList; // DiceArray
    std::string pendingXDn; // the xDn key's Tag
    std::string reroll; // the reroll key's Tag
};

WindowState captureState(const frmTavrol& window);
void restoreState(frmTavrol& window, const WindowState& state);

// The keys of one logged press as they can be pressed again on any window: a dice key, or a
// programmed key with the recorded keys it plays.
struct PressedKeys {
    KeyPress key;
    std::string command; // a programmed key's recorded keys; "" for a dice key
};

// Presses them as the main window's handlers do for a click.
void pressAgain(frmTavrol& window, const PressedKeys& keys);

} // namespace tavrol
