#include "platform/posix_file.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <random>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace tavrol::posix {

std::optional<std::string> readRegular(int fd, std::size_t largest)
{
    struct stat info { };
    if (::fstat(fd, &info) != 0)
        return std::nullopt;
    if (!S_ISREG(info.st_mode)) {
        errno = S_ISDIR(info.st_mode) ? EISDIR : EINVAL;
        return std::nullopt;
    }
    std::string text;
    char buffer[65536];
    for (;;) {
        const ssize_t got = ::read(fd, buffer, sizeof buffer);
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            return std::nullopt;
        if (got == 0)
            return text;
        if (text.size() + static_cast<std::size_t>(got) > largest) {
            errno = EFBIG;
            return std::nullopt;
        }
        text.append(buffer, static_cast<std::size_t>(got));
    }
}

bool writeAll(int fd, std::string_view data)
{
    while (!data.empty()) {
        const ssize_t put = ::write(fd, data.data(), data.size());
        if (put < 0 && errno == EINTR)
            continue;
        if (put <= 0)
            return false;
        data.remove_prefix(static_cast<std::size_t>(put));
    }
    return true;
}

std::string randomLetters(std::size_t length)
{
    std::random_device entropy;
    std::string letters(length, ' ');
    for (char& c : letters)
        c = kNameLetters[entropy() % kNameLetters.size()];
    return letters;
}

bool renameNoReplace(const std::string& from, const std::string& to)
{
    if (::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0)
        return true;
    if (errno != EINVAL && errno != ENOSYS && errno != ENOTSUP)
        return false;
    // A file system without the flag: a hard link fails on a name that is taken.
    if (::link(from.c_str(), to.c_str()) == 0) {
        ::unlink(from.c_str()); // the file has its name; the old one left behind would be a leftover
        return true;
    }
    if (errno == EEXIST || (errno != EPERM && errno != ENOTSUP && errno != EOPNOTSUPP))
        return false;
    // Nor hard links (FAT, some network shares): looked at first, then renamed.
    if (::access(to.c_str(), F_OK) == 0) {
        errno = EEXIST;
        return false;
    }
    return ::rename(from.c_str(), to.c_str()) == 0;
}

namespace {

constexpr std::string_view kPendingPrefix = ".tavrol32-";
constexpr std::string_view kPendingSuffix = ".part";
constexpr std::size_t kPendingUnique = 6;

} // namespace

PendingFile::PendingFile(PendingFile&& other) noexcept
    : fd_(std::exchange(other.fd_, -1))
    , path_(std::move(other.path_))
{
}

PendingFile& PendingFile::operator=(PendingFile&& other) noexcept
{
    if (this != &other) {
        discard();
        fd_ = std::exchange(other.fd_, -1);
        path_ = std::move(other.path_);
    }
    return *this;
}

PendingFile::~PendingFile()
{
    discard();
}

void PendingFile::discard()
{
    if (fd_ < 0)
        return;
    ::unlink(path_.c_str()); // while the lock is held, so nobody takes it for a leftover meanwhile
    ::close(std::exchange(fd_, -1));
}

bool PendingFile::isPendingName(std::string_view name)
{
    return name.size() == kPendingPrefix.size() + kPendingUnique + kPendingSuffix.size()
        && name.starts_with(kPendingPrefix) && name.ends_with(kPendingSuffix)
        && name.substr(kPendingPrefix.size(), kPendingUnique).find_first_not_of(kNameLetters) == std::string_view::npos;
}

PendingFile PendingFile::create(const std::string& folder)
{
    for (int attempt = 0; attempt < 100; ++attempt) {
        PendingFile file;
        file.path_
            = folder + "/" + std::string(kPendingPrefix) + randomLetters(kPendingUnique) + std::string(kPendingSuffix);
        file.fd_ = ::open(file.path_.c_str(), O_RDWR | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
        if (file.fd_ < 0 && errno == EEXIST)
            continue;
        if (file.fd_ < 0)
            return file;
        // Someone clearing leftovers may take the file in the moment before the lock, and remove it:
        // then another name.
        if (::flock(file.fd_, LOCK_EX | LOCK_NB) == 0 && stillNamed(file.fd_, file.path_))
            return file;
        ::close(std::exchange(file.fd_, -1));
    }
    errno = EEXIST;
    return {};
}

bool PendingFile::commit(const std::string& path)
{
    if (fd_ < 0) {
        errno = EBADF;
        return false;
    }
    if (::fsync(fd_) != 0 || !renameNoReplace(path_, path))
        return false;
    ::close(std::exchange(fd_, -1));
    const std::string folder = path.substr(0, path.rfind('/'));
    if (const int dir = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC); dir >= 0) {
        ::fsync(dir);
        ::close(dir);
    }
    return true;
}

namespace {

// Whether the entry `name` of the folder open at `dir` is a leftover nobody writes any more; its
// flock is held on `fd` (open here) when it is.
bool isAbandoned(int dir, const char* name, std::time_t before, int& fd)
{
    struct stat named { };
    if (::fstatat(dir, name, &named, AT_SYMLINK_NOFOLLOW) != 0 || !S_ISREG(named.st_mode) || named.st_uid != ::geteuid()
        || named.st_mtime >= before)
        return false;
    fd = ::openat(dir, name, O_RDONLY | O_NONBLOCK | O_NOFOLLOW | O_NOCTTY | O_CLOEXEC);
    struct stat opened { };
    return fd >= 0 && ::fstat(fd, &opened) == 0 && opened.st_dev == named.st_dev && opened.st_ino == named.st_ino
        && ::flock(fd, LOCK_EX | LOCK_NB) == 0;
}

} // namespace

int removeAbandoned(
    const std::string& folder, const std::function<bool(std::string_view name)>& isLeftover, std::time_t before)
{
    DIR* listing = ::opendir(folder.c_str());
    if (!listing)
        return 0;
    const int dir = ::dirfd(listing);
    int removed = 0;
    while (const dirent* entry = ::readdir(listing)) {
        if (!isLeftover(entry->d_name))
            continue;
        int fd = -1;
        if (isAbandoned(dir, entry->d_name, before, fd) && ::unlinkat(dir, entry->d_name, 0) == 0)
            ++removed;
        if (fd >= 0)
            ::close(fd);
    }
    ::closedir(listing);
    return removed;
}

bool stillNamed(int fd, const std::string& path)
{
    struct stat opened { };
    struct stat named { };
    return ::fstat(fd, &opened) == 0 && ::stat(path.c_str(), &named) == 0 && opened.st_dev == named.st_dev
        && opened.st_ino == named.st_ino;
}

bool makeFolder(const std::string& folder, std::string& error)
{
    for (std::size_t slash = 1; slash <= folder.size(); ++slash) {
        if (slash < folder.size() && folder[slash] != '/')
            continue;
        const std::string part = folder.substr(0, slash);
        if (::mkdir(part.c_str(), 0700) != 0 && errno != EEXIST) {
            error = part + ": " + std::strerror(errno);
            return false;
        }
    }
    return true;
}

} // namespace tavrol::posix
