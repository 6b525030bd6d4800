#include "view/log_model.h"

namespace tavrol::qt {
namespace {

// Today as the entries' dates are written, so that today's entries show their time alone.
std::string today()
{
    LogEntry now;
    stampNow(now);
    return localDate(now.time, now.utcOffset);
}

} // namespace

LogModel::LogModel(std::size_t mostEntries, QObject* parent)
    : QAbstractListModel(parent)
    , most_(mostEntries)
{
}

int LogModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(entries_.size());
}

QVariant LogModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= rowCount())
        return {};
    switch (role) {
    case Qt::DisplayRole:
    case Qt::AccessibleTextRole:
    case Qt::ToolTipRole: // the whole row where it is cut short
        return QString::fromStdString(entryLine(entry(index.row()), today(), kDiceShown));
    case kFullLineRole:
        return fullLine(index.row());
    default:
        return {};
    }
}

std::int64_t LogModel::append(const LogEntry& entry)
{
    const int row = rowCount();
    beginInsertRows({}, row, row);
    entries_.emplace_back(entry);
    endInsertRows();
    const std::int64_t serial = firstSerial_ + row;
    dropOldest();
    return serial;
}

void LogModel::prepend(std::vector<PackedEntry> older)
{
    const std::size_t room = most_ > entries_.size() ? most_ - entries_.size() : 0;
    const std::size_t taken = std::min(room, older.size());
    if (taken == 0)
        return;
    beginInsertRows({}, 0, static_cast<int>(taken) - 1);
    // The newest of them, when not all fit.
    entries_.insert(entries_.begin(), std::make_move_iterator(older.end() - static_cast<std::ptrdiff_t>(taken)),
        std::make_move_iterator(older.end()));
    firstSerial_ -= static_cast<std::int64_t>(taken);
    endInsertRows();
}

void LogModel::dropOldest()
{
    // A hundredth more at a time: taking rows off the top costs the view time in proportion to
    // all the rows, so it is done once in many entries rather than with each.
    if (entries_.size() <= most_ + std::max<std::size_t>(1, most_ / 100))
        return;
    const int extra = static_cast<int>(entries_.size() - most_);
    beginRemoveRows({}, 0, extra - 1);
    entries_.erase(entries_.begin(), entries_.begin() + extra);
    firstSerial_ += extra;
    endRemoveRows();
}

std::optional<std::size_t> LogModel::rowOf(std::int64_t serial) const
{
    const std::int64_t row = serial - firstSerial_;
    if (row < 0 || row >= static_cast<std::int64_t>(entries_.size()))
        return std::nullopt;
    return static_cast<std::size_t>(row);
}

void LogModel::setPercentile(std::int64_t serial, std::optional<double> percent, bool exact)
{
    const auto row = rowOf(serial);
    if (!row)
        return; // cleared, or gone past the bound
    entries_[*row].setPercentile(percent, exact);
    const QModelIndex changed = index(static_cast<int>(*row));
    emit dataChanged(changed, changed);
}

void LogModel::clear()
{
    beginResetModel();
    firstSerial_ += static_cast<std::int64_t>(entries_.size());
    entries_.clear();
    endResetModel();
}

LogEntry LogModel::entry(int row) const
{
    return entries_.at(static_cast<std::size_t>(row)).unpack();
}

QString LogModel::fullLine(int row) const
{
    return QString::fromStdString(entryLine(entry(row), today()));
}

} // namespace tavrol::qt
