// The main window's keys, one table per key array: what each key shows, what a screen reader
// speaks for it, the code a press records in the command line, where the key sits, and how the
// keyboard reaches it. The handlers, the window's builder, the headless driver, the fuzzer and
// the tests read these tables; nothing else restates them.
#pragma once

#include <optional>
#include <span>
#include <string_view>

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
    // The keyboard's way to the key and the line a tooltip shows; "" where there is none.
    std::string_view shortcut;
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
    { "d4",     "d4",                            "f", 1080, 2160, 495, "", "" },
    { "d6",     "d6",                            "x", 1080, 2520, 495, "", "" },
    { "d8",     "d8",                            "e", 1080, 2880, 495, "", "" },
    { "d10",    "d10",                           "t", 1080, 3240, 495, "", "" },
    { "d12",    "d12",                           "l", 1080, 3600, 495, "", "" },
    { "d20",    "d20",                           "n", 1080, 3960, 495, "", "" },
    { "d%",     "d100",                          "h", 1080, 4320, 495, "", "" },
    { "3d6",    "Three d6",                      "i", 1560, 2160, 495, "", "" },
    { "fudge",  "Fudge dice",                    "u", 1560, 2520, 495, "", "" },
    { "dAvg",   "Average dice",                  "v", 1560, 2880, 495, "", "" },
    { "xDn",    "Several dice of a chosen size", "y", 1560, 3240, 495, "", "" },
    { "best",   "Keep best",                     "b", 1560, 3600, 495, "", "" },
    { "worst",  "Keep worst",                    "w", 1560, 3960, 495, "", "" },
    // Records the code of the key it repeats.
    { "reroll", "Reroll",                        "",  1560, 4320, 495, "", "" },
};

inline constexpr KeySpec kClearKeys[] = {
    { "AC", "All Clear",   "", 120, 480, 375, "", "" },
    { "CE", "Clear Entry", "", 120, 840, 375, "", "" },
};

inline constexpr KeySpec kDigitKeys[] = {
    { "0", "0",             "0", 600,  1560, 735, "", "" },
    { "1", "1",             "1", 600,  1200, 375, "", "" },
    { "2", "2",             "2", 960,  1200, 375, "", "" },
    { "3", "3",             "3", 1320, 1200, 375, "", "" },
    { "4", "4",             "4", 600,  840,  375, "", "" },
    { "5", "5",             "5", 960,  840,  375, "", "" },
    { "6", "6",             "6", 1320, 840,  375, "", "" },
    { "7", "7",             "7", 600,  480,  375, "", "" },
    { "8", "8",             "8", 960,  480,  375, "", "" },
    { "9", "9",             "9", 1320, 480,  375, "", "" },
    { ".", "Decimal point", ".", 1320, 1560, 375, "", "" },
};

inline constexpr KeySpec kMemoryKeys[] = {
    { "MC", "Memory clear",    "", 2640, 480,  375, "", "" },
    { "MR", "Memory recall",   "", 2640, 840,  375, "", "" },
    { "M-", "Memory subtract", "", 2640, 1200, 375, "", "" },
    { "M+", "Memory add",      "", 2640, 1560, 375, "", "" },
};

// "±", "×" and "÷" are single characters, in the captions and in the code alike.
inline constexpr KeySpec kOperatorKeys[] = {
    { "\u00B1", "Change sign", "\u00B1", 1800, 480,  375, "", "" },
    { "%",      "Percent",     "%",      2160, 480,  375, "", "" },
    { "\u00D7", "Multiply",    "\u00D7", 1800, 840,  375, "", "" },
    { "\u00F7", "Divide",      "\u00F7", 2160, 840,  375, "", "" },
    { "+",      "Plus",        "+",      1800, 1200, 375, "", "" },
    { "-",      "Minus",       "-",      2160, 1200, 375, "", "" },
    { "=",      "Equals",      "=",      1800, 1560, 735, "", "" },
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

// The key a recorded code stands for, compared exactly; nothing for a character outside the
// code, which playback skips.
std::optional<KeyPress> keyForCode(std::string_view code);

} // namespace tavrol
