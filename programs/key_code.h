// The main window's keys, one table per key array: what each key shows, what a screen reader
// speaks for it, the code a press records in the command line, where the key sits, and how the
// keyboard reaches it. The handlers, the window's builder, the headless driver, the fuzzer and
// the tests read these tables; nothing else restates them.
#pragma once

#include <cstddef>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace tavrol {

struct KeySpec {
    std::string_view caption;
    // What a screen reader speaks; "" leaves the key to speak its caption, so a programmable key
    // is named by what it shows.
    std::string_view spoken;
    // What a press records; "" for a key that records nothing of its own.
    std::string_view code;
    // Place in twips; every key is kKeyHeight high.
    int left;
    int top;
    int width;
    // The keyboard's ways to the key, separated by blanks ("d% d100"): each is typed character by
    // character ("d10"), except a named key ("F9", "Enter", "Ctrl+L"), which is one key and starts
    // with a capital letter. "" where there is none.
    std::string_view shortcut;
    // What the key does, in one line; its tooltip adds the shortcut (keyTooltip). "" for none.
    std::string_view tooltip;
    // A plain die key's number of sides (d4 to d%); 0 for every other key.
    int sides = 0;
};

inline constexpr int kKeyHeight = 375;

enum class KeyArray { Custom, Dice, Clear, Digit, Memory, Operator };

// The keys of each array by name. Each array's keys are a type of their own, so a key of one
// array cannot reach another array's handler; the value is the key's index in its table.
inline constexpr int kProgrammableKeys = 6; // btnCustom(0) to btnCustom(5), then the Program key
enum class CustomKey : int { Program = kProgrammableKeys };
enum class DiceKey : int { D4, D6, D8, D10, D12, D20, D100, ThreeD6, Fudge, Average, XDn, Best, Worst, Reroll };
enum class ClearKey : int { All, Entry };
enum class DigitKey : int { Point = 10 }; // keys 0 to 9 are the digits of their value
enum class MemoryKey : int { Clear, Recall, Subtract, Add };
enum class OperatorKey : int { Sign, Percent, Times, Divide, Plus, Minus, Equals };

constexpr CustomKey programmableKey(int number)
{
    return static_cast<CustomKey>(number);
}
constexpr DigitKey digitKey(int value)
{
    return static_cast<DigitKey>(value);
}
template <class Key> constexpr int indexOf(Key key)
{
    return static_cast<int>(key);
}

// clang-format off
inline constexpr KeySpec kCustomKeys[] = {
    { "unprog",  "",        "", 2160, 2160, 855, "", "" },
    { "unprog",  "",        "", 2160, 2520, 855, "", "" },
    { "unprog",  "",        "", 2160, 2880, 855, "", "" },
    { "unprog",  "",        "", 2160, 3240, 855, "", "" },
    { "unprog",  "",        "", 2160, 3600, 855, "", "" },
    { "unprog",  "",        "", 2160, 3960, 855, "", "" },
    { "Program", "Program", "", 2160, 4320, 855, "", "" },
};

inline constexpr KeySpec kDiceKeys[] = {
    { "d4",     "d4",                            "f", 1080, 2160, 495, "d4",     "Rolls as many four-sided dice as the display shows.", 4 },
    { "d6",     "d6",                            "x", 1080, 2520, 495, "d6",     "Rolls as many six-sided dice as the display shows.", 6 },
    { "d8",     "d8",                            "e", 1080, 2880, 495, "d8",     "Rolls as many eight-sided dice as the display shows.", 8 },
    { "d10",    "d10",                           "t", 1080, 3240, 495, "d10",    "Rolls as many ten-sided dice as the display shows.", 10 },
    { "d12",    "d12",                           "l", 1080, 3600, 495, "d12",    "Rolls as many twelve-sided dice as the display shows.", 12 },
    { "d20",    "d20",                           "n", 1080, 3960, 495, "d20",    "Rolls as many twenty-sided dice as the display shows.", 20 },
    { "d%",     "d100",                          "h", 1080, 4320, 495, "d% d100", "Rolls as many hundred-sided dice as the display shows.", 100 },
    { "3d6",    "Three d6",                      "i", 1560, 2160, 495, "t",      "Rolls three six-sided dice as many times as the display shows." },
    { "fudge",  "Fudge dice",                    "u", 1560, 2520, 495, "f",      "Rolls four fudge dice (-1, 0 or +1) as many times as the display shows." },
    { "dAvg",   "Average dice",                  "v", 1560, 2880, 495, "a",      "Rolls as many average dice (2, 3, 3, 4, 4, 5) as the display shows." },
    { "xDn",    "Several dice of a chosen size", "y", 1560, 3240, 495, "x",      "Two presses: after the number of dice, then after the number of sides; rolls those dice." },
    { "best",   "Keep best",                     "b", 1560, 3600, 495, "b",      "Keeps as many of the highest dice of the last roll as the display shows." },
    { "worst",  "Keep worst",                    "w", 1560, 3960, 495, "w",      "Keeps as many of the lowest dice of the last roll as the display shows." },
    // Records the code of the key it repeats.
    { "reroll", "Reroll",                        "",  1560, 4320, 495, "r",      "Repeats the last dice key with as many dice." },
};

inline constexpr KeySpec kClearKeys[] = {
    { "AC", "All Clear",   "", 120, 480, 375, "Escape", "Clears the display, the calculation, the dice list and the recorded keys; the memory stays." },
    { "CE", "Clear Entry", "", 120, 840, 375, "Delete", "Clears the number on the display and any message." },
};

inline constexpr KeySpec kDigitKeys[] = {
    { "0", "0",             "0", 600,  1560, 735, "0", "Types the digit 0." },
    { "1", "1",             "1", 600,  1200, 375, "1", "Types the digit 1." },
    { "2", "2",             "2", 960,  1200, 375, "2", "Types the digit 2." },
    { "3", "3",             "3", 1320, 1200, 375, "3", "Types the digit 3." },
    { "4", "4",             "4", 600,  840,  375, "4", "Types the digit 4." },
    { "5", "5",             "5", 960,  840,  375, "5", "Types the digit 5." },
    { "6", "6",             "6", 1320, 840,  375, "6", "Types the digit 6." },
    { "7", "7",             "7", 600,  480,  375, "7", "Types the digit 7." },
    { "8", "8",             "8", 960,  480,  375, "8", "Types the digit 8." },
    { "9", "9",             "9", 1320, 480,  375, "9", "Types the digit 9." },
    { ".", "Decimal point", ".", 1320, 1560, 375, ".", "Types the decimal point." },
};

inline constexpr KeySpec kMemoryKeys[] = {
    { "MC", "Memory clear",    "", 2640, 480,  375, "Ctrl+L", "Clears the memory." },
    { "MR", "Memory recall",   "", 2640, 840,  375, "Ctrl+R", "Shows the number in the memory." },
    { "M-", "Memory subtract", "", 2640, 1200, 375, "Ctrl+Q", "Subtracts the number on the display from the memory." },
    { "M+", "Memory add",      "", 2640, 1560, 375, "Ctrl+P", "Adds the number on the display to the memory." },
};

// "±", "×" and "÷" are single characters, in the captions and in the code alike.
inline constexpr KeySpec kOperatorKeys[] = {
    { "\u00B1", "Change sign", "\u00B1", 1800, 480,  375, "F9",      "Changes the sign of the number on the display." },
    { "%",      "Percent",     "%",      2160, 480,  375, "%",       "Divides the number on the display by 100." },
    { "\u00D7", "Multiply",    "\u00D7", 1800, 840,  375, "*",       "Multiplies by the number that follows." },
    { "\u00F7", "Divide",      "\u00F7", 2160, 840,  375, "/",       "Divides by the number that follows." },
    { "+",      "Plus",        "+",      1800, 1200, 375, "+",       "Adds the number that follows." },
    { "-",      "Minus",       "-",      2160, 1200, 375, "-",       "Subtracts the number that follows." },
    { "=",      "Equals",      "=",      1800, 1560, 735, "= Enter", "Finishes the calculation and shows its result." },
};
// clang-format on

inline constexpr KeyArray kKeyArrays[]
    = { KeyArray::Custom, KeyArray::Dice, KeyArray::Clear, KeyArray::Digit, KeyArray::Memory, KeyArray::Operator };

// The table of a key array, in index order.
constexpr std::span<const KeySpec> keyTable(KeyArray array)
{
    switch (array) {
    case KeyArray::Custom:
        return kCustomKeys;
    case KeyArray::Dice:
        return kDiceKeys;
    case KeyArray::Clear:
        return kClearKeys;
    case KeyArray::Digit:
        return kDigitKeys;
    case KeyArray::Memory:
        return kMemoryKeys;
    case KeyArray::Operator:
        return kOperatorKeys;
    }
    return {};
}

// The array a named key belongs to.
constexpr KeyArray arrayOf(CustomKey)
{
    return KeyArray::Custom;
}
constexpr KeyArray arrayOf(DiceKey)
{
    return KeyArray::Dice;
}
constexpr KeyArray arrayOf(ClearKey)
{
    return KeyArray::Clear;
}
constexpr KeyArray arrayOf(DigitKey)
{
    return KeyArray::Digit;
}
constexpr KeyArray arrayOf(MemoryKey)
{
    return KeyArray::Memory;
}
constexpr KeyArray arrayOf(OperatorKey)
{
    return KeyArray::Operator;
}

// A named key's row of its table: keySpec(DiceKey::XDn).code is "y".
template <class Key> constexpr const KeySpec& keySpec(Key key)
{
    return keyTable(arrayOf(key))[static_cast<std::size_t>(key)];
}

// The name the main window gives the array's keys: "btnDice" for btnDice(0) to btnDice(13).
std::string_view keyArrayName(KeyArray array);

// A key of any array: what the keyboard, the recorded code and the headless driver's captions
// name, and what the window turns into its button (frmTavrol::key).
struct KeyPress {
    KeyArray array;
    int index;
    bool operator==(const KeyPress&) const = default;

    template <class Key> static constexpr KeyPress of(Key key) { return { arrayOf(key), indexOf(key) }; }
};

// Whether a key with this caption is the Program key, which opens the programming window: known
// by its caption, so a programmable key captioned "Program" opens the window too and never plays
// its command.
constexpr bool isProgramKey(std::string_view caption)
{
    return caption == keySpec(CustomKey::Program).caption;
}

// The ways to a key in its shortcut, in the table's order: "d% d100" is "d%" and "d100".
std::vector<std::string_view> shortcutAlternatives(std::string_view shortcut);

// The key's tooltip: its line, then its shortcut ("... shows. Keyboard: d% or d100"); "" for a key
// with neither.
std::string keyTooltip(const KeySpec& key);

// The key a recorded code stands for, compared exactly; nothing for a character outside the
// code, which playback skips.
std::optional<KeyPress> keyForCode(std::string_view code);

} // namespace tavrol
