#include "programs/keyboard.h"

#include "platform/utf8.h"

#include <algorithm>
#include <cstddef>

namespace tavrol {
namespace {

struct Shortcut {
    std::vector<std::string> keys; // typed in turn
    KeyboardAction action;
};

bool isNamedKey(std::string_view way)
{
    return way.size() > 1 && way.front() >= 'A' && way.front() <= 'Z';
}

std::vector<Shortcut> buildShortcuts()
{
    std::vector<Shortcut> all;
    const auto add = [&all](std::string_view way, KeyboardAction action) {
        Shortcut shortcut { {}, action };
        if (isNamedKey(way))
            shortcut.keys.emplace_back(way);
        else
            shortcut.keys = utf8::codePoints(way);
        all.push_back(std::move(shortcut));
    };
    for (const KeyArray array : kKeyArrays) {
        const auto keys = keyTable(array);
        for (std::size_t i = 0; i < keys.size(); ++i)
            for (const std::string_view way : shortcutAlternatives(keys[i].shortcut))
                add(way, KeyPress { array, static_cast<int>(i) });
    }
    // The desktop's usual keys for copy and paste; copying the dice takes Shift as well.
    add("Ctrl+C", ClipboardCommand::CopyNumber);
    add("Ctrl+Shift+C", ClipboardCommand::CopyDice);
    add("Ctrl+V", ClipboardCommand::Paste);
    add("Ctrl+H", WindowCommand::ShowLog); // H for history
    return all;
}

const std::vector<Shortcut>& shortcuts()
{
    static const std::vector<Shortcut> all = buildShortcuts();
    return all;
}

// How the typed keys stand against the shortcuts: one of them in full, and whether a longer one
// begins with them.
struct Match {
    const Shortcut* whole = nullptr;
    bool longer = false;
};

Match match(const std::vector<std::string>& typed)
{
    Match found;
    for (const Shortcut& shortcut : shortcuts()) {
        if (shortcut.keys.size() < typed.size() || !std::equal(typed.begin(), typed.end(), shortcut.keys.begin()))
            continue;
        if (shortcut.keys.size() == typed.size())
            found.whole = &shortcut;
        else
            found.longer = true;
    }
    return found;
}

std::string normalise(TypedKey key)
{
    // A comma is the decimal point, as most of Europe writes it and as the keypad's decimal key
    // types it in those locales; it has no other meaning on this calculator.
    if (key.name == ",")
        return ".";
    // A letter is the same key with Shift or Caps Lock: "3D6" rolls as "3d6" does.
    if (key.name.size() == 1 && key.name.front() >= 'A' && key.name.front() <= 'Z')
        return std::string(1, static_cast<char>(key.name.front() - 'A' + 'a'));
    return std::string(key.name);
}

using utf8::trimmed; // blanks and line breaks around pasted or listed text

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

// Digits with at most one point and at least one digit.
bool isPlainNumber(std::string_view text)
{
    return std::count(text.begin(), text.end(), '.') <= 1 && std::any_of(text.begin(), text.end(), isDigit)
        && std::all_of(text.begin(), text.end(), [](char c) { return isDigit(c) || c == '.'; });
}

} // namespace

Typed Keyboard::type(TypedKey key)
{
    Typed result;
    std::vector<std::string> typed = typed_;
    typed.push_back(normalise(key));
    Match found = match(typed);
    if (!found.whole && !found.longer && !typed_.empty()) {
        // The key does not continue what waits: that is settled first, and the key stands alone.
        settle(result.actions);
        typed = { typed.back() };
        found = match(typed);
    }
    if (!found.whole && !found.longer)
        return result;
    result.taken = true;
    typed_ = std::move(typed);
    if (!found.longer)
        settle(result.actions);
    return result;
}

std::vector<KeyboardAction> Keyboard::pause()
{
    std::vector<KeyboardAction> actions;
    settle(actions);
    return actions;
}

void Keyboard::settle(std::vector<KeyboardAction>& actions)
{
    if (const Shortcut* whole = match(typed_).whole)
        actions.push_back(whole->action);
    typed_.clear();
}

std::string numberToCopy(std::string_view display, bool statusShowing)
{
    if (statusShowing)
        return {};
    std::string_view number = trimmed(display);
    const bool negative = number.starts_with('-');
    if (!isPlainNumber(negative ? number.substr(1) : number))
        return {};
    if (number.ends_with('.'))
        number.remove_suffix(1);
    return std::string(number);
}

std::string diceToCopy(std::string_view diceList)
{
    std::string dice;
    while (!diceList.empty()) {
        const std::size_t end = diceList.find('\n');
        const std::string_view line = trimmed(diceList.substr(0, end));
        diceList.remove_prefix(end == std::string_view::npos ? diceList.size() : end + 1);
        const bool separator = !line.empty() && line.find_first_not_of('-') == std::string_view::npos;
        if (line.empty() || separator)
            continue;
        if (!dice.empty())
            dice += '\n';
        dice += line;
    }
    return dice;
}

// A pasted number as the keys type it: its digits and point, then "±" for one leading minus. A
// comma is the decimal point when the text has no point; "1,234.5" has both and is no number
// here, since its comma groups thousands and its digits would not be the ones meant.
std::vector<KeyPress> keysForPaste(std::string_view text)
{
    // Longer text is no number for a 14-character display; pressing it all would only flood the
    // record of pressed keys.
    constexpr std::size_t kLongest = 100;
    text = trimmed(text);
    const bool negative = text.starts_with('-');
    if (negative)
        text.remove_prefix(1);
    std::string number(text);
    if (number.find('.') == std::string::npos)
        std::replace(number.begin(), number.end(), ',', '.');
    if (number.size() > kLongest || !isPlainNumber(number))
        return {};
    std::vector<KeyPress> keys;
    for (const char c : number)
        if (const auto key = keyForCode(std::string_view(&c, 1)))
            keys.push_back(*key);
    if (negative)
        keys.push_back(*keyForCode("±"));
    return keys;
}

} // namespace tavrol
