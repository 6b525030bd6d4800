// The programmable keys: the Program key opens the programming window; the six others replay
// their recorded commands through the same handlers a click runs.
#include "platform/utf8.h"
#include "programs/custom_entry.h"
#include "programs/frmCustom.h"
#include "programs/key_code.h"
#include "shell/frmTavrol.h"

namespace tavrol {

void frmTavrol::keyplay(std::string& equation)
{
    const std::string copy = equation;
    equation.clear();
    for (const std::string& code : utf8::codePoints(copy)) {
        const auto key = keyForCode(code);
        if (!key)
            continue;
        switch (key->array) {
        case KeyArray::Digit:
            btnDigit_Click(static_cast<DigitKey>(key->index));
            break;
        case KeyArray::Operator:
            btnOperator_Click(static_cast<OperatorKey>(key->index));
            break;
        case KeyArray::Dice:
            btnDice_Click(static_cast<DiceKey>(key->index));
            break;
        case KeyArray::Custom:
        case KeyArray::Clear:
        case KeyArray::Memory:
            break; // these keys record nothing, so no command presses them
        }
    }
}

frmCustom* frmTavrol::customWindow() const
{
    return custom_ && custom_->loaded() ? custom_.get() : nullptr;
}

frmCustom& frmTavrol::loadCustomWindow()
{
    if (!customWindow()) {
        custom_ = std::make_unique<frmCustom>(ports_.settings, ports_.messages);
        custom_->Form_Load();
    }
    return *custom_;
}

void frmTavrol::btnCustom_Click(CustomKey Index)
{
    const ToldPress told(*this, KeyPress::of(Index));
    CommandButton& key = *btnCustom[Index];
    if (isProgramKey(key.caption())) {
        frmCustom& window = loadCustomWindow();
        window.txtCommandLine.setText(CommandLine);
        window.setVisible(true);
        ports_.modal.showModal(window);
        // However the window was closed, the keys show what the store now holds.
        window.setVisible(false);
        LoadCustom();
        return;
    }
    CommandLine = key.tag();
    keyplay(CommandLine);
}

void frmTavrol::LoadCustom()
{
    std::string problem;
    const SettingsSnapshot once(ports_.settings); // the six keys from one read of the store
    for (int i = 0; i < kProgrammableKeys; ++i) {
        const CustomEntry entry
            = parseCustomEntry(ports_.settings.get(kSettingsApp, kSettingsSection, std::to_string(i), kUnprogrammed));
        if (problem.empty())
            problem = ports_.settings.problem();
        CommandButton& key = *btnCustom[programmableKey(i)];
        key.setCaption(entry.caption);
        key.setTag(entry.command);
        key.setEnabled(entry.programmed);
    }
    // The keys load again after every programming: a store that stays unreadable is told once.
    if (!problem.empty() && !toldStoreUnreadable_) {
        toldStoreUnreadable_ = true;
        ports_.messages.information("Tavrol32",
            "The stored keys could not be read, so the programmable keys show as unprogrammed. The settings "
            "store is left as it is.\r\n"
                + problem);
    }
    if (onCustomLoaded)
        onCustomLoaded();
}

} // namespace tavrol
