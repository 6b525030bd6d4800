// One entry of the session's log (a dice key press, an "=", or a programmed key press) and the
// ways it is written: the log file's CSV fields, and one line of text for the log window, the
// clipboard and the tape.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tavrol {

struct LogEntry {
    std::int64_t time = 0; // seconds since the epoch
    int utcOffset = 0; // seconds east of UTC, where and when the entry was made
    std::string keys; // what was pressed, as a reader presses it: "3 d6", "Fireball (3 d6 + 2 =)"
    std::string dice; // every die rolled, separated by blanks
    std::string result; // the number the display showed: "11"
    std::string message; // what the status line showed with it ("Divide by Zero"), or ""
    std::string programmedKey; // the caption of the programmed key pressed; "" for other keys
    std::string recorded; // the keys in the recorded code ("3x+2="), to press them again
    // The share of rolls of the same keys, in per cent, that come out at or below the result;
    // nothing where no dice were rolled.
    std::optional<double> percentile;
    bool exact = false; // the percentile is from the exact odds, not an estimate
};

// Sets the entry's time to now, with the local offset from UTC.
void stampNow(LogEntry& entry);

// The log file's columns, in order: time (ISO 8601 with the UTC offset), keys, dice, result,
// percentile (0 to 100), then whether the percentile is exact, the status line's message, the
// programmed key's caption and the recorded keys.
const std::vector<std::string>& logColumns();

std::vector<std::string> logFields(const LogEntry& entry);
// Nothing when the fields are not those of an entry (a time that is no ISO 8601 time).
std::optional<LogEntry> entryFromFields(const std::vector<std::string>& fields);

// "2026-03-01T20:15:03+01:00"; Z is not used, so the offset always shows.
std::string isoTime(std::int64_t time, int utcOffset);
// Reads that form, with Z for UTC or an offset with or without its colon.
bool readIsoTime(std::string_view text, std::int64_t& time, int& utcOffset);

// The local date of a moment, "2026-03-01", as the entry's own clock showed it.
std::string localDate(std::int64_t time, int utcOffset);

// The entry as one line: "20:15:03  3 d6, dice 4 2 5, result 11, percentile about 62". The date
// goes before the time when it is not `today` (a localDate). At most `mostDice` dice are written
// out, then how many there were in all.
std::string entryLine(const LogEntry& entry, std::string_view today, std::size_t mostDice = SIZE_MAX);

// A percentile as the CSV column has it: a number from 0 to 100 with at most four decimals.
std::string percentileText(double percent);

// Many entries, each packed into little more than its text, for a log of a hundred thousand.
class PackedEntry {
public:
    explicit PackedEntry(const LogEntry& entry);
    LogEntry unpack() const;
    std::int64_t time() const { return time_; }
    // The percentile, once it is known.
    void setPercentile(std::optional<double> percent, bool exact);

private:
    std::int64_t time_;
    std::int32_t utcOffset_;
    float percentile_; // NaN for none
    bool exact_;
    std::string text_; // the text fields, each ended by a unit separator
};

} // namespace tavrol
