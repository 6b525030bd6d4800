// The odds of a programmed key pressed now: its command played from the main window's state as it
// stands, on a window of its own that no view draws and that prints and stores nothing, through
// the same handlers a click runs.
//
// Exact wherever the dice allow it: at each dice key, every total the dice can make (and every
// list of dice, when a later best or worst reads them) goes on through the remaining keys with
// its probability, equal states joined. Otherwise (a roll too wide for the time, or too many
// states on the way) an estimate from many presses with fresh dice.
#pragma once

#include "programs/odds_figures.h"
#include "programs/odds_state.h"

#include <optional>
#include <stop_token>
#include <string_view>

namespace tavrol {

inline constexpr int kEstimatePresses = 20000;

// What the exact odds may cost before they give up: a step is a key pressed on one state, a die
// drawn, or one total of the dice carried on, some tens of nanoseconds each in an optimised build.
// Odds out of reach so wait about a second at most before their estimate begins.
inline constexpr long long kExactBudget = 10'000'000;

// Exact odds, or nothing when they would cost more than `budget` steps, when a die is not one the
// exact odds know (an xDn die of fewer than one side), or when `stop` is requested.
std::optional<ShownOdds> exactOdds(
    const WindowState& start, std::string_view command, std::stop_token stop = {}, long long budget = kExactBudget);

// The odds of `presses` presses, each with fresh dice from the operating system's entropy, so
// that no error is the same twice; nothing when `stop` is requested.
std::optional<ShownOdds> estimatedOdds(
    const WindowState& start, std::string_view command, int presses, std::stop_token stop = {});

// Exact when they can be, otherwise estimated from kEstimatePresses presses.
std::optional<ShownOdds> keyOdds(const WindowState& start, std::string_view command, std::stop_token stop = {});

// Whether the command reads the dice list it starts from: a best or worst before any key that
// rolls a new list.
bool readsDiceList(std::string_view command);

} // namespace tavrol
