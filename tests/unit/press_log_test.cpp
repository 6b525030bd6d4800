// The session's log as the main window's presses make it: which presses make an entry, what each
// says, and where a roll stands among rolls of the same keys.
#include "harness.h"
#include "programs/press_recorder.h"
#include "programs/roll_percentile.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace tavrol::testing {
namespace {

struct Logged {
    LogEntry entry;
    std::optional<RollQuestion> roll;
};

// A window whose presses are recorded, each entry kept with its roll question.
struct LoggedWindow : Window {
    explicit LoggedWindow(std::vector<int> faces = {})
        : Window(true, std::move(faces))
    {
        form.pressObserver = &recorder;
    }
    std::vector<Logged> logged;
    PressRecorder recorder { [this](LogEntry entry, std::optional<RollQuestion> roll) {
        logged.push_back({ std::move(entry), std::move(roll) });
    } };

    // Each entry as "keys | dice | result | message", and whether it asks for a percentile.
    std::vector<std::string> said() const
    {
        std::vector<std::string> lines;
        for (const Logged& one : logged)
            lines.push_back(one.entry.keys + " | " + one.entry.dice + " | " + one.entry.result + " | "
                + one.entry.message + (one.roll ? " | roll" : ""));
        return lines;
    }
};

TEST(PressLog, eachDiceKeyEqualsAndProgrammedKeyMakesOneEntryThatSaysWhatHappened)
{
    const struct {
        const char* behaviour;
        std::vector<int> faces;
        const char* keys;
        std::vector<std::string> entries;
    } rows[] = {
        { "a roll with its count", { 4, 2, 5 }, "3 d6", { "3d6 | 4 2 5 | 11 |  | roll" } },
        { "a calculation: its keys and result", {}, "1 2 + 3 0 =", { "12 + 30 = |  | 42 | " } },
        { "the keys since the last result", {}, "2 = 5 \u00D7 3 =", { "2 = |  | 2 | ", "5 \u00D7 3 = |  | 15 | " } },
        { "a roll that begins a calculation is in its keys", { 4, 2, 5 },
            "3 d6 + 2 =", { "3d6 | 4 2 5 | 11 |  | roll", "3d6 + 2 = |  | 13 | " } },
        { "a number typed over a roll begins the calculation afresh", { 4, 2, 5 },
            "3 d6 1 2 + 3 0 =", { "3d6 | 4 2 5 | 11 |  | roll", "12 + 30 = |  | 42 | " } },
        { "no count rolls one die", { 3 }, "d20", { "1d20 | 3 | 3 |  | roll" } },
        { "groups of dice", { 1, 2, 3, 4, 5, 6 }, "2 3d6", { "2 \u00D7 3d6 | 1 2 3 4 5 6 | 21 |  | roll" } },
        { "fudge dice", { 1, -1, 0, 1 }, "fudge", { "4dF | 1 -1 0 1 | 1 |  | roll" } },
        { "both presses of xDn", { 7, 1 }, "2 xDn 8 xDn", { "2 xDn |  | 2 | ", "2d8 | 7 1 | 8 |  | roll" } },
        { "a reroll says what it repeats", { 2, 6, 6 }, "2 d6 reroll",
            { "2d6 | 2 6 | 8 |  | roll", "2d6 (reroll) | 6 2 | 8 |  | roll" } },
        { "best keeps the dice it lists", { 2, 5, 3 }, "3 d6 2 best",
            { "3d6 | 2 5 3 | 10 |  | roll", "keep best 2 | 5 3 | 8 |  | roll" } },
        { "a message beside the result", {}, "8 \u00F7 0 =", { "8 \u00F7 0 = |  | 0 | Divide by Zero" } },
        { "digits, memory, clear and percent make none", {}, "5 M+ % \u00B1 MR CE AC", {} },
    };
    for (const auto& row : rows) {
        LoggedWindow window(row.faces);
        window.pressAll(row.keys);
        EXPECT_EQ(window.said(), row.entries) << row.behaviour;
    }
}

TEST(PressLog, aProgrammedKeyIsOneEntryWithTheDiceOfAllItsRolls)
{
    LoggedWindow window({ 4, 2, 5, 6 });
    window.settings.values[{ "Tavrol32", "custom", "0" }] = "Fire,3x+1x=";
    window.form.LoadCustom();
    window.press("Fire");
    window.press("Program"); // opens the programming window: no entry
    ASSERT_EQ(window.said(), (std::vector<std::string> { "Fire (3d6 + 1d6) | 4 2 5 6 | 17 |  | roll" }));
    const Logged& fire = window.logged[0];
    EXPECT_EQ(fire.entry.programmedKey, "Fire");
    EXPECT_EQ(fire.entry.recorded, "3x+1x=");
    ASSERT_TRUE(fire.roll.has_value());
    EXPECT_EQ(fire.roll->keys.key, KeyPress::of(programmableKey(0)));
    EXPECT_EQ(fire.roll->keys.command, "3x+1x=");
    EXPECT_EQ(fire.roll->shown, 17);
}

TEST(PressLog, aDicePressIsRecordedSoThatItCanBePressedAgain)
{
    LoggedWindow window({ 1 });
    window.pressAll("2 xDn 3 \u00B1 xDn 2 . 5 d4 reroll");
    std::vector<std::string> recorded;
    for (const Logged& one : window.logged)
        recorded.push_back(one.entry.recorded);
    EXPECT_EQ(recorded, (std::vector<std::string> { "2y", "2y3\u00B1y", "2f", "2f" }));
}

double percentOf(const RollQuestion& roll, double shown)
{
    const auto found = percentileOf(roll.before, roll.keys, shown);
    return found ? found->percent : -1;
}

// The state before the press: a pending "10 +" decides what "1 d6 =" shows.
RollQuestion tenPlusOneDie()
{
    LoggedWindow window({ 3 });
    window.settings.values[{ "Tavrol32", "custom", "0" }] = "Add,1x=";
    window.form.LoadCustom();
    window.pressAll("1 0 + Add");
    return *window.logged.at(0).roll;
}

TEST(RollPercentile, aRollStandsAmongRollsOfTheSameKeysFromTheSameState)
{
    const RollQuestion question = tenPlusOneDie();
    EXPECT_EQ(question.shown, 13);
    const struct {
        double shown;
        double percent;
    } rows[] = { { 13, 50 }, { 10, 0 }, { 11, 100.0 / 6 }, { 16, 100 } };
    for (const auto& row : rows) {
        const auto found = percentileOf(question.before, question.keys, row.shown);
        ASSERT_TRUE(found.has_value());
        EXPECT_NEAR(found->percent, row.percent, 1e-9) << row.shown;
        EXPECT_TRUE(found->exact) << row.shown;
    }
}

TEST(RollPercentile, threeD6FallsWhereItsDistributionPutsIt)
{
    LoggedWindow window({ 1, 1, 1 });
    window.pressAll("3 d6");
    const RollQuestion& roll = *window.logged.at(0).roll;
    // At or below 3: 1 in 216; at or below 10: half; at or below 12: 160 in 216.
    for (const auto& [shown, percent] : { std::pair { 3.0, 100.0 / 216 }, { 10.0, 50.0 }, { 12.0, 16000.0 / 216 } })
        EXPECT_NEAR(percentOf(roll, shown), percent, 1e-9) << shown;
}

TEST(RollPercentile, aRerollRanksAmongRollsOfTheKeyAndCountItRepeats)
{
    LoggedWindow window({ 2, 6, 6, 2 });
    window.pressAll("2 d6 5 reroll"); // the 5 typed meanwhile is not the count: the reroll keeps 2
    const RollQuestion& reroll = *window.logged.at(1).roll;
    EXPECT_EQ(reroll.shown, 8);
    const auto found = percentileOf(reroll.before, reroll.keys, reroll.shown);
    ASSERT_TRUE(found.has_value());
    EXPECT_NEAR(found->percent, 100.0 * 26 / 36, 1e-9); // 2d6 at or below 8
    EXPECT_TRUE(found->exact);
}

TEST(RollPercentile, aPressThatDrawsNoDiceHasNone)
{
    LoggedWindow window({ 4, 2 });
    window.pressAll("2 d6 1 best");
    const RollQuestion& best = *window.logged.at(1).roll;
    EXPECT_FALSE(percentileOf(best.before, best.keys, best.shown).has_value());
}

} // namespace
} // namespace tavrol::testing
