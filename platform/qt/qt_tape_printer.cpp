#include "platform/qt/qt_tape_printer.h"

#include <algorithm>

#include <QDateTime>
#include <QDir>
#include <QFont>
#include <QFontMetricsF>
#include <QPainter>
#include <QPrinter>
#include <QPrinterInfo>
#include <QStandardPaths>

namespace tavrol::qt {

QtTapePrinter::QtTapePrinter(MessageBox& messages) : messages_(messages) {}

void QtTapePrinter::newPage()
{
    if (!line_.empty())
        lineEnd();
    pages_.emplace_back();
}

bool QtTapePrinter::printTo(QPrinter& printer, const Pages& job) const
{
    QPainter painter;
    if (!painter.begin(&printer))
        return false;
    QFont font(QString::fromStdString(face_));
    font.setPointSizeF(points_);
    font.setStyleHint(QFont::TypeWriter);  // a fixed pitch keeps the columns
    font.setFixedPitch(true);
    painter.setFont(font);
    const QFontMetricsF metrics(font, &printer);
    const QRectF area = printer.pageLayout().paintRectPixels(printer.resolution());
    const qreal step = metrics.lineSpacing();
    bool first = true;
    for (const auto& page : job) {
        if (page.empty())
            continue;  // a page that was ended with nothing on it wastes no paper
        if (!first && !printer.newPage())
            return false;
        first = false;
        qreal y = metrics.ascent();
        for (const std::string& line : page) {
            if (y + metrics.descent() > area.height()) {
                if (!printer.newPage())
                    return false;
                y = metrics.ascent();
            }
            painter.drawText(QPointF(0, y), QString::fromStdString(line));
            y += step;
        }
    }
    return painter.end();
}

void QtTapePrinter::endDocument()
{
    if (!line_.empty())
        lineEnd();
    Pages job;
    job.swap(pages_);
    pages_.emplace_back();
    if (std::all_of(job.begin(), job.end(), [](const auto& page) { return page.empty(); }))
        return;  // a tape switched on and off again with nothing on it prints no blank sheet

    const QPrinterInfo system = QPrinterInfo::defaultPrinter();
    if (!system.isNull()) {
        QPrinter printer(system, QPrinter::HighResolution);
        printer.setDocName("Tavrol32 tape");
        if (printTo(printer, job)) {
            destination_ = system.printerName();
            return;
        }
    }
    // No printer, or it failed: keep the tape as a PDF rather than lose it.
    QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (folder.isEmpty() || !QDir().mkpath(folder))
        folder = QDir::homePath();
    const QString file = QDir(folder).filePath("Tavrol32 tape " +
                                               QDateTime::currentDateTime().toString("yyyy-MM-dd hh-mm-ss") + ".pdf");
    QPrinter pdf(QPrinter::HighResolution);
    pdf.setOutputFormat(QPrinter::PdfFormat);
    pdf.setOutputFileName(file);
    if (printTo(pdf, job)) {
        destination_ = file;
        messages_.information("Tavrol32", "No printer took the tape, so it was saved as a PDF file:\r" +
                                              file.toStdString());
    } else {
        destination_.clear();
        messages_.information("Tavrol32", "The tape could not be printed, and no PDF file could be written in " +
                                              folder.toStdString() + ".");
    }
}

}  // namespace tavrol::qt
