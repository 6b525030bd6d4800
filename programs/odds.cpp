#include "programs/odds.h"

#include "dice/random_source.h"
#include "platform/recording_ports.h"
#include "shell/frmTavrol.h"

#include <string>

namespace tavrol {
namespace {

// The replays print nothing: the tape is off in a window of their own, and this keeps it so.
class NoPrinter : public LinePrinter {
public:
    void setFontName(const std::string&) override { }
    void setFontSize(double) override { }
    void printLine(std::string_view) override { }
    void newPage() override { }
    void endDocument() override { }
};

class NoMessages : public MessageBox {
public:
    void information(const std::string&, const std::string&) override { }
};

// A seeded generator that counts the dice drawn from it.
class CountedDice : public RandomSource {
public:
    explicit CountedDice(std::uint64_t seed)
        : random_(seed)
    {
    }
    void reseedFromClock() override { random_.reseedFromClock(); }
    float next() override
    {
        ++draws;
        return random_.next();
    }
    long long draws = 0;

private:
    SystemRandom random_;
};

struct DetachedWindow {
    explicit DetachedWindow(std::uint64_t seed)
        : dice(seed)
    {
        form.Form_Load();
    }

    MemorySettings settings;
    NoPrinter printer;
    NoMessages messages;
    NullModalHost modal;
    CountedDice dice;
    frmTavrol form { FormPorts { settings, printer, messages, modal, dice } };
};

} // namespace

OddsTally replayCommand(std::string_view command, int replays, std::uint64_t seed, long long mostDraws)
{
    DetachedWindow window(seed);
    frmTavrol& form = window.form;
    OddsTally tally;
    for (int i = 0; i < replays; ++i) {
        // As btnCustom_Click plays a key, after All Clear.
        form.btnClear_Click(ClearKey::All);
        form.CommandLine = command;
        form.keyplay(form.CommandLine);
        if (form.statuswatch.visible() && form.statuswatch.caption() == texts::kOverflowStatus)
            tally.addOverflow();
        else
            tally.addShown(form.displayValue());
        if (window.dice.draws == 0) {
            tally.markFixed();
            break;
        }
        if (window.dice.draws >= mostDraws)
            break;
    }
    return tally;
}

OddsTally replayPart(std::string_view command, int part)
{
    return replayCommand(
        command, kOddsReplays / kOddsParts, static_cast<std::uint64_t>(part) + 1, kOddsMostDraws / kOddsParts);
}

OddsTally keyOdds(std::string_view command)
{
    OddsTally tally;
    for (int part = 0; part < kOddsParts; ++part) {
        tally.merge(replayPart(command, part));
        if (tally.fixed())
            break;
    }
    return tally;
}

} // namespace tavrol
