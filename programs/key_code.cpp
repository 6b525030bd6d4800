#include "programs/key_code.h"

namespace tavrol {

std::span<const KeySpec> keyTable(KeyArray array)
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
