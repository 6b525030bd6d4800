// Lines the operator keys print while the tape is on.
#include "tape/tape_lines.h"

#include "calculator/number_text.h"
#include "shell/frmTavrol.h"

namespace tavrol {

std::string numberItem(double value)
{
    return signText(value) + " ";
}

bool frmTavrol::tapeOn() const
{
    return btnPrint.tag() == "Pon";
}

void frmTavrol::printTapeLine(double value, const std::string& text)
{
    if (!tapeOn())
        return;
    LinePrinter& printer = ports_.printer;
    printer.text(numberItem(value));
    printer.spaces(2);
    printer.text(text);
    printer.lineEnd();
}

} // namespace tavrol
