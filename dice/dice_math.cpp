#include "dice/dice_math.h"

#include <algorithm>
#include <cmath>
#include <functional>

namespace tavrol {

std::int16_t rangeFromDraw(float r, int lobound, int upbound)
{
    const double span = static_cast<double>(upbound) - lobound + 1;
    const double face = std::floor(span * static_cast<double>(r) + lobound);
    return static_cast<std::int16_t>(std::clamp(face, -32768.0, 32767.0));
}

int wholeDice(double count)
{
    const double whole = std::floor(std::abs(count));
    if (!(whole <= kMostDice)) // also catches NaN
        return std::isnan(whole) ? 0 : kMostDice;
    return static_cast<int>(whole);
}

int round16(double value)
{
    if (std::isnan(value))
        return 0;
    // nearbyint rounds in the default to-nearest mode, where a half goes to the even neighbour.
    return static_cast<int>(std::clamp(std::nearbyint(value), -32768.0, 32767.0));
}

void sortDice(std::vector<std::int16_t>& list, int direction)
{
    if (list.size() < 2 || (direction != 0 && direction != 1))
        return;
    const std::size_t n = std::min<std::size_t>(static_cast<std::size_t>(std::max<int>(list[0], 0)), list.size() - 1);
    const auto first = list.begin() + 1;
    const auto last = first + static_cast<std::ptrdiff_t>(n);
    if (direction == 1)
        std::sort(first, last, std::greater<>());
    else
        std::sort(first, last);
}

} // namespace tavrol
