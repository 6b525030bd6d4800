// SIGTERM, SIGHUP and SIGINT (a log-out, a shutdown, a closed terminal, Ctrl+C) end the program
// the way closing its window does: every event loop ends, nested ones too (the programming window,
// a message box), and main goes on to finish the tape. The handler itself only writes the
// signal's number into a socket pair, which the event loop watches.
#pragma once

#include <functional>
#include <memory>

class QSocketNotifier;

namespace tavrol::qt {

class QuitSignals {
public:
    // `beforeQuit` runs on the event thread with the signal's number, before the loops end.
    explicit QuitSignals(std::function<void(int)> beforeQuit);
    // Puts back the handlers that were there before.
    ~QuitSignals();
    QuitSignals(const QuitSignals&) = delete;
    QuitSignals& operator=(const QuitSignals&) = delete;

    // The signal that ended the program, or 0.
    int received() const { return received_; }

private:
    void arrived();

    std::function<void(int)> beforeQuit_;
    int pair_[2] = { -1, -1 };
    std::unique_ptr<QSocketNotifier> notifier_;
    int received_ = 0;
};

} // namespace tavrol::qt
