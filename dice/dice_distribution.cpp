#include "dice/dice_distribution.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <utility>

namespace tavrol {
namespace {

// Up to this many multiplications the dice are added one at a time, which loses nothing to
// rounding; beyond it the total is worked out in the frequency domain.
constexpr double kMostDirectSteps = 2e7;

double directSteps(const Pmf& die, long long count)
{
    const auto n = static_cast<double>(count);
    const auto faces = static_cast<double>(die.p.size());
    return n * n * faces * faces / 2;
}

bool addedOneByOne(const Pmf& die, long long count)
{
    return die.p.size() < 2 || directSteps(die, count) <= kMostDirectSteps;
}

// How far from the mean the total may stray before less than kNegligible of the weight lies
// beyond, by Bernstein's inequality: P(S - mean >= t) <= exp(-t^2 / (2 (variance + reach t / 3)))
// for a sum of terms that never stray further than `reach` from their own means.
double safeMargin(const Pmf& die, long long count)
{
    const double variance = static_cast<double>(count) * die.variance();
    const auto reach = static_cast<double>(die.highest() - die.lowest);
    const double l = std::log(1 / kNegligible);
    const double b = 2 * l * reach / 3;
    return (b + std::sqrt(b * b + 8 * l * variance)) / 2;
}

struct Span {
    long long lo;
    long long hi;
};

Span windowOf(const Pmf& die, long long count)
{
    const long long least = count * die.lowest;
    const long long greatest = count * die.highest();
    const double mean = static_cast<double>(count) * die.mean();
    const double margin = safeMargin(die, count);
    return { std::max(least, static_cast<long long>(std::floor(mean - margin))),
        std::min(greatest, static_cast<long long>(std::ceil(mean + margin))) };
}

Pmf addedOneAtATime(const Pmf& die, long long count)
{
    Pmf total { 0, { 1.0 } };
    for (long long i = 0; i < count; ++i) {
        std::vector<double> next(total.p.size() + die.p.size() - 1, 0.0);
        for (std::size_t a = 0; a < total.p.size(); ++a) {
            if (total.p[a] == 0)
                continue;
            for (std::size_t b = 0; b < die.p.size(); ++b)
                next[a + b] += total.p[a] * die.p[b];
        }
        total.p = std::move(next);
        total.lowest += die.lowest;
    }
    return total;
}

// Complex numbers as two arrays, multiplied by hand: a debug build then runs this at a fair
// fraction of its optimised speed.
struct Spectrum {
    std::vector<double> re;
    std::vector<double> im;
};

void transform(Spectrum& a, bool inverse)
{
    const std::size_t n = a.re.size();
    for (std::size_t i = 1, j = 0; i < n; ++i) {
        std::size_t bit = n >> 1;
        for (; j & bit; bit >>= 1)
            j ^= bit;
        j ^= bit;
        if (i < j) {
            std::swap(a.re[i], a.re[j]);
            std::swap(a.im[i], a.im[j]);
        }
    }
    // Each root from its own angle, not as powers of one: the error then does not grow with n.
    std::vector<double> rootRe(n / 2);
    std::vector<double> rootIm(n / 2);
    const double sign = inverse ? 1 : -1;
    for (std::size_t k = 0; k < n / 2; ++k) {
        const double angle = sign * 2 * std::numbers::pi * static_cast<double>(k) / static_cast<double>(n);
        rootRe[k] = std::cos(angle);
        rootIm[k] = std::sin(angle);
    }
    for (std::size_t len = 2; len <= n; len <<= 1) {
        const std::size_t half = len / 2;
        const std::size_t step = n / len;
        for (std::size_t i = 0; i < n; i += len) {
            for (std::size_t k = 0; k < half; ++k) {
                const double wr = rootRe[k * step];
                const double wi = rootIm[k * step];
                const std::size_t u = i + k;
                const std::size_t v = u + half;
                const double vr = a.re[v] * wr - a.im[v] * wi;
                const double vi = a.re[v] * wi + a.im[v] * wr;
                a.re[v] = a.re[u] - vr;
                a.im[v] = a.im[u] - vi;
                a.re[u] += vr;
                a.im[u] += vi;
            }
        }
    }
}

// Each frequency raised to the power `count`, by squaring.
void raise(Spectrum& a, long long count)
{
    for (std::size_t f = 0; f < a.re.size(); ++f) {
        double baseRe = a.re[f];
        double baseIm = a.im[f];
        double re = 1;
        double im = 0;
        for (long long e = count; e > 0; e >>= 1) {
            if (e & 1) {
                const double r = re * baseRe - im * baseIm;
                im = re * baseIm + im * baseRe;
                re = r;
            }
            const double r = baseRe * baseRe - baseIm * baseIm;
            baseIm = 2 * baseRe * baseIm;
            baseRe = r;
        }
        a.re[f] = re;
        a.im[f] = im;
    }
}

// The totals in `window` from the die's spectrum on a circle of n points, n at least as wide as
// the window: a total beyond it lands on a total within, which adds less than kNegligible.
Pmf totalInFrequencies(const Pmf& die, long long count, Span window)
{
    std::size_t n = 1;
    while (static_cast<long long>(n) < window.hi - window.lo + 1 || n < die.p.size())
        n <<= 1;
    Spectrum spectrum { std::vector<double>(n, 0.0), std::vector<double>(n, 0.0) };
    std::copy(die.p.begin(), die.p.end(), spectrum.re.begin());
    transform(spectrum, false);
    raise(spectrum, count);
    transform(spectrum, true);

    const long long least = count * die.lowest;
    const auto size = static_cast<long long>(n);
    Pmf total { window.lo, std::vector<double>(static_cast<std::size_t>(window.hi - window.lo + 1)) };
    for (long long t = window.lo; t <= window.hi; ++t) {
        const double value = spectrum.re[static_cast<std::size_t>((t - least) % size)] / static_cast<double>(n);
        total.p[static_cast<std::size_t>(t - window.lo)] = std::max(0.0, value); // rounding leaves tiny negatives
    }
    return total;
}

} // namespace

double Pmf::mean() const
{
    double sum = 0;
    for (std::size_t i = 0; i < p.size(); ++i)
        sum += p[i] * static_cast<double>(lowest + static_cast<long long>(i));
    return sum;
}

double Pmf::variance() const
{
    const double m = mean();
    double sum = 0;
    for (std::size_t i = 0; i < p.size(); ++i) {
        const double d = static_cast<double>(lowest + static_cast<long long>(i)) - m;
        sum += p[i] * d * d;
    }
    return sum;
}

Pmf fairDie(int lowest, int highest)
{
    const auto faces = static_cast<std::size_t>(std::max(highest - lowest + 1, 1));
    return { lowest, std::vector<double>(faces, 1.0 / static_cast<double>(faces)) };
}

Pmf averageDie()
{
    return { 2, { 1.0 / 6, 2.0 / 6, 2.0 / 6, 1.0 / 6 } };
}

long long totalWidth(const Pmf& die, long long count)
{
    if (addedOneByOne(die, count))
        return count * (static_cast<long long>(die.p.size()) - 1) + 1;
    const Span window = windowOf(die, count);
    return window.hi - window.lo + 1;
}

DiceTotal totalOfDice(const Pmf& die, long long count)
{
    DiceTotal total;
    total.least = count * die.lowest;
    total.greatest = count * die.highest();
    total.pmf = addedOneByOne(die, count) ? addedOneAtATime(die, count)
                                          : totalInFrequencies(die, count, windowOf(die, count));
    return total;
}

unsigned long long diceListCount(const Pmf& die, int count, unsigned long long cap)
{
    const auto faces
        = static_cast<unsigned long long>(std::count_if(die.p.begin(), die.p.end(), [](double p) { return p > 0; }));
    if (faces == 0)
        return 0;
    // C(count + faces - 1, faces - 1), each step a whole number.
    unsigned long long lists = 1;
    for (unsigned long long i = 1; i < faces; ++i) {
        lists = lists * (static_cast<unsigned long long>(count) + i) / i;
        if (lists >= cap)
            return cap;
    }
    return std::min(lists, cap);
}

std::vector<DiceList> diceLists(const Pmf& die, int count)
{
    std::vector<std::pair<int, double>> faces; // value and the log of its probability
    for (std::size_t j = 0; j < die.p.size(); ++j)
        if (die.p[j] > 0)
            faces.emplace_back(static_cast<int>(die.lowest + static_cast<long long>(j)), std::log(die.p[j]));
    std::vector<DiceList> lists;
    if (faces.empty())
        return lists;
    std::vector<int> dice;
    const double logOrders = std::lgamma(count + 1.0);
    // The multinomial weight: count! / (k1! k2! ...) × p1^k1 × p2^k2 × ..., in logs.
    const auto place = [&](auto& self, std::size_t face, int left, double logWeight) -> void {
        const auto [value, logP] = faces[face];
        if (face + 1 == faces.size()) {
            dice.insert(dice.end(), static_cast<std::size_t>(left), value);
            lists.push_back({ dice, std::exp(logOrders + logWeight + left * logP - std::lgamma(left + 1.0)) });
            dice.resize(dice.size() - static_cast<std::size_t>(left));
            return;
        }
        for (int k = 0; k <= left; ++k) {
            self(self, face + 1, left - k, logWeight + k * logP - std::lgamma(k + 1.0));
            dice.push_back(value);
        }
        dice.resize(dice.size() - static_cast<std::size_t>(left) - 1);
    };
    place(place, 0, count, 0.0);
    return lists;
}

} // namespace tavrol
