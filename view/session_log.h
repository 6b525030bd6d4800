// The session's log in the desktop program. The main window's presses become entries (through
// programs/press_recorder.h); each goes into the log window's list at once, and into log.csv in
// the user's state folder as soon as it is whole: a roll's percentile is worked out beside the
// event loop first. An entry still waiting for it, or for the entries before it, is kept in a
// journal of this process meanwhile, so that a kill or a crash loses none: the next start writes
// what a journal left behind into the log before reading it. The file is read beside the event
// loop too, once at start; entries wait for it, so they come after what it held.
#pragma once

#include "platform/log_file.h"
#include "platform/tape_journal.h"
#include "programs/press_recorder.h"
#include "view/log_model.h"

#include <QObject>
#include <QString>
#include <QThreadPool>
#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <optional>
#include <string>

namespace tavrol {
class frmTavrol;
struct Percentile;
} // namespace tavrol

namespace tavrol::qt {

class SessionLog : public QObject {
public:
    // Listens to `form`, which must outlive the log, and keeps the log in `stateFolder`.
    SessionLog(frmTavrol& form, std::string stateFolder);
    // Waits for the percentiles being worked out, so that their entries are written whole.
    ~SessionLog() override;

    LogModel& model() { return model_; }
    const std::string& path() const { return file_.path(); }
    const std::string& olderPath() const { return file_.olderPath(); }
    bool loaded() const { return loaded_; }
    // Whether every entry made so far is in the file (or could not be written, and that was said).
    bool settled() const;

    // What the user should know about the log: lines that could not be read, a file set aside,
    // a disk that refuses it; "" when there is nothing to say. onStatus hears of each change.
    QString status() const;
    std::function<void()> onStatus;

    // Every entry goes, from the window and the file; false when the file could not be removed.
    bool clear();

private:
    struct Pending {
        std::int64_t serial;
        LogEntry entry;
        bool waiting; // for its percentile
        bool journaled = false;
    };
    struct Loaded;

    void add(LogEntry entry, std::optional<RollQuestion> roll);
    void journal(Pending& pending);
    void flush();
    void load();
    void loadedFrom(Loaded& loaded);
    void percentileKnown(std::int64_t serial, unsigned generation, const std::optional<Percentile>& percentile);
    void writeFailed();
    void setStatus(QString& part, const QString& text);

    frmTavrol& form_;
    std::string folder_;
    LogFile file_;
    LogModel model_;
    PressRecorder recorder_;
    std::deque<Pending> queue_; // made, not yet in the file; oldest first
    TapeJournal journal_; // of the entries in the queue, while there are any
    bool loaded_ = false;
    bool failing_ = false; // the last write failed, and the user was told
    unsigned generation_ = 0; // a percentile of an earlier generation was cleared away
    QString readNote_;
    QString writeProblem_;
    QThreadPool pool_;
};

} // namespace tavrol::qt
