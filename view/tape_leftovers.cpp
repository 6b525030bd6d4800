#include "view/tape_leftovers.h"

#include "platform/posix_file.h"
#include "view/tape_lp.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryFile>
#include <ctime>
#include <limits>
#include <set>

namespace tavrol::qt {
namespace {

const QString kStill = QStringLiteral("still running when Tavrol32 last ended");

QString folderOf(const std::string& path)
{
    return QFileInfo(QString::fromStdString(path)).absolutePath();
}

QString printedText(const std::vector<QString>& printers)
{
    const std::set<QString> distinct(printers.begin(), printers.end());
    const QString where = QStringList(distinct.begin(), distinct.end()).join(QStringLiteral(", "));
    if (printers.size() == 1)
        return QStringLiteral("The tape that was %1 has been printed on %2.").arg(kStill, where);
    return QStringLiteral("%1 tapes that were %2 have been printed on %3.").arg(printers.size()).arg(kStill, where);
}

QString savedText(const LeftoverOutcome& outcome)
{
    const auto& saved = outcome.saved;
    const bool refused = !outcome.notPrinted.isEmpty();
    QString text;
    if (saved.size() == 1)
        text = (refused ? QStringLiteral("No printer took the tape that was %1, so it was saved as a PDF file:")
                        : QStringLiteral("The tape that was %1 was saved as a PDF file:"))
                   .arg(kStill)
            + QLatin1Char('\r') + saved.front();
    else
        text = QStringLiteral("%1 tapes that were %2 were saved as PDF files in %3.")
                   .arg(saved.size())
                   .arg(kStill, QFileInfo(saved.front()).absolutePath());
    return refused ? text + QStringLiteral("\r\r") + outcome.notPrinted : text;
}

QString setAsideText(const std::vector<std::string>& files, const QString& because)
{
    const QString text = files.size() == 1
        ? QStringLiteral("The tape that was %1 could not be printed or saved as a PDF file, so its lines are kept "
                         "in the text file:\r%2")
              .arg(kStill, QString::fromStdString(files.front()))
        : QStringLiteral("%1 tapes that were %2 could not be printed or saved as PDF files, so their lines are "
                         "kept as text files in %3.")
              .arg(files.size())
              .arg(kStill, folderOf(files.front()));
    return because.isEmpty() ? text : text + QStringLiteral("\r\r") + because;
}

QString tooLongText(const std::vector<std::string>& files)
{
    if (files.size() == 1)
        return QStringLiteral("The tape that was %1 is too long to print or save as a PDF file; its lines are kept "
                              "in the text file:\r%2")
            .arg(kStill, QString::fromStdString(files.front()));
    return QStringLiteral("%1 tapes that were %2 are too long to print or save as PDF files; their lines are kept "
                          "as text files in %3.")
        .arg(files.size())
        .arg(kStill, folderOf(files.front()));
}

} // namespace

std::string describe(const LeftoverOutcome& outcome)
{
    QStringList parts;
    if (!outcome.printedOn.empty())
        parts << printedText(outcome.printedOn);
    if (!outcome.saved.empty())
        parts << savedText(outcome);
    if (!outcome.setAside.empty())
        parts << setAsideText(outcome.setAside, outcome.notSaved);
    if (!outcome.tooLong.empty())
        parts << tooLongText(outcome.tooLong);
    return parts.join(QStringLiteral("\r\r")).toStdString();
}

LeftoverTapes::~LeftoverTapes()
{
    stop();
    if (thread_.joinable())
        thread_.join();
}

void LeftoverTapes::stop()
{
    stop_ = true;
    hurry_ = true;
}

void LeftoverTapes::start(Setup setup, std::function<void(const LeftoverOutcome&)> done)
{
    if (running_ || thread_.joinable())
        return; // once a run
    running_ = true;
    thread_ = std::thread([this, setup = std::move(setup), done = std::move(done)] {
        auto outcome = std::make_shared<LeftoverOutcome>();
        work(setup, *outcome);
        QMetaObject::invokeMethod(
            &context_,
            [this, outcome, done] {
                running_ = false;
                done(*outcome);
            },
            Qt::QueuedConnection);
    });
}

void LeftoverTapes::work(const Setup& setup, LeftoverOutcome& outcome)
{
    // Only what no live program holds.
    removeAbandonedJobFiles();
    posix::removeAbandoned(QFile::encodeName(setup.documents).toStdString(), posix::PendingFile::isPendingName,
        std::numeric_limits<std::time_t>::max());
    lp_ = findLp(outcome.notPrinted);
    pagesLeftToPrint_ = setup.pagesToPrint;
    TapeJournal::adoptOrphans(
        setup.stateFolder, [&](TapeJournal journal) { return !stop_ && finishOne(setup, journal, outcome); });
}

// False when the work is to stop; the journal then stays for the next start.
bool LeftoverTapes::finishOne(const Setup& setup, TapeJournal& journal, LeftoverOutcome& outcome)
{
    if (journal.size() > kLargestTape) {
        const std::string aside = journal.setAside();
        outcome.tooLong.push_back(aside.empty() ? journal.path() : aside);
        return true;
    }
    const TapeReader tape = readerOf(journal);
    const long long pages = countPages(tape, setup.layout);
    QString why;
    if (pages < 0) {
        why = QStringLiteral("Its journal %1 could not be read.").arg(QString::fromStdString(journal.path()));
    } else if (print(setup, tape, pages, outcome)) {
        journal.remove();
        return true;
    } else if (stop_) {
        return false;
    } else if (const QString file = savePdf(tape, setup.layout, setup.documents, why, &stop_); !file.isEmpty()) {
        outcome.saved.push_back(file);
        journal.remove();
        return true;
    } else if (stop_) {
        return false;
    }
    outcome.notSaved = why;
    const std::string aside = journal.setAside();
    outcome.setAside.push_back(aside.empty() ? journal.path() : aside);
    return true;
}

// Prints the tape when lp is there and has taken every tape so far, and the pages printed at
// start stay within those nobody had to be asked for.
bool LeftoverTapes::print(const Setup& setup, const TapeReader& tape, long long pages, LeftoverOutcome& outcome)
{
    if (lp_.isEmpty() || !outcome.notPrinted.isEmpty() || pages > pagesLeftToPrint_)
        return false;
    QTemporaryFile job;
    QString why;
    QString printer;
    if (writeJobFile(job, tape, setup.layout, why, &stop_))
        why = runLp(lp_, job.fileName(), setup.lpBound, hurry_, printer);
    if (!why.isEmpty()) {
        if (!stop_)
            outcome.notPrinted = why; // the rest go straight to PDF files
        return false;
    }
    pagesLeftToPrint_ -= pages;
    outcome.printedOn.push_back(printer);
    return true;
}

} // namespace tavrol::qt
