// Number entry: the digit and point keys build the number inside the display text itself, and
// every change of that text is normalised at once.
#include "calculator/number_text.h"
#include "platform/utf8.h"
#include "shell/frmTavrol.h"

#include <cmath>

namespace tavrol {

namespace {
constexpr std::size_t kDisplayWidth = 14;
}

double frmTavrol::displayValue() const
{
    return readNumber(Display.caption()).value_or(0.0);
}

void frmTavrol::showOverflow()
{
    statuswatch.setCaption(texts::kOverflowStatus);
    statuswatch.setVisible(true);
    pauser.setEnabled(true);
    Display.setCaption("0.");
}

void frmTavrol::Display_Change()
{
    if (Display.caption().find('.') == std::string::npos)
        Display.setCaption(Display.caption() + ".");

    // Exponent text is shown in its plain form, every digit of it, so the display never shows an
    // exponent; a plain form longer than the display is an overflow, as any long text is.
    if (Display.caption().find_first_of("Ee") != std::string::npos && readNumber(Display.caption())) {
        auto plain = plainForm(Display.caption(), kDisplayWidth);
        if (plain && plain->find('.') == std::string::npos)
            *plain += '.';
        if (!plain || plain->size() > kDisplayWidth) {
            showOverflow();
            return;
        }
        Display.setCaption(*plain);
        return;
    }

    if (utf8::length(Display.caption()) < kDisplayWidth) {
        if (const auto value = readNumber(Display.caption())) {
            if (!std::isfinite(*value)) {
                showOverflow();
                return;
            }
            Display.setCaption(displayPattern(*value));
        }
    }

    if (utf8::length(Display.caption()) > kDisplayWidth)
        showOverflow();
}

void frmTavrol::btnDigit_Click(DigitKey Index)
{
    const std::string key = btnDigit[Index]->caption();
    CommandLine += key;

    if (LastKey != "nums") {
        Display.setCaption("0.");
        DecimalEntered = false;
    }
    if (Display.caption().starts_with('0'))
        Display.setCaption(Display.caption().substr(1));

    if (DecimalEntered) {
        if (Index != DigitKey::Point)
            Display.setCaption(Display.caption() + key);
    } else {
        const std::string& text = Display.caption();
        Display.setCaption(text.substr(0, text.find('.')) + key);
    }

    if (Index == DigitKey::Point)
        DecimalEntered = true;
    LastKey = "nums";
}

} // namespace tavrol
