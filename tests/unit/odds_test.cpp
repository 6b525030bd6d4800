// A programmed key's odds against every way its dice can fall, pressed one by one through a
// real window.
#include "platform/recording_ports.h"
#include "programs/odds.h"
#include "shell/frmTavrol.h"

#include <cmath>
#include <gtest/gtest.h>
#include <map>
#include <string>
#include <vector>

namespace tavrol {
namespace {

// Draws from an equal grid of M points across [0, 1), each in the middle of its cell: with M a
// multiple of every die's number of faces, each face of each die comes up for the same number of
// points, whatever the die and whatever its handler makes of the face. The first draws are
// `prefix`; a press that wants more than that says so.
class GridDice : public RandomSource {
public:
    void reseedFromClock() override { }
    float next() override
    {
        const int cell = at < prefix.size() ? prefix[at] : 0;
        if (at >= prefix.size())
            ranOut = true;
        ++at;
        return (static_cast<float>(cell) + 0.5f) / static_cast<float>(grid);
    }
    int grid = 1;
    std::vector<int> prefix;
    std::size_t at = 0;
    bool ranOut = false;
};

struct GridWindow {
    GridWindow()
    {
        form.Form_Load();
        form.pauser.tick();
    }
    void type(const std::string& command)
    {
        form.CommandLine = command;
        form.keyplay(form.CommandLine);
    }
    MemorySettings settings;
    RecordingPrinter printer;
    RecordingMessageBox messages;
    NullModalHost modal;
    GridDice dice;
    frmTavrol form { FormPorts { settings, printer, messages, modal, dice } };
};

struct Enumerated {
    std::map<double, double> shown;
    double overflow = 0;
};

// Every way the dice of one press can fall, each pressed through the window from `start`.
Enumerated everyPress(const WindowState& start, const std::string& command, int grid)
{
    GridWindow window;
    window.dice.grid = grid;
    Enumerated all;
    std::vector<std::vector<int>> waiting { {} };
    while (!waiting.empty()) {
        std::vector<int> prefix = std::move(waiting.back());
        waiting.pop_back();
        WindowState from = start;
        from.statusShown = false;
        restoreState(window.form, from);
        window.dice.prefix = prefix;
        window.dice.at = 0;
        window.dice.ranOut = false;
        window.type(command);
        if (window.dice.ranOut) {
            for (int cell = 0; cell < grid; ++cell) {
                waiting.push_back(prefix);
                waiting.back().push_back(cell);
            }
            continue;
        }
        const double weight = std::pow(1.0 / grid, static_cast<double>(prefix.size()));
        if (window.form.statuswatch.visible() && window.form.statuswatch.caption() == texts::kOverflowStatus)
            all.overflow += weight;
        else
            all.shown[window.form.displayValue() == 0 ? 0.0 : window.form.displayValue()] += weight;
    }
    return all;
}

// The nearest-rank percentile of the enumeration, its shares summed exactly in order.
double rankOf(const Enumerated& all, double percent)
{
    double shownWeight = 0;
    for (const auto& entry : all.shown)
        shownWeight += entry.second;
    double below = 0;
    for (const auto& [value, weight] : all.shown) {
        below += weight;
        if (below >= percent / 100 * shownWeight - 1e-12)
            return value;
    }
    return all.shown.rbegin()->first;
}

WindowState startAfter(const std::string& typed, std::vector<int> cells = {}, int grid = 1)
{
    GridWindow window;
    window.dice.grid = grid;
    window.dice.prefix = std::move(cells);
    window.type(typed);
    return captureState(window.form);
}

TEST(ExactOdds, everyWayTheDiceFallWeighsAsInTheWindow)
{
    const struct {
        const char* behaviour;
        const char* typed; // before the key, from All Clear
        const char* command;
        int grid;
    } rows[] = {
        { "diceAndAnOperator", "", "3x+2=", 6 },
        { "percentile", "", "1h", 100 },
        { "precedence", "", "2x\u00D73+1=", 6 },
        { "percent", "", "1n%", 20 },
        { "keepBest", "", "2n1b", 20 },
        { "keepBestOfFour", "", "4x3b", 6 },
        { "keepBestThenWorst", "", "4x3b2w", 6 },
        { "keepWorstOfTheLastGroup", "", "2i1w", 6 },
        { "fudge", "", "2u", 3 },
        { "averageDice", "", "3v+1=", 6 },
        { "xDn", "", "2y4y", 4 },
        { "aCountFromAnEarlierRoll", "", "1x x", 6 },
        { "divideByARoll", "", "12\u00F71u=", 3 },
        { "overflowWithItsProbability", "", "1x\u00D79999999999999=", 6 },
        { "aNumberBeingTypedContinues", ".", "5x", 6 },
        { "aPendingOperator", "10+", "1x=", 6 },
        { "aPendingXdn", "3y", "4y", 4 },
        { "theCountOnTheDisplay", "5", "x", 6 },
        { "noKeys", "7", "", 1 },
    };
    for (const auto& row : rows) {
        const WindowState start = startAfter(row.typed);
        const Enumerated all = everyPress(start, row.command, row.grid);
        const auto odds = exactOdds(start, row.command);
        ASSERT_TRUE(odds) << row.behaviour;
        EXPECT_TRUE(odds->exact()) << row.behaviour;
        std::map<double, double> shown;
        for (const auto& [value, weight] : odds->shown())
            if (weight > 0)
                shown[value] += weight;
        ASSERT_EQ(shown.size(), all.shown.size()) << row.behaviour;
        for (const auto& [value, weight] : all.shown)
            EXPECT_NEAR(shown[value], weight, 1e-12) << row.behaviour << " shows " << value;
        EXPECT_NEAR(odds->overflowShare(), all.overflow, 1e-12) << row.behaviour;
        if (all.shown.empty())
            continue;
        EXPECT_EQ(odds->least(), all.shown.begin()->first) << row.behaviour;
        EXPECT_EQ(odds->greatest(), all.shown.rbegin()->first) << row.behaviour;
        EXPECT_EQ(odds->percentile(5), rankOf(all, 5)) << row.behaviour;
        EXPECT_EQ(odds->percentile(95), rankOf(all, 95)) << row.behaviour;
    }
}

TEST(ExactOdds, theKeyGoesOnFromTheWindowAsItStands)
{
    // With 5 typed, a key of 8 d6 rolls 58 of them.
    const auto typed = exactOdds(startAfter("5"), "8x");
    ASSERT_TRUE(typed);
    EXPECT_NEAR(*typed->average(), 203, 1e-9);
    EXPECT_EQ(typed->percentile(5), 182);
    EXPECT_EQ(typed->percentile(95), 224);
    EXPECT_EQ(typed->least(), 58);
    EXPECT_EQ(typed->greatest(), 348);

    // Best reads the dice the window's last roll left: 6, 2, 5, 1 (the grid's cells for them).
    const auto kept = exactOdds(startAfter("4x", { 5, 1, 4, 0 }, 6), "2b");
    ASSERT_TRUE(kept);
    EXPECT_TRUE(kept->fixed());
    EXPECT_EQ(kept->average(), 11);
}

TEST(ExactOdds, theLargestRollIsExactWithItsWholePossibleRange)
{
    const auto odds = exactOdds(startAfter(""), "32767h");
    ASSERT_TRUE(odds);
    EXPECT_EQ(odds->least(), 32767);
    EXPECT_EQ(odds->greatest(), 3276700);
    EXPECT_NEAR(*odds->average(), 32767 * 50.5, 1e-3);
    // Against the normal curve, which is this close for so many dice: mean -/+ 1.645 sd.
    const double sd = std::sqrt(32767 * (100.0 * 100 - 1) / 12);
    EXPECT_NEAR(*odds->percentile(5), 32767 * 50.5 - 1.6449 * sd, 2);
    EXPECT_NEAR(*odds->percentile(95), 32767 * 50.5 + 1.6449 * sd, 2);
}

TEST(ExactOdds, givesWayToAnEstimateBeyondItsBudget)
{
    EXPECT_FALSE(exactOdds(startAfter(""), "100h h", {}, 100'000));
    // An xDn die of no sides always shows 1; of fewer, the exact odds do not know it.
    EXPECT_TRUE(exactOdds(startAfter(""), "3y0y"));
    EXPECT_FALSE(exactOdds(startAfter(""), "3y0-2=y"));
}

TEST(EstimatedOdds, manyFreshPressesNeverTheSameDice)
{
    const auto odds = estimatedOdds(startAfter(""), "3x", kEstimatePresses);
    ASSERT_TRUE(odds);
    EXPECT_FALSE(odds->exact());
    EXPECT_EQ(odds->presses(), kEstimatePresses);
    EXPECT_NEAR(*odds->average(), 10.5, 0.1);
    EXPECT_NEAR(*odds->percentile(5), 6, 1);
    EXPECT_NEAR(*odds->percentile(95), 15, 1);

    // Two estimates of the same key differ: no seed is fixed.
    const auto first = estimatedOdds(startAfter(""), "1h", 2000);
    const auto second = estimatedOdds(startAfter(""), "1h", 2000);
    EXPECT_NE(first->shown(), second->shown());
}

} // namespace
} // namespace tavrol
