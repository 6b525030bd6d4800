// The generators behind the dice.
#pragma once

#include "platform/ports.h"

#include <array>
#include <cstdint>
#include <optional>
#include <vector>

namespace tavrol {

// One long-lived xoshiro256** generator. The clock re-seed that every draw asks for is mixed
// into the state and never replaces it, so dice drawn in a tight loop stay independent.
class SystemRandom : public RandomSource {
public:
    SystemRandom(); // seeded from the operating system's entropy
    explicit SystemRandom(std::uint64_t seed); // repeatable: the clock is then not mixed in
    void reseedFromClock() override;
    float next() override;
    std::uint64_t next64();

private:
    void seedFrom(std::uint64_t seed);
    std::array<std::uint64_t, 4> state_ {};
    bool mixClock_ = true;
};

// Hands out the given faces in turn, starting again at the first when they are used up.
class ScriptedFaces : public RandomSource {
public:
    explicit ScriptedFaces(std::vector<int> faces)
        : faces_(std::move(faces))
    {
    }
    void reseedFromClock() override { }
    float next() override { return 0.0f; }
    std::optional<int> scriptedFace() override;

private:
    std::vector<int> faces_;
    std::size_t at_ = 0;
};

} // namespace tavrol
