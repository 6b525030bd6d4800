#include "programs/odds_figures.h"

#include <algorithm>
#include <cmath>

namespace tavrol {
namespace {

// Sums of many small probabilities are off in their last digits: a share this close to a
// percentile's rank reaches it. Exact ties (1 d20: 1 in 20 rolls shows 1) must not miss by a
// rounding error, and no real gap between two totals is as small.
constexpr double kRankTolerance = 1e-9;

bool allWhole(const std::vector<std::pair<double, double>>& shown)
{
    return std::all_of(shown.begin(), shown.end(),
        [](const auto& entry) { return entry.first == std::floor(entry.first) && std::abs(entry.first) < 1e15; });
}

} // namespace

ShownOdds ShownOdds::exactOdds()
{
    return ShownOdds();
}

ShownOdds ShownOdds::estimate(long long presses)
{
    ShownOdds odds;
    odds.exact_ = false;
    odds.presses_ = presses;
    return odds;
}

void ShownOdds::addShown(double shown, double weight)
{
    shown_.emplace_back(shown == 0 ? 0.0 : shown, weight); // the display shows no sign on zero
    shownWeight_ += weight;
}

void ShownOdds::addOverflow(double weight)
{
    overflowWeight_ += weight;
    overflowPossible_ = true;
}

void ShownOdds::finish()
{
    std::sort(shown_.begin(), shown_.end());
    std::vector<std::pair<double, double>> joined;
    for (const auto& entry : shown_) {
        if (!joined.empty() && joined.back().first == entry.first)
            joined.back().second += entry.second;
        else
            joined.push_back(entry);
    }
    shown_ = std::move(joined);
}

bool ShownOdds::fixed() const
{
    if (!exact_)
        return false;
    return (shown_.size() == 1 && !overflowPossible_) || (shown_.empty() && overflowPossible_);
}

std::optional<double> ShownOdds::average() const
{
    if (shownWeight_ <= 0)
        return std::nullopt;
    double sum = 0;
    for (const auto& [value, weight] : shown_)
        sum += value * weight;
    return sum / shownWeight_;
}

std::optional<double> ShownOdds::percentile(double percent) const
{
    if (shownWeight_ <= 0)
        return std::nullopt;
    const double rank = (percent / 100 - kRankTolerance) * shownWeight_;
    double below = 0;
    for (const auto& [value, weight] : shown_) {
        below += weight;
        if (weight > 0 && below >= rank)
            return value;
    }
    return shown_.back().first;
}

std::optional<double> ShownOdds::least() const
{
    if (shown_.empty())
        return std::nullopt;
    return shown_.front().first;
}

std::optional<double> ShownOdds::greatest() const
{
    if (shown_.empty())
        return std::nullopt;
    return shown_.back().first;
}

std::optional<double> ShownOdds::shareAtOrBelow(double shown) const
{
    if (shownWeight_ <= 0)
        return std::nullopt;
    double below = 0;
    for (const auto& [value, weight] : shown_) {
        if (value > shown)
            break;
        below += weight;
    }
    return std::min(1.0, below / shownWeight_);
}

double ShownOdds::overflowShare() const
{
    const double all = shownWeight_ + overflowWeight_;
    return all > 0 ? overflowWeight_ / all : 0;
}

ShownOdds ShownOdds::joined(const std::vector<ShownOdds>& estimates)
{
    ShownOdds all = estimate(0);
    for (const ShownOdds& part : estimates) {
        all.shown_.insert(all.shown_.end(), part.shown_.begin(), part.shown_.end());
        all.shownWeight_ += part.shownWeight_;
        all.overflowWeight_ += part.overflowWeight_;
        all.overflowPossible_ = all.overflowPossible_ || part.overflowPossible_;
        all.presses_ += part.presses_;
    }
    all.finish();
    return all;
}

double OddsChart::position(double value) const
{
    return to > from ? (value - from) / (to - from) : 0.5;
}

std::optional<OddsChart> chartOf(const ShownOdds& odds, int mostBars)
{
    if (odds.fixed() || !odds.average() || mostBars < 1)
        return std::nullopt;
    OddsChart chart;
    chart.average = *odds.average();
    chart.low = *odds.percentile(5);
    chart.high = *odds.percentile(95);
    double lo = *odds.least();
    double hi = *odds.greatest();
    const bool whole = allWhole(odds.shown());
    if (!whole || hi - lo + 1 > mostBars) {
        lo = *odds.percentile(0.1);
        hi = *odds.percentile(99.9);
    }
    if (lo == hi) {
        lo = *odds.least();
        hi = *odds.greatest();
    }
    if (!whole && hi <= lo)
        return std::nullopt; // one number, and overflows: nothing to draw
    // Whole numbers: each slice holds `width` of them, each number in the middle of its place.
    std::size_t count = static_cast<std::size_t>(mostBars);
    double width = (hi - lo) / mostBars;
    chart.from = lo;
    if (whole) {
        const double numbers = hi - lo + 1;
        width = std::ceil(numbers / mostBars);
        count = static_cast<std::size_t>(std::ceil(numbers / width));
        chart.from = lo - 0.5;
    }
    chart.to = chart.from + width * static_cast<double>(count);
    chart.bars.assign(count, 0.0);
    const double all = [&odds] {
        double sum = 0;
        for (const auto& entry : odds.shown())
            sum += entry.second;
        return sum / (1 - odds.overflowShare());
    }();
    for (const auto& [value, weight] : odds.shown()) {
        if (value < chart.from || value > chart.to)
            continue;
        const auto slice = static_cast<std::size_t>(std::floor((value - chart.from) / width));
        chart.bars[std::min(slice, count - 1)] += weight / all;
    }
    return chart;
}

} // namespace tavrol
