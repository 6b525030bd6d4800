#include "view/tape_lp.h"

#include "platform/posix_file.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QStandardPaths>
#include <algorithm>
#include <ctime>
#include <sys/file.h>

namespace tavrol::qt {
namespace {

constexpr std::string_view kJobPrefix = "tavrol32-tape-";
constexpr std::string_view kJobSuffix = ".pdf";

// The queue lp named in "request id is office-12 (1 file(s))".
QString queueOf(const QString& said)
{
    static const QRegularExpression request(QStringLiteral("request id is (\\S+)-\\d+"));
    const QRegularExpressionMatch match = request.match(said);
    return match.hasMatch() ? match.captured(1) : QStringLiteral("the default printer");
}

} // namespace

QString findLp(QString& why)
{
    const QString lp = QStandardPaths::findExecutable(QStringLiteral("lp"));
    if (lp.isEmpty())
        why = QStringLiteral(
            "There is no lp command to hand it to the print system (it comes with the cups-client package).");
    return lp;
}

bool writeJobFile(
    QTemporaryFile& file, const TapeReader& tape, const TapeLayout& layout, QString& why, const StopFlag* stop)
{
    file.setFileTemplate(
        QDir::temp().filePath(QString::fromUtf8(kJobPrefix) + "XXXXXX" + QString::fromUtf8(kJobSuffix)));
    if (!file.open() || ::flock(file.handle(), LOCK_EX | LOCK_NB) != 0 || !writePdf(tape, layout, file, stop)
        || !file.flush()) {
        why = QStringLiteral("No temporary file for the print job could be written in %1.").arg(QDir::tempPath());
        return false;
    }
    return true;
}

void removeAbandonedJobFiles()
{
    const auto isJobFile = [](std::string_view name) {
        return name.size() == kJobPrefix.size() + 6 + kJobSuffix.size() && name.starts_with(kJobPrefix)
            && name.ends_with(kJobSuffix);
    };
    // Not one made this second either: its maker takes the lock just after making it.
    posix::removeAbandoned(QFile::encodeName(QDir::tempPath()).toStdString(), isJobFile, std::time(nullptr));
}

void startLp(QProcess& lp, const QString& command, const QString& file)
{
    lp.setStandardInputFile(QProcess::nullDevice());
    lp.start(command, { QStringLiteral("-t"), QStringLiteral("Tavrol32 tape"), QStringLiteral("--"), file });
}

QString lpOutcome(QProcess& lp, int code, QProcess::ExitStatus how, QString& printer)
{
    if (how == QProcess::NormalExit && code == 0) {
        printer = queueOf(QString::fromLocal8Bit(lp.readAllStandardOutput()));
        return {};
    }
    QString said = QString::fromLocal8Bit(lp.readAllStandardError()).simplified();
    for (const QString& name : { lp.program(), QStringLiteral("lp") })
        if (said.startsWith(name + QStringLiteral(": ")))
            said.remove(0, name.size() + 2); // "lp: Destination office is not accepting jobs."
    return said.isEmpty() ? QStringLiteral("lp ended without taking it (status %1).").arg(code)
                          : QStringLiteral("The print system said: %1").arg(said);
}

QString lpTimedOut(std::chrono::milliseconds bound)
{
    return QStringLiteral("The print system did not answer within %1 s, so lp was stopped.")
        .arg(QString::number(static_cast<double>(bound.count()) / 1000.0, 'g', 2));
}

QString runLp(const QString& command, const QString& file, std::chrono::milliseconds bound, const StopFlag& hurry,
    QString& printer)
{
    QProcess lp;
    startLp(lp, command, file);
    if (!lp.waitForStarted())
        return QStringLiteral("lp could not be started: %1.").arg(lp.errorString());
    using Clock = std::chrono::steady_clock;
    const auto start = Clock::now();
    auto deadline = start + bound;
    bool hurried = false;
    while (lp.state() != QProcess::NotRunning && !lp.waitForFinished(100)) {
        if (hurry && !hurried) {
            hurried = true;
            deadline = std::min(deadline, Clock::now() + kSubmitAfterSignal);
        }
        if (Clock::now() >= deadline) {
            lp.kill();
            lp.waitForFinished(1000);
            return lpTimedOut(std::chrono::duration_cast<std::chrono::milliseconds>(deadline - start));
        }
    }
    return lpOutcome(lp, lp.exitCode(), lp.exitStatus(), printer);
}

} // namespace tavrol::qt
