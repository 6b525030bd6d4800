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
    for (int i = 0; i < CustomKey::Program; ++i)
        btnCustom[i]->setEnabled(false);
    btnMemory[MemoryKey::Clear]->setEnabled(false);
    btnMemory[MemoryKey::Recall]->setEnabled(false);
    statuswatch.setVisible(false);
    btnPrint.setTag("Poff");
    wireHandlers();
}

frmTavrol::~frmTavrol() = default;

template <class T> T& frmTavrol::control(const char* key) const
{
    return static_cast<T&>(*find(key));
}

void frmTavrol::wireHandlers()
{
    const auto wire = [](auto& keys, auto handler) {
        for (std::size_t i = 0; i < keys.size(); ++i)
            keys[i]->onClick = [handler, i] { handler(static_cast<int>(i)); };
    };
    wire(btnDigit, [this](int i) { btnDigit_Click(i); });
    wire(btnOperator, [this](int i) { btnOperator_Click(i); });
    wire(btnMemory, [this](int i) { btnMemory_Click(i); });
    wire(btnClear, [this](int i) { btnClear_Click(i); });
    wire(btnDice, [this](int i) { btnDice_Click(i); });
    wire(btnCustom, [this](int i) { btnCustom_Click(i); });
    btnPrint.onClick = [this] { btnPrint_Click(); };
    Display.onChange = [this] { Display_Change(); };
    pauser.onTick = [this] { pauser_Timer(); };
    onDoubleClick = [this] { Form_DblClick(); };
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
    btnClear_Click(0);
    pauser.setEnabled(false);
}

void frmTavrol::Form_DblClick()
{
    ports_.messages.information(texts::kAboutTitle, texts::aboutText());
}

} // namespace tavrol
