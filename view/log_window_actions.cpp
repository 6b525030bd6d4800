// The log window's commands: roll again, copy, export, print and clear.
#include "platform/csv.h"
#include "platform/utf8.h"
#include "programs/log_entry.h"
#include "shell/frmTavrol.h"
#include "view/log_model.h"
#include "view/log_window.h"
#include "view/session_log.h"
#include "view/tape_pdf.h"

#include <QClipboard>
#include <QDate>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QItemSelectionModel>
#include <QSaveFile>
#include <QStandardPaths>
#include <QTableView>
#include <algorithm>

namespace tavrol::qt {
namespace {

QString entriesText(std::size_t count)
{
    return count == 1 ? QStringLiteral("1 entry") : QStringLiteral("%1 entries").arg(count);
}

} // namespace

std::vector<int> LogWindow::selectedRows() const
{
    std::vector<int> rows;
    for (const QModelIndex& index : list_->selectionModel()->selectedRows())
        rows.push_back(filtered_.mapToSource(index).row());
    if (rows.empty() && list_->currentIndex().isValid())
        rows.push_back(filtered_.mapToSource(list_->currentIndex()).row());
    std::sort(rows.begin(), rows.end());
    return rows;
}

std::vector<LogEntry> LogWindow::entries(Which which) const
{
    std::vector<LogEntry> chosen;
    if (which == Which::Selected) {
        for (const int row : selectedRows())
            chosen.push_back(log_.model().entry(row));
        return chosen;
    }
    const int rows = log_.model().rowCount();
    chosen.reserve(static_cast<std::size_t>(rows));
    for (int row = 0; row < rows; ++row)
        chosen.push_back(log_.model().entry(row));
    return chosen;
}

void LogWindow::rollAgain()
{
    const QModelIndex current = list_->currentIndex();
    if (!current.isValid())
        return;
    if (!pressKeysOf(log_.model().entry(filtered_.mapToSource(current).row())))
        showNote(QStringLiteral("That entry has no keys to press again."));
}

// The programmed key when one still holds the entry's keys under its caption; otherwise the keys
// themselves, one after the other, as the key once pressed them.
bool LogWindow::pressKeysOf(const LogEntry& entry)
{
    if (!entry.programmedKey.empty()) {
        for (int i = 0; i < kProgrammableKeys; ++i) {
            CommandButton& key = *form_.btnCustom[programmableKey(i)];
            if (key.enabled() && key.caption() == entry.programmedKey && key.tag() == entry.recorded) {
                key.click();
                return true;
            }
        }
    }
    std::vector<CommandButton*> keys;
    for (const std::string& code : utf8::codePoints(entry.recorded))
        if (const auto press = keyForCode(code))
            keys.push_back(form_.key(*press));
    if (keys.empty())
        return false;
    for (CommandButton* key : keys)
        if (key && key->enabled()) // as a click on a disabled key does nothing
            key->click();
    return true;
}

void LogWindow::copySelection()
{
    QStringList lines;
    for (const int row : selectedRows())
        lines << log_.model().fullLine(row);
    if (lines.isEmpty())
        return;
    QGuiApplication::clipboard()->setText(lines.join(QLatin1Char('\n')));
    showNote(QStringLiteral("Copied %1.").arg(entriesText(static_cast<std::size_t>(lines.size()))));
}

bool LogWindow::exportEntries(Which which, Format format)
{
    const std::vector<LogEntry> chosen = entries(which);
    if (chosen.empty())
        return false;
    const bool csv = format == Format::Csv;
    QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (folder.isEmpty())
        folder = QDir::homePath();
    const QString suggested = QDir(folder).filePath(
        QStringLiteral("Tavrol32 log %1.%2")
            .arg(QDate::currentDate().toString(Qt::ISODate), csv ? QStringLiteral("csv") : QStringLiteral("pdf")));
    const QString file = chooseFile_(QStringLiteral("Export the log"), suggested,
        csv ? QStringLiteral("CSV files (*.csv)") : QStringLiteral("PDF files (*.pdf)"));
    if (file.isEmpty())
        return false;
    // Written beside the file and renamed over it once whole: a failure leaves what was there.
    QSaveFile out(file);
    bool written = out.open(QIODevice::WriteOnly);
    if (written && csv) {
        std::string text = csv::record(logColumns());
        for (const LogEntry& entry : chosen)
            text += csv::record(logFields(entry));
        written = out.write(text.data(), static_cast<qint64>(text.size())) == static_cast<qint64>(text.size());
    } else if (written) {
        TapePages pages(1);
        for (const LogEntry& entry : chosen)
            pages.front().push_back(entryLine(entry, {})); // dated, every one: the file outlives the day
        // Painted as the tape is, in the face and size the tape switches on with.
        written = writePdf(readerOf(pages), tapeLayout("Courier New", 10), out);
    }
    if (!written || !out.commit()) {
        showNote(QStringLiteral("The log could not be saved as %1: %2").arg(file, out.errorString()));
        return false;
    }
    showNote(QStringLiteral("Saved %1 in %2.").arg(entriesText(chosen.size()), file));
    return true;
}

void LogWindow::printSelection()
{
    const std::vector<int> rows = selectedRows();
    if (rows.empty())
        return;
    LinePrinter& printer = form_.ports().printer;
    for (const int row : rows)
        printer.printLine(log_.model().fullLine(row).toStdString());
    // A running tape takes them among its own lines; otherwise they are a job of their own.
    const bool running = form_.tapeOn();
    if (!running)
        printer.endDocument();
    showNote(QString::fromLatin1(running ? "Added %1 to the running tape." : "Sent %1 to the printer.")
                 .arg(entriesText(rows.size())));
}

void LogWindow::clearLog()
{
    const int count = log_.model().rowCount();
    if (count == 0)
        return;
    const QString question = QStringLiteral("Remove all %1 from the log, here and in %2? This cannot be undone. "
                                            "Entries moved earlier to %3 stay there.")
                                 .arg(entriesText(static_cast<std::size_t>(count)), QString::fromStdString(log_.path()),
                                     QFileInfo(QString::fromStdString(log_.olderPath())).fileName());
    if (!confirm_(QStringLiteral("Clear the log"), question))
        return;
    showNote(log_.clear() ? QStringLiteral("The log was cleared.") : QString());
}

} // namespace tavrol::qt
