#include "programs/window_state.h"

#include "shell/frmTavrol.h"

namespace tavrol {

WindowState captureState(const frmTavrol& window)
{
    return { window.Display.caption(), window.DecimalEntered, window.LastKey, window.HeldSum, window.HeldOp,
        window.RunValue, window.PendingOp, window.DiceArray, window.btnDice[DiceKey::XDn]->tag(),
        window.btnDice[DiceKey::Reroll]->tag() };
}

void restoreState(frmTavrol& window, const WindowState& state)
{
    window.Display.setCaption(state.display);
    window.DecimalEntered = state.decimalEntered;
    window.LastKey = state.lastKey;
    window.HeldSum = state.heldSum;
    window.HeldOp = state.heldOp;
    window.RunValue = state.runValue;
    window.PendingOp = state.pendingOp;
    window.DiceArray = state.diceList;
    window.btnDice[DiceKey::XDn]->setTag(state.pendingXDn);
    window.btnDice[DiceKey::Reroll]->setTag(state.reroll);
    window.statuswatch.setVisible(false);
}

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
