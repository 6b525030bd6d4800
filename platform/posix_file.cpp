#include "platform/posix_file.h"

#include <cerrno>
#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

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

} // namespace tavrol::posix
