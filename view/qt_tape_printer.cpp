#include "view/qt_tape_printer.h"

#include "platform/xdg_paths.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QFont>
#include <QFontDatabase>
#include <QFontMetricsF>
#include <QLocale>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QStringList>
#include <QTemporaryFile>
#include <QTimer>
#include <algorithm>
#include <iostream>

namespace tavrol::qt {
namespace {

const QString kTitle = QStringLiteral("Tavrol32 tape");
// Wide enough for any printer's unprintable border, so the sign column is never cut off, also
// when the PDF written instead is printed later.
constexpr qreal kMarginMm = 15;
constexpr int kDotsPerInch = 1200;

// A line wider than the page goes on over several lines. Each break follows the last item that
// fits, so no number is split and the blanks before the next item go with it: the dice of a
// large roll stay in the columns of the dice above them.
QStringList fitted(const QString& line, qsizetype columns)
{
    QStringList parts;
    qsizetype start = 0;
    while (line.size() - start > columns) {
        qsizetype cut = columns;
        while (cut > 0 && !(line[start + cut] == QLatin1Char(' ') && line[start + cut - 1] != QLatin1Char(' ')))
            --cut;
        if (cut == 0)
            cut = columns; // one item wider than the page: it is cut where the page ends
        parts << line.mid(start, cut);
        start += cut;
    }
    parts << line.mid(start);
    return parts;
}

bool evenPitch(const QFont& font)
{
    const QFontMetricsF metrics(font);
    const qreal width = metrics.horizontalAdvance(QLatin1Char('0'));
    return std::ranges::all_of(
        QStringLiteral(" il-.M<*>"), [&](QChar c) { return qFuzzyCompare(metrics.horizontalAdvance(c), width); });
}

// Letter where the locale measures in inches, A4 elsewhere: the printer's own paper cannot be
// asked for without talking to the print system, and it fits a PDF to its paper anyway.
QPageSize paper()
{
    return QPageSize(QLocale().measurementSystem() == QLocale::ImperialUSSystem ? QPageSize::Letter : QPageSize::A4);
}

// Every PDF of a tape, measured or written, is set up alike, so the pages counted are the pages
// painted.
void setUp(QPdfWriter& writer)
{
    writer.setTitle(kTitle);
    writer.setCreator(QStringLiteral("Tavrol32"));
    writer.setResolution(kDotsPerInch);
    writer.setPageSize(paper());
    writer.setPageMargins(QMarginsF(kMarginMm, kMarginMm, kMarginMm, kMarginMm), QPageLayout::Millimeter);
}

// The documents folder file for a tape; never one that is already there, so a second tape in
// the same second does not overwrite the first.
QString freePdfName(const QString& folder)
{
    const QString stem = kTitle + QDateTime::currentDateTime().toString(" yyyy-MM-dd hh-mm-ss");
    QString file = QDir(folder).filePath(stem + ".pdf");
    for (int n = 2; QFileInfo::exists(file); ++n)
        file = QDir(folder).filePath(QStringLiteral("%1 (%2).pdf").arg(stem).arg(n));
    return file;
}

// The queue lp named in "request id is office-12 (1 file(s))".
QString queueOf(const QString& said)
{
    static const QRegularExpression request(QStringLiteral("request id is (\\S+)-\\d+"));
    const QRegularExpressionMatch match = request.match(said);
    return match.hasMatch() ? match.captured(1) : QStringLiteral("the default printer");
}

} // namespace

// A tape laid out on its pages: what is counted before printing is what is painted.
struct QtTapePrinter::Sheet {
    QFont font;
    qreal ascent = 0;
    qreal step = 0;
    std::vector<QStringList> pages;
};

// One tape on its way to the printer: lp running on a temporary PDF, and a timer that stops it.
struct QtTapePrinter::Job {
    Sheet sheet;
    TapeJournal journal;
    bool leftOver = false;
    QTemporaryFile file;
    QProcess lp;
    QTimer bound;
    bool done = false;
};

QtTapePrinter::QtTapePrinter(MessageBox& messages, std::string stateFolder)
    : messages_(messages)
    , stateFolder_(std::move(stateFolder))
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

void QtTapePrinter::printLine(std::string_view line)
{
    pages_.back().emplace_back(line);
    if (journalLost_)
        return;
    std::string error;
    if (!journal_.isOpen())
        journal_ = TapeJournal::start(stateFolder_, error);
    if (journal_.isOpen() && journal_.appendLine(line))
        return;
    // The tape goes on from memory, so only a crash could lose it now; the user learns that on
    // standard error rather than from a box in the middle of a calculation.
    std::cerr << "tavrol32: the running tape is not kept on disk ("
              << (error.empty() ? journal_.path() + ": a line could not be written" : error) << ")\n";
    journalLost_ = true;
}

void QtTapePrinter::newPage()
{
    pages_.emplace_back();
    if (journal_.isOpen() && !journalLost_)
        journal_.appendPageBreak();
}

QFont QtTapePrinter::tapeFont() const
{
    QFont font(QString::fromStdString(face_));
    font.setStyleHint(QFont::TypeWriter);
    font.setFixedPitch(true);
    // The columns need every character as wide as the next: a face that is proportional gives way
    // to the system's fixed-pitch font. The widths are measured, because the font's own claim to
    // a fixed pitch is missing from some monospaced faces.
    if (!evenPitch(font))
        font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    font.setPointSizeF(points_);
    return font;
}

QtTapePrinter::Sheet QtTapePrinter::layOut(const TapePages& tape) const
{
    QBuffer nowhere;
    QPdfWriter measure(&nowhere);
    setUp(measure);
    Sheet sheet;
    sheet.font = tapeFont();
    const QFontMetricsF metrics(sheet.font, &measure);
    const QRectF area = measure.pageLayout().paintRectPixels(measure.resolution());
    const auto columns = std::max<qsizetype>(1, static_cast<qsizetype>(area.width() / metrics.horizontalAdvance('0')));
    sheet.ascent = metrics.ascent();
    sheet.step = metrics.lineSpacing();
    const auto perPage = std::max<qsizetype>(
        1, static_cast<qsizetype>((area.height() - metrics.ascent() - metrics.descent()) / sheet.step) + 1);
    for (const auto& page : tape) {
        if (page.empty())
            continue; // a page that was ended with nothing on it wastes no paper
        sheet.pages.emplace_back();
        for (const std::string& line : page) {
            for (const QString& part : fitted(QString::fromStdString(line), columns)) {
                if (sheet.pages.back().size() == perPage)
                    sheet.pages.emplace_back();
                sheet.pages.back() << part;
            }
        }
    }
    return sheet;
}

void QtTapePrinter::endDocument()
{
    TapePages tape = std::exchange(pages_, TapePages(1));
    TapeJournal journal = std::exchange(journal_, TapeJournal());
    journalLost_ = false;
    if (std::all_of(tape.begin(), tape.end(), [](const auto& page) { return page.empty(); })) {
        journal.remove();
        return; // a tape switched on and off again with nothing on it prints no blank sheet
    }
    finish(tape, std::move(journal), false);
}

void QtTapePrinter::finish(const TapePages& tape, TapeJournal journal, bool leftOver)
{
    Sheet sheet = layOut(tape);
    LongTapeChoice choice = LongTapeChoice::Print;
    if (std::ssize(sheet.pages) > kPagesWithoutAsking)
        choice = unattended_ || !chooser_ ? LongTapeChoice::SaveAsPdf : chooser_(static_cast<int>(sheet.pages.size()));
    // A signal while the question was open leaves nobody to answer it.
    if (unattended_ && choice == LongTapeChoice::Discard)
        choice = LongTapeChoice::SaveAsPdf;
    switch (choice) {
    case LongTapeChoice::Discard:
        journal.remove();
        destination_.clear();
        return;
    case LongTapeChoice::SaveAsPdf:
        saveAsPdf(sheet, std::move(journal), leftOver, {});
        return;
    case LongTapeChoice::Print:
        submit(std::move(sheet), std::move(journal), leftOver);
        return;
    }
}

void QtTapePrinter::submit(Sheet sheet, TapeJournal journal, bool leftOver)
{
    // lp, not Qt's own path to the print system: Qt asks the print system for its default
    // printer on the event thread, which hangs with a server that never answers, and it drops a
    // job that the queue refuses without a word. lp picks the default destination itself and
    // says when there is none.
    const QString lp = QStandardPaths::findExecutable(QStringLiteral("lp"));
    if (lp.isEmpty()) {
        saveAsPdf(sheet, std::move(journal), leftOver,
            QStringLiteral("There is no lp command to hand it to the print system (it comes with the cups-client "
                           "package)."));
        return;
    }
    auto job = std::make_unique<Job>();
    job->file.setFileTemplate(QDir::temp().filePath(QStringLiteral("tavrol32-tape-XXXXXX.pdf")));
    bool written = job->file.open();
    if (written) {
        QPdfWriter writer(&job->file);
        setUp(writer);
        written = paint(sheet, writer);
    }
    if (!written || !job->file.flush()) {
        saveAsPdf(sheet, std::move(journal), leftOver,
            QStringLiteral("No temporary file for the print job could be written in %1.").arg(QDir::tempPath()));
        return;
    }
    job->sheet = std::move(sheet);
    job->journal = std::move(journal);
    job->leftOver = leftOver;

    Job& started = *job;
    QObject::connect(&started.lp, &QProcess::finished, &context_, [this, &started](int code, QProcess::ExitStatus how) {
        if (started.done) {
            // Stopped after the bound and now gone: removed from the event loop, not from inside
            // its own signal.
            QMetaObject::invokeMethod(
                &context_, [this] { reap(); }, Qt::QueuedConnection);
            return;
        }
        if (how == QProcess::NormalExit && code == 0) {
            printed(started, QString::fromLocal8Bit(started.lp.readAllStandardOutput()));
            return;
        }
        QString said = QString::fromLocal8Bit(started.lp.readAllStandardError()).simplified();
        for (const QString& name : { started.lp.program(), QStringLiteral("lp") })
            if (said.startsWith(name + QStringLiteral(": ")))
                said.remove(0, name.size() + 2); // "lp: Destination office is not accepting jobs."
        failed(started,
            said.isEmpty() ? QStringLiteral("lp ended without taking it (status %1).").arg(code)
                           : QStringLiteral("The print system said: %1").arg(said));
    });
    QObject::connect(&started.lp, &QProcess::errorOccurred, &context_, [this, &started](QProcess::ProcessError error) {
        if (error == QProcess::FailedToStart && !started.done)
            failed(started, QStringLiteral("lp could not be started: %1.").arg(started.lp.errorString()));
    });
    started.bound.setSingleShot(true);
    started.bound.setInterval(bound_);
    QObject::connect(&started.bound, &QTimer::timeout, &context_, [this, &started] {
        if (started.done)
            return;
        started.lp.kill();
        failed(started,
            QStringLiteral("The print system did not answer within %1 s, so lp was stopped.")
                .arg(started.bound.interval() / 1000.0));
    });
    jobs_.push_back(std::move(job));
    // The bound runs first: lp may fail to start inside start() itself, which settles the job.
    started.bound.start();
    started.lp.setStandardInputFile(QProcess::nullDevice());
    started.lp.start(lp, { QStringLiteral("-t"), kTitle, QStringLiteral("--"), started.file.fileName() });
}

void QtTapePrinter::printed(Job& job, const QString& said)
{
    settle(job);
    job.journal.remove();
    destination_ = queueOf(said);
    if (job.leftOver)
        tell(QStringLiteral("The tape that was still running when Tavrol32 last ended has been printed on %1.")
                 .arg(destination_)
                 .toStdString());
}

void QtTapePrinter::failed(Job& job, const QString& reason)
{
    settle(job);
    saveAsPdf(job.sheet, std::move(job.journal), job.leftOver, reason);
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
    return std::any_of(jobs_.begin(), jobs_.end(), [](const auto& job) { return !job->done; });
}

void QtTapePrinter::waitForJobs()
{
    while (pending())
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    if (!telling_)
        tellNow();
}

void QtTapePrinter::saveAsPdf(const Sheet& sheet, TapeJournal journal, bool leftOver, const QString& reason)
{
    QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (folder.isEmpty() || !QDir().mkpath(folder))
        folder = QDir::homePath();
    const QString file = freePdfName(folder);
    bool written = false;
    {
        QPdfWriter writer(file);
        setUp(writer);
        written = paint(sheet, writer);
    }
    const QString because = reason.isEmpty() ? QString() : QStringLiteral("\r\r") + reason;
    if (!written) {
        QFile::remove(file);
        destination_.clear();
        QString text
            = QStringLiteral("The tape could not be printed, and no PDF file could be written in %1.").arg(folder);
        if (journal.isOpen()) {
            text += QStringLiteral(" It is kept, and Tavrol32 will try again when it next starts.");
            kept_.push_back(std::move(journal)); // locked until this program ends
        }
        tell((text + because).toStdString());
        return;
    }
    journal.remove();
    destination_ = file;
    QString what;
    if (!reason.isEmpty())
        what = QStringLiteral("No printer took %1, so it was saved as a PDF file:")
                   .arg(leftOver ? QStringLiteral("the tape that was still running when Tavrol32 last ended")
                                 : QStringLiteral("the tape"));
    else if (leftOver)
        what = QStringLiteral("The tape that was still running when Tavrol32 last ended was saved as a PDF file:");
    else
        what = QStringLiteral("The tape was saved as a PDF file:");
    tell((what + QLatin1Char('\r') + file + because).toStdString());
}

void QtTapePrinter::tell(const std::string& text)
{
    if (!unattended_) {
        untold_.push_back(text);
        // Shown from the event loop, so no box opens inside a handler of lp or of the model.
        QMetaObject::invokeMethod(
            &context_, [this] { tellNow(); }, Qt::QueuedConnection);
        return;
    }
    std::string plain = text;
    std::replace(plain.begin(), plain.end(), '\r', '\n');
    std::cerr << "tavrol32: " << plain << '\n';
    keepNotice(stateFolder_, text);
}

void QtTapePrinter::tellNow()
{
    if (telling_)
        return;
    telling_ = true;
    while (!untold_.empty()) {
        const std::string text = std::move(untold_.front());
        untold_.pop_front();
        if (unattended_) {
            tell(text);
            continue;
        }
        messages_.information("Tavrol32", text);
        if (unattended_)
            keepNotice(stateFolder_, text); // the box was closed by the signal, perhaps unread
    }
    telling_ = false;
}

void QtTapePrinter::setUnattended()
{
    unattended_ = true;
    while (!untold_.empty() && !telling_) {
        tell(untold_.front());
        untold_.pop_front();
    }
}

void QtTapePrinter::finishLeftOvers()
{
    for (const std::string& notice : takeNotices(stateFolder_))
        tell(notice);
    for (TapeJournal& journal : TapeJournal::adoptOrphans(stateFolder_)) {
        const TapePages tape = journal.tape();
        finish(tape, std::move(journal), true);
    }
}

bool QtTapePrinter::writePdf(const TapePages& tape, QIODevice& device) const
{
    QPdfWriter writer(&device);
    setUp(writer);
    return paint(layOut(tape), writer);
}

bool QtTapePrinter::paint(const Sheet& sheet, QPdfWriter& writer)
{
    QPainter painter;
    if (!painter.begin(&writer))
        return false;
    painter.setFont(sheet.font);
    bool first = true;
    for (const QStringList& page : sheet.pages) {
        if (!first && !writer.newPage())
            return false;
        first = false;
        qreal y = sheet.ascent;
        for (const QString& line : page) {
            painter.drawText(QPointF(0, y), line);
            y += sheet.step;
        }
    }
    return painter.end();
}

} // namespace tavrol::qt
