#include "dice/dice_math.h"
#include "dice/random_source.h"
#include "harness.h"

#include <cmath>
#include <gtest/gtest.h>
#include <limits>
#include <set>
#include <vector>

namespace tavrol {
namespace {

constexpr float kLargestDraw = 1.0f - 1.0f / 16777216.0f;

TEST(RangeFromDraw, coversEveryDieFromLowestToHighestFace)
{
    const struct {
        int lob, upb;
    } dice[] = { { 1, 4 }, { 1, 6 }, { 1, 8 }, { 1, 10 }, { 1, 12 }, { 1, 20 }, { 1, 100 }, { -1, 1 }, { 1, 32767 } };
    for (const auto& die : dice) {
        EXPECT_EQ(rangeFromDraw(0.0f, die.lob, die.upb), die.lob);
        EXPECT_EQ(rangeFromDraw(kLargestDraw, die.lob, die.upb), die.upb);
    }
}

TEST(RangeFromDraw, floorsSoNegativeFacesAreFair)
{
    EXPECT_EQ(rangeFromDraw(0.30f, -1, 1), -1); // truncation toward zero would give 0
    EXPECT_EQ(rangeFromDraw(0.34f, -1, 1), 0);
    EXPECT_EQ(rangeFromDraw(0.67f, -1, 1), 1);
    EXPECT_EQ(rangeFromDraw(0.5f, 1, 1), 1);
    EXPECT_EQ(rangeFromDraw(0.9f, 1, 0), 1); // no sides: always 1
}

TEST(WholeDice, wholePartClampedToListLimit)
{
    const struct {
        double count;
        int dice;
    } rows[] = { { 2.5, 2 }, { 3.5, 3 }, { 0.5, 0 }, { -3, 3 }, { 32767, 32767 }, { 40000, 32767 }, { 1e300, 32767 },
        { std::numeric_limits<double>::quiet_NaN(), 0 } };
    for (const auto& row : rows)
        EXPECT_EQ(wholeDice(row.count), row.dice) << row.count;
}

TEST(Round16, halfToEvenWithinSixteenBits)
{
    const struct {
        double value;
        int rounded;
    } rows[]
        = { { 2.5, 2 }, { 3.5, 4 }, { -2.5, -2 }, { 2.4, 2 }, { 40000, 32767 }, { -40000, -32768 }, { 1e300, 32767 } };
    for (const auto& row : rows)
        EXPECT_EQ(round16(row.value), row.rounded) << row.value;
}

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

TEST(DiceArraytoDiceBox, showsFirstDiceAndLowersCount)
{
    testing::Window window;
    window.form.DiceArray = { 4, 2, 6, 4, 6 };
    window.form.DiceBoxSort(1);
    double two = 2;
    EXPECT_EQ(window.form.DiceArraytoDiceBox(two), 12);
    EXPECT_EQ(window.form.DiceBox.text(), "6\r\n6\r\n");
    double ten = 10;
    EXPECT_EQ(window.form.DiceArraytoDiceBox(ten), 18);
    EXPECT_EQ(ten, 4);
    EXPECT_EQ(window.form.DiceBox.text(), "6\r\n6\r\n4\r\n2\r\n");
}

TEST(DiceBoxFill, hidesProgressMessageAndSizesList)
{
    testing::Window window(true, { 5 });
    window.form.statuswatch.setCaption("Divide by Zero");
    window.form.statuswatch.setVisible(true);
    EXPECT_EQ(window.form.DiceBoxFill(1, 1, 6), 5);
    EXPECT_FALSE(window.form.statuswatch.visible());
    EXPECT_EQ(window.form.statuswatch.caption(), "");
    EXPECT_EQ(window.form.DiceBoxFill(0, 1, 6), 0);
    EXPECT_EQ(window.form.DiceArray, (std::vector<std::int16_t> { 0 }));
}

// Chi-square of each die's faces over many draws through RandomRange, from a fixed seed so the
// outcome never changes; a biased, truncating or stuck generator fails it.
TEST(RandomRange, everyDieIsFair)
{
    testing::Window window;
    SystemRandom seeded(20261208);
    frmTavrol form { FormPorts { window.settings, window.printer, window.messages, window.modal, seeded } };
    const struct {
        int lob, upb;
    } dice[] = { { 1, 4 }, { 1, 6 }, { 1, 8 }, { 1, 10 }, { 1, 12 }, { 1, 20 }, { 1, 100 }, { -1, 1 } };
    for (const auto& die : dice) {
        const int faces = die.upb - die.lob + 1;
        const int perFace = 2000;
        std::vector<int> seen(static_cast<std::size_t>(faces), 0);
        for (int i = 0; i < faces * perFace; ++i) {
            const int face = form.RandomRange(die.lob, die.upb);
            ASSERT_GE(face, die.lob);
            ASSERT_LE(face, die.upb);
            ++seen[static_cast<std::size_t>(face - die.lob)];
        }
        double chi = 0;
        for (int count : seen)
            chi += (count - perFace) * (count - perFace) / static_cast<double>(perFace);
        // Wilson-Hilferty bound for a chance of 1 in 10,000 at faces - 1 degrees of freedom.
        const double dof = faces - 1;
        const double z = 3.719;
        const double bound = dof * std::pow(1 - 2 / (9 * dof) + z * std::sqrt(2 / (9 * dof)), 3);
        EXPECT_LT(chi, bound) << "d" << die.upb << " from " << die.lob;
    }
}

TEST(SystemRandom, sameSeedSameDrawsAndClockMixingNeverRepeats)
{
    SystemRandom a(7), b(7);
    for (int i = 0; i < 100; ++i) {
        a.reseedFromClock();
        b.reseedFromClock();
        ASSERT_EQ(a.next(), b.next());
    }
    // Re-seeded from the clock before every draw, as the dice do in a tight loop: the draws stay
    // spread out instead of repeating the value that one clock reading gives.
    SystemRandom live;
    std::set<float> distinct;
    for (int i = 0; i < 1000; ++i) {
        live.reseedFromClock();
        const float r = live.next();
        ASSERT_GE(r, 0.0f);
        ASSERT_LT(r, 1.0f);
        distinct.insert(r);
    }
    EXPECT_GT(distinct.size(), 990u);
}

} // namespace
} // namespace tavrol
