#include "programs/odds_state.h"

#include "shell/frmTavrol.h"

#include <cstring>

namespace tavrol {
namespace {

void appendField(std::string& key, const std::string& field)
{
    key += field;
    key += '\0';
}

// The bits of the number, so that no two different numbers (0 and -0 among them) look alike.
void appendNumber(std::string& key, double value)
{
    char bytes[sizeof value];
    std::memcpy(bytes, &value, sizeof value);
    key.append(bytes, sizeof bytes);
}

} // namespace

WindowState captureState(const frmTavrol& form)
{
    WindowState state;
    state.display = form.Display.caption();
    state.decimalEntered = form.DecimalEntered;
    state.lastKey = form.LastKey;
    state.memory = form.MemoryText;
    state.heldSum = form.HeldSum;
    state.heldOp = form.HeldOp;
    state.runValue = form.RunValue;
    state.pendingOp = form.PendingOp;
    state.diceList = form.DiceArray;
    state.pendingXdn = form.btnDice[DiceKey::XDn]->tag();
    state.rerollRecord = form.btnDice[DiceKey::Reroll]->tag();
    state.status = form.statuswatch.caption();
    state.statusShown = form.statuswatch.visible();
    return state;
}

void restoreState(frmTavrol& form, const WindowState& state)
{
    static_cast<CaptionedControl&>(form.Display).setCaption(state.display);
    form.DecimalEntered = state.decimalEntered;
    form.LastKey = state.lastKey;
    form.MemoryText = state.memory;
    form.HeldSum = state.heldSum;
    form.HeldOp = state.heldOp;
    form.RunValue = state.runValue;
    form.PendingOp = state.pendingOp;
    form.DiceArray = state.diceList;
    form.btnDice[DiceKey::XDn]->setTag(state.pendingXdn);
    form.btnDice[DiceKey::Reroll]->setTag(state.rerollRecord);
    form.statuswatch.setCaption(state.status);
    form.statuswatch.setVisible(state.statusShown);
}

std::string stateKey(const WindowState& state, bool withList)
{
    std::string key;
    appendField(key, state.display);
    appendField(key, state.lastKey);
    appendField(key, state.heldOp);
    appendField(key, state.pendingOp);
    appendField(key, state.pendingXdn);
    appendField(key, state.statusShown ? state.status : std::string());
    key += state.decimalEntered ? '1' : '0';
    appendNumber(key, state.heldSum);
    appendNumber(key, state.runValue);
    if (withList)
        key.append(reinterpret_cast<const char*>(state.diceList.data()), state.diceList.size() * sizeof(std::int16_t));
    return key;
}

} // namespace tavrol
