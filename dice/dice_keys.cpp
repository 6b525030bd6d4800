// The fourteen dice keys: the frame every key runs through, and one branch for each kind of key.
#include "calculator/number_text.h"
#include "dice/dice_math.h"
#include "platform/utf8.h"
#include "shell/frmTavrol.h"

#include <cmath>

namespace tavrol {
namespace {

constexpr const char* kSeparator = "------\r\n";

} // namespace

void frmTavrol::btnDice_Click(DiceKey Index)
{
    const ToldPress told(*this, KeyPress::of(Index));
    LastKey = "dice";
    btnDice[DiceKey::Reroll]->setEnabled(true);

    double total = 0;
    if (Index == DiceKey::Reroll && !restoreReroll(Index))
        total = displayValue();

    // The count is a single-precision number: '4.9999999' is 5 dice, as its record says.
    double count = static_cast<float>(std::min<double>(std::abs(displayValue()), kMostDice));
    if (count == 0)
        count = 1;

    DiceBox.setText("");

    switch (Index) {
    case DiceKey::ThreeD6:
        total = rollGroups(count, 3, 1, 6);
        break;
    case DiceKey::Fudge:
        total = rollGroups(count, 4, -1, 1);
        break;
    case DiceKey::Average:
        total = rollAverageDice(count);
        break;
    case DiceKey::XDn:
        total = pressXDn();
        break;
    case DiceKey::Best:
    case DiceKey::Worst:
        DiceBoxSort(Index == DiceKey::Best ? 1 : 0);
        total = static_cast<double>(DiceArraytoDiceBox(count));
        break;
    case DiceKey::Reroll: // nothing to repeat
        break;
    default: // the plain dice, d4 to d%
        total = DiceBoxFill(count, 1, keySpec(Index).sides);
        break;
    }
    // xDn records itself on both presses; reroll records the key it repeats.
    if (Index != DiceKey::XDn && Index != DiceKey::Reroll)
        CommandLine += keySpec(Index).code;

    Display.setCaption(signText(total));
    if (Index != DiceKey::Reroll)
        btnDice[DiceKey::Reroll]->setTag(signText(indexOf(Index)) + "," + signSingleText(static_cast<float>(count)));
}

std::optional<RememberedRoll> rememberedRoll(std::string_view record)
{
    const std::size_t comma = record.find(',');
    const auto remembered = readNumber(record.substr(0, comma));
    if (comma == std::string_view::npos || !remembered || *remembered < 0 || *remembered >= indexOf(DiceKey::Reroll))
        return std::nullopt;
    return RememberedRoll { static_cast<DiceKey>(static_cast<int>(*remembered)),
        utf8::left(record.substr(comma + 1), 300) };
}

bool frmTavrol::restoreReroll(DiceKey& Index)
{
    const auto remembered = rememberedRoll(btnDice[DiceKey::Reroll]->tag());
    if (!remembered) {
        statuswatch.setCaption("Not Defined");
        statuswatch.setVisible(true);
        return false;
    }
    Index = remembered->key;
    Display.setCaption(remembered->count);
    return true;
}

double frmTavrol::rollGroups(double count, int dice, int lob, int upb)
{
    double total = 0;
    for (int k = 1; k <= wholeDice(count); ++k) {
        total += DiceBoxFill(dice, lob, upb);
        DiceBox.append(kSeparator);
    }
    return total;
}

double frmTavrol::rollAverageDice(double count)
{
    const int dice = wholeDice(count);
    sizeDiceList(dice);
    std::string lines;
    double total = 0;
    for (int i = 1; i <= dice; ++i) {
        // An average die reads 3, 2, 3, 4, 5, 4.
        std::int16_t r = RandomRange(1, 6);
        if (r == 1)
            r = 3;
        if (r == 6)
            r = 4;
        DiceArray[static_cast<std::size_t>(i)] = r;
        lines += signText(r) + "\r\n";
        total += r;
    }
    DiceBox.append(lines);
    return total;
}

double frmTavrol::pressXDn()
{
    CommandButton& xdn = *btnDice[DiceKey::XDn];
    CommandLine += keySpec(DiceKey::XDn).code;
    double total = 0;
    if (xdn.tag().empty()) {
        xdn.setTag(Display.caption());
        total = round16(displayValue());
    } else {
        // A negative count of dice rolls as many dice as its magnitude.
        const int dice = std::abs(round16(readNumber(xdn.tag()).value_or(0.0)));
        total = DiceBoxFill(dice, 1, round16(displayValue()));
        xdn.setTag("");
    }
    std::string indicator = readNumber(MemoryText).value_or(0.0) != 0 ? "M" : "";
    if (!xdn.tag().empty())
        indicator += "X";
    Mem.setCaption(indicator);
    return total;
}

} // namespace tavrol
