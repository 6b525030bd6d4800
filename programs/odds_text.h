// What a programmed key will do, in words: its recorded keys as a reader would press them, the
// tally of what many presses of it showed, and the description that joins the two.
#pragma once

#include <map>
#include <optional>
#include <string>
#include <string_view>

namespace tavrol {

// The recorded keys as their captions, blank-separated, consecutive digits and points joined
// into one number: "3x+2=" reads "3 d6 + 2 =". Characters that playback skips are left out.
std::string readableCommand(std::string_view command);

// What the display showed after each of many presses of a key, and how many overflowed.
class OddsTally {
public:
    void addShown(double value);
    void addOverflow();
    // The press drew no dice, so this one press tells what every press shows.
    void markFixed() { fixed_ = true; }
    // Adds the presses of another part of the same key's replays. Fixed parts all show the same,
    // so a fixed part stands for the whole.
    void merge(const OddsTally& other);

    bool fixed() const { return fixed_; }
    long long presses() const { return shownCount_ + overflows_; }
    long long overflows() const { return overflows_; }
    // The mean of the shown values; nothing when every press overflowed.
    std::optional<double> average() const;
    // The nearest-rank percentile (1 to 100) of the shown values: the least value that at least
    // `percent`% of them do not exceed.
    std::optional<double> percentile(int percent) const;
    std::optional<double> least() const;
    std::optional<double> greatest() const;

private:
    std::map<double, long long> shown_; // value -> presses that showed it
    long long shownCount_ = 0;
    long long overflows_ = 0;
    double sum_ = 0;
    bool fixed_ = false;
};

// One line on what the key shows: "Shows 5", or "Average 12.5; 90% of rolls 8 to 17; seen 5 to
// 20", with the share of rolls that overflow the display when there are any.
std::string oddsLine(const OddsTally& tally);

inline constexpr std::string_view kOddsPending = "Working out the odds...";
inline constexpr std::string_view kNotProgrammed = "Not programmed";

// A programmable key's description: its caption, its keys as read, and `odds` (an oddsLine, or
// kOddsPending while they are worked out).
std::string programmedKeyDescription(std::string_view caption, std::string_view command, std::string_view odds);

} // namespace tavrol
