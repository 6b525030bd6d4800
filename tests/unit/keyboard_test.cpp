// Typing on the main window: keys typed, in turn, and the window's keys they press; and the
// clipboard's text rules.
#include "programs/keyboard.h"

#include <gtest/gtest.h>
#include <string>
#include <string_view>
#include <vector>

namespace tavrol {
namespace {

std::string keyName(KeyPress key)
{
    return std::string(keyArrayName(key.array)) + "(" + std::to_string(key.index) + ")";
}

std::string actionName(const KeyboardAction& action)
{
    if (const auto* key = std::get_if<KeyPress>(&action))
        return keyName(*key);
    if (std::holds_alternative<WindowCommand>(action))
        return "show-log";
    switch (std::get<ClipboardCommand>(action)) {
    case ClipboardCommand::CopyNumber:
        return "copy-number";
    case ClipboardCommand::CopyDice:
        return "copy-dice";
    case ClipboardCommand::Paste:
        return "paste";
    }
    return "?";
}

// Types `keys`, separated by blanks: "kp:," is the keypad's comma, "<pause>" a pause in the
// typing. Says what was pressed, in order; "~q" for a key passed on to the window untaken.
std::string typeAll(std::string_view keys)
{
    Keyboard keyboard;
    std::string pressed;
    const auto say = [&pressed](const std::string& what) {
        if (!pressed.empty())
            pressed += ' ';
        pressed += what;
    };
    while (!keys.empty()) {
        const std::size_t blank = keys.find(' ');
        std::string_view key = keys.substr(0, blank);
        keys.remove_prefix(blank == std::string_view::npos ? keys.size() : blank + 1);
        if (key == "<pause>") {
            for (const KeyboardAction& action : keyboard.pause())
                say(actionName(action));
            continue;
        }
        const bool keypad = key.starts_with("kp:");
        if (keypad)
            key.remove_prefix(3);
        const Typed typed = keyboard.type({ key, keypad });
        for (const KeyboardAction& action : typed.actions)
            say(actionName(action));
        if (!typed.taken)
            say("~" + std::string(key));
    }
    return pressed;
}

TEST(Keyboard, typedKeysPressTheWindowsKeys)
{
    const struct {
        const char* behaviour;
        const char* typed;
        const char* pressed;
    } rows[] = {
        { "digits and the point", "1 2 . 5", "btnDigit(1) btnDigit(2) btnDigit(10) btnDigit(5)" },
        { "the keypad's digits, and its comma as the point", "kp:7 kp:, kp:5 kp:.",
            "btnDigit(7) btnDigit(10) btnDigit(5) btnDigit(10)" },
        { "a comma off the keypad is the point too", "1 , 5", "btnDigit(1) btnDigit(10) btnDigit(5)" },
        { "operators on the main row and the keypad", "+ - * / % = kp:+ kp:*",
            "btnOperator(4) btnOperator(5) btnOperator(2) btnOperator(3) btnOperator(1) btnOperator(6) "
            "btnOperator(4) btnOperator(2)" },
        { "named keys", "Enter F9 Escape Delete", "btnOperator(6) btnOperator(0) btnClear(0) btnClear(1)" },
        { "memory keys on Ctrl", "Ctrl+L Ctrl+R Ctrl+P Ctrl+Q", "btnMemory(0) btnMemory(1) btnMemory(3) btnMemory(2)" },
        { "a count, then a die", "3 d 6", "btnDigit(3) btnDice(1)" },
        { "a die no longer one continues rolls at once", "d 4 d 8 d 1 2 d 2 0",
            "btnDice(0) btnDice(2) btnDice(4) btnDice(5)" },
        { "d10 then 0 is d100", "d 1 0 0", "btnDice(6)" },
        { "d% is d100 too", "d %", "btnDice(6)" },
        { "d10 rolls on a pause", "d 1 0 <pause>", "btnDice(3)" },
        { "d10 rolls before a key that does not continue it", "d 1 0 +", "btnDice(3) btnOperator(4)" },
        { "d10 rolls before the next die", "d 1 0 d 6", "btnDice(3) btnDice(1)" },
        { "d10 rolls before a key no shortcut has", "d 1 0 q", "btnDice(3) ~q" },
        { "d3 is dropped and the 3 stands alone", "d 3", "btnDigit(3)" },
        { "d then + drops the d", "d +", "btnOperator(4)" },
        { "an unfinished d1 is dropped on a pause", "d 1 <pause> 5", "btnDigit(5)" },
        { "an unfinished d1 is dropped before an impossible d15", "d 1 5", "btnDigit(5)" },
        { "d then a key no shortcut has", "d q", "~q" },
        { "capital letters are the same keys", "3 D 6 R", "btnDigit(3) btnDice(1) btnDice(13)" },
        { "the clipboard", "Ctrl+C Ctrl+Shift+C Ctrl+V", "copy-number copy-dice paste" },
        { "d10 rolls before a copy", "d 1 0 Ctrl+C", "btnDice(3) copy-number" },
        { "the log window", "Ctrl+H", "show-log" },
        { "keys no shortcut has pass on", "q Ctrl+Z Ctrl+Shift+V", "~q ~Ctrl+Z ~Ctrl+Shift+V" },
    };
    for (const auto& row : rows)
        EXPECT_EQ(typeAll(row.typed), row.pressed) << row.behaviour << ": " << row.typed;
}

// Every way to every key in the tables, typed alone, presses that key and no other: no shortcut
// is another's, and none is lost inside a longer one.
TEST(Keyboard, everyShortcutInTheTablesPressesItsOwnKey)
{
    int ways = 0;
    for (const KeyArray array : kKeyArrays) {
        const auto keys = keyTable(array);
        for (std::size_t i = 0; i < keys.size(); ++i) {
            const KeyPress key { array, static_cast<int>(i) };
            for (const std::string_view way : shortcutAlternatives(keys[i].shortcut)) {
                std::string typed;
                if (way.size() > 1 && way.front() >= 'A' && way.front() <= 'Z') {
                    typed = way;
                } else {
                    for (const char c : way)
                        typed += std::string(typed.empty() ? "" : " ") + c;
                }
                EXPECT_EQ(typeAll(typed + " <pause>"), keyName(key)) << way;
                ++ways;
            }
        }
    }
    EXPECT_GT(ways, 30); // the tables were read
}

TEST(Clipboard, theDisplaysNumberCopiesAsANumber)
{
    const struct {
        const char* display;
        bool statusShowing;
        const char* copied;
    } rows[] = {
        { "14.", false, "14" }, { "0.5", false, "0.5" }, { "-3.", false, "-3" }, { "0.", false, "0" },
        { "1234567890123.", false, "1234567890123" }, { "Tavrol 32", false, "" }, // the banner
        { "0.", true, "" }, // an overflow: the error covers the display
    };
    for (const auto& row : rows)
        EXPECT_EQ(numberToCopy(row.display, row.statusShowing), row.copied) << row.display;
}

TEST(Clipboard, theDiceCopyOnePerLine)
{
    const struct {
        const char* behaviour;
        const char* list;
        const char* copied;
    } rows[] = {
        { "plain dice lose their blank", " 3\r\n 5\r\n", "3\n5" },
        { "groups lose their separators", " 1\r\n 2\r\n------\r\n 3\r\n 4\r\n------\r\n", "1\n2\n3\n4" },
        { "negative dice keep their sign", "-1\r\n 0\r\n 1\r\n", "-1\n0\n1" },
        { "kept dice", "6\r\n4\r\n", "6\n4" },
        { "no roll", "", "" },
    };
    for (const auto& row : rows)
        EXPECT_EQ(diceToCopy(row.list), row.copied) << row.behaviour;
}

TEST(Clipboard, pastedNumbersTypeTheirKeys)
{
    const struct {
        std::string text;
        const char* typed;
    } rows[] = {
        { " 12.5\n", "12.5" },
        { "007", "007" },
        { ".5", ".5" },
        { "1.2.3", "" },
        { "1e5", "" },
        { "3 4", "" },
        { ".", "" },
        { "", "" },
        { std::string(101, '7'), "" }, // no number for this display
        // One leading minus, pressed as the sign key after the digits.
        { "-3", "3±" },
        { " -0,5 ", "0.5±" },
        { "--3", "" },
        { "3-", "" },
        { "- 3", "" },
        { "-", "" },
        // A comma is the point in text that has no other.
        { "1,5", "1.5" },
        { ",5", ".5" },
        { "1,234", "1.234" },
        { "1,2,3", "" },
        { "1,234.5", "" },
        { "1.5,", "" },
    };
    for (const auto& row : rows) {
        std::string typed;
        for (const KeyPress key : keysForPaste(row.text))
            typed += keyTable(key.array)[static_cast<std::size_t>(key.index)].caption;
        EXPECT_EQ(typed, row.typed) << row.text;
    }
}

} // namespace
} // namespace tavrol
