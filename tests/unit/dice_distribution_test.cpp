// The exact distributions of dice against every way the dice can fall, counted one by one.
#include "dice/dice_distribution.h"

#include <algorithm>
#include <cmath>
#include <gtest/gtest.h>
#include <map>
#include <vector>

namespace tavrol {
namespace {

// Every way `count` dice can fall, each die from its faces (alike faces listed as often as they
// weigh), with a callback for each.
template <class Visit> void everyThrow(const std::vector<int>& faces, int count, Visit visit)
{
    std::vector<std::size_t> at(static_cast<std::size_t>(count), 0);
    while (true) {
        std::vector<int> dice;
        for (const std::size_t i : at)
            dice.push_back(faces[i]);
        visit(dice);
        std::size_t d = 0;
        while (d < at.size() && ++at[d] == faces.size())
            at[d++] = 0;
        if (d == at.size())
            return;
    }
}

struct Die {
    const char* name;
    Pmf pmf;
    std::vector<int> faces;
};

std::vector<Die> dice()
{
    return { { "d6", fairDie(1, 6), { 1, 2, 3, 4, 5, 6 } }, { "fudge", fairDie(-1, 1), { -1, 0, 1 } },
        { "average", averageDie(), { 3, 2, 3, 4, 5, 4 } }, { "d20", fairDie(1, 20), {} },
        { "one face", fairDie(1, 1), { 1 } } };
}

TEST(TotalOfDice, everyTotalWeighsAsOftenAsTheThrowsThatMakeIt)
{
    for (Die& die : dice()) {
        if (die.faces.empty())
            for (int f = 1; f <= 20; ++f)
                die.faces.push_back(f);
        for (int count = 0; count <= 4; ++count) {
            std::map<long long, double> throws;
            double all = 0;
            everyThrow(die.faces, count, [&](const std::vector<int>& thrown) {
                long long sum = 0;
                for (const int face : thrown)
                    sum += face;
                throws[sum] += 1;
                all += 1;
            });
            const DiceTotal total = totalOfDice(die.pmf, count);
            EXPECT_EQ(total.least, throws.begin()->first) << die.name << count;
            EXPECT_EQ(total.greatest, throws.rbegin()->first) << die.name << count;
            EXPECT_EQ(totalWidth(die.pmf, count), static_cast<long long>(total.pmf.p.size()));
            for (std::size_t i = 0; i < total.pmf.p.size(); ++i) {
                const long long t = total.pmf.lowest + static_cast<long long>(i);
                const double expected = throws.count(t) ? throws[t] / all : 0.0;
                EXPECT_NEAR(total.pmf.p[i], expected, 1e-15) << die.name << " " << count << " total " << t;
            }
        }
    }
}

// The same dice added one at a time, for the widths that are worked out in frequencies.
Pmf oneAtATime(const Pmf& die, long long count)
{
    std::vector<double> p { 1.0 };
    for (long long i = 0; i < count; ++i) {
        std::vector<double> next(p.size() + die.p.size() - 1, 0.0);
        for (std::size_t a = 0; a < p.size(); ++a)
            for (std::size_t b = 0; b < die.p.size(); ++b)
                next[a + b] += p[a] * die.p[b];
        p = std::move(next);
    }
    return { count * die.lowest, p };
}

TEST(TotalOfDice, manyDiceInFrequenciesMatchAddingThemOneAtATime)
{
    const struct {
        const char* name;
        Pmf die;
        long long count;
    } rows[] = { { "1500d6", fairDie(1, 6), 1500 }, { "3000 fudge", fairDie(-1, 1), 3000 },
        { "120d%", fairDie(1, 100), 120 } };
    for (const auto& row : rows) {
        const DiceTotal total = totalOfDice(row.die, row.count);
        const Pmf reference = oneAtATime(row.die, row.count);
        double sum = 0;
        double worst = 0;
        for (std::size_t i = 0; i < total.pmf.p.size(); ++i) {
            const auto at = static_cast<std::size_t>(total.pmf.lowest - reference.lowest) + i;
            worst = std::max(worst, std::abs(total.pmf.p[i] - reference.p[at]));
            sum += total.pmf.p[i];
        }
        EXPECT_LT(worst, 1e-14) << row.name;
        EXPECT_NEAR(sum, 1.0, 1e-12) << row.name; // the totals left out weigh nothing
        EXPECT_EQ(total.least, reference.lowest) << row.name;
        EXPECT_EQ(total.greatest, reference.lowest + static_cast<long long>(reference.p.size()) - 1) << row.name;
    }
}

TEST(TotalOfDice, theLargestRollKeepsItsWeightAroundTheMean)
{
    const DiceTotal total = totalOfDice(fairDie(1, 100), 32767);
    EXPECT_EQ(total.least, 32767);
    EXPECT_EQ(total.greatest, 3276700);
    double sum = 0;
    for (const double p : total.pmf.p)
        sum += p;
    EXPECT_NEAR(sum, 1.0, 1e-12);
    EXPECT_NEAR(total.pmf.mean(), 32767 * 50.5, 1e-6);
    EXPECT_NEAR(std::sqrt(total.pmf.variance()), std::sqrt(32767 * 833.25), 1e-6);
    // Far less than every possible total, or neither the time nor the memory would do.
    EXPECT_LT(total.pmf.p.size(), 100000u);
}

TEST(DiceLists, everySortedListWeighsAsOftenAsTheThrowsThatShowIt)
{
    for (const Die& die : dice()) {
        if (die.faces.empty())
            continue;
        for (int count = 0; count <= 4; ++count) {
            std::map<std::vector<int>, double> throws;
            double all = 0;
            everyThrow(die.faces, count, [&](std::vector<int> thrown) {
                std::sort(thrown.begin(), thrown.end());
                throws[thrown] += 1;
                all += 1;
            });
            const std::vector<DiceList> lists = diceLists(die.pmf, count);
            EXPECT_EQ(lists.size(), throws.size()) << die.name << count;
            EXPECT_EQ(diceListCount(die.pmf, count, 1000), throws.size()) << die.name << count;
            for (const DiceList& list : lists)
                EXPECT_NEAR(list.probability, throws[list.dice] / all, 1e-15) << die.name << count;
        }
    }
    // Counting stops at the cap: 30 d20 show over a hundred billion lists.
    EXPECT_EQ(diceListCount(fairDie(1, 20), 30, 5000), 5000u);
}

} // namespace
} // namespace tavrol
