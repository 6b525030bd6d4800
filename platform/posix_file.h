// Reading and writing open files the way the program's own files need: a regular file read whole
// without ever waiting on a FIFO or a device, and a write that goes on after a partial one.
#pragma once

#include <cstddef>
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

// Makes `folder` and its parents, private to the user, as the base directory rules ask; false,
// with `error` saying why, when one cannot be made.
bool makeFolder(const std::string& folder, std::string& error);

} // namespace tavrol::posix
