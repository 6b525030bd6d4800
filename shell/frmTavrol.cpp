#include "shell/frmTavrol.h"

#include "programs/frmCustom.h" // the window owns it, so builds and destroys it here

#include <cstddef>

namespace tavrol {

namespace texts {
// Shown in the caption while the start-up banner is up.
const char* const kCreditLine = "Tavrol32 (c) 2026 The Tavrol32 developers";
const char* const kAboutTitle = "about Tavrol32...";

std::string aboutText()
{
    // The about box joins its lines with a carriage return alone.
    return std::string("Tavrol 32bit Beta 1") + "\r" + "Written by the Tavrol32 developers" + "\r"
        + "Contact: tavrol32@example.org" + "\r" + "A calculator and dice roller for the referee's table";
}
} // namespace texts

frmTavrol::frmTavrol(FormPorts ports)
    : Form("frmTavrol", texts::kDesignCaption, Rect { 2136, 1788, 3120, 5028 })
    , pauser(buildControls())
    , DiceBox(control<TextBox>("DiceBox"))
    , btnPrint(control<PictureToggle>("btnPrint"))
    , Mem(control<Label>("Mem"))
    , statuswatch(control<Label>("statuswatch"))
    , Display(control<Label>("Display"))
    , ports_(ports)
    , tape_(ports.printer)
{
    for (int i = 0; i < kProgrammableKeys; ++i)
        btnCustom[programmableKey(i)]->setEnabled(false);
    btnMemory[MemoryKey::Clear]->setEnabled(false);
    btnMemory[MemoryKey::Recall]->setEnabled(false);
    statuswatch.setVisible(false);
    btnPrint.setTag("Poff");
    wireHandlers();
}

frmTavrol::~frmTavrol() = default;

namespace {

// Every key of the array runs the array's one handler, with the key clicked.
template <class Key, std::size_t N, class Handler> void wire(KeyRow<Key, N>& keys, Handler handler)
{
    for (int i = 0; i < static_cast<int>(N); ++i)
        keys.at(i)->onClick = [handler, i] { handler(static_cast<Key>(i)); };
}

} // namespace

void frmTavrol::wireHandlers()
{
    wire(btnDigit, [this](DigitKey key) { btnDigit_Click(key); });
    wire(btnOperator, [this](OperatorKey key) { btnOperator_Click(key); });
    wire(btnMemory, [this](MemoryKey key) { btnMemory_Click(key); });
    wire(btnClear, [this](ClearKey key) { btnClear_Click(key); });
    wire(btnDice, [this](DiceKey key) { btnDice_Click(key); });
    wire(btnCustom, [this](CustomKey key) { btnCustom_Click(key); });
    btnPrint.onClick = [this] { btnPrint_Click(); };
    Display.onChange = [this] { Display_Change(); };
    pauser.onTick = [this] { pauser_Timer(); };
    onDoubleClick = [this] { Form_DblClick(); };
}

CommandButton* frmTavrol::key(KeyPress press) const
{
    switch (press.array) {
    case KeyArray::Custom:
        return btnCustom.at(press.index);
    case KeyArray::Dice:
        return btnDice.at(press.index);
    case KeyArray::Clear:
        return btnClear.at(press.index);
    case KeyArray::Digit:
        return btnDigit.at(press.index);
    case KeyArray::Memory:
        return btnMemory.at(press.index);
    case KeyArray::Operator:
        return btnOperator.at(press.index);
    }
    return nullptr;
}

frmTavrol::ToldPress::ToldPress(frmTavrol& window, KeyPress key)
    : window_(window)
    , key_(key)
{
    if (window_.pressObserver)
        window_.pressObserver->pressStarts(window_, key_);
}

frmTavrol::ToldPress::~ToldPress()
{
    if (window_.pressObserver)
        window_.pressObserver->pressEnds(window_, key_);
}

void frmTavrol::Form_Load()
{
    MemoryText = "0";
    LoadCustom();
    setCaption(texts::kCreditLine);
    pauser.setEnabled(true);
}

void frmTavrol::pauser_Timer()
{
    btnClear_Click(ClearKey::All);
    pauser.setEnabled(false);
}

void frmTavrol::Form_DblClick()
{
    ports_.messages.information(texts::kAboutTitle, texts::aboutText());
}

} // namespace tavrol
