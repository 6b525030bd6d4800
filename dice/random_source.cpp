#include "dice/random_source.h"

#include <chrono>
#include <random>

namespace tavrol {
namespace {

std::uint64_t splitmix64(std::uint64_t& x)
{
    std::uint64_t z = (x += 0x9E3779B97F4A7C15ULL);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
    return z ^ (z >> 31);
}

std::uint64_t rotl(std::uint64_t x, int k)
{
    return (x << k) | (x >> (64 - k));
}

} // namespace

SystemRandom::SystemRandom()
{
    std::random_device entropy;
    std::uint64_t seed = 0;
    for (int i = 0; i < 2; ++i)
        seed = (seed << 32) ^ entropy();
    seedFrom(seed);
    state_[3] ^= (static_cast<std::uint64_t>(entropy()) << 32) ^ entropy();
}

SystemRandom::SystemRandom(std::uint64_t seed)
    : mixClock_(false)
{
    seedFrom(seed);
}

void SystemRandom::seedFrom(std::uint64_t seed)
{
    for (auto& word : state_)
        word = splitmix64(seed);
}

void SystemRandom::reseedFromClock()
{
    if (!mixClock_)
        return;
    std::uint64_t now = static_cast<std::uint64_t>(std::chrono::steady_clock::now().time_since_epoch().count());
    state_[0] ^= splitmix64(now);
    if ((state_[0] | state_[1] | state_[2] | state_[3]) == 0) // the one state xoshiro cannot leave
        state_[0] = 1;
    next64();
}

std::uint64_t SystemRandom::next64()
{
    const std::uint64_t result = rotl(state_[1] * 5, 7) * 9;
    const std::uint64_t t = state_[1] << 17;
    state_[2] ^= state_[0];
    state_[3] ^= state_[1];
    state_[1] ^= state_[2];
    state_[0] ^= state_[3];
    state_[2] ^= t;
    state_[3] = rotl(state_[3], 45);
    return result;
}

float SystemRandom::next()
{
    // The top 24 bits fill a float's mantissa exactly, so the draw is uniform and below 1.
    return static_cast<float>(next64() >> 40) * (1.0f / 16777216.0f);
}

std::optional<int> ScriptedFaces::scriptedFace()
{
    if (faces_.empty())
        return std::nullopt;
    const int face = faces_[at_];
    at_ = (at_ + 1) % faces_.size();
    return face;
}

} // namespace tavrol
