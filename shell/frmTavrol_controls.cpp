// The main window's controls: the key arrays built from their tables (programs/key_code.h), the
// fonts and colours of each array, and the boxes and labels as data, places and sizes in twips.
#include "programs/key_code.h"
#include "shell/frmTavrol.h"

#include <algorithm>
#include <cstddef>
#include <utility>
#include <vector>

namespace tavrol {
namespace {

const FontSpec kSans96 { "MS Sans Serif", 9.6, false };
const FontSpec kSans12Bold { "MS Sans Serif", 12, true };

// Keyboard focus reads the window as a page: rows from the top down, left to right within a
// row. Only what can take focus gets a place: keys, boxes and the tape toggle, not labels.
void orderTabsByPlace(const Form& form)
{
    std::vector<Control*> stops;
    for (const auto& control : form.controls()) {
        const ControlKind kind = control->kind();
        if (kind == ControlKind::CommandButton || kind == ControlKind::OptionButton || kind == ControlKind::TextBox
            || kind == ControlKind::PictureToggle)
            stops.push_back(control.get());
    }
    std::stable_sort(stops.begin(), stops.end(), [](const Control* a, const Control* b) {
        return std::pair { a->rect().top, a->rect().left } < std::pair { b->rect().top, b->rect().left };
    });
    for (std::size_t i = 0; i < stops.size(); ++i)
        stops[i]->setTabOrder(static_cast<int>(i));
}

} // namespace

// The window is built in the order it defines its controls; the other references are then
// bound by name.
Timer& frmTavrol::buildControls()
{
    Timer& timer = add<Timer>("pauser", 5000);
    const auto plain = [](int) { return Style {}; };
    addKeys(btnCustom, plain);
    addKeys(btnDice, [](int i) {
        Style style;
        if (static_cast<DiceKey>(i) == DiceKey::Fudge)
            style.font = FontSpec { "MS Serif", 7.8, false };
        return style;
    });
    addDiceListAndTapeToggle();
    addKeys(btnClear, plain);
    addKeys(btnDigit, [](int i) {
        Style style;
        style.font = static_cast<DigitKey>(i) == DigitKey::Point ? kSans12Bold : kSans96;
        style.back = Color::systemWindow();
        return style;
    });
    addKeys(btnMemory, plain);
    addKeys(btnOperator, [](int) {
        Style style;
        style.font = kSans12Bold;
        return style;
    });
    addLabels();
    orderTabsByPlace(*this);
    return timer;
}

// The keys of one array, from its table: caption, place, spoken name and tooltip.
template <class Key, std::size_t N, class StyleOf> void frmTavrol::addKeys(KeyRow<Key, N>& row, StyleOf styleOf)
{
    for (int i = 0; i < static_cast<int>(N); ++i) {
        const KeySpec& key = keySpec(static_cast<Key>(i));
        CommandButton& button = add<CommandButton>(std::string(keyArrayName(arrayOf(Key {}))), i,
            Rect { key.left, key.top, key.width, kKeyHeight }, styleOf(i), std::string(key.caption));
        button.setAccessibleName(std::string(key.spoken));
        button.setDescription(keyTooltip(key));
        row[static_cast<Key>(i)] = &button;
    }
}

void frmTavrol::addDiceListAndTapeToggle()
{
    Style list;
    list.back = Color::rgb(192, 192, 192);
    list.align = Align::Right;
    list.multiLine = true;
    list.verticalScroll = true;
    list.readOnly = true;
    auto& dice = add<TextBox>("DiceBox", Rect { 120, 2160, 855, 2535 }, list);
    dice.setAccessibleName("Dice list");
    dice.setDescription("Every die of the last roll. Keyboard: Ctrl+Shift+C copies them, one a line.");

    Style toggle;
    toggle.back = Color::systemWindow();
    auto& tape = add<PictureToggle>("btnPrint", Rect { 120, 1200, 300, 300 }, toggle);
    tape.setAccessibleName("Tape on or off");
    tape.setDescription("Prints every calculation, All Clear and roll while it is on; switching it off sends the "
                        "tape to the printer.");
    tape.setOnTag("Pon"); // checked while the tape runs
}

// The three labels have no fixed spoken name: a screen reader speaks a label's name instead of its
// text, so a name would hide the number on the display, the status message and the memory
// indicator, and their changes would no longer be announced.
void frmTavrol::addLabels()
{
    // Drawn without a background of its own, so the display's grey shows around the letters.
    Style indicator;
    indicator.font = FontSpec { "MS Sans Serif", 12, false };
    indicator.opaque = false;
    indicator.stacking = 2;
    add<Label>("Mem", Rect { 120, 0, 375, 375 }, indicator, "");

    Style status;
    status.font = FontSpec { "Courier New", 9.6, false };
    status.stacking = 1;
    status.announced = true;
    add<Label>("statuswatch", Rect { 240, 0, 2655, 375 }, status, "");

    Style display;
    display.font = FontSpec { "Courier New", 15.6, false };
    display.fore = Color::rgb(0, 192, 0);
    display.back = Color::rgb(128, 128, 128);
    display.align = Align::Right;
    display.border = true;
    display.announced = true;
    add<Label>("Display", Rect { 120, 0, 2895, 375 }, display, texts::kBanner);
}

} // namespace tavrol
