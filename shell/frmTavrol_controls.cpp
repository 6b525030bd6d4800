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

    const auto keys = [this](KeyArray array, auto&& styleOf, auto& slots) {
        const auto table = keyTable(array);
        const std::string name(keyArrayName(array));
        for (std::size_t i = 0; i < slots.size(); ++i) {
            const KeySpec& key = table[i];
            slots[i] = &add<CommandButton>(name, static_cast<int>(i), Rect { key.left, key.top, key.width, kKeyHeight },
                styleOf(i), std::string(key.caption));
            slots[i]->setAccessibleName(std::string(key.spoken));
            slots[i]->setDescription(keyTooltip(key));
        }
    };
    const auto plain = [](std::size_t) { return Style {}; };

    keys(KeyArray::Custom, plain, btnCustom);
    keys(
        KeyArray::Dice,
        [](std::size_t i) {
            Style style;
            if (i == DiceKey::Fudge)
                style.font = FontSpec { "MS Serif", 7.8, false };
            return style;
        },
        btnDice);

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

    keys(KeyArray::Clear, plain, btnClear);
    keys(
        KeyArray::Digit,
        [](std::size_t i) {
            Style style;
            style.font = i == DigitKey::Point ? kSans12Bold : kSans96;
            style.back = Color::systemWindow();
            return style;
        },
        btnDigit);
    keys(KeyArray::Memory, plain, btnMemory);
    keys(
        KeyArray::Operator,
        [](std::size_t) {
            Style style;
            style.font = kSans12Bold;
            return style;
        },
        btnOperator);

    // The three labels have no fixed spoken name: a screen reader speaks a label's name instead of
    // its text, so a name would hide the number on the display, the status message and the
    // memory indicator, and their changes would no longer be announced.

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

    orderTabsByPlace(*this);
    return timer;
}

} // namespace tavrol
