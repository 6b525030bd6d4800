// The main window's state that its keys read, copied out of one window and into another: a
// programmed key's odds start from the main window as it stands, on a window of their own.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace tavrol {

class frmTavrol;

struct WindowState {
    std::string display; // as it stands: a number being typed, or the banner
    bool decimalEntered = false;
    std::string lastKey;
    std::string memory;
    double heldSum = 0;
    std::string heldOp;
    double runValue = 0;
    std::string pendingOp;
    std::vector<std::int16_t> diceList; // element 0 is the count
    std::string pendingXdn; // the xDn key's Tag: the count of a half-entered xDn roll
    std::string rerollRecord; // the reroll key's Tag
    std::string status;
    bool statusShown = false;

    bool operator==(const WindowState&) const = default;
};

WindowState captureState(const frmTavrol& form);

// Puts `state` into `form`. The display takes the text as it stands, without the normalisation a
// change of it runs, so that a number being typed goes on as it would in the window it came from.
void restoreState(frmTavrol& form, const WindowState& state);

// What tells two states apart for the keys a command can press: everything but the memory and
// the reroll record (playback presses neither a memory key nor reroll, and the xDn key reads the
// memory only for its indicator), and the dice list only `withList`. Equal keys, equal presses.
std::string stateKey(const WindowState& state, bool withList);

} // namespace tavrol
