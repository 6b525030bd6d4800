// The settings store for a program with a window, which must never wait on the lock that another
// program holds on the store. A save returns at once: the values are written in the order they
// were saved, on a thread of their own, each with the store's bounded wait for the lock. Until a
// value is written, reads answer with it, so the program sees what it saved; a value is never
// mixed into another store, since each save reads the file under the lock and changes its one key.
#pragma once

#include "platform/settings_file.h"

#include <chrono>
#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>
#include <string>
#include <thread>

namespace tavrol {

class QueuedSettingsStore : public SettingsStore {
public:
    // Runs a call later on the thread that saves (the event thread).
    using Post = std::function<void(std::function<void()>)>;
    // A save is over: `problem` says why it failed, "" when it was written.
    using Settled = std::function<void(const std::string& problem)>;

    QueuedSettingsStore(
        std::string folder, Post post, Settled settled, std::chrono::milliseconds lockWait = std::chrono::seconds(5));
    // Writes what is still queued first, each save with its bounded wait.
    ~QueuedSettingsStore() override;
    QueuedSettingsStore(const QueuedSettingsStore&) = delete;
    QueuedSettingsStore& operator=(const QueuedSettingsStore&) = delete;

    std::string get(const std::string& app, const std::string& section, const std::string& key,
        const std::string& fallback) override;
    // Takes the value on and returns true: whether it could be written comes to `settled`.
    bool save(
        const std::string& app, const std::string& section, const std::string& key, const std::string& value) override;
    // Why the last get could not read the store.
    std::string problem() const override { return problem_; }
    void beginReading() override { reader_.beginReading(); }
    void endReading() override { reader_.endReading(); }

    // Returns once every save taken on so far is written or has failed.
    void flush();

private:
    struct Entry {
        std::string app, section, key, value;
    };
    void write();

    Post post_;
    Settled settled_;
    FileSettingsStore reader_; // on the caller's thread
    FileSettingsStore writer_; // on the writing thread
    std::string problem_;
    std::mutex mutex_;
    std::condition_variable changed_;
    std::deque<Entry> queue_; // the front one is being written
    bool ending_ = false;
    std::thread thread_;
};

} // namespace tavrol
