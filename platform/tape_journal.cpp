#include "platform/tape_journal.h"

#include "platform/posix_file.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <dirent.h>
#include <fcntl.h>
#include <optional>
#include <random>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace tavrol {
namespace {

constexpr std::string_view kSuffix = ".journal";
constexpr char kPageBreak = '\f';
// Far beyond the notices that many runs could keep.
constexpr std::size_t kLargestNotices = std::size_t { 16 } << 20;

// A journal of `kind` is named "<kind>-<process>-<random>.journal".
std::string prefixOf(std::string_view kind)
{
    return std::string(kind) + "-";
}

bool isJournalName(std::string_view name, std::string_view prefix)
{
    return name.size() > prefix.size() + kSuffix.size() && name.starts_with(prefix) && name.ends_with(kSuffix);
}

bool isPageBreak(std::string_view record)
{
    return record.size() == 1 && record[0] == kPageBreak;
}

// Calls `record` with each record of the file open at `fd`, from its start, without its line
// end, until it returns false; a record longer than the longest one comes in pieces of that
// length. False when the file could not be read.
bool forEachRecord(int fd, const std::function<bool(std::string_view)>& record)
{
    std::string pending; // the record read so far, never longer than the longest
    std::vector<char> buffer(std::size_t { 64 } << 10);
    for (off_t at = 0;;) {
        const ssize_t got = ::pread(fd, buffer.data(), buffer.size(), at);
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            return false;
        if (got == 0) {
            if (!pending.empty())
                record(pending);
            return true;
        }
        at += got;
        for (std::string_view rest(buffer.data(), static_cast<std::size_t>(got)); !rest.empty();) {
            const std::size_t end = rest.find('\n');
            const std::size_t room = TapeJournal::kLongestRecord - pending.size();
            pending.append(rest.substr(0, std::min(end, room)));
            const bool complete = end != std::string_view::npos && end <= room;
            rest.remove_prefix(complete ? end + 1 : std::min(rest.size(), room));
            if ((complete || pending.size() == TapeJournal::kLongestRecord) && !record(pending))
                return true;
            if (complete || pending.size() == TapeJournal::kLongestRecord)
                pending.clear();
        }
    }
}

} // namespace

TapeJournal::TapeJournal(TapeJournal&& other) noexcept
    : fd_(std::exchange(other.fd_, -1))
    , path_(std::move(other.path_))
{
}

TapeJournal& TapeJournal::operator=(TapeJournal&& other) noexcept
{
    if (this != &other) {
        close();
        fd_ = std::exchange(other.fd_, -1);
        path_ = std::move(other.path_);
    }
    return *this;
}

TapeJournal::~TapeJournal()
{
    close();
}

void TapeJournal::close()
{
    if (fd_ >= 0)
        ::close(fd_);
    fd_ = -1;
}

TapeJournal TapeJournal::start(const std::string& folder, std::string& error, std::string_view kind)
{
    if (!posix::makeFolder(folder, error))
        return {};
    // A file is named a journal before it is locked; an adopting process that takes it in that
    // moment finds it empty and removes it, and the name no longer leads to the file opened here.
    // Then another name is tried.
    std::random_device entropy;
    for (int attempt = 0; attempt < 100; ++attempt) {
        char unique[32];
        std::snprintf(unique, sizeof unique, "%ld-%08x", static_cast<long>(::getpid()), entropy());
        std::string path = folder + "/" + prefixOf(kind) + unique + std::string(kSuffix);
        const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_APPEND | O_NOFOLLOW | O_CLOEXEC, 0600);
        if (fd < 0 && errno == EEXIST)
            continue;
        if (fd < 0) {
            error = path + ": " + std::strerror(errno);
            return {};
        }
        if (::flock(fd, LOCK_EX | LOCK_NB) == 0 && posix::stillNamed(fd, path))
            return TapeJournal(fd, std::move(path));
        ::close(fd);
    }
    error = folder + ": no journal of its own could be locked";
    return {};
}

void TapeJournal::adoptOrphans(
    const std::string& folder, const std::function<bool(TapeJournal journal)>& take, std::string_view kind)
{
    std::vector<std::string> names;
    if (DIR* dir = ::opendir(folder.c_str())) {
        while (const dirent* entry = ::readdir(dir))
            if (isJournalName(entry->d_name, prefixOf(kind)))
                names.emplace_back(entry->d_name);
        ::closedir(dir);
    }
    std::sort(names.begin(), names.end());

    for (const std::string& name : names) {
        std::string path = folder + "/" + name;
        const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOFOLLOW | O_NOCTTY | O_CLOEXEC);
        if (fd < 0)
            continue;
        TapeJournal journal(fd, std::move(path));
        // A lock that cannot be taken is held by a live owner; its journal is not ours to finish.
        if (::flock(fd, LOCK_EX | LOCK_NB) != 0 || !posix::stillNamed(fd, journal.path_))
            continue;
        struct stat info { };
        if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode))
            continue; // not a file this program wrote: left alone
        bool hasLine = false;
        forEachRecord(fd, [&hasLine](std::string_view record) { return !(hasLine = !isPageBreak(record)); });
        if (!hasLine)
            journal.remove();
        else if (!take(std::move(journal)))
            return;
    }
}

std::uint64_t TapeJournal::size() const
{
    struct stat info { };
    return fd_ >= 0 && ::fstat(fd_, &info) == 0 ? static_cast<std::uint64_t>(info.st_size) : 0;
}

bool TapeJournal::read(const LineCall& line, const std::function<void()>& pageBreak) const
{
    return forEachRecord(fd_, [&](std::string_view record) {
        if (isPageBreak(record))
            pageBreak();
        else
            line(record);
        return true;
    });
}

bool TapeJournal::appendRecord(std::string record)
{
    record.push_back('\n');
    return fd_ >= 0 && posix::writeAll(fd_, record);
}

bool TapeJournal::appendLine(std::string_view line)
{
    // A tape line never holds a line break; one that did would otherwise read back as two.
    std::string record(line);
    std::replace(record.begin(), record.end(), '\n', ' ');
    if (record == std::string(1, kPageBreak))
        record = " ";
    return appendRecord(std::move(record));
}

bool TapeJournal::appendPageBreak()
{
    return appendRecord(std::string(1, kPageBreak));
}

void TapeJournal::remove()
{
    if (fd_ >= 0)
        ::unlink(path_.c_str()); // before the lock goes, so nobody adopts a tape already handed over
    close();
}

std::string TapeJournal::setAside()
{
    struct stat info { };
    if (fd_ < 0 || ::fstat(fd_, &info) != 0)
        return "";
    char when[32] = "";
    struct tm local { };
    if (::localtime_r(&info.st_mtime, &local))
        std::strftime(when, sizeof when, " %Y-%m-%d %H-%M-%S", &local);
    const std::string stem = path_.substr(0, path_.rfind('/') + 1) + "Tavrol32 tape" + when;
    for (int n = 1; n < 1000; ++n) {
        const std::string name = stem + (n == 1 ? "" : " (" + std::to_string(n) + ")") + ".txt";
        if (posix::renameNoReplace(path_, name)) {
            close(); // no longer a journal: nobody adopts it
            return name;
        }
        if (errno != EEXIST)
            break;
    }
    return "";
}

namespace {

constexpr const char* kNotices = "/notices";

} // namespace

void keepNotice(const std::string& folder, std::string_view text)
{
    std::string error;
    if (!posix::makeFolder(folder, error))
        return;
    // One notice a line; message text takes a carriage return as a line break as well.
    std::string record(text);
    std::replace(record.begin(), record.end(), '\n', '\r');
    record.push_back('\n');
    const std::string path = folder + kNotices;
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_APPEND | O_NONBLOCK | O_NOFOLLOW | O_CLOEXEC, 0600);
    if (fd < 0)
        return;
    struct stat info { };
    if (::fstat(fd, &info) == 0 && S_ISREG(info.st_mode))
        posix::writeAll(fd, record);
    ::close(fd);
}

std::vector<std::string> takeNotices(const std::string& folder)
{
    // Renamed first, so that two programs starting at once do not both show the same notices.
    const std::string path = folder + kNotices;
    const std::string taken = path + "." + std::to_string(::getpid());
    if (::rename(path.c_str(), taken.c_str()) != 0)
        return {};
    std::vector<std::string> notices;
    const int fd = ::open(taken.c_str(), O_RDONLY | O_NONBLOCK | O_NOFOLLOW | O_NOCTTY | O_CLOEXEC);
    if (fd >= 0) {
        if (const std::optional<std::string> text = posix::readRegular(fd, kLargestNotices)) {
            std::string_view rest = *text;
            while (!rest.empty()) {
                const std::size_t end = rest.find('\n');
                if (end != 0)
                    notices.emplace_back(rest.substr(0, end));
                rest.remove_prefix(end == std::string_view::npos ? rest.size() : end + 1);
            }
        }
        ::close(fd);
    }
    ::unlink(taken.c_str());
    return notices;
}

} // namespace tavrol
