// The record of pressed keys and its playback through a programmed key.
#include "harness.h"

#include <gtest/gtest.h>
#include <string>

namespace tavrol::testing {
namespace {

const std::string kApp = "Tavrol32";
const std::string kSection = "custom";

TEST(Recording, recordsDigitAndOperatorCaptionsOnly)
{
    const struct {
        const char* keys;
        const char* recorded;
    } rows[] = { { "1 2 + 3 =", "12+3=" }, { "5 M+ 2", "52" }, { "2 . 5 .", "2.5." },
        { "5 \u00B1 % \u00D7 \u00F7 - =", "5\u00B1%\u00D7\u00F7-=" }, { "1 2 CE 3", "123" }, { "1 2 AC 3", "3" },
        { "= =", "==" } };
    for (const auto& row : rows) {
        Window window;
        window.pressAll(row.keys);
        EXPECT_EQ(window.form.CommandLine, row.recorded) << row.keys;
    }
}

struct Playback {
    const char* behaviour;
    const char* command;
    const char* display;
    const char* recorded;
};

class PlaybackScenario : public ::testing::TestWithParam<Playback> { };

TEST_P(PlaybackScenario, replaysThroughTheKeysAndRecordsWhatItPressed)
{
    Window window(true, { 4, 2, 6 });
    window.settings.values[{ kApp, kSection, "1" }] = std::string("Key,") + GetParam().command;
    window.form.LoadCustom();
    window.pressAll("7 7 +"); // whatever the record held before is replaced
    window.form.btnCustom[programmableKey(1)]->click();
    EXPECT_EQ(window.display(), GetParam().display);
    EXPECT_EQ(window.form.CommandLine, GetParam().recorded);
}

INSTANTIATE_TEST_SUITE_P(Commands, PlaybackScenario,
    ::testing::Values(Playback { "empty", "", "77.", "" }, Playback { "arithmetic", "12+3=", "92.", "12+3=" },
        Playback { "blanksSkipped", "1 2", "12.", "12" },
        Playback { "unknownCharactersSkipped", "3a+1=", "81.", "3+1=" },
        Playback { "upperCaseSkipped", "2FMrX", "2.", "2" }, Playback { "diceRolled", "3x+2=", "91.", "3x+2=" },
        Playback { "xdnThenD6", "2yx", "6.", "2yx" },
        Playback { "multiplicationSign", "2\u00D73=", "83.", "2\u00D73=" },
        Playback { "invalidBytesSkipped", "4\xFF\xC3=", "81.", "4=" }),
    [](const ::testing::TestParamInfo<Playback>& param) { return std::string(param.param.behaviour); });

TEST(Playback, sameKeyTwicePlaysTwiceFromEmptyRecord)
{
    Window window;
    window.settings.values[{ kApp, kSection, "0" }] = "Add,3+4=";
    window.form.LoadCustom();
    window.form.btnCustom[programmableKey(0)]->click();
    window.form.btnCustom[programmableKey(0)]->click();
    EXPECT_EQ(window.display(), "7.");
    EXPECT_EQ(window.form.CommandLine, "3+4=");
}

} // namespace
} // namespace tavrol::testing
