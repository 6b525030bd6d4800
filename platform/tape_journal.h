// The running tape kept on disk line by line, so that a crash, a kill or a lost display loses
// nothing: the next start finds the journals of programs that are gone and finishes their tapes.
// Each journal belongs to one process, which holds an flock on it for as long as the journal is
// open; a journal that can be locked has no live owner. A journal holds one tape, so a process
// may hold several at once: the running tape's and those of tapes still on their way to a printer.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace tavrol {

// A tape as pages of lines.
using TapePages = std::vector<std::vector<std::string>>;

class TapeJournal {
public:
    // No journal: records go nowhere.
    TapeJournal() = default;
    TapeJournal(TapeJournal&& other) noexcept;
    TapeJournal& operator=(TapeJournal&& other) noexcept;
    TapeJournal(const TapeJournal&) = delete;
    TapeJournal& operator=(const TapeJournal&) = delete;
    // Closing releases the lock and leaves the file for the next start; only remove() deletes it.
    ~TapeJournal();

    // A journal keeps the lines of one kind of record: the tape's, or another that needs the same
    // guarantees (the log's records still on their way to it). Each kind is adopted on its own.
    static constexpr std::string_view kTape = "tape";

    // A new journal of this process in `folder`, which is made when missing. When none can be
    // made, the journal returned is closed and `error` says why.
    static TapeJournal start(const std::string& folder, std::string& error, std::string_view kind = kTape);

    // Hands `take` the journals of `kind` in `folder` whose owners are gone, one at a time, each
    // locked by this process until `take` lets it go; nothing is read yet. Journals that hold no
    // line are removed instead. Stops when `take` returns false.
    static void adoptOrphans(
        const std::string& folder, const std::function<bool(TapeJournal journal)>& take, std::string_view kind = kTape);

    bool isOpen() const { return fd_ >= 0; }
    const std::string& path() const { return path_; }
    // Bytes in the journal's file; 0 when it cannot be looked at.
    std::uint64_t size() const;

    // Reads an adopted journal's tape from the start, one bounded piece at a time, however long
    // the file: `line` for each line, `pageBreak` for each page break, in order. A record longer
    // than kLongestRecord comes as several lines (the program never writes one); a last record
    // cut short by the end of the file comes as it is. False when the file could not be read.
    using LineCall = std::function<void(std::string_view line)>;
    bool read(const LineCall& line, const std::function<void()>& pageBreak) const;
    static constexpr std::size_t kLongestRecord = std::size_t { 1 } << 20;

    // Each record is one write to the end of the file, so it is on disk, as far as this process
    // is concerned, once the call returns. False when it could not be written.
    bool appendLine(std::string_view line);
    bool appendPageBreak();

    // The tape was handed over (printed, saved, or discarded by the user): the file goes.
    void remove();
    // The tape cannot be finished: the journal becomes a text file of its lines beside it, named
    // "Tavrol32 tape <when it was last written>.txt", which no start adopts again, and is let go.
    // Returns its path, or "" when it could not be renamed (it then stays a journal).
    std::string setAside();

private:
    TapeJournal(int fd, std::string path)
        : fd_(fd)
        , path_(std::move(path))
    {
    }
    bool appendRecord(std::string record);
    void close();

    int fd_ = -1;
    std::string path_;
};

// Notices for the user that could not be shown when they arose (the program was ending on a
// signal, with nobody there to click a box); the next start shows them.
void keepNotice(const std::string& folder, std::string_view text);
// The notices kept so far, oldest first; they are removed, so each is shown once.
std::vector<std::string> takeNotices(const std::string& folder);

} // namespace tavrol
