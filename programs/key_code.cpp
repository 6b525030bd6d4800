#include "programs/key_code.h"

namespace tavrol {

std::string_view keyArrayName(KeyArray array)
{
    switch (array) {
    case KeyArray::Custom:
        return "btnCustom";
    case KeyArray::Dice:
        return "btnDice";
    case KeyArray::Clear:
        return "btnClear";
    case KeyArray::Digit:
        return "btnDigit";
    case KeyArray::Memory:
        return "btnMemory";
    case KeyArray::Operator:
        return "btnOperator";
    }
    return {};
}

std::vector<std::string_view> shortcutAlternatives(std::string_view shortcut)
{
    std::vector<std::string_view> ways;
    while (!shortcut.empty()) {
        const std::size_t blank = shortcut.find(' ');
        if (blank != 0)
            ways.push_back(shortcut.substr(0, blank));
        if (blank == std::string_view::npos)
            break;
        shortcut.remove_prefix(blank + 1);
    }
    return ways;
}

std::string keyTooltip(const KeySpec& key)
{
    std::string text(key.tooltip);
    const auto ways = shortcutAlternatives(key.shortcut);
    if (ways.empty())
        return text;
    if (!text.empty())
        text += ' ';
    text += "Keyboard: ";
    for (std::size_t i = 0; i < ways.size(); ++i) {
        if (i > 0)
            text += i + 1 == ways.size() ? " or " : ", ";
        text += ways[i];
    }
    return text;
}

std::optional<KeyPress> keyForCode(std::string_view code)
{
    if (code.empty())
        return std::nullopt;
    for (const KeyArray array : kKeyArrays) {
        const auto keys = keyTable(array);
        for (std::size_t i = 0; i < keys.size(); ++i)
            if (keys[i].code == code)
                return KeyPress { array, static_cast<int>(i) };
    }
    return std::nullopt;
}

} // namespace tavrol
