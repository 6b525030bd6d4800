// What a press of a programmed key leaves on the display, as a distribution: the numbers it can
// show with their probabilities (exact) or their shares of many presses (an estimate), the presses
// that overflow the display, and the figures the odds are told and drawn with.
#pragma once

#include <optional>
#include <utility>
#include <vector>

namespace tavrol {

class ShownOdds {
public:
    // A distribution is built by adding what presses show, then finished. Weights are
    // probabilities for exact odds and numbers of presses for an estimate; an outcome of weight 0
    // can happen but is too rare for a double to weigh (it still counts in least and greatest).
    static ShownOdds exactOdds();
    static ShownOdds estimate(long long presses);
    void addShown(double shown, double weight);
    void addOverflow(double weight);
    // Sorts the numbers and joins equal ones; call once, after the last add.
    void finish();

    bool exact() const { return exact_; }
    long long presses() const { return presses_; } // of an estimate; 0 for exact odds
    // Every press shows the same (the key draws no dice, or its dice cannot change the result).
    bool fixed() const;
    bool anyShown() const { return shownWeight_ > 0 || !shown_.empty(); }
    // The shown numbers, lowest first, each with its weight.
    const std::vector<std::pair<double, double>>& shown() const { return shown_; }

    // Over the presses that show a number. Nothing when none does.
    std::optional<double> average() const;
    // The nearest-rank percentile (1 to 100): the least number that at least `percent`% of the
    // presses show or stay below.
    std::optional<double> percentile(double percent) const;
    // The least and greatest number a press can show (an estimate: was seen to show).
    std::optional<double> least() const;
    std::optional<double> greatest() const;

    // For a log of presses: the share (0 to 1) of presses showing a number that show `shown` or
    // less, that is, how high a press that showed `shown` ranks. Exact when exact() is; nothing
    // when no press shows a number.
    std::optional<double> shareAtOrBelow(double shown) const;

    // The share of all presses that overflow the display.
    double overflowShare() const;

    // The presses of several estimates of the same key, as one estimate.
    static ShownOdds joined(const std::vector<ShownOdds>& estimates);

private:
    std::vector<std::pair<double, double>> shown_;
    double shownWeight_ = 0;
    double overflowWeight_ = 0;
    bool overflowPossible_ = false;
    bool exact_ = true;
    long long presses_ = 0;
};

// A small bar chart of the shown numbers: equal slices of the numbers from `from` to `to`, each
// bar the share of presses that land in it. Numbers that all are whole get slices of whole
// numbers (one bar a number when they are few). A wide distribution is drawn between its 0.1th
// and 99.9th percentiles, where there is anything to see.
struct OddsChart {
    double from = 0;
    double to = 0;
    std::vector<double> bars;
    double average = 0;
    double low = 0; // the 90% of rolls: 5th to 95th percentile
    double high = 0;
    // Where a number lies across the chart, from 0 (left edge) to 1 (right edge).
    double position(double value) const;
};

// Nothing when the key shows no number, or always the same one.
std::optional<OddsChart> chartOf(const ShownOdds& odds, int mostBars);

} // namespace tavrol
