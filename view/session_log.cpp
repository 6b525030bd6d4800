#include "view/session_log.h"

#include "platform/csv.h"
#include "programs/roll_percentile.h"
#include "shell/frmTavrol.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <algorithm>
#include <iostream>
#include <utility>

namespace tavrol::qt {
namespace {

constexpr std::string_view kJournalKind = "log";
// Records of the journal: an entry on its way ("+" and its row), and the oldest entry on its way
// now in the log ("-").
constexpr char kOnItsWay = '+';
constexpr char kWritten = '-';

std::string row(const LogEntry& entry)
{
    std::string text = csv::record(logFields(entry));
    text.resize(text.size() - 2); // the journal ends its records itself
    return text;
}

// Writes the entries that journals of programs gone before still held on their way; a journal
// goes once its entries are in the log, and stays for the next start when they cannot be.
void recoverJournals(const std::string& folder, LogFile& file)
{
    const auto recover = [&file](TapeJournal journal) {
        std::vector<std::string> lines;
        if (!journal.read([&lines](std::string_view line) { lines.emplace_back(line); }, [] {}))
            return true; // unreadable now: it stays for the next start
        auto written = std::count(lines.begin(), lines.end(), std::string(1, kWritten));
        bool kept = true;
        for (const std::string& line : lines) {
            if (line.empty() || line[0] != kOnItsWay || written-- > 0)
                continue;
            // A record cut short by a crash reads as no record, and is left out.
            const auto fields = csv::parseLine(std::string_view(line).substr(1));
            if (fields && entryFromFields(*fields))
                kept = kept && file.append(*fields);
        }
        if (kept)
            journal.remove();
        return true;
    };
    TapeJournal::adoptOrphans(folder, recover, kJournalKind);
}

QString fileName(const std::string& path)
{
    return QFileInfo(QString::fromStdString(path)).fileName();
}

} // namespace

struct SessionLog::Loaded {
    std::vector<PackedEntry> entries;
    LogFile::Contents contents;
};

SessionLog::SessionLog(frmTavrol& form, std::string stateFolder)
    : form_(form)
    , folder_(std::move(stateFolder))
    , file_(folder_, "log", logColumns())
    , recorder_([this](LogEntry entry, std::optional<RollQuestion> roll) { add(std::move(entry), std::move(roll)); })
{
    pool_.setMaxThreadCount(1); // one roll after another: the entries are written in their order anyway
    form_.pressObserver = &recorder_;
    load();
}

SessionLog::~SessionLog()
{
    form_.pressObserver = nullptr;
    pool_.waitForDone();
    QCoreApplication::sendPostedEvents(this, QEvent::MetaCall); // the percentiles just worked out
}

bool SessionLog::settled() const
{
    return loaded_ && (queue_.empty() || failing_);
}

void SessionLog::load()
{
    pool_.start([this] {
        auto loaded = std::make_shared<Loaded>();
        recoverJournals(folder_, file_);
        loaded->contents = file_.read([&loaded](std::vector<std::string>& fields) {
            const auto entry = entryFromFields(fields);
            if (entry)
                loaded->entries.emplace_back(*entry);
            return entry.has_value();
        });
        QMetaObject::invokeMethod(
            this, [this, loaded] { loadedFrom(*loaded); }, Qt::QueuedConnection);
    });
}

void SessionLog::loadedFrom(Loaded& loaded)
{
    model_.prepend(std::move(loaded.entries));
    const LogFile::Contents& contents = loaded.contents;
    QStringList notes;
    if (!contents.error.empty())
        notes << QStringLiteral("The log could not be read (%1).").arg(QString::fromStdString(contents.error));
    if (!contents.setAside.empty())
        notes << QStringLiteral("%1 was no log Tavrol32 writes, so it was kept as %2 and a new log begun.")
                     .arg(fileName(file_.path()), QString::fromStdString(contents.setAside));
    if (contents.unreadable > 0)
        notes << QStringLiteral("Lines of %1 that could not be read: %2. They stay in the file but are not shown.")
                     .arg(fileName(file_.path()))
                     .arg(contents.unreadable);
    loaded_ = true;
    readNote_ = notes.join(QLatin1Char(' '));
    if (onStatus)
        onStatus(); // read, with or without a word to say about it
    flush();
}

void SessionLog::add(LogEntry entry, std::optional<RollQuestion> roll)
{
    const std::int64_t serial = model_.append(entry);
    queue_.push_back({ serial, std::move(entry), roll.has_value() });
    if (roll) {
        pool_.start([this, serial, generation = generation_, question = std::move(*roll)] {
            const auto percentile = percentileOf(question.before, question.keys, question.shown);
            QMetaObject::invokeMethod(
                this, [this, serial, generation, percentile] { percentileKnown(serial, generation, percentile); },
                Qt::QueuedConnection);
        });
    }
    // Most entries go straight to the file; one that must wait is kept meanwhile.
    if (!loaded_ || roll || queue_.size() > 1)
        journal(queue_.back());
    // Bounded, also while the disk refuses every entry: the oldest go as in the file itself.
    if (queue_.size() > LogFile::kMostRecords)
        queue_.pop_front();
    flush();
}

void SessionLog::journal(Pending& pending)
{
    std::string error;
    if (!journal_.isOpen())
        journal_ = TapeJournal::start(folder_, error, kJournalKind);
    pending.journaled = journal_.isOpen() && journal_.appendLine(kOnItsWay + row(pending.entry));
}

void SessionLog::flush()
{
    while (loaded_ && !queue_.empty() && !queue_.front().waiting) {
        Pending& next = queue_.front();
        if (!file_.append(logFields(next.entry))) {
            writeFailed();
            return;
        }
        if (next.journaled)
            journal_.appendLine(std::string(1, kWritten));
        queue_.pop_front();
        if (std::exchange(failing_, false))
            setStatus(writeProblem_, {});
    }
    if (queue_.empty())
        journal_.remove();
}

void SessionLog::writeFailed()
{
    if (failing_)
        return; // told once; each new entry tries again, and nothing tries in a loop
    failing_ = true;
    const QString text = QStringLiteral("The log cannot be written (%1). Its entries are kept while Tavrol32 runs "
                                        "and written as soon as it can be.")
                             .arg(QString::fromStdString(file_.error()));
    std::cerr << "tavrol32: " << text.toStdString() << '\n';
    setStatus(writeProblem_, text);
    // From the event loop: the entry was made inside a key's handler.
    QMetaObject::invokeMethod(
        this, [this, text] { form_.ports().messages.information("Tavrol32", text.toStdString()); },
        Qt::QueuedConnection);
}

void SessionLog::percentileKnown(std::int64_t serial, unsigned generation, const std::optional<Percentile>& percentile)
{
    if (generation != generation_)
        return;
    const auto found
        = std::find_if(queue_.begin(), queue_.end(), [serial](const Pending& p) { return p.serial == serial; });
    if (found == queue_.end())
        return;
    if (percentile) {
        found->entry.percentile = percentile->percent;
        found->entry.exact = percentile->exact;
    }
    found->waiting = false;
    model_.setPercentile(serial, found->entry.percentile, found->entry.exact);
    flush();
}

bool SessionLog::clear()
{
    if (!loaded_)
        return false;
    ++generation_;
    queue_.clear();
    journal_.remove();
    model_.clear();
    const bool cleared = file_.clear();
    failing_ = false;
    setStatus(writeProblem_, cleared ? QString() : QString::fromStdString(file_.error()));
    setStatus(readNote_, {});
    return cleared;
}

QString SessionLog::status() const
{
    QStringList parts;
    for (const QString* part : { &writeProblem_, &readNote_ })
        if (!part->isEmpty())
            parts << *part;
    return parts.join(QLatin1Char(' '));
}

void SessionLog::setStatus(QString& part, const QString& text)
{
    if (part == text)
        return;
    part = text;
    if (onStatus)
        onStatus();
}

} // namespace tavrol::qt
