#include "fuzz/session.h"

#include "calculator/number_text.h"
#include "programs/custom_entry.h"
#include "programs/frmCustom.h"
#include "programs/key_code.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <utility>

namespace tavrol::fuzz {
namespace {

constexpr int kReroll = DiceKey::Reroll;
constexpr int kXdn = DiceKey::XDn;
constexpr int kBest = DiceKey::Best;
constexpr int kWorst = DiceKey::Worst;
constexpr int kMostDice = 32767;
constexpr std::size_t kDisplayWidth = 14;
constexpr int kDieSides[] = { 4, 6, 8, 10, 12, 20, 100 };

// Input bytes that read as what they do, so that hand-made seeds stay legible; every other byte
// stands for one of the events in turn.
constexpr std::string_view kDigitBytes = "0123456789.";
constexpr std::string_view kOperatorBytes = "~%*/+-="; // ± % × ÷ + - =
constexpr std::string_view kMemoryBytes = "CRmM"; // MC MR M- M+
constexpr std::string_view kClearBytes = "AE"; // AC CE
constexpr std::string_view kDiceBytes = "fxetlnhiuvybwr"; // the dice keys' codes, then reroll
constexpr std::string_view kCustomBytes = "!@#$^&P"; // the six keys, then Program

// The codes a recorded command holds: every code of the key tables.
std::vector<std::string_view> recordedCodes()
{
    std::vector<std::string_view> codes;
    for (const KeyArray array : kKeyArrays)
        for (const KeySpec& key : keyTable(array))
            if (!key.code.empty())
                codes.push_back(key.code);
    return codes;
}
const std::vector<std::string_view> kKeyCodes = recordedCodes();

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
    for (int i = 0; i < 6; ++i)
        all.push_back({ Kind::Assign, i });
    for (Kind kind : { Kind::Program, Kind::Cancel, Kind::Close, Kind::EditCaption, Kind::EditCommand, Kind::EditHelp,
             Kind::CustomDoubleClick })
        all.push_back({ kind, -1 });
    std::array<Event, 256> table {};
    for (std::size_t b = 0; b < table.size(); ++b)
        table[b] = all[b % all.size()];
    for (int i = 0; i < 6; ++i)
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

// Length of the well-formed UTF-8 sequence at text[i], 0 when none starts there. Written here
// again, not taken from the program, so that the check does not share the program's mistakes.
std::size_t sequenceAt(std::string_view text, std::size_t i)
{
    const auto at = [&](std::size_t k) { return static_cast<unsigned char>(text[k]); };
    const unsigned lead = at(i);
    std::size_t need;
    unsigned low = 0x80, high = 0xBF;
    if (lead < 0x80)
        return 1;
    if (lead >= 0xC2 && lead <= 0xDF) {
        need = 1;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        need = 2;
        low = lead == 0xE0 ? 0xA0 : 0x80;
        high = lead == 0xED ? 0x9F : 0xBF;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        need = 3;
        low = lead == 0xF0 ? 0x90 : 0x80;
        high = lead == 0xF4 ? 0x8F : 0xBF;
    } else {
        return 0;
    }
    if (i + need >= text.size())
        return 0;
    for (std::size_t k = 1; k <= need; ++k) {
        const unsigned c = at(i + k);
        if (c < (k == 1 ? low : 0x80u) || c > (k == 1 ? high : 0xBFu))
            return 0;
    }
    return need + 1;
}

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

// The display's own form for text shorter than the display: an optional minus, a whole part
// without leading zeros, the point, and a fraction without trailing zeros; never "-0.".
bool inDisplayForm(std::string_view text)
{
    std::string_view s = text;
    if (s.starts_with('-'))
        s.remove_prefix(1);
    const std::size_t point = s.find('.');
    if (point == std::string_view::npos || point == 0)
        return false;
    const std::string_view whole = s.substr(0, point);
    const std::string_view fraction = s.substr(point + 1);
    if (!std::all_of(whole.begin(), whole.end(), isDigit) || !std::all_of(fraction.begin(), fraction.end(), isDigit))
        return false;
    if (whole.size() > 1 && whole.front() == '0')
        return false;
    if (!fraction.empty() && fraction.back() == '0')
        return false;
    return !(text.starts_with('-') && whole == "0" && fraction.empty());
}

// A die line: " 5" or "-5" as a roll writes it, "5" as the best and worst keys list it.
struct Die {
    long long value = 0;
    bool blank = false;
};

std::optional<Die> readDie(std::string_view line)
{
    Die die;
    bool negative = false;
    if (line.starts_with(' ')) {
        die.blank = true;
        line.remove_prefix(1);
    } else if (line.starts_with('-')) {
        negative = true;
        line.remove_prefix(1);
    }
    if (line.empty() || line.size() > 5 || !std::all_of(line.begin(), line.end(), isDigit))
        return std::nullopt;
    if (line.size() > 1 && line.front() == '0')
        return std::nullopt;
    for (char c : line)
        die.value = die.value * 10 + (c - '0');
    if (negative) {
        if (die.value == 0)
            return std::nullopt;
        die.value = -die.value;
    }
    if (die.value < -32768 || die.value > 32767)
        return std::nullopt;
    return die;
}

// How many dice (or groups) a dice key rolls for what the display showed: its magnitude in single
// precision (so 99.99999991 is 100), its whole part, at most 32767, and one when that reads zero.
long long diceForDisplay(double shown)
{
    double count = static_cast<float>(std::min(std::abs(shown), static_cast<double>(kMostDice)));
    if (count == 0)
        count = 1;
    return static_cast<long long>(std::floor(std::min(count, static_cast<double>(kMostDice))));
}

std::string printable(std::string_view text, std::size_t most = 80)
{
    std::string out;
    for (char c : text.substr(0, most)) {
        const auto u = static_cast<unsigned char>(c);
        if (u >= 0x20 && u < 0x7F && c != '\\') {
            out.push_back(c);
        } else {
            char hex[8];
            std::snprintf(hex, sizeof hex, "\\x%02X", u);
            out += hex;
        }
    }
    if (text.size() > most)
        out += "...(" + std::to_string(text.size()) + " bytes)";
    return out;
}

std::string settingsKey(int key)
{
    return std::to_string(key);
}

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

InputRandom::InputRandom(std::vector<int> scriptedFaces, std::vector<float> inputDraws, long long mostDraws)
    : script_(scriptedFaces)
    , scripted_(!scriptedFaces.empty())
    , drawList_(std::move(inputDraws))
    , mostDraws_(mostDraws)
{
}

void InputRandom::spend()
{
    if (++spent_ > mostDraws_)
        throw WorkSpent {};
}

std::optional<int> InputRandom::scriptedFace()
{
    if (!scripted_)
        return std::nullopt;
    spend();
    const auto face = script_.scriptedFace();
    faces.push_back(*face);
    return face;
}

float InputRandom::next()
{
    spend();
    const float draw = drawList_.empty() ? 0.0f : drawList_[drawAt_++ % drawList_.size()];
    draws.push_back(draw);
    return draw;
}

void Watcher::propertyChanged(Control& control, Property property)
{
    if (&control == &list_ && property == Property::Text)
        listChanged = true;
}

void Watcher::textAppended(TextBox& box, std::string_view added)
{
    if (&box != &list_)
        return;
    listChanged = true;
    appended_ += added.size();
    if (appended_ > mostBytes_)
        throw WorkSpent {};
}

void InputModal::showModal(Form& form)
{
    session_.playModal(static_cast<frmCustom&>(form));
}

Session::Session(Input& input, const Budget& budget)
    : input_(input)
{
    // Header: flags, then the dice, then settings values stored before the window loads.
    const std::uint8_t flags = input_.byte();
    settings_.readOnly = (flags & 1) != 0;
    const bool startReady = (flags & 2) != 0;
    const int stored = (flags >> 2) & 7;
    const Limits& limits = (flags & 0x20) != 0 ? budget.large : budget.usual;

    std::vector<int> faces;
    std::vector<float> draws;
    const int faceCount = input_.byte() % 33;
    for (int i = 0; i < faceCount; ++i)
        faces.push_back(input_.int16());
    if (faceCount == 0) {
        const int drawCount = input_.byte() % 17;
        for (int i = 0; i < drawCount; ++i)
            draws.push_back(static_cast<float>(static_cast<std::uint16_t>(input_.int16())) / 65536.0f);
    }
    random_ = std::make_unique<InputRandom>(std::move(faces), std::move(draws), limits.draws);

    for (int i = 0; i < stored; ++i) {
        const int key = input_.byte() % 7;
        settings_.values[{ kSettingsApp, kSettingsSection, settingsKey(key) }] = input_.counted();
    }

    form_ = std::make_unique<frmTavrol>(FormPorts { settings_, printer_, messages_, modal_, *random_ });
    watcher_ = std::make_unique<Watcher>(form_->DiceBox, limits.listBytes);
    form_->setObserver(watcher_.get());
    trail_.emplace_back("Form_Load");
    form_->Form_Load();
    checkLoadedKeys();
    checkAll();
    if (startReady) {
        trail_.emplace_back("pauser tick (start-up)");
        form_->pauser.tick();
        checkAll();
    }
}

std::string Session::settingsValue(int key)
{
    return settings_.get(kSettingsApp, kSettingsSection, settingsKey(key), kUnprogrammed);
}

void Session::fail(const std::string& what) const
{
    std::fprintf(stderr, "tavrol32-fuzz: invariant failed: %s\n", what.c_str());
    std::fprintf(stderr, "  events (%zu):", trail_.size());
    const std::size_t from = trail_.size() > 40 ? trail_.size() - 40 : 0;
    if (from > 0)
        std::fprintf(stderr, " ...");
    for (std::size_t i = from; i < trail_.size(); ++i)
        std::fprintf(stderr, " [%zu] %s;", i, trail_[i].c_str());
    std::fprintf(stderr, "\n");
    if (form_) {
        const frmTavrol& f = *form_;
        std::fprintf(stderr,
            "  Display=\"%s\" Mem=\"%s\" statuswatch=\"%s\"%s MemoryText=\"%s\" LastKey=\"%s\" "
            "DecimalEntered=%d HeldOp=\"%s\" PendingOp=\"%s\" CommandLine=\"%s\" DiceArray.size=%zu "
            "DiceBox=\"%s\"\n",
            printable(f.Display.caption()).c_str(), printable(f.Mem.caption()).c_str(),
            printable(f.statuswatch.caption()).c_str(), f.statuswatch.visible() ? " (visible)" : "",
            printable(f.MemoryText).c_str(), printable(f.LastKey).c_str(), f.DecimalEntered ? 1 : 0,
            printable(f.HeldOp).c_str(), printable(f.PendingOp).c_str(), printable(f.CommandLine).c_str(),
            f.DiceArray.size(), printable(f.DiceBox.text()).c_str());
    }
    std::fflush(stderr);
    std::abort();
}

void Session::run()
{
    while (!input_.empty() && events_ < kMostEvents) {
        const Event event = mainEvent(input_.byte());
        ++events_;
        trail_.push_back(describe(event));
        if (event.kind == Kind::Unload) {
            const bool tapeWasOn = form_->tapeOn();
            form_->Form_Unload();
            checkAll();
            // A running tape is finished and sent when the program ends.
            if (tapeWasOn
                && (printer_.lines.size() < 2 || printer_.lines.back() != "<end document>"
                    || printer_.lines[printer_.lines.size() - 2] != "<new page>"))
                fail("closing the window with the tape on did not end the page and send the job");
            return;
        }
        play(event);
    }
}

void Session::play(const Event& event)
{
    frmTavrol& f = *form_;
    random_->forget();
    const auto index = static_cast<std::size_t>(event.index);
    switch (event.kind) {
    case Kind::Digit: {
        f.btnDigit[index]->click();
        checkAll();
        if (f.LastKey != "nums")
            fail("a digit key did not leave LastKey at \"nums\"");
        if (!f.CommandLine.ends_with(f.btnDigit[index]->caption()))
            fail("a digit key was not recorded on the command line");
        break;
    }
    case Kind::Operator: {
        f.btnOperator[index]->click();
        checkAll();
        if (!f.CommandLine.ends_with(f.btnOperator[index]->caption()))
            fail("an operator key was not recorded on the command line");
        break;
    }
    case Kind::Memory: {
        const bool enabled = f.btnMemory[index]->enabled();
        f.btnMemory[index]->click();
        checkAll();
        if (!enabled)
            break;
        if (index == 0 && (f.MemoryText != "0" || !f.Mem.caption().empty()))
            fail("MC left the memory or its indicator set");
        if (index == 1) {
            // MR shows the memory, unless the display cannot hold it.
            const double memory = readNumber(f.MemoryText).value_or(0.0);
            const double shown = readNumber(f.Display.caption()).value_or(0.0);
            const bool overflowed = f.statuswatch.visible() && f.statuswatch.caption() == "==== Error ====";
            if (!overflowed && std::abs(shown - memory) > 1e-9 * std::max(1.0, std::abs(memory)))
                fail("MR did not show the memory");
        }
        break;
    }
    case Kind::Clear: {
        f.btnClear[index]->click();
        checkAll();
        if (f.Display.caption() != "0.")
            fail("a clear key did not leave \"0.\" on the display");
        if (f.statuswatch.visible())
            fail("a clear key left a message showing");
        if (index == 0) {
            if (!f.DiceBox.text().empty() || !f.CommandLine.empty() || f.HeldOp != "+" || f.PendingOp != "+"
                || f.HeldSum != 0 || f.RunValue != 0 || f.LastKey != "none" || f.DecimalEntered)
                fail("All Clear did not start the calculator, the dice list and the recording afresh");
            if (f.pauser.enabled())
                fail("All Clear left the timer running");
            if (f.caption() != texts::kDesignCaption)
                fail("All Clear did not put the window caption back");
            if (!f.btnDice[kXdn]->tag().empty() || (f.Mem.caption() != "" && f.Mem.caption() != "M"))
                fail("All Clear left a pending xDn");
        }
        break;
    }
    case Kind::Dice: {
        const bool enabled = f.btnDice[index]->enabled();
        const std::vector<std::int16_t> before
            = event.index == kBest || event.index == kWorst ? f.DiceArray : std::vector<std::int16_t> {};
        const std::string shownBefore = f.Display.caption();
        const std::string xdnBefore = f.btnDice[kXdn]->tag();
        f.btnDice[index]->click();
        checkAll();
        if (!enabled)
            break;
        checkDiceEvent(event.index, before);
        const double shown = readNumber(shownBefore).value_or(0.0);
        const long long count = diceForDisplay(shown);
        if (event.index <= 6 || event.index == 9) {
            if (static_cast<long long>(list_.dice.size()) != count || !list_.groupEnds.empty())
                fail("a dice key did not list as many dice as the display asked for");
        } else if (event.index == 7 || event.index == 8) {
            if (static_cast<long long>(list_.groupEnds.size()) != count)
                fail("a group dice key did not list as many groups as the display asked for");
            if (count > 0 && list_.groupEnds.front() != (event.index == 7 ? 3u : 4u))
                fail("a group dice key listed groups of the wrong size");
        } else if (event.index == kBest || event.index == kWorst) {
            const long long held = before.empty() ? 0 : before[0];
            if (static_cast<long long>(list_.dice.size()) != std::min(count, held))
                fail("best/worst did not list as many dice as asked for, or as the roll held");
        } else if (event.index == kXdn) {
            const std::string& xdn = f.btnDice[kXdn]->tag();
            if (xdnBefore.empty()) {
                if (xdn != shownBefore || !list_.dice.empty() || f.Mem.caption().find('X') == std::string::npos)
                    fail("the first xDn press did not keep the count and show X");
            } else if (!xdn.empty() || f.Mem.caption().find('X') != std::string::npos) {
                fail("the second xDn press left the count pending");
            }
        }
        break;
    }
    case Kind::Custom: {
        f.btnCustom[index]->click();
        if (event.index == 6)
            checkLoadedKeys();
        checkAll();
        break;
    }
    case Kind::Print: {
        const std::string before = f.btnPrint.tag();
        f.btnPrint.click();
        checkAll();
        if (before == f.btnPrint.tag())
            fail("the tape toggle did not change");
        if (before == "Pon" && (printer_.lines.empty() || printer_.lines.back() != "<end document>"))
            fail("switching the tape off did not send the job");
        break;
    }
    case Kind::Tick: {
        const bool running = f.pauser.enabled();
        f.pauser.tick();
        checkAll();
        if (running && (f.pauser.enabled() || f.Display.caption() != "0." || f.statuswatch.visible()))
            fail("the timer's tick did not clear all and stop the timer");
        break;
    }
    case Kind::DoubleClick: {
        const std::size_t shown = messages_.shown.size();
        f.doubleClick();
        checkAll();
        if (messages_.shown.size() != shown + 1 || messages_.shown.back().title != texts::kAboutTitle)
            fail("a double click did not show the about box");
        break;
    }
    case Kind::SetSetting: {
        const int key = input_.byte() % 7;
        const std::string value = input_.counted();
        trail_.back() += " \"" + printable(value) + "\" as " + settingsKey(key);
        settings_.values[{ kSettingsApp, kSettingsSection, settingsKey(key) }] = value;
        checkAll();
        break;
    }
    case Kind::LoadCustom:
        f.LoadCustom();
        checkLoadedKeys();
        checkAll();
        break;
    case Kind::PlayKey: {
        const int key = input_.byte() % 6;
        const std::string value = input_.counted();
        trail_.back() += " " + settingsKey(key) + " = \"" + printable(value) + "\"";
        settings_.values[{ kSettingsApp, kSettingsSection, settingsKey(key) }] = value;
        f.LoadCustom();
        checkLoadedKeys();
        f.btnCustom[static_cast<std::size_t>(key)]->click();
        checkAll();
        break;
    }
    case Kind::ReadOnly:
        settings_.readOnly = !settings_.readOnly;
        checkAll();
        break;
    default:
        fail("a programming-window event reached the main window");
    }
}

void Session::playModal(frmCustom& window)
{
    if (modalDepth_ > 0)
        fail("the programming window was shown while it was already showing");
    ++modalDepth_;
    trail_.emplace_back("programming window shown");
    if (!window.loaded() || !window.visible())
        fail("the programming window was shown modally while not loaded and visible");
    if (window.txtCommandLine.text() != form_->CommandLine)
        fail("the programming window does not show the recorded command line");
    checkCustomWindow(window);
    int played = 0;
    while (window.loaded() && window.visible() && played < kMostModalEvents && !input_.empty()) {
        const Event event = modalEvent(input_.byte());
        ++played;
        trail_.push_back("custom: " + describe(event));
        playOnCustom(window, event);
        checkAll();
    }
    if (window.loaded() && window.visible()) {
        trail_.emplace_back("custom: close (input used up)");
        window.closeWithoutSaving();
    }
    --modalDepth_;
}

void Session::playOnCustom(frmCustom& window, const Event& event)
{
    const auto storeBefore = settings_.values;
    const std::size_t messagesBefore = messages_.shown.size();
    switch (event.kind) {
    case Kind::Assign: {
        window.BtnAssignedTo[static_cast<std::size_t>(event.index)]->click();
        if (window.FrameAssignTo.tag() != " " + std::to_string(event.index))
            fail("picking a key to assign to did not note it");
        break;
    }
    case Kind::Program: {
        const std::string tag = window.FrameAssignTo.tag();
        const std::string value = window.TxtButtonCaption.text() + "," + window.txtCommandLine.text();
        window.btnProgram.click();
        if (window.loaded())
            fail("Program did not close the programming window");
        if (tag.empty() || settings_.readOnly) {
            if (settings_.values != storeBefore)
                fail("Program changed the store although it had no key or could not write");
            if (messages_.shown.size() != messagesBefore + (tag.empty() ? 0 : 1))
                fail("Program did not tell, exactly when the store could not be written");
        } else {
            if (settingsValue(tag[1] - '0') != value)
                fail("Program did not store the caption and the command line under the key picked");
            if (messages_.shown.size() != messagesBefore)
                fail("Program showed a message although the store was written");
        }
        return;
    }
    case Kind::Cancel:
        window.btnCancel.click();
        if (!window.loaded() || window.visible())
            fail("CANCEL did not hide the programming window, keeping it loaded");
        break;
    case Kind::Close:
        window.closeWithoutSaving();
        if (window.loaded())
            fail("closing the programming window did not unload it");
        break;
    case Kind::EditCaption: {
        std::string text = input_.counted();
        trail_.back() += " \"" + printable(text) + "\"";
        window.TxtButtonCaption.edit(text);
        std::erase(text, ',');
        if (window.TxtButtonCaption.text() != text)
            fail("the caption box did not take the typed text without its commas");
        break;
    }
    case Kind::EditCommand: {
        const std::string text = input_.counted();
        trail_.back() += " \"" + printable(text) + "\"";
        window.txtCommandLine.edit(text);
        if (window.txtCommandLine.text() != text)
            fail("the command line box did not take the typed text");
        break;
    }
    case Kind::EditHelp: {
        // The help is read-only: what a user types there reaches nothing.
        const std::string text = input_.counted();
        trail_.back() += " \"" + printable(text) + "\" (read-only)";
        if (!window.txtProgram.style().readOnly || window.txtProgram.text() != customHelpText())
            fail("the help text is not the read-only help");
        break;
    }
    case Kind::CustomDoubleClick:
        window.doubleClick();
        break;
    default:
        fail("a main-window event reached the programming window");
    }
    if (settings_.values != storeBefore)
        fail("only Program may write the settings store");
    if (window.loaded())
        checkCustomWindow(window);
}

void Session::checkAll()
{
    checkMainWindow();
    // The list is read again only when it changed. That is enough for its agreement with
    // DiceArray too: only a dice key changes DiceArray, and it empties a non-empty list first.
    if (watcher_->listChanged) {
        checkDiceList();
        watcher_->listChanged = false;
    }
    if (frmCustom* window = form_->customWindow()) {
        checkCustomWindow(*window);
        if (modalDepth_ == 0 && window->visible())
            fail("the programming window is visible after its showing ended");
    }
}

void Session::checkMainWindow()
{
    const frmTavrol& f = *form_;

    // The display: the banner until it first changes; then at most 14 characters that read as
    // a finite number without exponent, in the display's own form when shorter than 14; or the
    // lone point of an entry that has just begun with ".".
    const std::string& shown = f.Display.caption();
    if (shown == texts::kBanner) {
        if (bannerGone_)
            fail("the banner came back to the display");
        if (!f.pauser.enabled())
            fail("the banner shows but the start-up timer is off");
    } else {
        bannerGone_ = true;
        std::size_t characters = 0;
        for (char c : shown)
            characters += (static_cast<unsigned char>(c) & 0xC0) != 0x80 ? 1 : 0;
        if (characters > kDisplayWidth)
            fail("the display holds more than 14 characters");
        if (shown == ".") {
            if (!f.DecimalEntered || f.LastKey != "nums")
                fail("a lone \".\" shows outside an entry that began with the point");
        } else {
            const auto value = readNumber(shown);
            if (!value || !std::isfinite(*value))
                fail("the display does not read as a number");
            if (shown.find_first_of("Ee") != std::string::npos)
                fail("the display shows exponent text");
            if (characters < kDisplayWidth && !inDisplayForm(shown))
                fail("a display shorter than 14 characters is not in the display's form");
        }
    }

    const std::string& mem = f.Mem.caption();
    if (mem != "" && mem != "M" && mem != "X" && mem != "MX")
        fail("the memory indicator is not one of \"\", M, X, MX");
    if (mem.find('X') != std::string::npos && f.btnDice[kXdn]->tag().empty())
        fail("X shows although no xDn count is pending");

    if (f.statuswatch.visible()) {
        const std::string& status = f.statuswatch.caption();
        if (status == "Please Wait...")
            fail("\"Please Wait...\" still shows after the handler returned");
        if (status != "==== Error ====" && status != "Divide by Zero" && status != "Not Defined")
            fail("an unknown message shows");
        if (status == "==== Error ====" && !f.pauser.enabled())
            fail("the overflow message shows but the timer that clears it is off");
    }

    if (f.btnPrint.tag() == "Pon") {
        if (f.btnPrint.picture() != "printon.bmp")
            fail("the tape is on but its picture is not");
    } else if (f.btnPrint.tag() == "Poff") {
        if (!f.btnPrint.picture().empty() && f.btnPrint.picture() != "printoff.bmp")
            fail("the tape is off but its picture is not");
    } else {
        fail("btnPrint's Tag is neither Pon nor Poff");
    }

    // The memory register reads as a number; MC and MR are enabled exactly while it is not
    // zero. Only the memory keys change it or them (All Clear touches neither).
    const auto memory = readNumber(f.MemoryText);
    if (!memory)
        fail("the memory register does not read as a number");
    const bool holds = *memory != 0;
    if (f.btnMemory[MemoryKey::Clear]->enabled() != holds || f.btnMemory[MemoryKey::Recall]->enabled() != holds)
        fail("MC/MR enabled does not match whether the memory holds a number");
    if (!f.btnMemory[MemoryKey::Subtract]->enabled() || !f.btnMemory[MemoryKey::Add]->enabled())
        fail("M-/M+ disabled");

    if (f.HeldOp != "+" && f.HeldOp != "-")
        fail("HeldOp is not + or -");
    if (f.PendingOp != "+" && f.PendingOp != "-" && f.PendingOp != "\u00D7" && f.PendingOp != "\u00F7")
        fail("PendingOp is not + - \u00D7 \u00F7");

    for (std::size_t i = 0; i < 6; ++i)
        if (f.btnCustom[i]->enabled() != (f.btnCustom[i]->tag() != "0"))
            fail("programmable key " + std::to_string(i) + " is enabled other than while it holds a program");
    if (f.btnCustom[CustomKey::Program]->caption() != kCustomKeys[CustomKey::Program].caption
        || !f.btnCustom[CustomKey::Program]->enabled())
        fail("the Program key changed");
    for (const auto* keys : { &f.btnDigit })
        for (const auto* key : *keys)
            if (!key->enabled())
                fail("a digit key is disabled");
    for (const auto* key : f.btnOperator)
        if (!key->enabled())
            fail("an operator key is disabled");
    for (int i = 0; i < kReroll; ++i)
        if (!f.btnDice[static_cast<std::size_t>(i)]->enabled())
            fail("a dice key other than reroll is disabled");

    // The command line is valid UTF-8 made of key codes only, so replaying it presses exactly
    // the keys it records.
    const std::string& line = f.CommandLine;
    for (std::size_t i = 0; i < line.size();) {
        const std::size_t n = sequenceAt(line, i);
        if (n == 0)
            fail("the command line is not valid UTF-8");
        const std::string_view code(line.data() + i, n);
        if (std::find(kKeyCodes.begin(), kKeyCodes.end(), code) == kKeyCodes.end())
            fail("the command line holds \"" + printable(code) + "\", which is no key's code");
        i += n;
    }

    if (!f.DiceArray.empty()) {
        const int count = f.DiceArray[0];
        if (count < 0 || count > kMostDice || static_cast<std::size_t>(count) != f.DiceArray.size() - 1)
            fail("the dice list's count DiceArray(0) does not match its dice");
    }

    if (f.caption() != texts::kDesignCaption && f.caption() != texts::kCreditLine)
        fail("the window caption is neither the credit line nor the design caption");
}

void Session::checkDiceList()
{
    const frmTavrol& f = *form_;
    list_ = {};
    const std::string& text = f.DiceBox.text();
    if (text.empty())
        return;
    if (!text.ends_with("\r\n"))
        fail("the dice list does not end with a line break");
    bool bare = false;
    for (std::size_t at = 0; at < text.size();) {
        const std::size_t end = text.find("\r\n", at);
        const std::string_view line(text.data() + at, end - at);
        at = end + 2;
        if (line == "------") {
            const std::size_t start = list_.groupEnds.empty() ? 0 : list_.groupEnds.back();
            if (list_.dice.size() == start)
                fail("the dice list has a separator after no dice");
            list_.groupEnds.push_back(list_.dice.size());
            continue;
        }
        const auto die = readDie(line);
        if (!die)
            fail("the dice list has a line that is neither a die nor a separator: \"" + printable(line) + "\"");
        if (die->blank)
            list_.rolledForm = true;
        else if (die->value >= 0)
            bare = true;
        list_.dice.push_back(die->value);
        list_.sum += die->value;
    }
    if (bare && list_.rolledForm)
        fail("the dice list mixes rolled and listed lines");

    const std::vector<std::int16_t>& held = f.DiceArray;
    std::size_t lastGroup = 0;
    if (!list_.groupEnds.empty()) {
        if (list_.groupEnds.back() != list_.dice.size())
            fail("the dice list has dice after its last separator");
        const std::size_t size = list_.groupEnds.front();
        if (size != 3 && size != 4)
            fail("the dice list has groups of neither 3 nor 4 dice");
        for (std::size_t g = 1; g < list_.groupEnds.size(); ++g)
            if (list_.groupEnds[g] - list_.groupEnds[g - 1] != size)
                fail("the dice list has groups of different sizes");
        if (list_.groupEnds.size() > static_cast<std::size_t>(kMostDice))
            fail("the dice list has more than 32767 groups");
        if (bare)
            fail("the dice list has listed (not rolled) dice in groups");
        lastGroup = list_.groupEnds.size() >= 2 ? list_.groupEnds[list_.groupEnds.size() - 2] : 0;
    } else if (list_.dice.size() > static_cast<std::size_t>(kMostDice)) {
        fail("the dice list has more than 32767 dice");
    }

    // The last group (or the whole list) shows the first dice of DiceArray; all of them when
    // they were rolled.
    const std::size_t shownDice = list_.dice.size() - lastGroup;
    if (held.empty() || shownDice > static_cast<std::size_t>(held[0]))
        fail("the dice list shows more dice than DiceArray holds");
    for (std::size_t i = 0; i < shownDice; ++i)
        if (list_.dice[lastGroup + i] != held[i + 1])
            fail("the dice list does not show DiceArray's dice");
    if ((!list_.groupEnds.empty() || list_.rolledForm) && shownDice != static_cast<std::size_t>(held[0]))
        fail("the dice list shows a roll with another count than DiceArray(0)");
}

void Session::checkDiceEvent(int index, const std::vector<std::int16_t>& diceBefore)
{
    const frmTavrol& f = *form_;
    if (f.LastKey != "dice" || !f.btnDice[kReroll]->enabled())
        fail("a dice key did not leave LastKey at \"dice\" with reroll enabled");

    // The display reads the total of the dice listed, for every key that rolls or lists.
    const bool rollsOrLists = index <= 9 || index == kBest || index == kWorst;
    if (rollsOrLists || !list_.dice.empty()) {
        if (readNumber(f.Display.caption()).value_or(-0.5) != static_cast<double>(list_.sum))
            fail("the display does not read the total of the dice listed");
    }

    if (index <= 6 && f.statuswatch.visible() && f.statuswatch.caption() != "==== Error ====")
        fail("a dice key left a message showing");

    const std::vector<int>& faces = random_->faces;
    const std::vector<float>& draws = random_->draws;
    if (index <= 9) {
        // Every die drawn is listed, in the order drawn.
        if (random_->scripted()) {
            if (faces.size() != list_.dice.size())
                fail("the dice list does not show every face drawn");
            for (std::size_t i = 0; i < faces.size(); ++i) {
                long long face = faces[i];
                if (index == 9)
                    face = face == 1 ? 3 : (face == 6 ? 4 : face);
                if (face != list_.dice[i])
                    fail("the dice list does not show the faces drawn, in order");
            }
        } else {
            if (draws.size() != list_.dice.size())
                fail("the dice list does not show every die drawn");
            long long low = 1, high = 6;
            if (index <= 6)
                high = kDieSides[index];
            else if (index == 8)
                low = -1, high = 1;
            else if (index == 9)
                low = 2, high = 5;
            for (long long die : list_.dice)
                if (die < low || die > high)
                    fail("a die shows a face its key cannot roll");
        }
    }
    if ((index == kBest || index == kWorst)) {
        if (!faces.empty() || !draws.empty())
            fail("best/worst drew dice");
        if (list_.rolledForm || !list_.groupEnds.empty())
            fail("best/worst listed its dice as a roll");
        std::vector<std::int16_t> now(f.DiceArray.begin() + (f.DiceArray.empty() ? 0 : 1), f.DiceArray.end());
        std::vector<std::int16_t> then(diceBefore.begin() + (diceBefore.empty() ? 0 : 1), diceBefore.end());
        const bool ordered
            = index == kBest ? std::is_sorted(now.rbegin(), now.rend()) : std::is_sorted(now.begin(), now.end());
        if (!ordered)
            fail("best/worst did not order the dice");
        std::sort(now.begin(), now.end());
        std::sort(then.begin(), then.end());
        if (now != then)
            fail("best/worst changed the dice, not only their order");
    }
}

void Session::checkLoadedKeys()
{
    const frmTavrol& f = *form_;
    for (int i = 0; i < 6; ++i) {
        const CommandButton& key = *f.btnCustom[static_cast<std::size_t>(i)];
        const std::string value = settingsValue(i);
        const std::size_t comma = value.find(',');
        if (comma == std::string::npos) {
            if (key.caption() != value || key.tag() != "0")
                fail("a stored value without a comma did not load as an unprogrammed key");
            continue;
        }
        const std::string rest = value.substr(comma + 1);
        if (key.caption() != value.substr(0, comma))
            fail("a programmed key's caption is not what the store holds before the comma");
        // The command is the rest, cut at 512 characters: at least 512 bytes, at most 4 per character.
        const std::string& tag = key.tag();
        if (!rest.starts_with(tag))
            fail("a programmed key's command is not what the store holds after the comma");
        if (rest.size() <= kMostCommandCharacters
                ? tag != rest
                : tag.size() < kMostCommandCharacters || tag.size() > 4 * kMostCommandCharacters)
            fail("a programmed key's command was cut wrongly");
    }
}

void Session::checkCustomWindow(const frmCustom& window)
{
    if (window.caption() != kCustomCaption)
        fail("the programming window's caption changed");
    if (window.TxtButtonCaption.text().find(',') != std::string::npos)
        fail("the caption box holds a comma");
    const std::string& tag = window.FrameAssignTo.tag();
    int picked = -1;
    if (!tag.empty()) {
        if (tag.size() != 2 || tag[0] != ' ' || tag[1] < '0' || tag[1] > '5')
            fail("the key picked is not one of the six");
        picked = tag[1] - '0';
    }
    for (int i = 0; i < 6; ++i)
        if (window.BtnAssignedTo[static_cast<std::size_t>(i)]->value() != (i == picked))
            fail("the option buttons do not show the key picked");
    if (!window.btnProgram.enabled() || !window.btnCancel.enabled())
        fail("a programming window key is disabled");
}

void playInput(const std::uint8_t* data, std::size_t size, const Budget& budget)
{
    Input input(data, size);
    try {
        Session session(input, budget);
        session.run();
    } catch (const WorkSpent&) {
        // The input asked for more work than one input may do; what ran so far was checked.
    }
}

} // namespace tavrol::fuzz
