#include "programs/frmCustom.h"

#include "calculator/number_text.h"
#include "programs/custom_entry.h"

#include <utility>

namespace tavrol {

std::string customHelpText()
{
    return "The number keys 0-9 and the decimal point for numeric input.\r\n"
           "\u00B1, %, \u00F7, \u00D7, + and - as operators.  '=' ends all recording and ends custom.\r\n"
           "Memory Keys are NOT supported in this release.\r\n"
           "d4='f'     d6='x'   d8='e'     d10='t'      d12='l'  d20='n'   d%='h'\r\n"
           "3d6='i'   fudge='u'   dAvg='v'   xDn='y'  xBest='b'  xWorst='w'\r\n"
           "Custom Buttons may NOT call other custom buttons in this version.\r\n";
}

// Built in the order of the window's tab stops; positions in twips, inside the group box that
// holds each control. Each control is named for a screen reader as it is added.
GroupBox& frmCustom::buildControls()
{
    const auto inside = [](Control& child, Control& holder, int order, std::string spoken) {
        child.setHolder(&holder);
        child.setTabOrder(order);
        child.setAccessibleName(std::move(spoken));
    };
    GroupBox& frame1 = add<GroupBox>("Frame1", Rect { 120, 0, 5295, 1575 }, Style {}, "Programming Commands");
    frame1.setTabOrder(0);
    frame1.setAccessibleName("Programming commands");
    // Read-only, in a size at which each of the six lines fits the box's width and all of them,
    // with the empty line the last line break opens, its height.
    Style help;
    help.font.points = 7;
    help.back = Color::rgb(192, 192, 192);
    help.multiLine = true;
    help.readOnly = true;
    inside(add<TextBox>("txtProgram", Rect { 120, 240, 5055, 1215 }, help, customHelpText()), frame1, 1, "Help");

    GroupBox& commandFrame
        = add<GroupBox>("frameCommandLine", Rect { 120, 1680, 5295, 615 }, Style {}, "Current Command Line");
    commandFrame.setTabOrder(2);
    commandFrame.setAccessibleName("Command line");
    inside(add<TextBox>("txtCommandLine", Rect { 120, 240, 5055, 285 }, Style {}, ""), commandFrame, 3,
        "Current command line");

    GroupBox& captionFrame
        = add<GroupBox>("Framebuttoncaption", Rect { 120, 2400, 1692, 852 }, Style {}, "Button Caption ");
    captionFrame.setTabOrder(4);
    captionFrame.setAccessibleName("Caption");
    inside(add<TextBox>("TxtButtonCaption", Rect { 120, 360, 1332, 288 }, Style {}, "Text1"), captionFrame, 5,
        "Button caption");

    GroupBox& assign = add<GroupBox>("FrameAssignTo", Rect { 1920, 2400, 2052, 1092 }, Style {}, "Assign To");
    assign.setTabOrder(6);
    assign.setAccessibleName("Assign to");
    for (int i = 0; i < kProgrammableKeys; ++i) {
        const Rect place { i < 3 ? 120 : 1080, 240 + 240 * (i % 3), 852, 252 };
        auto& option = add<OptionButton>("BtnAssignedTo", i, place, Style {}, "Button " + std::to_string(i));
        inside(option, assign, 9 + i, "Assign to button " + std::to_string(i));
        BtnAssignedTo[static_cast<std::size_t>(i)] = &option;
    }
    auto& program = add<CommandButton>("btnProgram", -1, Rect { 4080, 2520, 1215, 495 }, Style {}, "Program");
    program.setTabOrder(7);
    program.setAccessibleName("Program");
    // Spoken as a word, not spelt out letter by letter as a screen reader may read capitals.
    auto& cancel = add<CommandButton>("btnCancel", -1, Rect { 4080, 3120, 1215, 495 }, Style {}, "CANCEL");
    cancel.setTabOrder(8);
    cancel.setAccessibleName("Cancel");
    return frame1;
}

frmCustom::frmCustom(SettingsStore& settings, MessageBox& messages)
    : Form("frmCustom", kCustomCaption, Rect { 0, 0, 5460, 3708 })
    , Frame1(buildControls())
    , txtProgram(control<TextBox>("txtProgram"))
    , frameCommandLine(control<GroupBox>("frameCommandLine"))
    , txtCommandLine(control<TextBox>("txtCommandLine"))
    , Framebuttoncaption(control<GroupBox>("Framebuttoncaption"))
    , TxtButtonCaption(control<TextBox>("TxtButtonCaption"))
    , FrameAssignTo(control<GroupBox>("FrameAssignTo"))
    , btnProgram(control<CommandButton>("btnProgram"))
    , btnCancel(control<CommandButton>("btnCancel"))
    , settings_(settings)
    , messages_(messages)
{
    // A comma in a caption would end it there when the key is loaded again.
    TxtButtonCaption.inputFilter = withoutCommas;
    // Opened to name a key: typing replaces the caption at once.
    setInitialFocus(TxtButtonCaption);
    for (std::size_t i = 0; i < BtnAssignedTo.size(); ++i) {
        BtnAssignedTo[i]->onClick = [this, i] {
            for (auto* option : BtnAssignedTo)
                option->setValue(option == BtnAssignedTo[i]);
            BtnAssignedTo_Click(static_cast<int>(i));
        };
    }
    btnProgram.onClick = [this] { btnProgram_Click(); };
    btnCancel.onClick = [this] { btnCancel_Click(); };
}

void frmCustom::Form_Load()
{
    FrameAssignTo.setTag("");
}

void frmCustom::BtnAssignedTo_Click(int Index)
{
    FrameAssignTo.setTag(signText(Index));
}

void frmCustom::btnCancel_Click()
{
    setVisible(false);
}

void frmCustom::btnProgram_Click()
{
    if (!FrameAssignTo.tag().empty()) {
        const std::string key = std::to_string(static_cast<int>(readNumber(FrameAssignTo.tag()).value_or(0)));
        const std::string value = TxtButtonCaption.text() + "," + txtCommandLine.text();
        if (!settings_.save(kSettingsApp, kSettingsSection, key, value))
            messages_.information("Tavrol32", keyNotSavedMessage(settings_.problem()));
    }
    unload();
}

} // namespace tavrol
