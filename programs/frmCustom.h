// The programming window: the user picks one of the six programmable keys, names it, may edit
// the recorded command, and saves it to the settings store; or cancels.
#pragma once

#include "platform/control.h"
#include "platform/form.h"
#include "platform/ports.h"
#include "programs/key_code.h"

#include <array>
#include <string>

namespace tavrol {

inline constexpr const char* kCustomCaption = "Custom Programming";

class frmCustom : public Form {
public:
    frmCustom(SettingsStore& settings, MessageBox& messages);

    std::array<OptionButton*, kProgrammableKeys> BtnAssignedTo {};
    GroupBox& Frame1;
    TextBox& txtProgram;
    GroupBox& frameCommandLine;
    TextBox& txtCommandLine;
    GroupBox& Framebuttoncaption;
    TextBox& TxtButtonCaption;
    GroupBox& FrameAssignTo;
    CommandButton& btnProgram;
    CommandButton& btnCancel;

    void Form_Load();
    void BtnAssignedTo_Click(int Index);
    void btnCancel_Click();
    void btnProgram_Click();
    // Closing the window any other way (its title bar, Escape) unloads it without saving.
    void closeWithoutSaving() { unload(); }

private:
    GroupBox& buildControls();

    SettingsStore& settings_;
    MessageBox& messages_;
};

// The help text, six lines each ended by a line break.
std::string customHelpText();

} // namespace tavrol
