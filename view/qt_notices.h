// What the user must learn of work done beside the window's own (a tape printed or saved, a key
// that could not be saved): told in a box from the event loop, one box at a time, never inside a
// handler. Once a quit signal came nobody may be at the screen: what is still untold, and a box
// the signal closed, perhaps unread, go to standard error and are kept in the state folder, and
// the next start tells them.
#pragma once

#include "platform/ports.h"

#include <QObject>
#include <deque>
#include <string>
#include <vector>

namespace tavrol::qt {

class Notices {
public:
    Notices(MessageBox& boxes, std::string stateFolder);
    Notices(const Notices&) = delete;
    Notices& operator=(const Notices&) = delete;

    // On the event thread.
    void tell(std::string text);
    // From now on nobody is at the screen (the program ends on a signal, perhaps at a log-out).
    void setUnattended();
    bool unattended() const { return unattended_; }
    // Shows at once every box still waiting (the program ends).
    void tellNow();

    // What was kept for this start, oldest first, each text once however often it was kept; taken,
    // so that it is told once.
    std::vector<std::string> takeKept();
    const std::string& stateFolder() const { return stateFolder_; }

private:
    void keep(const std::string& text);

    MessageBox& boxes_;
    std::string stateFolder_;
    std::deque<std::string> untold_;
    bool telling_ = false;
    bool unattended_ = false;
    QObject context_; // queued calls die with the notices
};

} // namespace tavrol::qt
