// Turns the presses the main window tells of into entries of the session's log: one for each
// dice key press, each "=", and each programmed key press. The presses a programmed key plays
// belong to its one entry, and the dice of all its rolls are that entry's dice.
#pragma once

#include "programs/log_entry.h"
#include "programs/pressed_keys.h"
#include "shell/frmTavrol.h"

#include <functional>
#include <optional>
#include <string>

namespace tavrol {

// What an entry's percentile is worked out from: the window as the press found it, the keys
// pressed, and the number the display showed after.
struct RollQuestion {
    WindowState before;
    PressedKeys keys;
    double shown = 0;
};

class PressRecorder : public PressObserver {
public:
    // `sink` takes each entry as it is made, with the question its percentile answers when the
    // press rolled dice.
    using Sink = std::function<void(LogEntry entry, std::optional<RollQuestion> roll)>;
    explicit PressRecorder(Sink sink)
        : sink_(std::move(sink))
    {
    }

    void pressStarts(const frmTavrol& window, KeyPress key) override;
    void pressEnds(const frmTavrol& window, KeyPress key) override;

private:
    void noteFirstOperand(const frmTavrol& window);
    void describeDicePress(const frmTavrol& window);
    void finish(const frmTavrol& window);

    Sink sink_;
    int depth_ = 0; // presses under way: a programmed key's own ones come inside it
    bool logged_ = false; // the outermost press makes an entry
    KeyPress pressed_ {};
    WindowState before_;
    LogEntry entry_;
    // Where in the recorded keys the first number of the calculation under way begins: a number
    // typed over a roll's total starts the calculation afresh.
    std::size_t firstOperand_ = 0;
};

} // namespace tavrol
