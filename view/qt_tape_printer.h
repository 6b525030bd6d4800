// The tape on a real printer. The lines of a running tape go to a journal on disk as they come
// (platform/tape_journal.h). When the tape ends they are painted into a PDF, which the print
// system's lp command takes to the default printer; lp runs beside the event loop and is stopped
// after a bounded wait. When no printer takes the tape (no lp, lp fails, or it does not answer in
// time), the tape is saved as a PDF file in the user's documents folder and the user is told
// where. Nothing here asks the print system anything on the event thread.
#pragma once

#include "platform/ports.h"
#include "platform/tape_journal.h"
#include "view/qt_notices.h"
#include "view/tape_leftovers.h"

#include <QObject>
#include <QString>
#include <chrono>
#include <functional>
#include <list>
#include <memory>
#include <string>
#include <vector>

namespace tavrol::qt {

// What becomes of a tape too long to print without asking.
enum class LongTapeChoice { Print, SaveAsPdf, Discard };

class QtTapePrinter : public LinePrinter {
public:
    // A tape of more pages than this is not printed before someone says so: one roll of the
    // largest count of dice fills some seventy.
    static constexpr int kPagesWithoutAsking = 10;
    using Chooser = std::function<LongTapeChoice(int pages)>;

    // What the user must learn goes through `notices`; journals are kept in its state folder.
    explicit QtTapePrinter(Notices& notices);
    ~QtTapePrinter() override;
    QtTapePrinter(const QtTapePrinter&) = delete;
    QtTapePrinter& operator=(const QtTapePrinter&) = delete;

    // Tavrol32 in the user's state folder.
    static std::string defaultStateFolder();

    // The tape names its font as it is switched on: its journal opens then, so that a tape that
    // cannot be kept safe on disk is told at once (once a run), not in the middle of a roll.
    void setFontName(const std::string& face) override;
    void setFontSize(double points) override { points_ = points; }
    void printLine(std::string_view line) override;
    void newPage() override;
    // Returns at once: the job is painted, then lp takes it beside the event loop.
    void endDocument() override;

    // Asked about a tape longer than kPagesWithoutAsking pages. Without a chooser such a tape is
    // saved as a PDF, since nobody can be asked.
    void setChooser(Chooser chooser) { chooser_ = std::move(chooser); }
    // How long lp may take to accept a job before it is stopped and the tape saved instead.
    void setSubmitTimeout(std::chrono::milliseconds bound) { bound_ = bound; }
    // From now on nobody is at the screen (the program ends on a signal, perhaps at a log-out):
    // no question is asked, a long tape is saved as a PDF, lp gets kSubmitAfterSignal at most, and
    // what the user must learn goes to standard error and is kept for the next start.
    void setUnattended();

    // At start, beside the event loop: clears the files that writes cut off by a kill left, and
    // finishes the tapes that programs gone before left in their journals. One box then tells
    // what became of them, together with what was kept for this start.
    void finishLeftOvers();
    // The program ends: the left tapes not yet begun stay for the next start.
    void stopLeftOvers();

    // Whether a job is still with lp, or left tapes are still being finished.
    bool pending() const;
    // Runs the event loop until no job is with lp, the left tapes are finished and every message
    // is out; each job's wait is bounded, so this is too.
    void waitForJobs();

    // Where the last job went: the printer's name, or the PDF file written instead.
    const QString& lastDestination() const { return destination_; }

private:
    struct Job;

    void openJournal();
    void journalLost(const std::string& why);
    void finish(TapePages tape, TapeJournal journal);
    void submit(TapePages tape, TapeJournal journal);
    void watch(Job& job);
    void printed(Job& job, const QString& printer);
    void failed(Job& job, const QString& reason);
    void settle(Job& job);
    void saveAsPdf(const TapePages& tape, TapeJournal journal, const QString& reason);
    void leftOversDone(const LeftoverOutcome& outcome);
    void reap();

    Notices& notices_;
    std::string face_ = "Courier New";
    double points_ = 10;
    TapePages pages_ { 1 };
    TapeJournal journal_; // of the running tape, opened as it is switched on
    bool journalLost_ = false; // given up for this tape after a failure
    bool toldJournalLost_ = false; // the user has been told, once a run
    std::vector<TapeJournal> kept_; // tapes neither printed nor saved, held until the program ends
    Chooser chooser_;
    // Enough for a slow network queue to take a job; at the end of the program nobody waits longer.
    std::chrono::milliseconds bound_ { 30'000 };
    std::list<std::unique_ptr<Job>> jobs_;
    LeftoverTapes leftOvers_;
    std::vector<std::string> keptForStart_; // told with what became of the left tapes
    QString destination_;
    QObject context_; // queued calls die with the printer
};

} // namespace tavrol::qt
