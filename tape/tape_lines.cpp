// Lines the operator keys print while the tape is on.
#include "shell/frmTavrol.h"
#include "tape/line_model.h"

namespace tavrol {

bool frmTavrol::tapeOn() const
{
    return btnPrint.tag() == "Pon";
}

void frmTavrol::printTapeLine(double value, const std::string& text)
{
    if (!tapeOn())
        return;
    tape_.text(numberItem(value));
    tape_.spaces(2);
    tape_.text(text);
    tape_.lineEnd();
}

} // namespace tavrol
