// The per-user settings store as an INI file on POSIX calls: <folder>/<app>/<app>.conf, shared by
// the desktop program and tavrol32-play. A save never leaves the file torn or emptied.
#pragma once

#include "platform/ports.h"

#include <chrono>
#include <optional>
#include <string>

namespace tavrol {

class FileSettingsStore : public SettingsStore {
public:
    // `folder` is the user's configuration folder (xdg::configHome()); a save waits at most
    // `lockWait` for another program saving at the same time.
    explicit FileSettingsStore(std::string folder, std::chrono::milliseconds lockWait = std::chrono::seconds(5));

    // Reads only a regular file (or a link to one), never blocking on a FIFO or a device. A store
    // that does not exist yet holds nothing, which is no problem.
    std::string get(const std::string& app, const std::string& section, const std::string& key,
        const std::string& fallback) override;
    // Between these, every get answers from the first one's read of the store.
    void beginReading() override;
    void endReading() override;
    // Under a lock on <app>.conf.lock: writes the whole new text to a new file beside the store,
    // syncs it, reads it back and only then renames it over the store and syncs the folder.
    // Every other line of the file stays as it was. On any failure the store is left untouched.
    // The new files that earlier saves, cut off, left beside the store are removed first.
    bool save(
        const std::string& app, const std::string& section, const std::string& key, const std::string& value) override;
    std::string problem() const override { return problem_; }

    // Where the store of `app` is.
    std::string path(const std::string& app) const;

private:
    // One read of a store: its text, or why it could not be read.
    struct Held {
        std::string path;
        std::string text;
        std::string problem;
    };

    std::string folder_;
    std::chrono::milliseconds lockWait_;
    std::string problem_;
    int readingDepth_ = 0;
    std::optional<Held> held_; // while reading at once
};

} // namespace tavrol
