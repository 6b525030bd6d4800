// The Program key: the programming window, saving a key, and loading the stored keys.
#include "harness.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace tavrol::testing {
namespace {

const std::string kApp = "Tavrol32";
const std::string kSection = "custom";

TEST(LoadCustom, keysTakeStoredCaptionsCommandsAndStates)
{
    Window window(false);
    window.settings.values[{ kApp, kSection, "0" }] = "Fireball,3x+2=";
    window.settings.values[{ kApp, kSection, "3" }] = "Off,0";
    window.settings.values[{ kApp, kSection, "5" }] = "Program,1";
    window.form.LoadCustom();
    const frmTavrol& f = window.form;
    EXPECT_EQ(f.btnCustom[programmableKey(0)]->caption(), "Fireball");
    EXPECT_EQ(f.btnCustom[programmableKey(0)]->tag(), "3x+2=");
    EXPECT_TRUE(f.btnCustom[programmableKey(0)]->enabled());
    EXPECT_EQ(f.btnCustom[programmableKey(1)]->caption(), "Unprog");
    EXPECT_FALSE(f.btnCustom[programmableKey(1)]->enabled());
    EXPECT_EQ(f.btnCustom[programmableKey(3)]->caption(), "Off");
    EXPECT_FALSE(f.btnCustom[programmableKey(3)]->enabled());
    EXPECT_TRUE(f.btnCustom[programmableKey(5)]->enabled());
    EXPECT_EQ(f.btnCustom[CustomKey::Program]->caption(), "Program");
    EXPECT_TRUE(f.btnCustom[CustomKey::Program]->enabled());
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
    EXPECT_EQ(window.form.btnCustom[programmableKey(0)]->caption(), "Fireball");
    EXPECT_TRUE(window.form.btnCustom[programmableKey(0)]->enabled());
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
    EXPECT_EQ(window.form.btnCustom[programmableKey(2)]->caption(), "ab");
    EXPECT_EQ(window.form.btnCustom[programmableKey(2)]->tag(), "1,+1=");
}

TEST(ProgramKey, keyCaptionedProgramOpensTheWindow)
{
    Window window;
    window.settings.values[{ kApp, kSection, "1" }] = "Program,1+1=";
    window.form.LoadCustom();
    window.press("7");
    window.form.btnCustom[programmableKey(1)]->click();
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
    EXPECT_EQ(window.form.btnCustom[programmableKey(0)]->caption(), "Kept");
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
    EXPECT_EQ(form.btnCustom[programmableKey(0)]->caption(), "Unprog");
    EXPECT_FALSE(form.btnCustom[programmableKey(0)]->enabled());
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].title, "Tavrol32");
    EXPECT_NE(messages.shown[0].text.find("stored keys could not be read"), std::string::npos);
    EXPECT_NE(messages.shown[0].text.find(settings.reason), std::string::npos);

    form.LoadCustom();
    form.btnCustom[CustomKey::Program]->click(); // the programming window, closed at once; the keys load again
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
