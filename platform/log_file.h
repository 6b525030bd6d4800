// A log on disk as a CSV file of one record a line under a header row, kept the way the tape's
// journal is: each record goes to the end of the file in one write, so a kill loses nothing
// written and a crash leaves at most a torn last line, which reading ignores and the next record
// closes off. The file is opened for each record, so a file another program moved, removed or
// started afresh is followed at once. Past its bound the file moves to its ".1" neighbour
// (replacing an older one) and a new file begins.
#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <sys/types.h>
#include <vector>

namespace tavrol {

class LogFile {
public:
    // Enough for a session of years; a record is some hundred bytes, so a full file reads at once.
    static constexpr std::size_t kMostRecords = 100'000;
    // A few rolls of thousands of dice make long records: the file moves on past this size too.
    static constexpr long long kMostBytes = 32LL << 20;

    // The log `stem`.csv in `folder`, which is made when missing, with `header` as its first row.
    LogFile(
        std::string folder, std::string stem, std::vector<std::string> header, std::size_t mostRecords = kMostRecords);

    struct Contents {
        std::size_t records = 0;
        std::size_t unreadable = 0; // lines that are no record of this log, left in the file unread
        // A file found under the log's name that is no log of this kind (its header is another)
        // is moved here, out of the way, rather than written into; "" when there was none.
        std::string setAside;
        std::string error; // why the file could not be read; "" when it could
    };
    // Hands each record in the file to `record`, oldest first, with the header's fields; one it
    // does not take (false) counts as unreadable. Reading counts the lines, so that the bound
    // holds for what is appended.
    Contents read(const std::function<bool(std::vector<std::string>& fields)>& record);

    // Appends one record with the header's fields; false when it could not be written, and
    // error() says why.
    bool append(const std::vector<std::string>& fields);

    // The records go: the file is removed, and the next record starts a new one. The older file
    // stays.
    bool clear();

    const std::string& path() const { return path_; }
    const std::string& olderPath() const { return olderPath_; }
    const std::string& error() const { return error_; }

private:
    int openForAppend();
    bool moveOn(int& fd);
    bool fail(const std::string& what);

    std::string folder_;
    std::string stem_;
    std::string path_;
    std::string olderPath_;
    std::vector<std::string> header_;
    std::size_t mostRecords_;
    std::size_t records_ = 0; // in the file, as far as this process knows
    ino_t inode_ = 0; // of the file counted; another one was started by someone else
    std::string error_;
};

} // namespace tavrol
