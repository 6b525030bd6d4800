// One fuzz input played as a session of the main window and the programming window.
#include "fuzz/session.h"

#include "calculator/number_text.h"
#include "fuzz/check_text.h"
#include "programs/custom_entry.h"
#include "programs/frmCustom.h"
#include "programs/key_code.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <utility>

namespace tavrol::fuzz {
namespace {

constexpr int kXdn = indexOf(DiceKey::XDn);
constexpr int kBest = indexOf(DiceKey::Best);
constexpr int kWorst = indexOf(DiceKey::Worst);

} // namespace

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
        // One name past the six keys, which the program never reads.
        const int key = input_.byte() % (kProgrammableKeys + 1);
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
    random_->forget();
    switch (event.kind) {
    case Kind::Digit:
    case Kind::Operator:
    case Kind::Memory:
    case Kind::Clear:
    case Kind::Dice:
    case Kind::Custom:
        playKey(event);
        break;
    case Kind::Print:
        playTapeToggle();
        break;
    case Kind::Tick: {
        frmTavrol& f = *form_;
        const bool running = f.pauser.enabled();
        f.pauser.tick();
        checkAll();
        if (running && (f.pauser.enabled() || f.Display.caption() != "0." || f.statuswatch.visible()))
            fail("the timer's tick did not clear all and stop the timer");
        break;
    }
    case Kind::DoubleClick: {
        const std::size_t shown = messages_.shown.size();
        form_->doubleClick();
        checkAll();
        if (messages_.shown.size() != shown + 1 || messages_.shown.back().title != texts::kAboutTitle)
            fail("a double click did not show the about box");
        break;
    }
    case Kind::SetSetting:
    case Kind::PlayKey:
        playStoredKey(event);
        break;
    case Kind::LoadCustom:
        form_->LoadCustom();
        checkLoadedKeys();
        checkAll();
        break;
    case Kind::ReadOnly:
        settings_.readOnly = !settings_.readOnly;
        checkAll();
        break;
    default:
        fail("a programming-window event reached the main window");
    }
}

// A click on a key of the main window, found as the keyboard and the headless driver find it.
void Session::playKey(const Event& event)
{
    frmTavrol& f = *form_;
    CommandButton& key = *f.key(*keyPressOf(event));
    const bool enabled = key.enabled();
    switch (event.kind) {
    case Kind::Digit:
    case Kind::Operator:
        key.click();
        checkAll();
        if (event.kind == Kind::Digit && f.LastKey != "nums")
            fail("a digit key did not leave LastKey at \"nums\"");
        if (!f.CommandLine.ends_with(key.caption()))
            fail("a digit or operator key was not recorded on the command line");
        break;
    case Kind::Memory:
        key.click();
        checkAll();
        if (enabled)
            checkMemoryKey(static_cast<MemoryKey>(event.index));
        break;
    case Kind::Clear:
        key.click();
        checkAll();
        checkClearKey(static_cast<ClearKey>(event.index));
        break;
    case Kind::Dice:
        playDice(event.index);
        break;
    default: // the programmable keys and the Program key
        key.click();
        if (static_cast<CustomKey>(event.index) == CustomKey::Program)
            checkLoadedKeys();
        checkAll();
        break;
    }
}

void Session::checkMemoryKey(MemoryKey key)
{
    const frmTavrol& f = *form_;
    if (key == MemoryKey::Clear && (f.MemoryText != "0" || !f.Mem.caption().empty()))
        fail("MC left the memory or its indicator set");
    if (key == MemoryKey::Recall) {
        // MR shows the memory, unless the display cannot hold it.
        const double memory = readNumber(f.MemoryText).value_or(0.0);
        const double shown = readNumber(f.Display.caption()).value_or(0.0);
        const bool overflowed = f.statuswatch.visible() && f.statuswatch.caption() == "==== Error ====";
        if (!overflowed && std::abs(shown - memory) > 1e-9 * std::max(1.0, std::abs(memory)))
            fail("MR did not show the memory");
    }
}

void Session::checkClearKey(ClearKey key)
{
    const frmTavrol& f = *form_;
    if (f.Display.caption() != "0.")
        fail("a clear key did not leave \"0.\" on the display");
    if (f.statuswatch.visible())
        fail("a clear key left a message showing");
    if (key != ClearKey::All)
        return;
    if (!f.DiceBox.text().empty() || !f.CommandLine.empty() || f.HeldOp != "+" || f.PendingOp != "+" || f.HeldSum != 0
        || f.RunValue != 0 || f.LastKey != "none" || f.DecimalEntered)
        fail("All Clear did not start the calculator, the dice list and the recording afresh");
    if (f.pauser.enabled())
        fail("All Clear left the timer running");
    if (f.caption() != texts::kDesignCaption)
        fail("All Clear did not put the window caption back");
    if (!f.btnDice[DiceKey::XDn]->tag().empty() || (f.Mem.caption() != "" && f.Mem.caption() != "M"))
        fail("All Clear left a pending xDn");
}

void Session::playDice(int index)
{
    frmTavrol& f = *form_;
    CommandButton& key = *f.btnDice[static_cast<DiceKey>(index)];
    const bool enabled = key.enabled();
    const std::vector<std::int16_t> before
        = index == kBest || index == kWorst ? f.DiceArray : std::vector<std::int16_t> {};
    const std::string shownBefore = f.Display.caption();
    const std::string xdnBefore = f.btnDice[DiceKey::XDn]->tag();
    key.click();
    checkAll();
    if (!enabled)
        return;
    checkDiceEvent(index, before);
    const long long count = diceForDisplay(readNumber(shownBefore).value_or(0.0));
    if (index <= 6 || index == 9) {
        if (static_cast<long long>(list_.dice.size()) != count || !list_.groupEnds.empty())
            fail("a dice key did not list as many dice as the display asked for");
    } else if (index == 7 || index == 8) {
        if (static_cast<long long>(list_.groupEnds.size()) != count)
            fail("a group dice key did not list as many groups as the display asked for");
        if (count > 0 && list_.groupEnds.front() != (index == 7 ? 3u : 4u))
            fail("a group dice key listed groups of the wrong size");
    } else if (index == kBest || index == kWorst) {
        const long long held = before.empty() ? 0 : before[0];
        if (static_cast<long long>(list_.dice.size()) != std::min(count, held))
            fail("best/worst did not list as many dice as asked for, or as the roll held");
    } else if (index == kXdn) {
        checkXDnPress(xdnBefore, shownBefore);
    }
}

void Session::checkXDnPress(const std::string& xdnBefore, const std::string& shownBefore)
{
    const frmTavrol& f = *form_;
    const std::string& xdn = f.btnDice[DiceKey::XDn]->tag();
    if (xdnBefore.empty()) {
        if (xdn != shownBefore || !list_.dice.empty() || f.Mem.caption().find('X') == std::string::npos)
            fail("the first xDn press did not keep the count and show X");
    } else if (!xdn.empty() || f.Mem.caption().find('X') != std::string::npos) {
        fail("the second xDn press left the count pending");
    }
}

void Session::playTapeToggle()
{
    frmTavrol& f = *form_;
    const std::string before = f.btnPrint.tag();
    f.btnPrint.click();
    checkAll();
    if (before == f.btnPrint.tag())
        fail("the tape toggle did not change");
    if (before == "Pon" && (printer_.lines.empty() || printer_.lines.back() != "<end document>"))
        fail("switching the tape off did not send the job");
}

// A value stored from outside (a hand edit) for a key, which is then loaded and, for PlayKey,
// clicked.
void Session::playStoredKey(const Event& event)
{
    const bool andPlay = event.kind == Kind::PlayKey;
    const int key = input_.byte() % (andPlay ? kProgrammableKeys : kProgrammableKeys + 1);
    const std::string value = input_.counted();
    trail_.back() += andPlay ? " " + settingsKey(key) + " = \"" + printable(value) + "\""
                             : " \"" + printable(value) + "\" as " + settingsKey(key);
    settings_.values[{ kSettingsApp, kSettingsSection, settingsKey(key) }] = value;
    if (!andPlay) {
        checkAll();
        return;
    }
    form_->LoadCustom();
    checkLoadedKeys();
    form_->btnCustom[programmableKey(key)]->click();
    checkAll();
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
    switch (event.kind) {
    case Kind::Assign: {
        window.BtnAssignedTo[static_cast<std::size_t>(event.index)]->click();
        if (window.FrameAssignTo.tag() != " " + std::to_string(event.index))
            fail("picking a key to assign to did not note it");
        break;
    }
    case Kind::Program:
        playProgram(window);
        return;
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
    case Kind::EditCaption:
    case Kind::EditCommand:
    case Kind::EditHelp:
        playEdit(window, event.kind);
        break;
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

void Session::playProgram(frmCustom& window)
{
    const auto storeBefore = settings_.values;
    const std::size_t messagesBefore = messages_.shown.size();
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
}

// Typing into one of the programming window's boxes: the caption box takes no comma, the command
// line takes everything, and the help is read-only, so typing there reaches nothing.
void Session::playEdit(frmCustom& window, Kind box)
{
    std::string text = input_.counted();
    trail_.back() += " \"" + printable(text) + "\"" + (box == Kind::EditHelp ? " (read-only)" : "");
    if (box == Kind::EditCaption) {
        window.TxtButtonCaption.edit(text);
        std::erase(text, ',');
        if (window.TxtButtonCaption.text() != text)
            fail("the caption box did not take the typed text without its commas");
    } else if (box == Kind::EditCommand) {
        window.txtCommandLine.edit(text);
        if (window.txtCommandLine.text() != text)
            fail("the command line box did not take the typed text");
    } else if (!window.txtProgram.style().readOnly || window.txtProgram.text() != customHelpText()) {
        fail("the help text is not the read-only help");
    }
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
