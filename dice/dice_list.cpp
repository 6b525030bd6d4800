// The dice list: one group of dice rolled into the list, the text box and the tape; the list
// sorted; the first dice of it shown.
#include "calculator/number_text.h"
#include "dice/dice_math.h"
#include "shell/frmTavrol.h"

#include <algorithm>
#include <cmath>

namespace tavrol {

std::int16_t frmTavrol::RandomRange(int lobound, int upbound)
{
    RandomSource& random = ports().random;
    if (const auto face = random.scriptedFace())
        return static_cast<std::int16_t>(std::clamp(*face, -32768, 32767));
    random.reseedFromClock();
    return rangeFromDraw(random.next(), lobound, upbound);
}

double frmTavrol::DiceBoxFill(double Iter, int lob, int upb)
{
    const int dice = wholeDice(Iter);
    double sum = 0;
    if (tapeOn()) {
        tape_.spaces(5);
        tape_.nextZone();
        tape_.text(signText(dice) + "D" + signText(upb));
        tape_.lineEnd();
    }
    sizeDiceList(dice);

    statuswatch.setCaption("Please Wait...");
    statuswatch.setVisible(true);
    repaint();

    for (int i = 1; i <= dice; ++i) {
        const std::int16_t r = RandomRange(lob, upb);
        DiceArray[static_cast<std::size_t>(i)] = r;
        const std::string face = signText(r);
        DiceBox.append(face + "\r\n");
        if (tapeOn()) {
            tape_.spaces(10);
            tape_.text(face);
        }
        sum += r;
        repaint(&DiceBox);
    }

    statuswatch.setCaption("");
    statuswatch.setVisible(false);
    if (tapeOn())
        tape_.lineEnd();
    return sum;
}

void frmTavrol::sizeDiceList(int dice)
{
    DiceArray.assign(static_cast<std::size_t>(dice) + 1, 0);
    DiceArray[0] = static_cast<std::int16_t>(dice);
}

void frmTavrol::DiceBoxSort(int Direction)
{
    sortDice(DiceArray, Direction);
}

long long frmTavrol::DiceArraytoDiceBox(double& Iter)
{
    DiceBox.setText("");
    const int held = DiceArray.empty() ? 0 : DiceArray[0]; // before any roll: a list of no dice
    if (held < Iter)
        Iter = held;
    const int stored = DiceArray.empty() ? 0 : static_cast<int>(DiceArray.size()) - 1;
    const int shown = std::clamp(static_cast<int>(std::floor(Iter)), 0, stored);
    std::string lines;
    long long sum = 0;
    for (int i = 1; i <= shown; ++i) {
        const std::int16_t die = DiceArray[static_cast<std::size_t>(i)];
        lines += std::to_string(die) + "\r\n";
        sum += die;
    }
    DiceBox.append(lines);
    return sum;
}

} // namespace tavrol
