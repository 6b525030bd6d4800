// What must hold after every event of a fuzz session, checked against the window models.
#include "calculator/number_text.h"
#include "fuzz/check_text.h"
#include "fuzz/session.h"
#include "programs/custom_entry.h"
#include "programs/frmCustom.h"
#include "programs/key_code.h"

#include <algorithm>
#include <cmath>

namespace tavrol::fuzz {
namespace {

constexpr int kReroll = indexOf(DiceKey::Reroll);
constexpr int kBest = indexOf(DiceKey::Best);
constexpr int kWorst = indexOf(DiceKey::Worst);

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

} // namespace

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
    checkDisplay();
    checkIndicators();
    checkMemoryAndEvaluator();
    checkKeysEnabled();
    checkCommandLine();
    const frmTavrol& f = *form_;
    if (!f.DiceArray.empty()) {
        const int count = f.DiceArray[0];
        if (count < 0 || count > kMostDice || static_cast<std::size_t>(count) != f.DiceArray.size() - 1)
            fail("the dice list's count DiceArray(0) does not match its dice");
    }
    if (f.caption() != texts::kDesignCaption && f.caption() != texts::kCreditLine)
        fail("the window caption is neither the credit line nor the design caption");
}

void Session::checkDisplay()
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
}

void Session::checkIndicators()
{
    const frmTavrol& f = *form_;
    const std::string& mem = f.Mem.caption();
    if (mem != "" && mem != "M" && mem != "X" && mem != "MX")
        fail("the memory indicator is not one of \"\", M, X, MX");
    if (mem.find('X') != std::string::npos && f.btnDice[DiceKey::XDn]->tag().empty())
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
}

void Session::checkMemoryAndEvaluator()
{
    const frmTavrol& f = *form_;
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
}

void Session::checkKeysEnabled()
{
    const frmTavrol& f = *form_;
    for (int i = 0; i < kProgrammableKeys; ++i) {
        const CommandButton& key = *f.btnCustom[programmableKey(i)];
        if (key.enabled() != (key.tag() != "0"))
            fail("programmable key " + std::to_string(i) + " is enabled other than while it holds a program");
    }
    if (!isProgramKey(f.btnCustom[CustomKey::Program]->caption()) || !f.btnCustom[CustomKey::Program]->enabled())
        fail("the Program key changed");
    for (const auto* keys : { &f.btnDigit })
        for (const auto* key : *keys)
            if (!key->enabled())
                fail("a digit key is disabled");
    for (const auto* key : f.btnOperator)
        if (!key->enabled())
            fail("an operator key is disabled");
    for (int i = 0; i < kReroll; ++i)
        if (!f.btnDice[static_cast<DiceKey>(i)]->enabled())
            fail("a dice key other than reroll is disabled");
}

void Session::checkCommandLine()
{
    // The command line is valid UTF-8 made of key codes only, so replaying it presses exactly
    // the keys it records.
    const std::string& line = form_->CommandLine;
    for (std::size_t i = 0; i < line.size();) {
        const std::size_t n = sequenceAt(line, i);
        if (n == 0)
            fail("the command line is not valid UTF-8");
        const std::string_view code(line.data() + i, n);
        if (std::find(kKeyCodes.begin(), kKeyCodes.end(), code) == kKeyCodes.end())
            fail("the command line holds \"" + printable(code) + "\", which is no key's code");
        i += n;
    }
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
    checkGroupsAgainstDiceArray(bare);
}

void Session::checkGroupsAgainstDiceArray(bool bare)
{
    const std::vector<std::int16_t>& held = form_->DiceArray;
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
    if (f.LastKey != "dice" || !f.btnDice[DiceKey::Reroll]->enabled())
        fail("a dice key did not leave LastKey at \"dice\" with reroll enabled");

    // The display reads the total of the dice listed, for every key that rolls or lists.
    const bool rollsOrLists = index <= 9 || index == kBest || index == kWorst;
    if (rollsOrLists || !list_.dice.empty()) {
        if (readNumber(f.Display.caption()).value_or(-0.5) != static_cast<double>(list_.sum))
            fail("the display does not read the total of the dice listed");
    }

    if (index <= 6 && f.statuswatch.visible() && f.statuswatch.caption() != "==== Error ====")
        fail("a dice key left a message showing");

    if (index <= 9)
        checkDrawnDiceListed(index);
    if (index == kBest || index == kWorst)
        checkKeptDice(index, diceBefore);
}

// Every die drawn is listed, in the order drawn, with a face its key can roll.
void Session::checkDrawnDiceListed(int index)
{
    const std::vector<int>& faces = random_->faces;
    const std::vector<float>& draws = random_->draws;
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
            high = keySpec(static_cast<DiceKey>(index)).sides;
        else if (index == 8)
            low = -1, high = 1;
        else if (index == 9)
            low = 2, high = 5;
        for (long long die : list_.dice)
            if (die < low || die > high)
                fail("a die shows a face its key cannot roll");
    }
}

// Best and worst draw nothing and only reorder the dice of the list.
void Session::checkKeptDice(int index, const std::vector<std::int16_t>& diceBefore)
{
    const frmTavrol& f = *form_;
    if (!random_->faces.empty() || !random_->draws.empty())
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

void Session::checkLoadedKeys()
{
    const frmTavrol& f = *form_;
    for (int i = 0; i < kProgrammableKeys; ++i) {
        const CommandButton& key = *f.btnCustom[programmableKey(i)];
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
        if (tag.size() != 2 || tag[0] != ' ' || tag[1] < '0' || tag[1] >= '0' + kProgrammableKeys)
            fail("the key picked is not one of the six");
        picked = tag[1] - '0';
    }
    for (int i = 0; i < kProgrammableKeys; ++i)
        if (window.BtnAssignedTo[static_cast<std::size_t>(i)]->value() != (i == picked))
            fail("the option buttons do not show the key picked");
    if (!window.btnProgram.enabled() || !window.btnCancel.enabled())
        fail("a programming window key is disabled");
}

} // namespace tavrol::fuzz
