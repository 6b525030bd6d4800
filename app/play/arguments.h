// The command line of tavrol32-play: options first, then the tokens.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace tavrol::play {

// How the dice are drawn: exact faces in turn, a repeatable seed, or (neither) the generator
// seeded as the desktop program seeds it.
struct PlayOptions {
    std::optional<std::uint64_t> seed; // --seed N
    std::vector<int> faces; // --faces N[,N...]; empty when not given
};

struct Arguments {
    PlayOptions options;
    std::vector<std::string> tokens;
    std::string error; // one line naming what is wrong; empty when the command line is well-formed
};

// Options are the leading arguments that begin with "--"; everything from the first other
// argument on is a token, so the key "-" never reads as an option.
Arguments parseArguments(const std::vector<std::string>& args);

} // namespace tavrol::play
