// The desktop program's settings store: saves never wait on another program's lock
// (platform/settings_queue.h). A save that fails is told through the notices, so that a user who
// could not read it (the program quit, or a signal closed the box) learns of it at the next start.
#pragma once

#include "platform/settings_queue.h"
#include "view/qt_notices.h"

#include <QObject>
#include <functional>
#include <string>

namespace tavrol::qt {

class QtSettingsStore : public SettingsStore {
public:
    QtSettingsStore(std::string folder, Notices& notices);

    std::string get(const std::string& app, const std::string& section, const std::string& key,
        const std::string& fallback) override
    {
        return queued_.get(app, section, key, fallback);
    }
    bool save(
        const std::string& app, const std::string& section, const std::string& key, const std::string& value) override
    {
        return queued_.save(app, section, key, value);
    }
    std::string problem() const override { return queued_.problem(); }
    void beginReading() override { queued_.beginReading(); }
    void endReading() override { queued_.endReading(); }

    // Runs on the event thread once a save is over, written or not, so that what shows the keys
    // follows the store.
    std::function<void()> onSettled;
    // The program ends: waits for the saves still queued (each wait bounded) and tells what
    // failed; onSettled no longer runs.
    void finish();

private:
    void settled(const std::string& problem);

    Notices& notices_;
    QObject context_; // before the queue: its last calls back find it alive
    QueuedSettingsStore queued_;
};

} // namespace tavrol::qt
