// The main window's controls as data: names, captions, what a screen reader speaks for them,
// places and sizes in twips, fonts and colours. The keypad is laid out on a grid of 360-twip
// steps with 375-twip keys.
#include "shell/frmTavrol.h"

#include <algorithm>
#include <cstddef>
#include <utility>
#include <vector>

namespace tavrol {
namespace {

struct KeyRow {
    const char* caption;
    // "" leaves the key to speak its caption: a programmable key is named by what it shows.
    const char* spoken;
    int left;
    int top;
    int width;
};

constexpr int kKeyHeight = 375;

const FontSpec kSans96 { "MS Sans Serif", 9.6, false };
const FontSpec kSans12Bold { "MS Sans Serif", 12, true };

constexpr KeyRow kCustomKeys[] = {
    { "unprog", "", 2160, 2160, 855 },
    { "unprog", "", 2160, 2520, 855 },
    { "unprog", "", 2160, 2880, 855 },
    { "unprog", "", 2160, 3240, 855 },
    { "unprog", "", 2160, 3600, 855 },
    { "unprog", "", 2160, 3960, 855 },
    { "Program", "Program", 2160, 4320, 855 },
};

constexpr KeyRow kDiceKeys[] = {
    { "d4", "d4", 1080, 2160, 495 },
    { "d6", "d6", 1080, 2520, 495 },
    { "d8", "d8", 1080, 2880, 495 },
    { "d10", "d10", 1080, 3240, 495 },
    { "d12", "d12", 1080, 3600, 495 },
    { "d20", "d20", 1080, 3960, 495 },
    { "d%", "d100", 1080, 4320, 495 },
    { "3d6", "Three d6", 1560, 2160, 495 },
    { "fudge", "Fudge dice", 1560, 2520, 495 },
    { "dAvg", "Average dice", 1560, 2880, 495 },
    { "xDn", "Several dice of a chosen size", 1560, 3240, 495 },
    { "best", "Keep best", 1560, 3600, 495 },
    { "worst", "Keep worst", 1560, 3960, 495 },
    { "reroll", "Reroll", 1560, 4320, 495 },
};
constexpr int kFudgeKey = 8;

constexpr KeyRow kClearKeys[] = { { "AC", "All Clear", 120, 480, 375 }, { "CE", "Clear Entry", 120, 840, 375 } };

constexpr KeyRow kDigitKeys[] = {
    { "0", "0", 600, 1560, 735 },
    { "1", "1", 600, 1200, 375 },
    { "2", "2", 960, 1200, 375 },
    { "3", "3", 1320, 1200, 375 },
    { "4", "4", 600, 840, 375 },
    { "5", "5", 960, 840, 375 },
    { "6", "6", 1320, 840, 375 },
    { "7", "7", 600, 480, 375 },
    { "8", "8", 960, 480, 375 },
    { "9", "9", 1320, 480, 375 },
    { ".", "Decimal point", 1320, 1560, 375 },
};
constexpr int kPointKey = 10;

constexpr KeyRow kMemoryKeys[] = {
    { "MC", "Memory clear", 2640, 480, 375 },
    { "MR", "Memory recall", 2640, 840, 375 },
    { "M-", "Memory subtract", 2640, 1200, 375 },
    { "M+", "Memory add", 2640, 1560, 375 },
};

constexpr KeyRow kOperatorKeys[] = {
    { "\u00B1", "Change sign", 1800, 480, 375 },
    { "%", "Percent", 2160, 480, 375 },
    { "\u00D7", "Multiply", 1800, 840, 375 },
    { "\u00F7", "Divide", 2160, 840, 375 },
    { "+", "Plus", 1800, 1200, 375 },
    { "-", "Minus", 2160, 1200, 375 },
    { "=", "Equals", 1800, 1560, 735 },
};

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

    const auto keys = [this](const char* name, const auto& rows, auto&& styleOf, auto& slots) {
        for (std::size_t i = 0; i < std::size(rows); ++i) {
            const KeyRow& row = rows[i];
            slots[i] = &add<CommandButton>(
                name, static_cast<int>(i), Rect { row.left, row.top, row.width, kKeyHeight }, styleOf(i), row.caption);
            slots[i]->setAccessibleName(row.spoken);
        }
    };
    const auto plain = [](std::size_t) { return Style {}; };

    keys("btnCustom", kCustomKeys, plain, btnCustom);
    keys(
        "btnDice", kDiceKeys,
        [](std::size_t i) {
            Style style;
            if (i == kFudgeKey)
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
    add<TextBox>("DiceBox", Rect { 120, 2160, 855, 2535 }, list).setAccessibleName("Dice list");

    Style toggle;
    toggle.back = Color::systemWindow();
    add<PictureToggle>("btnPrint", Rect { 120, 1200, 300, 300 }, toggle).setAccessibleName("Tape on or off");

    keys("btnClear", kClearKeys, plain, btnClear);
    keys(
        "btnDigit", kDigitKeys,
        [](std::size_t i) {
            Style style;
            style.font = i == kPointKey ? kSans12Bold : kSans96;
            style.back = Color::systemWindow();
            return style;
        },
        btnDigit);
    keys("btnMemory", kMemoryKeys, plain, btnMemory);
    keys(
        "btnOperator", kOperatorKeys,
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
    add<Label>("statuswatch", Rect { 240, 0, 2655, 375 }, status, "");

    Style display;
    display.font = FontSpec { "Courier New", 15.6, false };
    display.fore = Color::rgb(0, 192, 0);
    display.back = Color::rgb(128, 128, 128);
    display.align = Align::Right;
    display.border = true;
    add<Label>("Display", Rect { 120, 0, 2895, 375 }, display, texts::kBanner);

    orderTabsByPlace(*this);
    return timer;
}

} // namespace tavrol
