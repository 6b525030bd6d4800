#include "app/play/tokens.h"

#include "programs/key_code.h"

#include <array>
#include <utility>

namespace tavrol::play {

KeyCaptions::KeyCaptions()
{
    for (const KeyArray array : kKeyArrays) {
        const auto table = keyTable(array);
        for (std::size_t i = 0; i < table.size(); ++i) {
            const KeyPress key { array, static_cast<int>(i) };
            if (array == KeyArray::Custom && key != KeyPress::of(CustomKey::Program))
                continue;
            keys_.emplace(std::string(table[i].caption), key);
        }
    }

    constexpr std::array<std::pair<const char*, const char*>, 3> kAliases { {
        { "*", "\u00D7" },
        { "/", "\u00F7" },
        { "+/-", "\u00B1" },
    } };
    for (const auto& [alias, caption] : kAliases)
        if (const auto found = keys_.find(caption); found != keys_.end())
            keys_.emplace(alias, found->second);
}

const KeyPress* KeyCaptions::find(std::string_view token) const
{
    const auto found = keys_.find(token);
    return found == keys_.end() ? nullptr : &found->second;
}

TokenResult clickKey(CommandButton* button)
{
    if (!button)
        return TokenResult::Unknown;
    if (button->enabled() && button->visible())
        button->click();
    return TokenResult::Handled;
}

TokenResult applyControlToken(Form& window, std::string_view token)
{
    if (Control* control = window.find(token)) {
        const bool reachable = control->enabled() && control->visible();
        switch (control->kind()) {
        case ControlKind::CommandButton:
        case ControlKind::OptionButton:
            if (reachable)
                static_cast<Clickable&>(*control).click();
            return TokenResult::Handled;
        case ControlKind::PictureToggle:
            if (reachable)
                static_cast<PictureToggle&>(*control).click();
            return TokenResult::Handled;
        default:
            return TokenResult::Unknown;
        }
    }

    const std::size_t equals = token.find('=');
    if (equals == std::string_view::npos || equals == 0)
        return TokenResult::Unknown;
    Control* control = window.find(token.substr(0, equals));
    if (!control || control->kind() != ControlKind::TextBox)
        return TokenResult::Unknown;
    auto& box = static_cast<TextBox&>(*control);
    if (box.enabled() && box.visible() && !box.style().readOnly)
        box.edit(std::string(token.substr(equals + 1)));
    return TokenResult::Handled;
}

} // namespace tavrol::play
