#include "programs/roll_percentile.h"

#include "calculator/number_text.h"
#include "programs/odds.h"
#include "shell/frmTavrol.h"

#include <string>
#include <tuple>
#include <utility>

namespace tavrol {
namespace {

// Reroll presses the key it remembers with the count it remembers, which no recorded code can
// say: the count is put on the display as the reroll key puts it there (a whole or a short
// number, so its display form is its pattern), and the remembered key's code pressed from there.
// Nothing when no key is remembered (nothing is rolled then).
std::optional<std::pair<WindowState, std::string>> rerollAsKey(const WindowState& before)
{
    const auto remembered = rememberedRoll(before.rerollRecord);
    if (!remembered)
        return std::nullopt;
    WindowState start = before;
    start.display = displayPattern(readNumber(remembered->count).value_or(0.0));
    return std::pair { std::move(start), std::string(keySpec(remembered->key).code) };
}

} // namespace

// From the odds a programmed key's tooltip gives: exact where the dice allow it, otherwise an
// estimate from fresh presses.
std::optional<Percentile> percentileOf(const WindowState& before, const PressedKeys& keys, double shown)
{
    WindowState start = before;
    std::string command = keys.command;
    if (keys.key == KeyPress::of(DiceKey::Reroll)) {
        auto restored = rerollAsKey(before);
        if (!restored)
            return std::nullopt;
        std::tie(start, command) = std::move(*restored);
    } else if (keys.key.array == KeyArray::Dice) {
        command = std::string(keyTable(KeyArray::Dice)[static_cast<std::size_t>(keys.key.index)].code);
    }
    const std::optional<ShownOdds> odds = keyOdds(start, command);
    if (!odds || odds->fixed())
        return std::nullopt; // a press that always shows the same ranks nowhere
    const std::optional<double> share = odds->shareAtOrBelow(shown);
    if (!share)
        return std::nullopt;
    return Percentile { 100.0 * *share, odds->exact() };
}

} // namespace tavrol
