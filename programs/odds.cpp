#include "programs/odds.h"

#include "calculator/number_text.h"
#include "dice/dice_distribution.h"
#include "dice/random_source.h"
#include "platform/recording_ports.h"
#include "platform/utf8.h"
#include "programs/key_code.h"
#include "shell/frmTavrol.h"

#include <algorithm>
#include <numeric>
#include <unordered_map>
#include <utility>
#include <vector>

namespace tavrol {
namespace {

// A roll of more totals than this is estimated: the memory and the time would not do.
constexpr long long kWidestTotal = 1 << 21;
// More lists of dice than this (for a later best or worst) are estimated too.
constexpr unsigned long long kMostLists = 2'000'000;

// The window of the odds prints nothing: the tape is off there, and this keeps it so.
class NoPrinter : public LinePrinter {
public:
    void setFontName(const std::string&) override { }
    void setFontSize(double) override { }
    void printLine(std::string_view) override { }
    void newPage() override { }
    void endDocument() override { }
};

class NoMessages : public MessageBox {
public:
    void information(const std::string&, const std::string&) override { }
};

// The largest draw below 1: it gives every die its highest face.
constexpr float kLargestDraw = 1.0f - 1.0f / 16777216.0f;

// The dice of a window of odds. For exact odds every die shows its lowest face or its highest (in
// turn, the first die its lowest) and is counted: the handlers then tell how many dice a key rolls
// and which faces they have, and each way the dice can fall is put in afterwards. For an estimate,
// fresh dice.
class OddsDice : public RandomSource {
public:
    enum class Faces { Lowest, Highest, InTurn, Fresh };
    void reseedFromClock() override
    {
        if (faces == Faces::Fresh)
            fresh_.reseedFromClock();
    }
    float next() override
    {
        ++draws;
        if (faces == Faces::Fresh)
            return fresh_.next();
        const bool highest = faces == Faces::Highest || (faces == Faces::InTurn && draws % 2 == 0);
        return highest ? kLargestDraw : 0.0f;
    }
    Faces faces = Faces::Fresh;
    long long draws = 0;

private:
    SystemRandom fresh_; // from the operating system's entropy, never the same twice
};

struct DetachedWindow {
    DetachedWindow() { form.Form_Load(); }

    MemorySettings settings;
    NoPrinter printer;
    NoMessages messages;
    NullModalHost modal;
    OddsDice dice;
    frmTavrol form { FormPorts { settings, printer, messages, modal, dice } };
};

struct PlayedKey {
    std::string code;
    KeyPress key;
};

// The keys playback presses for `command`, in order; the characters it skips are left out.
std::vector<PlayedKey> playedKeys(std::string_view command)
{
    std::vector<PlayedKey> keys;
    for (std::string& code : utf8::codePoints(command))
        if (const auto key = keyForCode(code))
            keys.push_back({ std::move(code), *key });
    return keys;
}

// One key, through the same dispatch as playback.
void press(frmTavrol& form, const std::string& code)
{
    std::string one = code;
    form.keyplay(one);
}

bool readsListFrom(const std::vector<PlayedKey>& keys, std::size_t from)
{
    for (std::size_t i = from; i < keys.size(); ++i) {
        if (keys[i].key.array != KeyArray::Dice)
            continue;
        const auto index = static_cast<DiceKey>(keys[i].key.index);
        if (index == DiceKey::Best || index == DiceKey::Worst)
            return true;
        // The plain dice, 3d6, fudge and dAvg roll a new list; an xDn press may not.
        if (index <= DiceKey::Average)
            return false;
    }
    return false;
}

// Best and worst sort the list before they read it, so its order never matters: sorted, equal
// lists make equal states.
void settleList(std::vector<std::int16_t>& list, bool read)
{
    if (!read)
        list.clear();
    else if (list.size() > 1)
        std::sort(list.begin() + 1, list.end());
}

WindowState startOf(const WindowState& start, bool listRead)
{
    WindowState state = start;
    // A message already up is not the press's doing; none of the keys reads it.
    state.status.clear();
    state.statusShown = false;
    settleList(state.diceList, listRead);
    return state;
}

void classify(const frmTavrol& form, double weight, ShownOdds& odds)
{
    if (form.statuswatch.visible() && form.statuswatch.caption() == texts::kOverflowStatus)
        odds.addOverflow(weight);
    else
        odds.addShown(form.displayValue(), weight);
}

struct Branch {
    WindowState state;
    double weight;
};

// Where the outcomes of one key go: on to the next key as states, equal ones joined, or, after
// the last key, into the odds.
class Outcomes {
public:
    Outcomes(ShownOdds* odds, bool listRead)
        : odds_(odds)
        , listRead_(listRead)
    {
    }

    void take(const frmTavrol& form, double weight)
    {
        if (odds_) {
            classify(form, weight, *odds_);
            return;
        }
        WindowState state = captureState(form);
        settleList(state.diceList, listRead_);
        const auto [at, fresh] = index_.try_emplace(stateKey(state, listRead_), branches_.size());
        if (fresh)
            branches_.push_back({ std::move(state), weight });
        else
            branches_[at->second].weight += weight;
    }

    std::vector<Branch> branches() { return std::move(branches_); }

private:
    ShownOdds* odds_;
    bool listRead_;
    std::unordered_map<std::string, std::size_t> index_;
    std::vector<Branch> branches_;
};

class Work {
public:
    Work(long long budget, std::stop_token stop)
        : left_(budget)
        , stop_(std::move(stop))
    {
    }
    // False once the budget is spent or the work is called off.
    bool spend(long long steps)
    {
        left_ -= steps;
        return left_ >= 0 && !stop_.stop_requested();
    }

private:
    long long left_;
    std::stop_token stop_;
};

// What a dice key rolls from one state, as the handler shows it with every die at its lowest or
// its highest face.
struct RollProbe {
    long long draws = 0;
    WindowState after; // the state after the roll, with faces of its own
    int listed = 0; // the dice the list keeps: the last ones rolled
    int low = 0;
    int high = 0;
};

RollProbe probeRoll(DetachedWindow& window, const WindowState& from, const std::string& code)
{
    const auto roll = [&](OddsDice::Faces faces) -> const std::vector<std::int16_t>& {
        window.dice.faces = faces;
        window.dice.draws = 0;
        restoreState(window.form, from);
        press(window.form, code);
        return window.form.DiceArray;
    };
    RollProbe probe;
    const std::vector<std::int16_t>& list = roll(OddsDice::Faces::InTurn);
    probe.draws = window.dice.draws;
    if (probe.draws == 0)
        return probe; // nothing rolled: the window holds the one outcome
    probe.after = captureState(window.form);
    probe.listed = list.empty() ? 0 : list[0];
    if (probe.listed >= 2 && list.size() > 2) {
        // The list keeps the last dice, which showed their lowest and highest faces in turn.
        const bool firstIsLowest = (probe.draws - probe.listed) % 2 == 0;
        probe.low = firstIsLowest ? list[1] : list[2];
        probe.high = firstIsLowest ? list[2] : list[1];
        return probe;
    }
    probe.low = roll(OddsDice::Faces::Lowest).size() > 1 ? list[1] : 0;
    probe.high = roll(OddsDice::Faces::Highest).size() > 1 ? list[1] : 0;
    return probe;
}

// Each total of `total` in turn, the least and the greatest too when they carry too little weight
// to be among its totals.
template <class Put> void forEachTotal(const DiceTotal& total, Put put)
{
    if (total.least < total.pmf.lowest)
        put(total.least, 0.0);
    for (std::size_t i = 0; i < total.pmf.p.size(); ++i)
        put(total.pmf.lowest + static_cast<long long>(i), total.pmf.p[i]);
    if (total.greatest > total.pmf.highest())
        put(total.greatest, 0.0);
}

// The roll's totals, each written to the display as the dice key writes its total.
bool rollTotals(
    DetachedWindow& window, const RollProbe& probe, const Pmf& die, double weight, Outcomes& out, Work& work)
{
    const long long width = totalWidth(die, probe.draws);
    if (width > kWidestTotal || !work.spend(2 * width))
        return false;
    frmTavrol& form = window.form;
    restoreState(form, probe.after);
    forEachTotal(totalOfDice(die, probe.draws), [&](long long total, double p) {
        form.Display.setCaption(signText(static_cast<double>(total)));
        out.take(form, weight * p);
        if (form.statuswatch.visible() != probe.after.statusShown)
            restoreState(form, probe.after);
    });
    return true;
}

// The roll's totals with every list the dice can leave, for a later best or worst.
bool rollLists(DetachedWindow& window, const RollProbe& probe, const Pmf& die, double weight, Outcomes& out, Work& work)
{
    const unsigned long long lists = diceListCount(die, probe.listed, kMostLists + 1);
    const long long restWidth = totalWidth(die, probe.draws - probe.listed);
    if (lists > kMostLists || restWidth > kWidestTotal
        || !work.spend(2 * static_cast<long long>(lists) * std::max(restWidth, 1LL)))
        return false;
    frmTavrol& form = window.form;
    const DiceTotal rest = totalOfDice(die, probe.draws - probe.listed);
    for (const DiceList& list : diceLists(die, probe.listed)) {
        std::vector<std::int16_t> array { static_cast<std::int16_t>(probe.listed) };
        array.insert(array.end(), list.dice.begin(), list.dice.end());
        const long long kept = std::accumulate(list.dice.begin(), list.dice.end(), 0LL);
        forEachTotal(rest, [&](long long total, double p) {
            restoreState(form, probe.after);
            form.DiceArray = array;
            form.Display.setCaption(signText(static_cast<double>(kept + total)));
            out.take(form, weight * list.probability * p);
        });
    }
    return true;
}

bool branchRoll(
    DetachedWindow& window, const Branch& branch, const PlayedKey& key, bool listRead, Outcomes& out, Work& work)
{
    RollProbe probe = probeRoll(window, branch.state, key.code);
    if (!work.spend(1 + probe.draws))
        return false;
    if (probe.draws == 0) {
        out.take(window.form, branch.weight);
        return true;
    }
    settleList(probe.after.diceList, listRead); // every outcome starts from it: keep it small
    const bool average = key.key == KeyPress::of(DiceKey::Average);
    if (probe.listed < 1 || (!average && probe.high < probe.low))
        return false; // a die of fewer than one side
    const Pmf die = average ? averageDie() : fairDie(probe.low, probe.high);
    return listRead ? rollLists(window, probe, die, branch.weight, out, work)
                    : rollTotals(window, probe, die, branch.weight, out, work);
}

bool step(DetachedWindow& window, const Branch& branch, const PlayedKey& key, bool listRead, Outcomes& out, Work& work)
{
    if (key.key.array == KeyArray::Dice)
        return branchRoll(window, branch, key, listRead, out, work);
    restoreState(window.form, branch.state);
    press(window.form, key.code);
    out.take(window.form, branch.weight);
    return work.spend(1);
}

} // namespace

bool readsDiceList(std::string_view command)
{
    return readsListFrom(playedKeys(command), 0);
}

std::optional<ShownOdds> exactOdds(
    const WindowState& start, std::string_view command, std::stop_token stop, long long budget)
{
    const std::vector<PlayedKey> keys = playedKeys(command);
    DetachedWindow window;
    Work work(budget, std::move(stop));
    ShownOdds odds = ShownOdds::exactOdds();
    std::vector<Branch> branches { { startOf(start, readsListFrom(keys, 0)), 1.0 } };
    if (keys.empty()) {
        restoreState(window.form, branches.front().state);
        classify(window.form, 1.0, odds);
    }
    for (std::size_t i = 0; i < keys.size(); ++i) {
        const bool listRead = readsListFrom(keys, i + 1);
        Outcomes out(i + 1 == keys.size() ? &odds : nullptr, listRead);
        for (const Branch& branch : branches)
            if (!step(window, branch, keys[i], listRead, out, work))
                return std::nullopt;
        branches = out.branches();
    }
    odds.finish();
    return odds;
}

std::optional<ShownOdds> estimatedOdds(
    const WindowState& start, std::string_view command, int presses, std::stop_token stop)
{
    DetachedWindow window;
    const WindowState from = startOf(start, readsDiceList(command));
    ShownOdds odds = ShownOdds::estimate(presses);
    for (int i = 0; i < presses; ++i) {
        if (stop.stop_requested())
            return std::nullopt;
        // As a programmed key plays its command.
        restoreState(window.form, from);
        window.form.CommandLine = command;
        window.form.keyplay(window.form.CommandLine);
        classify(window.form, 1.0, odds);
    }
    odds.finish();
    return odds;
}

std::optional<ShownOdds> keyOdds(const WindowState& start, std::string_view command, std::stop_token stop)
{
    if (auto exact = exactOdds(start, command, stop))
        return exact;
    return estimatedOdds(start, command, kEstimatePresses, stop);
}

} // namespace tavrol
