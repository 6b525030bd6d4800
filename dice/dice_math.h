// Pure arithmetic of the dice: the draw's range mapping, counts and rounding.
#pragma once

#include <cstdint>
#include <vector>

namespace tavrol {

inline constexpr int kMostDice = 32767; // a roll's list holds its count in 16 bits

// floor((upb - lob + 1) × r + lob), kept within 16 bits.
std::int16_t rangeFromDraw(float r, int lobound, int upbound);

// How many dice a count rolls: its whole part, never negative, at most kMostDice. The list's
// count, the tape header and the total then all speak of the same dice.
int wholeDice(double count);

// A number rounded to a whole one, a half to the even neighbour, and held within 16 bits.
int round16(double value);

// Orders the dice (elements 1 to n, n = element 0): direction 1 highest first, 0 lowest first,
// any other value leaves them as they are. Equal dice are alike, so any sort gives the order an
// exchange sort would.
void sortDice(std::vector<std::int16_t>& list, int direction);

} // namespace tavrol
