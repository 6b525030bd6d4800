// Handing a tape's PDF to the print system's lp command. lp, not Qt's own path to the print
// system: Qt asks the print system for its default printer on the event thread, which hangs with
// a server that never answers, and it drops a job that the queue refuses without a word. lp picks
// the default destination itself and says when there is none.
#pragma once

#include "view/tape_pdf.h"

#include <QProcess>
#include <QString>
#include <QTemporaryFile>
#include <chrono>

namespace tavrol::qt {

// After a quit signal lp gets no longer than this before the tape is saved as a PDF instead: a
// log-out does not wait for a printer.
inline constexpr std::chrono::milliseconds kSubmitAfterSignal { 2000 };

// The lp command on the PATH, or "" with `why` saying so.
QString findLp(QString& why);

// Writes the tape into `file`, a new temporary PDF "tavrol32-tape-XXXXXX.pdf" for lp, locked for as
// long as it is open so that a start clearing the temporary folder leaves it alone. False with
// `why` when it could not be written.
bool writeJobFile(QTemporaryFile& file, const TapeReader& tape, const TapeLayout& layout, QString& why,
    const StopFlag* stop = nullptr);

// Removes the job files that programs killed while lp had them left in the temporary folder:
// only this program's, only when no live program holds them.
void removeAbandonedJobFiles();

// Starts lp on the job file, with nothing on its standard input.
void startLp(QProcess& lp, const QString& command, const QString& file);

// What lp's end means: "" when it took the job, `printer` then being the queue it named;
// otherwise why it did not, for the user.
QString lpOutcome(QProcess& lp, int code, QProcess::ExitStatus how, QString& printer);

// Why lp was stopped after `bound`.
QString lpTimedOut(std::chrono::milliseconds bound);

// Runs lp to its end on a thread without an event loop: at most `bound`, and no more than
// kSubmitAfterSignal once `hurry` is set. "" when it took the job, with `printer` set.
QString runLp(const QString& command, const QString& file, std::chrono::milliseconds bound, const StopFlag& hurry,
    QString& printer);

} // namespace tavrol::qt
