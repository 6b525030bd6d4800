// The odds of a programmed key: its command replayed many times, each time as a press after All
// Clear, on a main window of its own that no view draws and that prints and stores nothing. What
// the display shows after each press is tallied.
#pragma once

#include "programs/odds_text.h"

#include <cstdint>
#include <string_view>

namespace tavrol {

inline constexpr int kOddsReplays = 20000;
// The replays are split into parts of equal size, each on its own window with its own seed, so
// that they can run side by side and a key waiting for its odds is never stuck behind a long part.
inline constexpr int kOddsParts = 8;
// Dice drawn over all of a key's replays: a key of thousands of dice stops before its 20,000
// presses, after fewer of them, rather than keep a core busy for minutes.
inline constexpr long long kOddsMostDraws = 4'000'000;

// Presses `command` `replays` times on one window with the dice seeded by `seed`, stopping
// early once `mostDraws` dice have been drawn (after one press at least). A first press that
// draws no dice tells what every press shows: the tally is then fixed, of that one press.
// The dice list a press starts from is the one the press before it left, as when the key is
// pressed again and again.
OddsTally replayCommand(std::string_view command, int replays, std::uint64_t seed, long long mostDraws);

// Part `part` (0 to kOddsParts - 1) of a key's replays. The seeds are fixed, so the same
// command always reads the same odds.
OddsTally replayPart(std::string_view command, int part);

// All parts, one after the other.
OddsTally keyOdds(std::string_view command);

} // namespace tavrol
