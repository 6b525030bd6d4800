#include "programs/press_recorder.h"

#include "calculator/number_text.h"
#include "dice/dice_math.h"
#include "platform/utf8.h"
#include "programs/keyboard.h"
#include "programs/odds_text.h"

#include <algorithm>
#include <cstdlib>

namespace tavrol {
namespace {

// The log keeps the dice keys, "=" and the programmed keys; the Program key only opens a window.
bool makesEntry(const frmTavrol& window, KeyPress key)
{
    switch (key.array) {
    case KeyArray::Dice:
        return true;
    case KeyArray::Operator:
        return key.index == indexOf(OperatorKey::Equals);
    case KeyArray::Custom: {
        const CommandButton* button = window.key(key);
        return button && !isProgramKey(button->caption());
    }
    case KeyArray::Clear:
    case KeyArray::Digit:
    case KeyArray::Memory:
        break;
    }
    return false;
}

// The keys that type a whole number: its digits, then the sign key when it is negative.
std::string numberKeys(long long value)
{
    std::string keys = std::to_string(std::llabs(value));
    if (value < 0)
        keys += keySpec(OperatorKey::Sign).code;
    return keys;
}

// The dice the list shows, separated by blanks.
std::string listedDice(const frmTavrol& window)
{
    std::string dice = diceToCopy(window.DiceBox.text());
    std::replace(dice.begin(), dice.end(), '\n', ' ');
    return dice;
}

bool keepsDice(KeyPress key)
{
    return key == KeyPress::of(DiceKey::Best) || key == KeyPress::of(DiceKey::Worst);
}

// Where the calculation that ends at the end of `line` began: after the "=" before.
std::size_t calculationStart(std::string_view line)
{
    const std::size_t equals = line.rfind(keySpec(OperatorKey::Equals).code);
    return equals == std::string_view::npos ? 0 : equals + 1;
}

bool isArithmetic(KeyPress key)
{
    return key.array == KeyArray::Operator && key != KeyPress::of(OperatorKey::Sign)
        && key != KeyPress::of(OperatorKey::Percent);
}

} // namespace

// The first "+", "-", "×", "÷" or "=" of a calculation takes the number on the display: a typed
// one began where its digits did.
void PressRecorder::noteFirstOperand(const frmTavrol& window)
{
    const std::string_view line = window.CommandLine;
    const std::size_t start = calculationStart(line);
    for (const std::string& code : utf8::codePoints(line.substr(start)))
        if (const auto earlier = keyForCode(code); earlier && isArithmetic(*earlier))
            return;
    firstOperand_ = start;
    if (window.LastKey != "nums")
        return; // a roll's total, or the result of a sign change: the calculation holds its keys
    const std::size_t before = line.find_last_not_of("0123456789.");
    if (before != std::string_view::npos && before >= start)
        firstOperand_ = before + 1;
}

void PressRecorder::pressStarts(const frmTavrol& window, KeyPress key)
{
    if (isArithmetic(key)) // also inside a programmed key, whose keys a calculation may go on from
        noteFirstOperand(window);
    if (depth_++ > 0)
        return;
    logged_ = makesEntry(window, key);
    if (!logged_)
        return;
    pressed_ = key;
    entry_ = LogEntry {};
    stampNow(entry_);
    if (key.array != KeyArray::Operator)
        before_ = captureState(window);
    if (key.array == KeyArray::Custom) {
        const CommandButton& button = *window.key(key);
        entry_.programmedKey = button.caption();
        entry_.recorded = button.tag();
    }
}

void PressRecorder::pressEnds(const frmTavrol& window, KeyPress key)
{
    // A programmed key's entry lists the dice it rolled; the dice a best or worst inside it kept
    // are among them already.
    if (logged_ && key.array == KeyArray::Dice && (depth_ == 1 || !keepsDice(key))) {
        const std::string dice = listedDice(window);
        if (!dice.empty())
            entry_.dice += (entry_.dice.empty() ? "" : " ") + dice;
    }
    if (--depth_ > 0 || !logged_)
        return;
    logged_ = false;
    finish(window);
}

// A dice key as it was pressed: the count the display gave it and the key, read from the reroll
// record the press left, which names the key a reroll repeated.
void PressRecorder::describeDicePress(const frmTavrol& window)
{
    const std::string record = window.btnDice[DiceKey::Reroll]->tag();
    const std::size_t comma = record.find(',');
    const auto index = readNumber(record.substr(0, comma));
    const auto count = comma == std::string::npos ? std::nullopt : readNumber(record.substr(comma + 1));
    const bool reroll = pressed_ == KeyPress::of(DiceKey::Reroll);
    if (!index || !count || *index < 0 || *index >= indexOf(DiceKey::Reroll)) {
        entry_.keys = keySpec(DiceKey::Reroll).caption; // nothing to repeat
        return;
    }
    const auto key = static_cast<DiceKey>(static_cast<int>(*index));
    std::string command;
    if (key == DiceKey::XDn) {
        const double shown = reroll ? *count : readNumber(before_.display).value_or(0);
        if (!before_.pendingXdn.empty()) // the second press: the count, then the sides
            command = numberKeys(std::abs(round16(readNumber(before_.pendingXdn).value_or(0))))
                + std::string(keySpec(key).code);
        command += numberKeys(round16(shown));
    } else {
        command = numberKeys(wholeDice(*count));
    }
    command += keySpec(key).code;
    entry_.recorded = command;
    entry_.keys = readableCommand(command) + (reroll ? " (reroll)" : "");
}

void PressRecorder::finish(const frmTavrol& window)
{
    switch (pressed_.array) {
    case KeyArray::Dice:
        describeDicePress(window);
        break;
    case KeyArray::Custom: {
        const std::string keys = readableCommand(entry_.recorded);
        entry_.keys = entry_.programmedKey + " (" + (keys.empty() ? "no keys" : keys) + ")";
        break;
    }
    default: { // "="
        const std::string_view line = window.CommandLine;
        const std::size_t start = calculationStart(line.substr(0, line.size() - 1));
        entry_.recorded = line.substr(firstOperand_ >= start && firstOperand_ < line.size() ? firstOperand_ : start);
        // The tooltips leave the closing "=" out; here it is the key the entry is for.
        entry_.keys = readableCommand(entry_.recorded) + " =";
        break;
    }
    }
    const bool status = window.statuswatch.visible();
    entry_.result = numberToCopy(window.Display.caption(), false);
    entry_.message = status ? window.statuswatch.caption() : "";
    std::optional<RollQuestion> roll;
    if (!entry_.dice.empty() && pressed_.array != KeyArray::Operator
        && !(status && entry_.message == texts::kOverflowStatus)) {
        const std::string command = pressed_.array == KeyArray::Custom ? entry_.recorded : "";
        roll = RollQuestion { std::move(before_), PressedKeys { pressed_, command }, window.displayValue() };
    }
    sink_(std::move(entry_), std::move(roll));
}

} // namespace tavrol
