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

// Removes from `folder` the files a write of this program left when it was cut off: regular files
// (never links, folders or anything else) of this user, whose names `isLeftover` accepts, last
// changed before `before`, and on which nobody holds an flock (a writer that is still alive holds
// one on the file it writes). Returns how many went.
int removeAbandoned(
    const std::string& folder, const std::function<bool(std::string_view name)>& isLeftover, std::time_t before);

} // namespace tavrol::posix
