#include "platform/settings_queue.h"

#include <algorithm>
#include <utility>

namespace tavrol {

QueuedSettingsStore::QueuedSettingsStore(
    std::string folder, Post post, Settled settled, std::chrono::milliseconds lockWait)
    : post_(std::move(post))
    , settled_(std::move(settled))
    , reader_(folder)
    , writer_(folder, lockWait)
    , thread_([this] { write(); })
{
}

QueuedSettingsStore::~QueuedSettingsStore()
{
    {
        const std::lock_guard lock(mutex_);
        ending_ = true;
    }
    changed_.notify_all();
    thread_.join();
}

std::string QueuedSettingsStore::get(
    const std::string& app, const std::string& section, const std::string& key, const std::string& fallback)
{
    {
        const std::lock_guard lock(mutex_);
        const auto queued = std::find_if(queue_.rbegin(), queue_.rend(),
            [&](const Entry& entry) { return entry.app == app && entry.section == section && entry.key == key; });
        if (queued != queue_.rend()) {
            problem_.clear();
            return queued->value;
        }
    }
    std::string value = reader_.get(app, section, key, fallback);
    problem_ = reader_.problem();
    return value;
}

bool QueuedSettingsStore::save(
    const std::string& app, const std::string& section, const std::string& key, const std::string& value)
{
    {
        const std::lock_guard lock(mutex_);
        queue_.push_back({ app, section, key, value });
    }
    changed_.notify_all();
    problem_.clear();
    return true;
}

void QueuedSettingsStore::flush()
{
    std::unique_lock lock(mutex_);
    changed_.wait(lock, [this] { return queue_.empty(); });
}

void QueuedSettingsStore::write()
{
    std::unique_lock lock(mutex_);
    for (;;) {
        changed_.wait(lock, [this] { return ending_ || !queue_.empty(); });
        if (queue_.empty())
            return; // ending, with nothing left to write
        const Entry entry = queue_.front(); // stays queued, and read, until it is written
        lock.unlock();
        const bool saved = writer_.save(entry.app, entry.section, entry.key, entry.value);
        post_([settled = settled_, problem = saved ? std::string() : writer_.problem()] { settled(problem); });
        lock.lock();
        queue_.pop_front();
        changed_.notify_all();
    }
}

} // namespace tavrol
