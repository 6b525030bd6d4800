// The tape on a real printer. The lines of a running tape go to a journal on disk as they come
// (platform/tape_journal.h). When the tape ends they are painted into a PDF, which the print
// system's lp command takes to the default printer; lp runs beside the event loop and is stopped
// after a bounded wait. When no printer takes the tape (no lp, lp fails, or it does not answer in
// time), the tape is saved as a PDF file in the user's documents folder and the user is told
// where. Nothing here asks the print system anything on the event thread.
#pragma once

#include "platform/ports.h"
#include "platform/tape_journal.h"

#include <QObject>
#include <QString>
#include <chrono>
#include <deque>
#include <functional>
#include <list>
#include <memory>
#include <string>
#include <vector>

class QFont;
class QIODevice;
class QPdfWriter;

namespace tavrol::qt {

// What becomes of a tape too long to print without asking.
enum class LongTapeChoice { Print, SaveAsPdf, Discard };

class QtTapePrinter : public LinePrinter {
public:
    // A tape of more pages than this is not printed before someone says so: one roll of the
    // largest count of dice fills some seventy.
    static constexpr int kPagesWithoutAsking = 10;
    using Chooser = std::function<LongTapeChoice(int pages)>;

    // Journals and notices for the next start are kept in `stateFolder`.
    explicit QtTapePrinter(MessageBox& messages, std::string stateFolder = defaultStateFolder());
    ~QtTapePrinter() override;
    QtTapePrinter(const QtTapePrinter&) = delete;
    QtTapePrinter& operator=(const QtTapePrinter&) = delete;

    // Tavrol32 in the user's state folder.
    static std::string defaultStateFolder();

    void setFontName(const std::string& face) override { face_ = face; }
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
    // no question is asked, a long tape is saved as a PDF, and what the user must learn goes to
    // standard error and is kept for the next start instead of waiting in a box.
    void setUnattended();

    // At start: shows what was kept for it, and finishes the tapes that programs gone before
    // left in their journals.
    void finishLeftOvers();

    // Whether a job is still with lp.
    bool pending() const;
    // Runs the event loop until no job is with lp and every message is out; each job's wait is
    // bounded, so this is too.
    void waitForJobs();

    // Where the last job went: the printer's name, or the PDF file written instead.
    const QString& lastDestination() const { return destination_; }

    // Paints `tape` into a PDF on `device` as a tape is printed, for other lines that are printed
    // like the tape (the log's). False when it could not be written.
    bool writePdf(const TapePages& tape, QIODevice& device) const;

private:
    struct Sheet;
    struct Job;

    QFont tapeFont() const;
    Sheet layOut(const TapePages& tape) const;
    static bool paint(const Sheet& sheet, QPdfWriter& writer);
    void finish(const TapePages& tape, TapeJournal journal, bool leftOver);
    void submit(Sheet sheet, TapeJournal journal, bool leftOver);
    void printed(Job& job, const QString& said);
    void failed(Job& job, const QString& reason);
    void settle(Job& job);
    void saveAsPdf(const Sheet& sheet, TapeJournal journal, bool leftOver, const QString& reason);
    void tell(const std::string& text);
    void tellNow();
    void reap();

    MessageBox& messages_;
    std::string stateFolder_;
    std::string face_ = "Courier New";
    double points_ = 10;
    TapePages pages_ { 1 };
    TapeJournal journal_; // of the running tape, opened with its first line
    bool journalLost_ = false; // given up for this tape after a failure, which was reported
    std::vector<TapeJournal> kept_; // tapes neither printed nor saved, held until the program ends
    Chooser chooser_;
    // Enough for a slow network queue to take a job; at the end of the program nobody waits longer.
    std::chrono::milliseconds bound_ { 30'000 };
    bool unattended_ = false;
    std::list<std::unique_ptr<Job>> jobs_;
    std::deque<std::string> untold_;
    bool telling_ = false;
    QString destination_;
    QObject context_; // queued calls die with the printer
};

} // namespace tavrol::qt
