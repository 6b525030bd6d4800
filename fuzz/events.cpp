// The events a fuzz input's bytes stand for, on the main window and on the programming window.
#include "fuzz/session.h"
#include "programs/key_code.h"

#include <array>
#include <string>
#include <vector>

namespace tavrol::fuzz {
namespace {

// Input bytes that read as what they do, so that hand-made seeds stay legible; every other byte
// stands for one of the events in turn.
constexpr std::string_view kDigitBytes = "0123456789.";
constexpr std::string_view kOperatorBytes = "~%*/+-="; // ± % × ÷ + - =
constexpr std::string_view kMemoryBytes = "CRmM"; // MC MR M- M+
constexpr std::string_view kClearBytes = "AE"; // AC CE
constexpr std::string_view kDiceBytes = "fxetlnhiuvybwr"; // the dice keys' codes, then reroll
constexpr std::string_view kCustomBytes = "!@#$^&P"; // the six keys, then Program

std::array<Event, 256> buildMainTable()
{
    std::vector<Event> all;
    const auto addAll = [&](Kind kind, int count) {
        for (int i = 0; i < count; ++i)
            all.push_back({ kind, i });
    };
    addAll(Kind::Digit, static_cast<int>(std::size(kDigitKeys)));
    addAll(Kind::Operator, static_cast<int>(std::size(kOperatorKeys)));
    addAll(Kind::Memory, static_cast<int>(std::size(kMemoryKeys)));
    addAll(Kind::Clear, static_cast<int>(std::size(kClearKeys)));
    addAll(Kind::Dice, static_cast<int>(std::size(kDiceKeys)));
    addAll(Kind::Custom, static_cast<int>(std::size(kCustomKeys)));
    for (Kind kind : { Kind::Print, Kind::Tick, Kind::DoubleClick, Kind::SetSetting, Kind::LoadCustom, Kind::PlayKey,
             Kind::ReadOnly })
        all.push_back({ kind, -1 });
    std::array<Event, 256> table {};
    for (std::size_t b = 0; b < table.size(); ++b)
        table[b] = all[b % all.size()];
    const auto name = [&](std::string_view bytes, Kind kind) {
        for (std::size_t i = 0; i < bytes.size(); ++i)
            table[static_cast<unsigned char>(bytes[i])] = { kind, static_cast<int>(i) };
    };
    name(kDigitBytes, Kind::Digit);
    name(kOperatorBytes, Kind::Operator);
    name(kMemoryBytes, Kind::Memory);
    name(kClearBytes, Kind::Clear);
    name(kDiceBytes, Kind::Dice);
    name(kCustomBytes, Kind::Custom);
    table['p'] = { Kind::Print };
    table['k'] = { Kind::Tick };
    table['D'] = { Kind::DoubleClick };
    table['s'] = { Kind::SetSetting };
    table['L'] = { Kind::LoadCustom };
    table['g'] = { Kind::PlayKey };
    table['o'] = { Kind::ReadOnly };
    // Closing the main window ends the session, so only its own byte does it.
    table['q'] = { Kind::Unload };
    return table;
}

std::array<Event, 256> buildModalTable()
{
    std::vector<Event> all;
    for (int i = 0; i < kProgrammableKeys; ++i)
        all.push_back({ Kind::Assign, i });
    for (Kind kind : { Kind::Program, Kind::Cancel, Kind::Close, Kind::EditCaption, Kind::EditCommand, Kind::EditHelp,
             Kind::CustomDoubleClick })
        all.push_back({ kind, -1 });
    std::array<Event, 256> table {};
    for (std::size_t b = 0; b < table.size(); ++b)
        table[b] = all[b % all.size()];
    for (int i = 0; i < kProgrammableKeys; ++i)
        table[static_cast<std::size_t>('0' + i)] = { Kind::Assign, i };
    table['P'] = { Kind::Program };
    table['X'] = { Kind::Cancel };
    table['q'] = { Kind::Close };
    table['c'] = { Kind::EditCaption };
    table['l'] = { Kind::EditCommand };
    table['h'] = { Kind::EditHelp };
    table['D'] = { Kind::CustomDoubleClick };
    return table;
}

const std::array<Event, 256> kMainTable = buildMainTable();
const std::array<Event, 256> kModalTable = buildModalTable();

} // namespace

Event mainEvent(std::uint8_t byte)
{
    return kMainTable[byte];
}
Event modalEvent(std::uint8_t byte)
{
    return kModalTable[byte];
}

std::string describe(const Event& event)
{
    const auto indexed = [&](const char* name) { return std::string(name) + "(" + std::to_string(event.index) + ")"; };
    switch (event.kind) {
    case Kind::Digit:
        return indexed("btnDigit");
    case Kind::Operator:
        return indexed("btnOperator");
    case Kind::Memory:
        return indexed("btnMemory");
    case Kind::Clear:
        return indexed("btnClear");
    case Kind::Dice:
        return indexed("btnDice");
    case Kind::Custom:
        return indexed("btnCustom");
    case Kind::Print:
        return "btnPrint";
    case Kind::Tick:
        return "pauser tick";
    case Kind::DoubleClick:
        return "double click";
    case Kind::SetSetting:
        return "set setting";
    case Kind::LoadCustom:
        return "LoadCustom";
    case Kind::PlayKey:
        return "program and click key";
    case Kind::ReadOnly:
        return "settings store read-only toggle";
    case Kind::Unload:
        return "Form_Unload";
    case Kind::Assign:
        return indexed("BtnAssignedTo");
    case Kind::Program:
        return "btnProgram";
    case Kind::Cancel:
        return "btnCancel";
    case Kind::Close:
        return "close";
    case Kind::EditCaption:
        return "edit TxtButtonCaption";
    case Kind::EditCommand:
        return "edit txtCommandLine";
    case Kind::EditHelp:
        return "edit txtProgram";
    case Kind::CustomDoubleClick:
        return "double click on the programming window";
    }
    return "?";
}

std::optional<KeyPress> keyPressOf(const Event& event)
{
    switch (event.kind) {
    case Kind::Digit:
        return KeyPress { KeyArray::Digit, event.index };
    case Kind::Operator:
        return KeyPress { KeyArray::Operator, event.index };
    case Kind::Memory:
        return KeyPress { KeyArray::Memory, event.index };
    case Kind::Clear:
        return KeyPress { KeyArray::Clear, event.index };
    case Kind::Dice:
        return KeyPress { KeyArray::Dice, event.index };
    case Kind::Custom:
        return KeyPress { KeyArray::Custom, event.index };
    default:
        return std::nullopt;
    }
}

} // namespace tavrol::fuzz
