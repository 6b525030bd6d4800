// The memory register (single precision, held as text) and the clear keys.
#include "calculator/number_text.h"
#include "shell/frmTavrol.h"

#include <cmath>

namespace tavrol {

namespace {
float readSingle(const std::string& text)
{
    return static_cast<float>(readNumber(text).value_or(0.0));
}
} // namespace

void frmTavrol::btnMemory_Click(int Index)
{
    const std::string display = Display.caption();
    switch (Index) {
    case 0:
        MemoryText = "0";
        break;
    case 1:
        Display.setCaption(MemoryText);
        break;
    case 2:
    case 3: {
        const float sum
            = Index == 2 ? readSingle(MemoryText) - readSingle(display) : readSingle(MemoryText) + readSingle(display);
        // Beyond single precision the register would hold no number: it keeps what it had.
        if (!std::isfinite(sum)) {
            showOverflow();
            return;
        }
        MemoryText = singleText(sum);
        break;
    }
    default:
        return;
    }
    const bool holds = readNumber(MemoryText).value_or(0.0) != 0;
    btnMemory[0]->setEnabled(holds);
    btnMemory[1]->setEnabled(holds);
    Mem.setCaption(holds ? "M" : "");
}

void frmTavrol::btnClear_Click(int Index)
{
    if (Index == 1) {
        Display.setCaption("0.");
        statuswatch.setVisible(false);
        return;
    }
    if (Index != 0)
        return;

    CommandLine.clear();
    setCaption(texts::kDesignCaption);
    Display.setCaption("0.");
    DecimalEntered = false;
    LastKey = "none";
    DiceBox.setText("");
    statuswatch.setVisible(false);
    HeldSum = 0;
    RunValue = 0;
    HeldOp = "+";
    PendingOp = "+";
    pauser.setEnabled(false);
    if (tapeOn()) {
        tape_.text("-----All Cleared-----");
        tape_.lineEnd();
    }
    btnDice[10]->setTag("");
    Mem.setCaption(MemoryText != "0" ? "M" : "");
    if (btnDice[13]->tag().empty())
        btnDice[13]->setEnabled(false);
}

} // namespace tavrol
