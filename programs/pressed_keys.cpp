#include "programs/pressed_keys.h"

#include "shell/frmTavrol.h"

namespace tavrol {

void pressAgain(frmTavrol& window, const PressedKeys& keys)
{
    if (keys.key.array == KeyArray::Dice) {
        window.btnDice_Click(static_cast<DiceKey>(keys.key.index));
        return;
    }
    // As a programmed key plays its keys.
    window.CommandLine = keys.command;
    window.keyplay(window.CommandLine);
}

} // namespace tavrol
