#include "programs/roll_percentile.h"

#include "dice/random_source.h"
#include "platform/recording_ports.h"
#include "programs/odds.h"
#include "shell/frmTavrol.h"

namespace tavrol {
namespace {

// A repeatable generator that counts its draws.
class CountedRandom : public SystemRandom {
public:
    using SystemRandom::SystemRandom;
    float next() override
    {
        ++draws;
        return SystemRandom::next();
    }
    long long draws = 0;
};

// A main window of its own, which no view draws; its tape is off, so it prints nothing.
struct ReplayWindow {
    MemorySettings settings;
    RecordingPrinter printer;
    RecordingMessageBox messages;
    NullModalHost modal;
    CountedRandom dice { 1 };
    frmTavrol form { FormPorts { settings, printer, messages, modal, dice } };
};

} // namespace

// An estimate for now: the press is played as many times as a programmed key's odds are, each
// time from `before`, and what the display shows is counted.
std::optional<Percentile> percentileOf(const WindowState& before, const PressedKeys& keys, double shown)
{
    ReplayWindow window;
    frmTavrol& form = window.form;
    long long shownCount = 0;
    long long atOrBelow = 0;
    for (int i = 0; i < kOddsReplays && window.dice.draws < kOddsMostDraws; ++i) {
        restoreState(form, before);
        pressAgain(form, keys);
        if (window.dice.draws == 0)
            return std::nullopt;
        if (form.statuswatch.visible() && form.statuswatch.caption() == texts::kOverflowStatus)
            continue; // an overflow shows no number to compare
        ++shownCount;
        if (form.displayValue() <= shown)
            ++atOrBelow;
    }
    if (shownCount == 0)
        return std::nullopt;
    return Percentile { 100.0 * static_cast<double>(atOrBelow) / static_cast<double>(shownCount), false };
}

} // namespace tavrol
