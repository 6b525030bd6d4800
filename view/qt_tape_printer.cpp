#include "view/qt_tape_printer.h"

#include "platform/xdg_paths.h"
#include "view/tape_lp.h"

#include <QCoreApplication>
#include <QProcess>
#include <QTemporaryFile>
#include <QTimer>
#include <algorithm>
#include <iostream>

namespace tavrol::qt {
namespace {

bool blank(const TapePages& tape)
{
    return std::all_of(tape.begin(), tape.end(), [](const auto& page) { return page.empty(); });
}

// At most this many of the notices kept from earlier runs are told at start; the others were
// written to standard error when they arose, and are again now.
constexpr std::size_t kNoticesAtStart = 10;

} // namespace

// One tape on its way to the printer: lp running on a temporary PDF, and a timer that stops it.
struct QtTapePrinter::Job {
    TapePages tape;
    TapeJournal journal;
    QTemporaryFile file;
    QProcess lp;
    QTimer bound;
    std::chrono::steady_clock::time_point since = std::chrono::steady_clock::now();
    bool done = false;
};

QtTapePrinter::QtTapePrinter(Notices& notices)
    : notices_(notices)
{
}

QtTapePrinter::~QtTapePrinter()
{
    for (const auto& job : jobs_) {
        job->lp.disconnect();
        if (job->lp.state() != QProcess::NotRunning) {
            job->lp.kill();
            job->lp.waitForFinished(1000);
        }
    }
}

std::string QtTapePrinter::defaultStateFolder()
{
    return xdg::stateHome() + "/Tavrol32";
}

void QtTapePrinter::setFontName(const std::string& face)
{
    face_ = face;
    if (!journal_.isOpen() && !journalLost_)
        openJournal();
}

void QtTapePrinter::openJournal()
{
    std::string error;
    journal_ = TapeJournal::start(notices_.stateFolder(), error);
    if (!journal_.isOpen())
        journalLost(error);
}

void QtTapePrinter::journalLost(const std::string& why)
{
    journalLost_ = true; // the tape goes on from memory
    std::cerr << "tavrol32: the running tape is not kept on disk (" << why << ")\n";
    if (std::exchange(toldJournalLost_, true))
        return;
    notices_.tell("The tape is on, but Tavrol32 cannot keep it safe on disk while it runs: if Tavrol32 ended "
                  "unexpectedly now, the tape would be lost. It is printed as usual when you switch it off.\r\r"
        + why);
}

void QtTapePrinter::printLine(std::string_view line)
{
    pages_.back().emplace_back(line);
    if (journalLost_)
        return;
    if (!journal_.isOpen())
        openJournal();
    if (journal_.isOpen() && !journal_.appendLine(line))
        journalLost(journal_.path() + ": a line could not be written");
}

void QtTapePrinter::newPage()
{
    pages_.emplace_back();
    if (journal_.isOpen() && !journalLost_)
        journal_.appendPageBreak();
}

void QtTapePrinter::endDocument()
{
    TapePages tape = std::exchange(pages_, TapePages(1));
    TapeJournal journal = std::exchange(journal_, TapeJournal());
    journalLost_ = false;
    if (blank(tape)) {
        journal.remove();
        return; // a tape switched on and off again with nothing on it prints no blank sheet
    }
    finish(std::move(tape), std::move(journal));
}

void QtTapePrinter::finish(TapePages tape, TapeJournal journal)
{
    LongTapeChoice choice = LongTapeChoice::Print;
    const long long pages = countPages(readerOf(tape), tapeLayout(face_, points_));
    if (pages > kPagesWithoutAsking)
        choice = notices_.unattended() || !chooser_ ? LongTapeChoice::SaveAsPdf : chooser_(static_cast<int>(pages));
    // A signal while the question was open leaves nobody to answer it.
    if (notices_.unattended() && choice == LongTapeChoice::Discard)
        choice = LongTapeChoice::SaveAsPdf;
    switch (choice) {
    case LongTapeChoice::Discard:
        journal.remove();
        destination_.clear();
        return;
    case LongTapeChoice::SaveAsPdf:
        saveAsPdf(tape, std::move(journal), {});
        return;
    case LongTapeChoice::Print:
        submit(std::move(tape), std::move(journal));
        return;
    }
}

void QtTapePrinter::submit(TapePages tape, TapeJournal journal)
{
    auto job = std::make_unique<Job>();
    job->tape = std::move(tape);
    job->journal = std::move(journal);
    QString why;
    const QString lp = findLp(why);
    if (lp.isEmpty() || !writeJobFile(job->file, readerOf(job->tape), tapeLayout(face_, points_), why)) {
        saveAsPdf(job->tape, std::move(job->journal), why);
        return;
    }
    Job& started = *jobs_.emplace_back(std::move(job));
    watch(started);
    // The bound runs first: lp may fail to start inside start() itself, which settles the job.
    started.bound.setSingleShot(true);
    started.bound.start(notices_.unattended() ? std::min(bound_, kSubmitAfterSignal) : bound_);
    startLp(started.lp, lp, started.file.fileName());
}

void QtTapePrinter::watch(Job& job)
{
    QObject::connect(&job.lp, &QProcess::finished, &context_, [this, &job](int code, QProcess::ExitStatus how) {
        if (job.done) {
            // Stopped after the bound and now gone: removed from the event loop, not from inside
            // its own signal.
            QMetaObject::invokeMethod(
                &context_, [this] { reap(); }, Qt::QueuedConnection);
            return;
        }
        QString printer;
        const QString why = lpOutcome(job.lp, code, how, printer);
        if (why.isEmpty())
            printed(job, printer);
        else
            failed(job, why);
    });
    QObject::connect(&job.lp, &QProcess::errorOccurred, &context_, [this, &job](QProcess::ProcessError error) {
        if (error == QProcess::FailedToStart && !job.done)
            failed(job, QStringLiteral("lp could not be started: %1.").arg(job.lp.errorString()));
    });
    QObject::connect(&job.bound, &QTimer::timeout, &context_, [this, &job] {
        if (job.done)
            return;
        job.lp.kill();
        failed(job,
            lpTimedOut(
                std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - job.since)));
    });
}

void QtTapePrinter::printed(Job& job, const QString& printer)
{
    settle(job);
    job.journal.remove();
    destination_ = printer;
}

void QtTapePrinter::failed(Job& job, const QString& reason)
{
    settle(job);
    saveAsPdf(job.tape, std::move(job.journal), reason);
}

void QtTapePrinter::settle(Job& job)
{
    job.done = true;
    job.bound.stop();
    QMetaObject::invokeMethod(
        &context_, [this] { reap(); }, Qt::QueuedConnection);
}

void QtTapePrinter::reap()
{
    // Only from the event loop, never inside a job's own signal; a job whose lp was stopped
    // stays until the process is gone.
    jobs_.remove_if([](const auto& job) { return job->done && job->lp.state() == QProcess::NotRunning; });
}

bool QtTapePrinter::pending() const
{
    return leftOvers_.running() || std::any_of(jobs_.begin(), jobs_.end(), [](const auto& job) { return !job->done; });
}

void QtTapePrinter::waitForJobs()
{
    while (pending())
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    notices_.tellNow();
}

void QtTapePrinter::saveAsPdf(const TapePages& tape, TapeJournal journal, const QString& reason)
{
    const QString folder = documentsFolder();
    QString why;
    const QString file = savePdf(readerOf(tape), tapeLayout(face_, points_), folder, why);
    const QString because = reason.isEmpty() ? QString() : QStringLiteral("\r\r") + reason;
    if (file.isEmpty()) {
        destination_.clear();
        QString text
            = QStringLiteral("The tape could not be printed, and no PDF file could be written in %1.").arg(folder);
        if (journal.isOpen()) {
            text += QStringLiteral(" It is kept, and Tavrol32 will try again when it next starts.");
            kept_.push_back(std::move(journal)); // locked until this program ends
        }
        notices_.tell((text + because + QStringLiteral("\r\r") + why).toStdString());
        return;
    }
    journal.remove();
    destination_ = file;
    const QString what = reason.isEmpty() ? QStringLiteral("The tape was saved as a PDF file:")
                                          : QStringLiteral("No printer took the tape, so it was saved as a PDF file:");
    notices_.tell((what + QLatin1Char('\r') + file + because).toStdString());
}

void QtTapePrinter::setUnattended()
{
    notices_.setUnattended();
    leftOvers_.hurry();
    for (const auto& job : jobs_) {
        if (!job->done && job->bound.remainingTimeAsDuration() > kSubmitAfterSignal)
            job->bound.start(kSubmitAfterSignal);
    }
}

void QtTapePrinter::finishLeftOvers()
{
    keptForStart_ = notices_.takeKept();
    leftOvers_.start(
        { notices_.stateFolder(), tapeLayout(face_, points_), documentsFolder(), bound_, kPagesWithoutAsking },
        [this](const LeftoverOutcome& outcome) { leftOversDone(outcome); });
}

void QtTapePrinter::stopLeftOvers()
{
    leftOvers_.stop();
}

void QtTapePrinter::leftOversDone(const LeftoverOutcome& outcome)
{
    if (!outcome.saved.empty())
        destination_ = outcome.saved.back();
    else if (!outcome.printedOn.empty())
        destination_ = outcome.printedOn.back();
    std::vector<std::string> parts = std::exchange(keptForStart_, {});
    if (parts.size() > kNoticesAtStart) {
        for (std::size_t i = kNoticesAtStart; i < parts.size(); ++i)
            std::cerr << "tavrol32: " << parts[i] << '\n';
        const std::size_t more = parts.size() - kNoticesAtStart;
        parts.resize(kNoticesAtStart);
        parts.push_back("And " + std::to_string(more) + " more messages from earlier runs, written to standard error.");
    }
    if (const std::string told = describe(outcome); !told.empty())
        parts.push_back(told);
    std::string text;
    for (const std::string& part : parts)
        text += (text.empty() ? "" : "\r\r") + part;
    if (!text.empty())
        notices_.tell(std::move(text));
}

} // namespace tavrol::qt
