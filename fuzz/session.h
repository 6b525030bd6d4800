// One fuzz input played as a session of the main window and the programming window: the input's
// bytes pick events, every event is followed by a check of what must always hold, and a failed
// check ends the process with a message that names the event.
#pragma once

#include "dice/random_source.h"
#include "fuzz/input.h"
#include "platform/form.h"
#include "platform/ports.h"
#include "platform/recording_ports.h"
#include "programs/key_code.h"
#include "shell/frmTavrol.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tavrol::fuzz {

inline constexpr int kMostEvents = 256; // main-window events per input
inline constexpr int kMostModalEvents = 64; // events in one showing of the programming window

// Work allowed per input, so that one input runs in bounded time. A die costs microseconds and
// every dice total becomes the next count, so unchecked inputs soon roll thousands of dice per
// key. The fuzzer allows a few thousand dice per input, or one roll of the largest count of plain
// dice when the input's header asks for large work; the replay of saved inputs allows even the
// largest groups (a fudge roll of 32767 groups is 131068 dice). An input that breaks a check
// under the smaller limits breaks it under the larger ones, because more work only lets the
// input run further.
struct Limits {
    long long draws;
    std::size_t listBytes; // text appended to the dice list
};
struct Budget {
    Limits usual;
    Limits large;
};
inline constexpr Budget kFuzzBudget { { 8192, 128u << 10 }, { 32767 + 4096, 512u << 10 } };
inline constexpr Budget kReplayBudget { { 4 * 32767 + 4096, 3u << 20 }, { 4 * 32767 + 4096, 3u << 20 } };

// Thrown from a port once the input's work is used up; the session stops there, unchecked,
// because the handler it interrupted has not finished.
struct WorkSpent { };

// Dice from the input: scripted faces when the input gives some, otherwise draws in [0, 1)
// from the input, so that the program's own range mapping is exercised too.
class InputRandom : public RandomSource {
public:
    InputRandom(std::vector<int> faces, std::vector<float> draws, long long mostDraws);
    void reseedFromClock() override { }
    float next() override;
    std::optional<int> scriptedFace() override;

    bool scripted() const { return scripted_; }
    // What was handed out since the last `forget`: faces when scripted, draws otherwise.
    std::vector<int> faces;
    std::vector<float> draws;
    void forget()
    {
        faces.clear();
        draws.clear();
    }

private:
    void spend();
    ScriptedFaces script_;
    bool scripted_;
    std::vector<float> drawList_;
    std::size_t drawAt_ = 0;
    long long spent_ = 0;
    long long mostDraws_;
};

// Watches the main window as a view would: notes when the dice list changes and keeps count of
// the text appended to it.
class Watcher : public FormObserver {
public:
    Watcher(const TextBox& list, std::size_t mostBytes)
        : list_(list)
        , mostBytes_(mostBytes)
    {
    }
    void propertyChanged(Control& control, Property property) override;
    void textAppended(TextBox& box, std::string_view added) override;
    void captionChanged(Form&) override { }
    void repaint(Control*) override { }

    bool listChanged = true;

private:
    const TextBox& list_;
    std::size_t appended_ = 0;
    std::size_t mostBytes_;
};

class Session;

// Shows the programming window by playing the following input bytes on it.
class InputModal : public ModalHost {
public:
    explicit InputModal(Session& session)
        : session_(session)
    {
    }
    void showModal(Form& form) override;

private:
    Session& session_;
};

enum class Kind : std::uint8_t {
    // Main window.
    Digit,
    Operator,
    Memory,
    Clear,
    Dice,
    Custom,
    Print,
    Tick,
    DoubleClick,
    SetSetting,
    LoadCustom,
    PlayKey,
    ReadOnly,
    Unload,
    // Programming window.
    Assign,
    Program,
    Cancel,
    Close,
    EditCaption,
    EditCommand,
    EditHelp,
    CustomDoubleClick,
};

struct Event {
    Kind kind;
    int index = -1;
};

Event mainEvent(std::uint8_t byte);
Event modalEvent(std::uint8_t byte);
std::string describe(const Event& event);
// The main window's key an event clicks; nothing for an event that is no key.
std::optional<KeyPress> keyPressOf(const Event& event);

class Session {
public:
    Session(Input& input, const Budget& budget);
    Session(const Session&) = delete;
    Session& operator=(const Session&) = delete;

    // Plays the whole input; returns when it is used up, the work limit is reached or the
    // main window is closed.
    void run();
    void playModal(frmCustom& window);

private:
    void play(const Event& event);
    void playKey(const Event& event);
    void playDice(int index);
    void playTapeToggle();
    void playStoredKey(const Event& event);
    void playOnCustom(frmCustom& window, const Event& event);
    void playProgram(frmCustom& window);
    void playEdit(frmCustom& window, Kind box);
    void checkAll();
    void checkMainWindow();
    void checkDisplay();
    void checkIndicators();
    void checkMemoryAndEvaluator();
    void checkKeysEnabled();
    void checkCommandLine();
    void checkMemoryKey(MemoryKey key);
    void checkClearKey(ClearKey key);
    void checkXDnPress(const std::string& xdnBefore, const std::string& shownBefore);
    void checkDiceList();
    void checkGroupsAgainstDiceArray(bool bare);
    void checkDiceEvent(int index, const std::vector<std::int16_t>& diceBefore);
    void checkDrawnDiceListed(int index);
    void checkKeptDice(int index, const std::vector<std::int16_t>& diceBefore);
    void checkLoadedKeys();
    void checkCustomWindow(const frmCustom& window);
    [[noreturn]] void fail(const std::string& what) const;
    std::string settingsValue(int key);

    Input& input_;
    MemorySettings settings_;
    RecordingPrinter printer_;
    RecordingMessageBox messages_;
    InputModal modal_ { *this };
    std::unique_ptr<InputRandom> random_;
    std::unique_ptr<Watcher> watcher_; // outlives the window it watches
    std::unique_ptr<frmTavrol> form_;

    int events_ = 0;
    int modalDepth_ = 0;
    std::vector<std::string> trail_; // the events played so far, for the failure message
    bool bannerGone_ = false;

    // The dice list as last read: die values in order, the separators and how lines were written.
    struct DiceList {
        std::vector<long long> dice;
        std::vector<std::size_t> groupEnds; // index into `dice` after each separator
        bool rolledForm = false; // some line has the blank of a non-negative roll
        long long sum = 0;
    } list_;
};

// Plays one input; what the fuzz target and the regression replay both call.
void playInput(const std::uint8_t* data, std::size_t size, const Budget& budget);

} // namespace tavrol::fuzz
