// Reading and writing open files the way the program's own files need: a regular file read whole
// without ever waiting on a FIFO or a device, a write that goes on after a partial one, and the
// clearing of files that a write cut off (by a kill, a crash) left behind.
#pragma once

#include <cstddef>
#include <ctime>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace tavrol::posix {

// The whole of the regular file open at `fd`, from where it stands to its end, when it holds at
// most `largest` bytes. Nothing for a FIFO, a device, a folder or a larger file, which are never
// read, so they cannot block; nothing too when a read fails (errno then says why).
std::optional<std::string> readRegular(int fd, std::size_t largest);

// Writes all of `data`, going on after an interrupted or partial write; false when a write fails
// (errno says why).
bool writeAll(int fd, std::string_view data);

// The letters and digits of the unique part of a new file's name, as mkstemp uses them.
inline constexpr std::string_view kNameLetters = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
// `length` of them, drawn from the system's entropy.
std::string randomLetters(std::size_t length);

// Gives the file `from` the name `to` in the same file system, never over a file already there:
// false with errno EEXIST then. Works where the file system refuses the plain way to say "not
// over another file", as long as it keeps hard links or no other program names the file meanwhile.
bool renameNoReplace(const std::string& from, const std::string& to);

// A new file written under a temporary name in the folder where it goes, which appears under its
// final name only once it is whole. The temporary name is hidden (".tavrol32-XXXXXX.part"), and
// its writer holds an flock on it for as long as it writes, so a file a killed writer left is
// known by its name and its free lock (removeAbandoned with isPendingName, at any age).
class PendingFile {
public:
    PendingFile() = default;
    PendingFile(PendingFile&& other) noexcept;
    PendingFile& operator=(PendingFile&& other) noexcept;
    PendingFile(const PendingFile&) = delete;
    PendingFile& operator=(const PendingFile&) = delete;
    // A file never committed is removed.
    ~PendingFile();

    // A new pending file in `folder`, with the permissions the user's umask gives; closed, with
    // errno saying why, when none can be made.
    static PendingFile create(const std::string& folder);
    static bool isPendingName(std::string_view name);

    bool isOpen() const { return fd_ >= 0; }
    int fd() const { return fd_; }
    // Syncs the file to disk and names it `path` (in the same folder): false with errno EEXIST
    // when a file of that name is there, so another name can be tried, or errno for a failure.
    bool commit(const std::string& path);

private:
    void discard();

    int fd_ = -1;
    std::string path_;
};

// Removes from `folder` the files a write of this program left when it was cut off: regular files
// (never links, folders or anything else) of this user, whose names `isLeftover` accepts, last
// changed before `before`, and on which nobody holds an flock (a writer that is still alive holds
// one on the file it writes). Returns how many went.
int removeAbandoned(
    const std::string& folder, const std::function<bool(std::string_view name)>& isLeftover, std::time_t before);

// Whether `path` still names the file open on `fd`: another process may have removed or replaced
// it between the opening and a lock taken on it.
bool stillNamed(int fd, const std::string& path);

// Makes `folder` and its parents, private to the user, as the base directory rules ask; false,
// with `error` saying why, when one cannot be made.
bool makeFolder(const std::string& folder, std::string& error);

} // namespace tavrol::posix
