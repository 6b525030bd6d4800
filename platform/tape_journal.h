// The running tape kept on disk line by line, so that a crash, a kill or a lost display loses
// nothing: the next start finds the journals of programs that are gone and finishes their tapes.
// Each journal belongs to one process, which holds an flock on it for as long as the journal is
// open; a journal that can be locked has no live owner. A journal holds one tape, so a process
// may hold several at once: the running tape's and those of tapes still on their way to a printer.
#pragma once

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

    // The journals of `kind` in `folder` whose owners are gone, each now locked by this process,
    // with the tape it holds. Journals that hold no line are removed instead.
    static std::vector<TapeJournal> adoptOrphans(const std::string& folder, std::string_view kind = kTape);

    bool isOpen() const { return fd_ >= 0; }
    const std::string& path() const { return path_; }
    // The tape read from an adopted journal.
    const TapePages& tape() const { return tape_; }

    // Each record is one write to the end of the file, so it is on disk, as far as this process
    // is concerned, once the call returns. False when it could not be written.
    bool appendLine(std::string_view line);
    bool appendPageBreak();

    // The tape was handed over (printed, saved, or discarded by the user): the file goes.
    void remove();

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
    TapePages tape_;
};

// The journal's record of a tape read back: one line a record, a record holding only a form feed
// starts a new page. A last record cut short by the end of the file is kept as it is.
TapePages parseTapeJournal(std::string_view text);

// Notices for the user that could not be shown when they arose (the program was ending on a
// signal, with nobody there to click a box); the next start shows them.
void keepNotice(const std::string& folder, std::string_view text);
// The notices kept so far, oldest first; they are removed, so each is shown once.
std::vector<std::string> takeNotices(const std::string& folder);

} // namespace tavrol
