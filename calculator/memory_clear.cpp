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

void frmTavrol::btnMemory_Click(MemoryKey Index)
{
    const std::string display = Display.caption();
    switch (Index) {
    case MemoryKey::Clear:
        MemoryText = "0";
        break;
    case MemoryKey::Recall:
        Display.setCaption(MemoryText);
        break;
    case MemoryKey::Subtract:
    case MemoryKey::Add: {
        const float sum = Index == MemoryKey::Subtract ? readSingle(MemoryText) - readSingle(display)
                                                       : readSingle(MemoryText) + readSingle(display);
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
    btnMemory[MemoryKey::Clear]->setEnabled(holds);
    btnMemory[MemoryKey::Recall]->setEnabled(holds);
    Mem.setCaption(holds ? "M" : "");
}

void frmTavrol::btnClear_Click(ClearKey Index)
{
    if (Index == ClearKey::Entry) {
        Display.setCaption("0.");
        statuswatch.setVisible(false);
        return;
    }

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
    btnDice[DiceKey::XDn]->setTag("");
    Mem.setCaption(MemoryText != "0" ? "M" : "");
    if (btnDice[DiceKey::Reroll]->tag().empty())
        btnDice[DiceKey::Reroll]->setEnabled(false);
}

} // namespace tavrol
