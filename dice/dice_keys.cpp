// The fourteen dice keys: the frame every key runs through, and the branch of each key.
#include "calculator/number_text.h"
#include "dice/dice_math.h"
#include "platform/utf8.h"
#include "shell/frmTavrol.h"

#include <cmath>

namespace tavrol {
namespace {

constexpr int kSides[] = { 4, 6, 8, 10, 12, 20, 100 }; // the plain dice, d4 to d%
constexpr const char* kSeparator = "------\r\n";

} // namespace

void frmTavrol::btnDice_Click(int Index)
{
    if (Index < 0 || Index > DiceKey::Reroll)
        return;
    LastKey = "dice";
    btnDice[DiceKey::Reroll]->setEnabled(true);

    double total = 0;
    if (Index == DiceKey::Reroll) {
        const std::string record = btnDice[DiceKey::Reroll]->tag();
        const std::size_t comma = record.find(',');
        const auto remembered = readNumber(record.substr(0, comma));
        if (comma == std::string::npos || !remembered || *remembered < 0 || *remembered >= DiceKey::Reroll) {
            statuswatch.setCaption("Not Defined");
            statuswatch.setVisible(true);
            total = displayValue();
        } else {
            Index = static_cast<int>(*remembered);
            Display.setCaption(utf8::left(std::string_view(record).substr(comma + 1), 300));
        }
    }

    // The count is a single-precision number: '4.9999999' is 5 dice, as its record says.
    double count = static_cast<float>(std::min<double>(std::abs(displayValue()), kMostDice));
    if (count == 0)
        count = 1;

    DiceBox.setText("");

    const auto groups = [&](int dice, int lob, int upb) {
        for (int k = 1; k <= wholeDice(count); ++k) {
            total += DiceBoxFill(dice, lob, upb);
            DiceBox.append(kSeparator);
        }
    };

    if (Index <= DiceKey::D100) {
        total = DiceBoxFill(count, 1, kSides[Index]);
    } else if (Index == DiceKey::ThreeD6) {
        groups(3, 1, 6);
    } else if (Index == DiceKey::Fudge) {
        groups(4, -1, 1);
    } else if (Index == DiceKey::Average) {
        const int dice = wholeDice(count);
        sizeDiceList(dice);
        std::string lines;
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
    } else if (Index == DiceKey::XDn) {
        CommandLine += kDiceKeys[DiceKey::XDn].code;
        if (btnDice[DiceKey::XDn]->tag().empty()) {
            btnDice[DiceKey::XDn]->setTag(Display.caption());
            total = round16(displayValue());
        } else {
            // A negative count of dice rolls as many dice as its magnitude.
            const int dice = std::abs(round16(readNumber(btnDice[DiceKey::XDn]->tag()).value_or(0.0)));
            total = DiceBoxFill(dice, 1, round16(displayValue()));
            btnDice[DiceKey::XDn]->setTag("");
        }
        std::string indicator = readNumber(MemoryText).value_or(0.0) != 0 ? "M" : "";
        if (!btnDice[DiceKey::XDn]->tag().empty())
            indicator += "X";
        Mem.setCaption(indicator);
    } else if (Index == DiceKey::Best || Index == DiceKey::Worst) {
        DiceBoxSort(Index == DiceKey::Best ? 1 : 0);
        total = static_cast<double>(DiceArraytoDiceBox(count));
    }
    if (Index != DiceKey::XDn && Index != DiceKey::Reroll)
        CommandLine += kDiceKeys[Index].code;

    Display.setCaption(signText(total));
    if (Index != DiceKey::Reroll)
        btnDice[DiceKey::Reroll]->setTag(signText(Index) + "," + signSingleText(static_cast<float>(count)));
}

} // namespace tavrol
