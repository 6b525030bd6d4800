// The session's log as a list for the log window: one row an entry, oldest first, each shown as
// its one line of text. About a log file's worth of entries are kept (a hundredth more at most);
// the oldest go first.
#pragma once

#include "platform/log_file.h"
#include "programs/log_entry.h"

#include <QAbstractListModel>
#include <algorithm>
#include <cstdint>
#include <deque>
#include <optional>
#include <vector>

namespace tavrol::qt {

class LogModel : public QAbstractListModel {
public:
    // The line with every die written out (copy, print, search); the display role shows a few.
    static constexpr int kFullLineRole = Qt::UserRole + 1;
    // Dice written out in a row of the list; a roll of thousands would make one row of pages.
    static constexpr std::size_t kDiceShown = 60;

    explicit LogModel(std::size_t mostEntries = LogFile::kMostRecords, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

    // Adds an entry after the others; returns its serial number, which names it for good.
    std::int64_t append(const LogEntry& entry);
    // Entries older than every one here, read from the log file.
    void prepend(std::vector<PackedEntry> older);
    void setPercentile(std::int64_t serial, std::optional<double> percent, bool exact);
    void clear();

    LogEntry entry(int row) const;
    // The full line of an entry, as kFullLineRole gives it.
    QString fullLine(int row) const;

private:
    std::optional<std::size_t> rowOf(std::int64_t serial) const;
    void dropOldest();

    std::deque<PackedEntry> entries_;
    std::int64_t firstSerial_ = 0; // of entries_.front(); lower for entries prepended
    std::size_t most_;
};

} // namespace tavrol::qt
