// What a programmed key will do, in words: its recorded keys as a referee writes them, its odds in
// one line, and the description that joins the two.
#pragma once

#include "programs/odds_figures.h"

#include <string>
#include <string_view>

namespace tavrol {

// The recorded keys as a referee writes them: a count typed before a dice key joins it ("3d6",
// "2d%", "2 × 3d6", "4dF"), xDn's two numbers make one die ("4d8"), a count before best or worst
// says how many are kept ("4d6 keep best 3"), numbers read as typed, the other keys by their
// captions, and a closing "=" is left out: "3x+2=" reads "3d6 + 2". Characters that playback
// skips are left out too.
std::string readableCommand(std::string_view command);

// A number in the odds' words: as the display writes it, without the point it ends in, its
// digits grouped by thousands from 10,000 up ("12,345.5", "-40,000", "9999").
std::string oddsNumber(double value);

// One line on what the key shows: "Shows 5" when every press shows the same; otherwise "Average
// 12.5; 90% of rolls 8 to 17; possible 5 to 20", with "about" before each figure of an estimate
// and the presses it was made from, and the share of rolls that overflow the display when there
// are any.
std::string oddsLine(const ShownOdds& odds);

inline constexpr std::string_view kOddsPending = "Working out the odds...";
inline constexpr std::string_view kNotProgrammed = "Not programmed";

// A programmable key's description: its caption, its keys as read, and `odds` (an oddsLine, or
// kOddsPending while they are worked out), one to a line. When the caption is written right to
// left, each line is isolated so that it keeps its own direction: the caption takes the
// direction of its first letter, the keys and the odds read left to right.
std::string programmedKeyDescription(std::string_view caption, std::string_view command, std::string_view odds);

} // namespace tavrol
