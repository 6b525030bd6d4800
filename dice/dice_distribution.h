// The exact distributions of fair dice, for a programmed key's odds: one die's faces, the total of
// many dice alike, and every list of dice a roll can leave.
#pragma once

#include <cstddef>
#include <vector>

namespace tavrol {

// Probabilities of consecutive whole numbers, the first of them `lowest`.
struct Pmf {
    long long lowest = 0;
    std::vector<double> p;

    long long highest() const { return lowest + static_cast<long long>(p.size()) - 1; }
    double mean() const;
    double variance() const;
};

// A fair die: every face from `lowest` to `highest` alike (`highest` at least `lowest`).
Pmf fairDie(int lowest, int highest);
// The average die: six faces that read 3, 2, 3, 4, 5, 4.
Pmf averageDie();

// Weight below this is no weight at all: a double adding it to 1 does not change.
inline constexpr double kNegligible = 1e-17;

// The total of `count` dice alike. `least` and `greatest` are the least and greatest totals
// possible. `pmf` holds every total between them, except, for very many dice, the totals so far
// from the mean that Bernstein's inequality leaves less than kNegligible of the weight on either
// side beyond them.
struct DiceTotal {
    Pmf pmf;
    long long least = 0;
    long long greatest = 0;
};
DiceTotal totalOfDice(const Pmf& die, long long count);

// How many totals totalOfDice(die, count) holds, known before it is worked out.
long long totalWidth(const Pmf& die, long long count);

// One way the dice of a roll can fall, sorted from low to high, and its probability.
struct DiceList {
    std::vector<int> dice;
    double probability = 0;
};

// How many different lists `count` dice alike can show, at most `cap` (counting stops there).
unsigned long long diceListCount(const Pmf& die, int count, unsigned long long cap);

// Every list `count` dice alike can show, each once, with its probability.
std::vector<DiceList> diceLists(const Pmf& die, int count);

} // namespace tavrol
