// The order of a roll's dice in the list.
#include "dice/dice_math.h"

#include <cstdint>
#include <gtest/gtest.h>
#include <vector>

namespace tavrol {
namespace {

TEST(SortDice, ordersDiceAfterTheCount)
{
    using List = std::vector<std::int16_t>;
    const struct {
        int direction;
        List before, after;
    } rows[] = {
        { 1, { 4, 2, 6, 4, 6 }, { 4, 6, 6, 4, 2 } },
        { 0, { 4, 2, 6, 4, 6 }, { 4, 2, 4, 6, 6 } },
        { 2, { 4, 2, 6, 4, 6 }, { 4, 2, 6, 4, 6 } },
        { 1, { 2, 1, 3, 9 }, { 2, 3, 1, 9 } }, // only the counted dice move
        { 1, {}, {} },
        { 0, { 0 }, { 0 } },
    };
    for (const auto& row : rows) {
        List list = row.before;
        sortDice(list, row.direction);
        EXPECT_EQ(list, row.after);
    }
}

} // namespace
} // namespace tavrol
