#include "programs/log_entry.h"

#include "calculator/number_text.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <ctime>

namespace tavrol {
namespace {

constexpr char kUnitSeparator = '\x1f';

// Fields stand on one line of the log file, and a packed entry splits at its separator.
std::string oneLine(std::string_view text)
{
    std::string line(text);
    std::replace_if(
        line.begin(), line.end(), [](char c) { return c == '\r' || c == '\n' || c == kUnitSeparator; }, ' ');
    return line;
}

std::tm civil(std::int64_t time, int utcOffset)
{
    const std::time_t shifted = static_cast<std::time_t>(time + utcOffset);
    std::tm fields {};
    gmtime_r(&shifted, &fields);
    return fields;
}

// Reads `count` digits at `at`, moving past them.
bool digits(std::string_view text, std::size_t& at, std::size_t count, int& value)
{
    if (at + count > text.size())
        return false;
    value = 0;
    for (std::size_t i = 0; i < count; ++i) {
        const char c = text[at + i];
        if (c < '0' || c > '9')
            return false;
        value = value * 10 + (c - '0');
    }
    at += count;
    return true;
}

bool literal(std::string_view text, std::size_t& at, char expected)
{
    if (at >= text.size() || text[at] != expected)
        return false;
    ++at;
    return true;
}

// "Z", "+01:00", "+0100" or "+01" at `at`, to the end of the text.
bool readOffset(std::string_view text, std::size_t at, int& utcOffset)
{
    if (text.substr(at) == "Z") {
        utcOffset = 0;
        return true;
    }
    if (at >= text.size() || (text[at] != '+' && text[at] != '-'))
        return false;
    const int sign = text[at++] == '-' ? -1 : 1;
    int hours = 0;
    int minutes = 0;
    if (!digits(text, at, 2, hours))
        return false;
    if (at < text.size()) {
        literal(text, at, ':');
        if (!digits(text, at, 2, minutes) || at != text.size())
            return false;
    }
    utcOffset = sign * (hours * 3600 + minutes * 60);
    return hours < 24 && minutes < 60;
}

// Per cent as the window writes it: whole, but never rounded to 0 or 100 when that would hide
// the few or the many.
std::string shownPercent(double percent)
{
    const double whole = std::round(percent);
    if ((whole < 1 && percent > 0) || (whole > 99 && percent < 100))
        return numberText(std::round(percent * 10) / 10);
    return numberText(whole);
}

std::string someDice(const std::string& dice, std::size_t mostDice)
{
    std::size_t blank = 0; // after the last die written out
    for (std::size_t shown = 0, from = 0; shown < mostDice; ++shown, from = blank + 1) {
        blank = dice.find(' ', from);
        if (blank == std::string::npos)
            return dice;
    }
    const auto all = std::count(dice.begin(), dice.end(), ' ') + 1;
    return dice.substr(0, blank) + " \u2026 " + std::to_string(all) + " dice in all";
}

} // namespace

void stampNow(LogEntry& entry)
{
    const std::time_t now = std::time(nullptr);
    std::tm local {};
    localtime_r(&now, &local);
    entry.time = now;
    entry.utcOffset = static_cast<int>(local.tm_gmtoff);
}

const std::vector<std::string>& logColumns()
{
    static const std::vector<std::string> columns = { "time", "keys", "dice", "result", "percentile",
        "percentile_exact", "message", "programmed_key", "recorded_keys" };
    return columns;
}

std::vector<std::string> logFields(const LogEntry& entry)
{
    const bool known = entry.percentile.has_value();
    return { isoTime(entry.time, entry.utcOffset), oneLine(entry.keys), oneLine(entry.dice), oneLine(entry.result),
        known ? percentileText(*entry.percentile) : "", known ? (entry.exact ? "yes" : "no") : "",
        oneLine(entry.message), oneLine(entry.programmedKey), oneLine(entry.recorded) };
}

std::optional<LogEntry> entryFromFields(const std::vector<std::string>& fields)
{
    LogEntry entry;
    if (fields.size() != logColumns().size() || !readIsoTime(fields[0], entry.time, entry.utcOffset))
        return std::nullopt;
    entry.keys = oneLine(fields[1]);
    entry.dice = oneLine(fields[2]);
    entry.result = oneLine(fields[3]);
    // A percentile edited into something else is no percentile; the entry stays.
    if (const auto percent = readNumber(fields[4]); percent && *percent >= 0 && *percent <= 100)
        entry.percentile = *percent;
    entry.exact = fields[5] == "yes";
    entry.message = oneLine(fields[6]);
    entry.programmedKey = oneLine(fields[7]);
    entry.recorded = oneLine(fields[8]);
    return entry;
}

std::string isoTime(std::int64_t time, int utcOffset)
{
    const std::tm at = civil(time, utcOffset);
    const int minutes = std::abs(utcOffset) / 60 % (24 * 60); // an offset is under a day
    char text[64];
    std::snprintf(text, sizeof text, "%04d-%02d-%02dT%02d:%02d:%02d%c%02d:%02d", at.tm_year + 1900, at.tm_mon + 1,
        at.tm_mday, at.tm_hour, at.tm_min, at.tm_sec, utcOffset < 0 ? '-' : '+', minutes / 60, minutes % 60);
    return text;
}

bool readIsoTime(std::string_view text, std::int64_t& time, int& utcOffset)
{
    std::tm at {};
    std::size_t i = 0;
    int year = 0;
    int month = 0;
    if (!(digits(text, i, 4, year) && literal(text, i, '-') && digits(text, i, 2, month) && literal(text, i, '-')
            && digits(text, i, 2, at.tm_mday) && literal(text, i, 'T') && digits(text, i, 2, at.tm_hour)
            && literal(text, i, ':') && digits(text, i, 2, at.tm_min) && literal(text, i, ':')
            && digits(text, i, 2, at.tm_sec)))
        return false;
    if (i < text.size() && text[i] == '.') // parts of a second: the log keeps whole seconds
        for (++i; i < text.size() && text[i] >= '0' && text[i] <= '9';)
            ++i;
    if (month < 1 || month > 12 || at.tm_mday < 1 || at.tm_mday > 31 || at.tm_hour > 23 || at.tm_min > 59
        || at.tm_sec > 60 || !readOffset(text, i, utcOffset))
        return false;
    at.tm_year = year - 1900;
    at.tm_mon = month - 1;
    time = static_cast<std::int64_t>(timegm(&at)) - utcOffset;
    return true;
}

std::string localDate(std::int64_t time, int utcOffset)
{
    return isoTime(time, utcOffset).substr(0, 10);
}

std::string entryLine(const LogEntry& entry, std::string_view today, std::size_t mostDice)
{
    const std::string iso = isoTime(entry.time, entry.utcOffset);
    std::string line = iso.substr(0, 10) == today ? iso.substr(11, 8) : iso.substr(0, 10) + " " + iso.substr(11, 8);
    line += "  " + entry.keys;
    if (!entry.dice.empty())
        line += ", dice " + someDice(entry.dice, mostDice);
    if (!entry.result.empty())
        line += ", result " + entry.result;
    if (!entry.message.empty())
        line += ", " + entry.message;
    if (entry.percentile)
        line += std::string(", percentile ") + (entry.exact ? "" : "about ") + shownPercent(*entry.percentile);
    return line;
}

std::string percentileText(double percent)
{
    // Four places: enough to tell one outcome of a wide roll from the next, as a float keeps it.
    return numberText(std::round(std::clamp(percent, 0.0, 100.0) * 10000) / 10000);
}

PackedEntry::PackedEntry(const LogEntry& entry)
    : time_(entry.time)
    , utcOffset_(entry.utcOffset)
    , percentile_(entry.percentile ? static_cast<float>(*entry.percentile) : NAN)
    , exact_(entry.exact)
{
    for (const std::string* field :
        { &entry.keys, &entry.dice, &entry.result, &entry.message, &entry.programmedKey, &entry.recorded }) {
        text_ += oneLine(*field);
        text_ += kUnitSeparator;
    }
    text_.shrink_to_fit();
}

LogEntry PackedEntry::unpack() const
{
    LogEntry entry;
    entry.time = time_;
    entry.utcOffset = utcOffset_;
    if (!std::isnan(percentile_))
        entry.percentile = percentile_;
    entry.exact = exact_;
    std::size_t start = 0;
    for (std::string* field :
        { &entry.keys, &entry.dice, &entry.result, &entry.message, &entry.programmedKey, &entry.recorded }) {
        const std::size_t end = text_.find(kUnitSeparator, start);
        *field = text_.substr(start, end - start);
        start = end + 1;
    }
    return entry;
}

void PackedEntry::setPercentile(std::optional<double> percent, bool exact)
{
    percentile_ = percent ? static_cast<float>(*percent) : NAN;
    exact_ = exact;
}

} // namespace tavrol
