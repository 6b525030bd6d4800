#include "platform/qt/qt_tape_printer.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QFont>
#include <QFontDatabase>
#include <QFontMetricsF>
#include <QPainter>
#include <QPrinter>
#include <QPrinterInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QStringList>
#include <QTemporaryFile>
#include <algorithm>

namespace tavrol::qt {
namespace {

const QString kTitle = QStringLiteral("Tavrol32 tape");
// Wide enough for any printer's unprintable border, so the sign column is never cut off, also
// when the PDF written instead is printed later.
constexpr qreal kMarginMm = 15;
constexpr int kLpWaitMs = 60'000;

// A line wider than the page goes on over several lines. Each break follows the last item that
// fits, so no number is split and the blanks before the next item go with it: the dice of a
// large roll stay in the columns of the dice above them.
QStringList fitted(QString line, qsizetype columns)
{
    QStringList parts;
    while (line.size() > columns) {
        qsizetype cut = columns;
        while (cut > 0 && !(line[cut] == QLatin1Char(' ') && line[cut - 1] != QLatin1Char(' ')))
            --cut;
        if (cut == 0)
            cut = columns; // one item wider than the page: it is cut where the page ends
        parts << line.left(cut);
        line.remove(0, cut);
    }
    parts << line;
    return parts;
}

bool evenPitch(const QFont& font)
{
    const QFontMetricsF metrics(font);
    const qreal width = metrics.horizontalAdvance(QLatin1Char('0'));
    return std::ranges::all_of(
        QStringLiteral(" il-.M<*>"), [&](QChar c) { return qFuzzyCompare(metrics.horizontalAdvance(c), width); });
}

void setMargins(QPrinter& printer)
{
    printer.setPageMargins(QMarginsF(kMarginMm, kMarginMm, kMarginMm, kMarginMm), QPageLayout::Millimeter);
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

} // namespace

QtTapePrinter::QtTapePrinter(MessageBox& messages)
    : messages_(messages)
{
}

void QtTapePrinter::newPage()
{
    pages_.emplace_back();
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

bool QtTapePrinter::paint(QPrinter& printer, const Pages& job) const
{
    setMargins(printer);
    QPainter painter;
    if (!painter.begin(&printer))
        return false;
    const QFont font = tapeFont();
    painter.setFont(font);
    const QFontMetricsF metrics(font, &printer);
    const QRectF area = printer.pageLayout().paintRectPixels(printer.resolution());
    const auto columns = std::max<qsizetype>(1, static_cast<qsizetype>(area.width() / metrics.horizontalAdvance('0')));
    const qreal step = metrics.lineSpacing();
    bool first = true;
    for (const auto& page : job) {
        if (page.empty())
            continue; // a page that was ended with nothing on it wastes no paper
        if (!first && !printer.newPage())
            return false;
        first = false;
        qreal y = metrics.ascent();
        for (const std::string& line : page) {
            for (const QString& part : fitted(QString::fromStdString(line), columns)) {
                if (y + metrics.descent() > area.height()) {
                    if (!printer.newPage())
                        return false;
                    y = metrics.ascent();
                }
                painter.drawText(QPointF(0, y), part);
                y += step;
            }
        }
    }
    return painter.end();
}

QString QtTapePrinter::printOn(const QPrinterInfo& system, const Pages& job) const
{
    // Qt's own path to CUPS drops a job that the queue refuses without a word, and the tape would
    // be lost; lp says so. Only where there is no lp is Qt's path taken.
    const QString lp = QStandardPaths::findExecutable(QStringLiteral("lp"));
    if (lp.isEmpty()) {
        QPrinter printer(system, QPrinter::HighResolution);
        printer.setDocName(kTitle);
        return paint(printer, job) ? QString() : QStringLiteral("the job could not be started");
    }
    QTemporaryFile file(QDir::temp().filePath(QStringLiteral("tavrol32-tape-XXXXXX.pdf")));
    if (!file.open())
        return QStringLiteral("no temporary file could be written");
    file.close();
    QPrinter pdf(QPrinter::HighResolution);
    pdf.setOutputFormat(QPrinter::PdfFormat);
    pdf.setOutputFileName(file.fileName());
    pdf.setDocName(kTitle);
    if (system.defaultPageSize().isValid())
        pdf.setPageSize(system.defaultPageSize());
    if (!paint(pdf, job))
        return QStringLiteral("the job could not be written");

    QProcess submit;
    submit.start(lp, { "-d", system.printerName(), "-t", kTitle, "--", file.fileName() });
    if (!submit.waitForFinished(kLpWaitMs)) {
        submit.kill();
        submit.waitForFinished();
        return QStringLiteral("the print system did not answer");
    }
    if (submit.exitStatus() == QProcess::NormalExit && submit.exitCode() == 0)
        return {};
    QString said = QString::fromLocal8Bit(submit.readAllStandardError()).simplified();
    if (said.startsWith(lp + ": "))
        said.remove(0, lp.size() + 2); // "/usr/bin/lp: Destination ... is not accepting jobs."
    return said.isEmpty() ? QStringLiteral("lp failed") : said;
}

void QtTapePrinter::saveAsPdf(const Pages& job, const QString& printerName, const QString& failure)
{
    QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (folder.isEmpty() || !QDir().mkpath(folder))
        folder = QDir::homePath();
    const QString file = freePdfName(folder);
    QPrinter pdf(QPrinter::HighResolution);
    pdf.setOutputFormat(QPrinter::PdfFormat);
    pdf.setOutputFileName(file);
    pdf.setDocName(kTitle);
    if (!paint(pdf, job)) {
        destination_.clear();
        messages_.information("Tavrol32",
            "The tape could not be printed, and no PDF file could be written in " + folder.toStdString() + ".");
        return;
    }
    destination_ = file;
    const QString why = printerName.isEmpty()
        ? QStringLiteral("No printer took the tape")
        : QStringLiteral("The printer %1 did not take the tape (%2)").arg(printerName, failure);
    messages_.information("Tavrol32", (why + ", so it was saved as a PDF file:\r" + file).toStdString());
}

void QtTapePrinter::endDocument()
{
    Pages job;
    job.swap(pages_);
    pages_.emplace_back();
    if (std::all_of(job.begin(), job.end(), [](const auto& page) { return page.empty(); }))
        return; // a tape switched on and off again with nothing on it prints no blank sheet

    const QPrinterInfo system = QPrinterInfo::defaultPrinter();
    if (system.isNull()) {
        saveAsPdf(job, {}, {});
        return;
    }
    const QString failure = printOn(system, job);
    if (failure.isEmpty())
        destination_ = system.printerName();
    else
        saveAsPdf(job, system.printerName(), failure);
}

} // namespace tavrol::qt
