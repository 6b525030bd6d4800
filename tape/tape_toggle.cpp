// The tape toggle: switching on sets the printer up; switching off ends the page and sends the
// job, so the tape comes out when it is switched off.
#include "shell/frmTavrol.h"

namespace tavrol {

void frmTavrol::btnPrint_Click()
{
    // The Tag changes before the picture is loaded, so the tape state follows the click even
    // when a picture cannot be shown.
    if (btnPrint.tag() == "Poff") {
        btnPrint.setTag("Pon");
        tape_.setFontName("Courier New");
        tape_.setFontSize(10);
        btnPrint.setPicture("printon.bmp");
    } else {
        tape_.newPage();
        tape_.endDocument();
        btnPrint.setTag("Poff");
        btnPrint.setPicture("printoff.bmp");
    }
}

void frmTavrol::Form_Unload()
{
    // A tape still running when the program ends is finished and sent, not thrown away.
    if (tapeOn()) {
        tape_.newPage();
        tape_.endDocument();
    }
}

} // namespace tavrol
