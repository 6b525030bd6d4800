// The main window's keys, one table per key array: what each key shows, what a screen reader
// speaks for it, the code a press records in the command line, where the key sits, and how the
// keyboard reaches it. The handlers, the window's builder, the headless driver, the fuzzer and
// the tests read these tables; nothing else restates them.
#pragma once

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
};

inline constexpr int kKeyHeight = 375;

enum class KeyArray { Custom, Dice, Clear, Digit, Memory, Operator };

// Named indices into the tables.
struct CustomKey {
    static constexpr int Program = 6; // keys 0 to 5 are the programmable keys
};
struct DiceKey {
    static constexpr int D4 = 0, D6 = 1, D8 = 2, D10 = 3, D12 = 4, D20 = 5, D100 = 6, ThreeD6 = 7, Fudge = 8,
                         Average = 9, XDn = 10, Best = 11, Worst = 12, Reroll = 13;
};
struct ClearKey {
    static constexpr int All = 0, Entry = 1;
};
struct DigitKey {
    static constexpr int Point = 10; // keys 0 to 9 are the digits of their index
};
struct MemoryKey {
    static constexpr int Clear = 0, Recall = 1, Subtract = 2, Add = 3;
};
struct OperatorKey {
    static constexpr int Sign = 0, Percent = 1, Times = 2, Divide = 3, Plus = 4, Minus = 5, Equals = 6;
};

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
    { "d4",     "d4",                            "f", 1080, 2160, 495, "d4",     "Rolls as many four-sided dice as the display shows." },
    { "d6",     "d6",                            "x", 1080, 2520, 495, "d6",     "Rolls as many six-sided dice as the display shows." },
    { "d8",     "d8",                            "e", 1080, 2880, 495, "d8",     "Rolls as many eight-sided dice as the display shows." },
    { "d10",    "d10",                           "t", 1080, 3240, 495, "d10",    "Rolls as many ten-sided dice as the display shows." },
    { "d12",    "d12",                           "l", 1080, 3600, 495, "d12",    "Rolls as many twelve-sided dice as the display shows." },
    { "d20",    "d20",                           "n", 1080, 3960, 495, "d20",    "Rolls as many twenty-sided dice as the display shows." },
    { "d%",     "d100",                          "h", 1080, 4320, 495, "d% d100", "Rolls as many hundred-sided dice as the display shows." },
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
std::span<const KeySpec> keyTable(KeyArray array);

// The name the main window gives the array's keys: "btnDice" for btnDice(0) to btnDice(13).
std::string_view keyArrayName(KeyArray array);

struct KeyPress {
    KeyArray array;
    int index;
    bool operator==(const KeyPress&) const = default;
};

// The ways to a key in its shortcut, in the table's order: "d% d100" is "d%" and "d100".
std::vector<std::string_view> shortcutAlternatives(std::string_view shortcut);

// The key's tooltip: its line, then its shortcut ("... shows. Keyboard: d% or d100"); "" for a key
// with neither.
std::string keyTooltip(const KeySpec& key);

// The key a recorded code stands for, compared exactly; nothing for a character outside the
// code, which playback skips.
std::optional<KeyPress> keyForCode(std::string_view code);

} // namespace tavrol
