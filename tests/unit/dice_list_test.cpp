// The dice list's procedures on the main window: showing the kept dice, one group rolled, and the
// fairness of every die drawn through RandomRange.
#include "dice/random_source.h"
#include "harness.h"

#include <cmath>
#include <gtest/gtest.h>
#include <vector>

namespace tavrol {
namespace {

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

} // namespace
} // namespace tavrol
