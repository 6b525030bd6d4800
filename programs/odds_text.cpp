#include "programs/odds_text.h"

#include "calculator/number_text.h"
#include "platform/utf8.h"
#include "programs/key_code.h"

#include <algorithm>
#include <cmath>

namespace tavrol {
namespace {

// A value as the display writes it, without the point it always ends in.
std::string shownText(double value)
{
    std::string text = displayPattern(value);
    if (text.ends_with('.'))
        text.pop_back();
    return text;
}

// Whole per cent, never rounded to 0 or 100 when that would hide the few or the many.
std::string shareText(long long part, long long whole)
{
    const long long percent = (part * 100 + whole / 2) / whole;
    if (percent == 0)
        return "under 1%";
    if (percent == 100 && part < whole)
        return "over 99%";
    return std::to_string(percent) + "%";
}

} // namespace

std::string readableCommand(std::string_view command)
{
    std::string text;
    bool inNumber = false;
    for (const std::string& code : utf8::codePoints(command)) {
        const auto key = keyForCode(code);
        if (!key)
            continue;
        const bool digit = key->array == KeyArray::Digit;
        if (!text.empty() && !(digit && inNumber))
            text += ' ';
        text += keyTable(key->array)[static_cast<std::size_t>(key->index)].caption;
        inNumber = digit;
    }
    return text;
}

void OddsTally::addShown(double value)
{
    ++shown_[value == 0 ? 0.0 : value]; // the display shows no sign on zero
    ++shownCount_;
    sum_ += value;
}

void OddsTally::addOverflow()
{
    ++overflows_;
}

void OddsTally::merge(const OddsTally& other)
{
    if (fixed_)
        return;
    if (other.fixed_) {
        *this = other;
        return;
    }
    for (const auto& [value, count] : other.shown_)
        shown_[value] += count;
    shownCount_ += other.shownCount_;
    overflows_ += other.overflows_;
    sum_ += other.sum_;
}

std::optional<double> OddsTally::average() const
{
    if (shownCount_ == 0)
        return std::nullopt;
    return sum_ / static_cast<double>(shownCount_);
}

std::optional<double> OddsTally::percentile(int percent) const
{
    if (shownCount_ == 0)
        return std::nullopt;
    const long long rank = std::max(1LL, (percent * shownCount_ + 99) / 100);
    long long seen = 0;
    for (const auto& [value, count] : shown_) {
        seen += count;
        if (seen >= rank)
            return value;
    }
    return shown_.rbegin()->first;
}

std::optional<double> OddsTally::least() const
{
    if (shown_.empty())
        return std::nullopt;
    return shown_.begin()->first;
}

std::optional<double> OddsTally::greatest() const
{
    if (shown_.empty())
        return std::nullopt;
    return shown_.rbegin()->first;
}

std::string oddsLine(const OddsTally& tally)
{
    if (tally.presses() == 0)
        return std::string(kOddsPending);
    const auto average = tally.average();
    if (tally.fixed())
        return average ? "Shows " + shownText(*average) : "Overflows the display";
    if (!average)
        return "Every roll overflows the display";
    // One decimal: a sample of this size fixes the average no closer than that.
    std::string line = "Average " + shownText(std::round(*average * 10) / 10) + "; 90% of rolls "
        + shownText(*tally.percentile(5)) + " to " + shownText(*tally.percentile(95)) + "; seen "
        + shownText(*tally.least()) + " to " + shownText(*tally.greatest());
    if (tally.overflows() > 0)
        line += "; " + shareText(tally.overflows(), tally.presses()) + " of rolls overflow the display";
    return line;
}

std::string programmedKeyDescription(std::string_view caption, std::string_view command, std::string_view odds)
{
    std::string text(caption);
    if (isProgramKey(caption))
        return text + "\nOpens the programming window";
    const std::string keys = readableCommand(command);
    text += '\n';
    text += keys.empty() ? "Presses no keys" : keys;
    text += '\n';
    text += odds;
    return text;
}

} // namespace tavrol
