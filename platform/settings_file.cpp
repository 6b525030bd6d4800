#include "platform/settings_file.h"

#include "platform/ini_text.h"
#include "platform/posix_file.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <climits>
#include <cstdlib>
#include <ctime>
#include <fcntl.h>
#include <limits>
#include <memory>
#include <sys/file.h>
#include <sys/stat.h>
#include <system_error>
#include <thread>
#include <unistd.h>
#include <utility>
#include <vector>

namespace tavrol {
namespace {

std::string reason(int error)
{
    return std::generic_category().message(error);
}

// What a path that should be a regular file is instead, for the user.
std::string kindOf(mode_t mode)
{
    if (S_ISDIR(mode))
        return "a folder";
    if (S_ISFIFO(mode))
        return "a named pipe (FIFO)";
    if (S_ISCHR(mode))
        return "a character device";
    if (S_ISBLK(mode))
        return "a block device";
    if (S_ISSOCK(mode))
        return "a socket";
    return "not a regular file";
}

class Descriptor {
public:
    explicit Descriptor(int fd = -1)
        : fd_(fd)
    {
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    ~Descriptor()
    {
        if (fd_ >= 0)
            ::close(fd_);
    }
    int get() const { return fd_; }
    // Closes now, reporting the error a delayed write may only show here.
    int close()
    {
        const int status = ::close(std::exchange(fd_, -1));
        return status == 0 ? 0 : errno;
    }

private:
    int fd_;
};

// Far beyond six keys of 512 characters and any comments beside them; a larger file is not read.
constexpr std::size_t kLargestStore = std::size_t { 16 } << 20;

struct Contents {
    bool exists = false;
    std::string text;
    mode_t mode = 0;
};

// Reads `path` (following links) when it is a regular file. Opened without blocking and checked
// again on the open descriptor, so a FIFO or device swapped in meanwhile is never read.
bool readRegular(const std::string& path, Contents& contents, std::string& problem)
{
    contents = {};
    struct stat status { };
    if (::stat(path.c_str(), &status) != 0) {
        if (errno == ENOENT) // no store yet, or a link to nothing: nothing is stored
            return true;
        problem = "Cannot look at " + path + ": " + reason(errno);
        return false;
    }
    if (!S_ISREG(status.st_mode)) {
        problem = path + " is " + kindOf(status.st_mode) + ", not a regular file";
        return false;
    }
    Descriptor file(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
    if (file.get() < 0) {
        if (errno == ENOENT)
            return true;
        problem = "Cannot read " + path + ": " + reason(errno);
        return false;
    }
    if (::fstat(file.get(), &status) != 0 || !S_ISREG(status.st_mode)) {
        problem = path + " is not a regular file";
        return false;
    }
    std::optional<std::string> text = posix::readRegular(file.get(), kLargestStore);
    if (!text) {
        problem = "Cannot read " + path + ": " + reason(errno);
        return false;
    }
    contents.text = std::move(*text);
    contents.exists = true;
    contents.mode = status.st_mode;
    return true;
}

// Creates `folder` and any missing folder above it, for the user alone.
bool makeFolders(const std::string& folder, std::string& problem)
{
    for (std::size_t slash = folder.find('/', 1);; slash = folder.find('/', slash + 1)) {
        const std::string part = folder.substr(0, slash);
        if (::mkdir(part.c_str(), 0700) != 0 && errno != EEXIST) {
            problem = "Cannot create the folder " + part + ": " + reason(errno);
            return false;
        }
        if (slash == std::string::npos)
            break;
    }
    struct stat status { };
    if (::stat(folder.c_str(), &status) != 0 || !S_ISDIR(status.st_mode)) {
        problem = folder + " is not a folder";
        return false;
    }
    return true;
}

// An exclusive flock on a file beside the store: it dies with the program holding it, so a
// lock file left by a crash holds nobody up. The lock file itself stays.
class StoreLock {
public:
    bool acquire(const std::string& path, std::chrono::milliseconds wait, std::string& problem)
    {
        const int flags = O_NONBLOCK | O_NOFOLLOW | O_NOCTTY | O_CLOEXEC;
        int fd = ::open(path.c_str(), O_RDWR | O_CREAT | flags, 0600);
        if (fd < 0 && (errno == EACCES || errno == EROFS)) // someone else's lock file, or a read-only folder
            fd = ::open(path.c_str(), O_RDONLY | flags);
        if (fd < 0) {
            problem = "Cannot open the lock file " + path + ": " + reason(errno);
            return false;
        }
        file_ = std::make_unique<Descriptor>(fd);
        struct stat status { };
        if (::fstat(fd, &status) != 0 || !S_ISREG(status.st_mode)) {
            problem = "The lock file " + path + " is not a regular file";
            return false;
        }
        const auto deadline = std::chrono::steady_clock::now() + wait;
        while (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
            if (errno == EINTR)
                continue;
            if (errno != EWOULDBLOCK) {
                problem = "Cannot lock " + path + ": " + reason(errno);
                return false;
            }
            if (std::chrono::steady_clock::now() >= deadline) {
                problem = "Another program kept " + path + " locked for longer than " + std::to_string(wait.count())
                    + " ms";
                return false;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }
        return true;
    }

private:
    std::unique_ptr<Descriptor> file_; // closing it releases the lock
};

bool readsBack(int fd, std::string_view text)
{
    std::string back(text.size() + 1, '\0'); // one byte more, to see a file that is longer
    std::size_t have = 0;
    while (have < back.size()) {
        const ssize_t got = ::pread(fd, back.data() + have, back.size() - have, static_cast<off_t>(have));
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0)
            break;
        have += static_cast<std::size_t>(got);
    }
    return have == text.size() && std::string_view(back.data(), have) == text;
}

// The new copy of a store is named <store>.XXXXXX, six letters and digits as mkstemp makes them,
// but always with a capital, a small letter and a digit among them: a name a person gives a
// backup ("backup", "202405", "Backup") never has all three, so a leftover copy can be told
// from it and removed.
constexpr std::size_t kCopySuffix = 6;

bool isCopySuffix(std::string_view suffix)
{
    const auto has = [suffix](char from, char to) {
        return std::any_of(suffix.begin(), suffix.end(), [=](char c) { return c >= from && c <= to; });
    };
    return suffix.size() == kCopySuffix && suffix.find_first_not_of(posix::kNameLetters) == std::string_view::npos
        && has('A', 'Z') && has('a', 'z') && has('0', '9');
}

// A new, empty file beside `target`, for the user alone; its name is in `name`.
int createCopy(const std::string& target, std::string& name)
{
    for (int attempt = 0; attempt < 100; ++attempt) {
        const std::string suffix = posix::randomLetters(kCopySuffix);
        if (!isCopySuffix(suffix))
            continue;
        name = target + "." + suffix;
        const int fd = ::open(name.c_str(), O_RDWR | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
        if (fd >= 0 || errno != EEXIST)
            return fd;
    }
    errno = EEXIST;
    return -1;
}

// Removes the copies that saves cut off (by a kill, a crash, a lost power) left beside `target`.
// Only under the store's lock: then no save is writing one.
void removeLeftCopies(const std::string& target)
{
    const std::size_t slash = target.rfind('/');
    const std::string prefix = target.substr(slash + 1) + ".";
    posix::removeAbandoned(
        target.substr(0, slash),
        [&prefix](
            std::string_view name) { return name.starts_with(prefix) && isCopySuffix(name.substr(prefix.size())); },
        std::numeric_limits<std::time_t>::max());
}

// Puts `text` in place of the regular file `target`: a new file in the same folder, written,
// synced and read back, then renamed over `target`; the folder is synced last.
bool replaceFile(const std::string& target, std::string_view text, mode_t mode, std::string& problem)
{
    const std::string folder = target.substr(0, target.rfind('/'));
    std::string name;
    Descriptor file(createCopy(target, name));
    if (file.get() < 0) {
        problem = "Cannot create a new file in " + folder + ": " + reason(errno);
        return false;
    }
    const std::string copy = "the new copy of " + target;
    int error = 0;
    if (::fchmod(file.get(), mode) != 0) {
        problem = "Cannot set the permissions of " + copy + ": " + reason(error = errno);
    } else if (!posix::writeAll(file.get(), text)) {
        problem = "Cannot write " + copy + ": " + reason(error = errno ? errno : EIO);
    } else if (::fsync(file.get()) != 0) {
        problem = "Cannot sync " + copy + " to disk: " + reason(error = errno);
    } else if (!readsBack(file.get(), text)) {
        problem = "The new copy of " + target + " does not read back as written";
        error = EIO;
    } else if ((error = file.close()) != 0) {
        problem = "Cannot write " + copy + ": " + reason(error);
    } else if (::rename(name.c_str(), target.c_str()) != 0) {
        problem = "Cannot put the new file in place of " + target + ": " + reason(error = errno);
    }
    if (error != 0) {
        ::unlink(name.c_str());
        return false;
    }
    // Once renamed, the new file is the store whatever this sync says: reporting a failure now
    // would claim the old keys were kept.
    if (Descriptor dir(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC)); dir.get() >= 0)
        ::fsync(dir.get());
    return true;
}

std::string linkText(const std::string& path)
{
    std::vector<char> buffer(PATH_MAX + 1);
    const ssize_t size = ::readlink(path.c_str(), buffer.data(), buffer.size() - 1);
    return size < 0 ? std::string("?") : std::string(buffer.data(), static_cast<std::size_t>(size));
}

// The regular file a save replaces: the store itself, or the file it links to, so that the link
// stays a link. A link to anything else is refused, so nothing outside the folder changes.
bool saveTarget(const std::string& store, std::string& target, std::string& problem)
{
    target = store;
    struct stat status { };
    if (::lstat(store.c_str(), &status) != 0) {
        if (errno == ENOENT)
            return true;
        problem = "Cannot look at " + store + ": " + reason(errno);
        return false;
    }
    if (!S_ISLNK(status.st_mode))
        return true; // a regular file, or something readRegular refuses
    if (::stat(store.c_str(), &status) != 0) {
        // A link to nothing is refused rather than followed, which could create a file anywhere,
        // or replaced, which would undo the user's link.
        problem = store + " is a link to " + linkText(store) + ", which "
            + (errno == ENOENT ? std::string("does not exist") : "cannot be reached: " + reason(errno));
        return false;
    }
    if (!S_ISREG(status.st_mode)) {
        problem = store + " is a link to " + linkText(store) + ", which is " + kindOf(status.st_mode)
            + ", not a regular file";
        return false;
    }
    char* resolved = ::realpath(store.c_str(), nullptr);
    if (!resolved) {
        problem = "Cannot follow the link " + store + ": " + reason(errno);
        return false;
    }
    target = resolved;
    std::free(resolved);
    return true;
}

} // namespace

FileSettingsStore::FileSettingsStore(std::string folder, std::chrono::milliseconds lockWait)
    : folder_(std::move(folder))
    , lockWait_(lockWait)
{
}

std::string FileSettingsStore::path(const std::string& app) const
{
    return folder_ + "/" + app + "/" + app + ".conf";
}

std::string FileSettingsStore::get(
    const std::string& app, const std::string& section, const std::string& key, const std::string& fallback)
{
    problem_.clear();
    const std::string store = path(app);
    std::optional<Held> read;
    Held& held = readingDepth_ > 0 && held_ && held_->path == store ? *held_ : read.emplace();
    if (held.path.empty()) {
        held.path = store;
        Contents contents;
        if (readRegular(store, contents, held.problem))
            held.text = std::move(contents.text);
        if (readingDepth_ > 0)
            held_ = held;
    }
    problem_ = held.problem;
    if (!problem_.empty())
        return fallback;
    return ini::read(held.text, section, key).value_or(fallback);
}

void FileSettingsStore::beginReading()
{
    ++readingDepth_;
}

void FileSettingsStore::endReading()
{
    if (readingDepth_ > 0 && --readingDepth_ == 0)
        held_.reset();
}

bool FileSettingsStore::save(
    const std::string& app, const std::string& section, const std::string& key, const std::string& value)
{
    problem_.clear();
    const std::string store = path(app);
    if (!makeFolders(folder_ + "/" + app, problem_))
        return false;
    StoreLock lock;
    if (!lock.acquire(store + ".lock", lockWait_, problem_))
        return false;
    std::string target;
    if (!saveTarget(store, target, problem_))
        return false;
    // The copies go beside the file a save replaces: the store's folder, or the folder of the file
    // the store links to.
    removeLeftCopies(target);
    Contents old;
    if (!readRegular(target, old, problem_))
        return false;
    // A file the user may not write stays as it is, as a read-only folder does.
    if (old.exists && ::access(target.c_str(), W_OK) != 0) {
        problem_ = target + " is read-only: " + reason(errno);
        return false;
    }
    const mode_t mode = old.exists ? (old.mode & 07777) : 0600; // a new store is the user's alone
    return replaceFile(target, ini::withValue(old.text, section, key, value), mode, problem_);
}

} // namespace tavrol
