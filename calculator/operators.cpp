// The operator keys: a two-level evaluator without stack or parser, so that "×" and "÷" bind
// more tightly than "+" and "-".
#include "calculator/number_text.h"
#include "shell/frmTavrol.h"

#include <cmath>

namespace tavrol {

double frmTavrol::compute(double v1, double v2, const std::string& op)
{
    if (op == "+")
        return v1 + v2;
    if (op == "-")
        return v1 - v2;
    if (op == "\u00D7")
        return v1 * v2;
    if (op == "\u00F7") {
        if (v2 == 0) {
            statuswatch.setCaption("Divide by Zero");
            statuswatch.setVisible(true);
            return 0;
        }
        return v1 / v2;
    }
    return 0;
}

void frmTavrol::btnOperator_Click(OperatorKey Index)
{
    const ToldPress told(*this, KeyPress::of(Index));
    double entry = displayValue();
    const std::string op = btnOperator[Index]->caption();
    CommandLine += op;

    const auto show = [this](double value) {
        // Infinity or NaN has no number text that fits: the display overflows.
        if (std::isfinite(value))
            Display.setCaption(numberText(value));
        else
            showOverflow();
    };

    if (op == "%" || op == "\u00B1") {
        show(op == "%" ? entry / 100 : entry * -1);
        return;
    }

    if (op == "+" || op == "-") {
        printTapeLine(entry, op);
        RunValue = compute(RunValue, entry, PendingOp);
        RunValue = compute(HeldSum, RunValue, HeldOp);
        HeldSum = 0;
        HeldOp = "+";
        PendingOp = op;
        entry = RunValue;
    } else if (op == "\u00D7" || op == "\u00F7") {
        if (PendingOp == "+" || PendingOp == "-") {
            HeldSum = RunValue;
            HeldOp = PendingOp;
            RunValue = entry;
            PendingOp = op;
            printTapeLine(entry, op);
        } else if (PendingOp == "\u00D7" || PendingOp == "\u00F7") {
            printTapeLine(entry, op);
            RunValue = compute(RunValue, entry, PendingOp);
            PendingOp = op;
            entry = RunValue;
        }
    } else if (op == "=") {
        printTapeLine(entry, "=");
        RunValue = compute(RunValue, entry, PendingOp);
        RunValue = compute(HeldSum, RunValue, HeldOp);
        entry = RunValue;
        HeldSum = 0;
        HeldOp = "+";
        PendingOp = "+";
        RunValue = 0;
        printTapeLine(entry, "<*>");
    }

    show(entry);
    LastKey = "oper";
}

} // namespace tavrol
