// Recording, the programming window, the stored entries and playback.
#include "harness.h"
#include "programs/custom_entry.h"
#include "programs/key_code.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace tavrol::testing {
namespace {

const std::string kApp = "Tavrol32";
const std::string kSection = "custom";

TEST(KeyCode, everyRecordedCodeReplaysItsKey)
{
    const struct {
        const char* code;
        KeyArray array;
        int index;
    } rows[] = { { "0", KeyArray::Digit, 0 }, { "9", KeyArray::Digit, 9 }, { ".", KeyArray::Digit, 10 },
        { "\u00B1", KeyArray::Operator, 0 }, { "%", KeyArray::Operator, 1 }, { "\u00D7", KeyArray::Operator, 2 },
        { "\u00F7", KeyArray::Operator, 3 }, { "+", KeyArray::Operator, 4 }, { "-", KeyArray::Operator, 5 },
        { "=", KeyArray::Operator, 6 }, { "f", KeyArray::Dice, 0 }, { "x", KeyArray::Dice, 1 },
        { "e", KeyArray::Dice, 2 }, { "t", KeyArray::Dice, 3 }, { "l", KeyArray::Dice, 4 }, { "n", KeyArray::Dice, 5 },
        { "h", KeyArray::Dice, 6 }, { "i", KeyArray::Dice, 7 }, { "u", KeyArray::Dice, 8 }, { "v", KeyArray::Dice, 9 },
        { "y", KeyArray::Dice, 10 }, { "b", KeyArray::Dice, 11 }, { "w", KeyArray::Dice, 12 } };
    for (const auto& row : rows)
        EXPECT_EQ(keyForCode(row.code), (KeyPress { row.array, row.index })) << row.code;
    for (const char* skipped : { "F", "X", "M", "r", " ", ",", "*", "/", "a", "\u00D8", "" })
        EXPECT_FALSE(keyForCode(skipped).has_value()) << skipped;
}

TEST(CustomEntry, parsesCaptionAndCommand)
{
    const struct {
        const char* value;
        const char* caption;
        const char* command;
        bool programmed;
    } rows[]
        = { { "Unprog,0", "Unprog", "0", false }, { "Roll,3+x", "Roll", "3+x", true }, { "Two,00", "Two", "00", true },
              { "Blank, 0", "Blank", " 0", true }, { ",3+x", "", "3+x", true }, { "Empty,", "Empty", "", true },
              { "a,b,1", "a", "b,1", true }, { "NoComma", "NoComma", "0", false }, { "", "", "0", false } };
    for (const auto& row : rows) {
        const CustomEntry entry = parseCustomEntry(row.value);
        EXPECT_EQ(entry.caption, row.caption) << row.value;
        EXPECT_EQ(entry.command, row.command) << row.value;
        EXPECT_EQ(entry.programmed, row.programmed) << row.value;
    }
}

TEST(CustomEntry, cutsLongCommandAtFiveHundredTwelveCharacters)
{
    const std::string command(600, '\xC3'); // invalid on its own: counts a character a byte
    EXPECT_EQ(parseCustomEntry("Long," + std::string(300, '1') + std::string(300, '\xD7')).command.size(), 300u + 212u);
    EXPECT_EQ(parseCustomEntry("Long," + std::string(700, '5')).command, std::string(512, '5'));
    std::string multiplied;
    for (int i = 0; i < 600; ++i)
        multiplied += "\u00D7";
    EXPECT_EQ(parseCustomEntry("Times," + multiplied).command, multiplied.substr(0, 1024));
    EXPECT_EQ(parseCustomEntry("Bytes," + command).command.size(), 512u);
}

TEST(LoadCustom, keysTakeStoredCaptionsCommandsAndStates)
{
    Window window(false);
    window.settings.values[{ kApp, kSection, "0" }] = "Fireball,3x+2=";
    window.settings.values[{ kApp, kSection, "3" }] = "Off,0";
    window.settings.values[{ kApp, kSection, "5" }] = "Program,1";
    window.form.LoadCustom();
    const frmTavrol& f = window.form;
    EXPECT_EQ(f.btnCustom[0]->caption(), "Fireball");
    EXPECT_EQ(f.btnCustom[0]->tag(), "3x+2=");
    EXPECT_TRUE(f.btnCustom[0]->enabled());
    EXPECT_EQ(f.btnCustom[1]->caption(), "Unprog");
    EXPECT_FALSE(f.btnCustom[1]->enabled());
    EXPECT_EQ(f.btnCustom[3]->caption(), "Off");
    EXPECT_FALSE(f.btnCustom[3]->enabled());
    EXPECT_TRUE(f.btnCustom[5]->enabled());
    EXPECT_EQ(f.btnCustom[6]->caption(), "Program");
    EXPECT_TRUE(f.btnCustom[6]->enabled());
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
    window.form.btnCustom[1]->click();
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
    window.form.btnCustom[0]->click();
    window.form.btnCustom[0]->click();
    EXPECT_EQ(window.display(), "7.");
    EXPECT_EQ(window.form.CommandLine, "3+4=");
}

TEST(ProgramKey, savesChosenKeyAndReloads)
{
    Window window(true, { 5, 5, 5 });
    window.pressAll("3 d6 + 2 =");
    window.modal.scripts.push_back([](frmCustom& w) {
        EXPECT_EQ(w.txtCommandLine.text(), "3x+2=");
        EXPECT_EQ(w.TxtButtonCaption.text(), "Text1");
        EXPECT_EQ(w.FrameAssignTo.tag(), "");
        w.BtnAssignedTo[0]->click();
        EXPECT_EQ(w.FrameAssignTo.tag(), " 0");
        w.TxtButtonCaption.edit("Fireball");
        w.btnProgram.click();
    });
    window.press("Program");
    EXPECT_EQ((window.settings.values[{ kApp, kSection, "0" }]), "Fireball,3x+2=");
    EXPECT_EQ(window.form.btnCustom[0]->caption(), "Fireball");
    EXPECT_TRUE(window.form.btnCustom[0]->enabled());
    EXPECT_EQ(window.form.customWindow(), nullptr);
    EXPECT_EQ(window.form.CommandLine, "3x+2=");
    window.press("AC");
    window.press("Fireball");
    EXPECT_EQ(window.display(), "17.");
}

TEST(ProgramKey, programBeforeChoosingSavesNothing)
{
    Window window;
    window.modal.scripts.push_back([](frmCustom& w) { w.btnProgram.click(); });
    window.press("Program");
    EXPECT_TRUE(window.settings.values.empty());
    EXPECT_EQ(window.form.customWindow(), nullptr);
}

TEST(ProgramKey, cancelKeepsChoiceAndCaptionForNextShowing)
{
    Window window;
    window.pressAll("1 +");
    window.modal.scripts.push_back([](frmCustom& w) {
        w.BtnAssignedTo[4]->click();
        w.TxtButtonCaption.edit("Sword");
        w.txtCommandLine.edit("edited");
        w.btnCancel.click();
    });
    window.modal.scripts.push_back([](frmCustom& w) {
        EXPECT_EQ(w.FrameAssignTo.tag(), " 4");
        EXPECT_TRUE(w.BtnAssignedTo[4]->value());
        EXPECT_EQ(w.TxtButtonCaption.text(), "Sword");
        EXPECT_EQ(w.txtCommandLine.text(), "1+2"); // a fresh command line each showing
        w.btnProgram.click();
    });
    window.press("Program");
    EXPECT_NE(window.form.customWindow(), nullptr);
    EXPECT_FALSE(window.form.customWindow()->visible());
    EXPECT_EQ(window.form.CommandLine, "1+"); // edits in the window never flow back
    window.press("2");
    window.press("Program");
    EXPECT_EQ((window.settings.values[{ kApp, kSection, "4" }]), "Sword,1+2");
    window.modal.scripts.push_back([](frmCustom& w) {
        EXPECT_EQ(w.FrameAssignTo.tag(), "");
        EXPECT_EQ(w.TxtButtonCaption.text(), "Text1");
        for (auto* option : w.BtnAssignedTo)
            EXPECT_FALSE(option->value());
    });
    window.press("Program");
}

TEST(ProgramKey, captionBoxTakesNoCommaSoSavedKeyLoadsBackAsSaved)
{
    Window window;
    window.modal.scripts.push_back([](frmCustom& w) {
        w.BtnAssignedTo[2]->click();
        w.TxtButtonCaption.edit("a,b");
        EXPECT_EQ(w.TxtButtonCaption.text(), "ab");
        w.txtCommandLine.edit("1,+1=");
        w.btnProgram.click();
    });
    window.press("Program");
    EXPECT_EQ((window.settings.values[{ kApp, kSection, "2" }]), "ab,1,+1=");
    EXPECT_EQ(window.form.btnCustom[2]->caption(), "ab");
    EXPECT_EQ(window.form.btnCustom[2]->tag(), "1,+1=");
}

TEST(ProgramKey, keyCaptionedProgramOpensTheWindow)
{
    Window window;
    window.settings.values[{ kApp, kSection, "1" }] = "Program,1+1=";
    window.form.LoadCustom();
    window.press("7");
    window.form.btnCustom[1]->click();
    EXPECT_EQ(window.modal.shown, 1);
    EXPECT_EQ(window.display(), "7.");
}

TEST(ProgramKey, storeThatCannotBeWrittenIsReportedAndKeepsKeys)
{
    Window window;
    window.settings.values[{ kApp, kSection, "0" }] = "Kept,1";
    window.form.LoadCustom();
    window.settings.readOnly = true;
    window.modal.scripts.push_back([](frmCustom& w) {
        w.BtnAssignedTo[0]->click();
        w.btnProgram.click();
    });
    window.settings.reason = "disk full";
    window.press("Program");
    ASSERT_EQ(window.messages.shown.size(), 1u);
    EXPECT_EQ(window.messages.shown[0].title, "Tavrol32");
    EXPECT_EQ(window.messages.shown[0].text,
        "The programmed key could not be saved: the settings store cannot be written. The keys stored before are "
        "kept.\r\ndisk full");
    EXPECT_EQ(window.form.btnCustom[0]->caption(), "Kept");
}

// Every load after a programming reads the store again; the user hears about it once a run.
TEST(LoadCustom, unreadableStoreShowsUnprogrammedKeysAndTellsOnce)
{
    MemorySettings settings;
    settings.values[{ kApp, kSection, "0" }] = "Fireball,3x+2=";
    settings.unreadable = true;
    settings.reason = "Tavrol32.conf is a named pipe (FIFO), not a regular file";
    RecordingPrinter printer;
    RecordingMessageBox messages;
    ScriptedModal modal;
    ScriptedFaces random({});
    frmTavrol form(FormPorts { settings, printer, messages, modal, random });
    form.Form_Load();
    EXPECT_EQ(form.btnCustom[0]->caption(), "Unprog");
    EXPECT_FALSE(form.btnCustom[0]->enabled());
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].title, "Tavrol32");
    EXPECT_NE(messages.shown[0].text.find("stored keys could not be read"), std::string::npos);
    EXPECT_NE(messages.shown[0].text.find(settings.reason), std::string::npos);

    form.LoadCustom();
    form.btnCustom[6]->click(); // the programming window, closed at once; the keys load again
    EXPECT_EQ(modal.shown, 1);
    EXPECT_EQ(messages.shown.size(), 1u);
}

TEST(ProgramWindow, helpTextAndControlsAsDesigned)
{
    Window window;
    frmCustom& w = window.form.loadCustomWindow();
    EXPECT_EQ(w.caption(), "Custom Programming");
    EXPECT_EQ(std::count(w.txtProgram.text().begin(), w.txtProgram.text().end(), '\n'), 6);
    EXPECT_NE(w.txtProgram.text().find("d4='f'     d6='x'   d8='e'     d10='t'      d12='l'  d20='n'   d%='h'\r\n"),
        std::string::npos);
    EXPECT_NE(w.txtProgram.text().find("operators.  '=' ends"), std::string::npos);
    EXPECT_EQ(w.Framebuttoncaption.caption(), "Button Caption ");
    EXPECT_EQ(w.BtnAssignedTo[3]->rect().left, 1080);
    EXPECT_EQ(w.BtnAssignedTo[5]->rect().top, 720);
    EXPECT_EQ(w.BtnAssignedTo[5]->holder(), &w.FrameAssignTo);
    EXPECT_EQ(w.btnCancel.caption(), "CANCEL");
}

} // namespace
} // namespace tavrol::testing
