// Typing on the main window: what was typed, one key at a time, becomes the window's keys to
// press, found through the shortcuts of the key tables (programs/key_code.h). A shortcut of
// several characters ("d10") is matched as it is typed, so "3d6" is the digit 3, then the d6 key.
// The clipboard's text rules live here too: the window only moves the text.
#pragma once

#include "programs/key_code.h"

#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace tavrol {

// One key as the keyboard gives it: a character as typed ("7", "+", "d", "%") or a named key
// ("F9", "Enter", "Escape", "Delete", "Ctrl+L", "Ctrl+Shift+C").
struct TypedKey {
    std::string_view name;
    bool keypad = false; // typed on the numeric keypad
};

enum class ClipboardCommand { CopyNumber, CopyDice, Paste };
// Commands that open a window beside the main one.
enum class WindowCommand { ShowLog };

// A key of the window to press, or a command to carry out.
using KeyboardAction = std::variant<KeyPress, ClipboardCommand, WindowCommand>;

struct Typed {
    // The key is the window's, or the start of a shortcut: it goes to nothing else.
    bool taken = false;
    // What to do, in order: a key waiting for more ("d10", which may become "d100") comes first
    // when the key typed after it does not continue it.
    std::vector<KeyboardAction> actions;
};

class Keyboard {
public:
    Typed type(TypedKey key);
    // The typing paused: a shortcut waiting for more is pressed as it stands ("d10"), an
    // unfinished one ("d", "d1") is dropped.
    std::vector<KeyboardAction> pause();
    // Something typed waits for more; the window calls pause() after a short pause.
    bool waiting() const { return !typed_.empty(); }

private:
    void settle(std::vector<KeyboardAction>& actions);

    std::vector<std::string> typed_; // the keys of the shortcut typed so far
};

// The number on the display as text to copy: "14." copies as '14', "-0.5" as '-0.5'. Nothing ("")
// for text that is no number (the banner), or while the status line is showing, since it covers
// the display and shows a message ("==== Error ====") instead of a result.
std::string numberToCopy(std::string_view display, bool statusShowing);

// The dice of the last roll as the dice list shows them, one per line, without the blank before a
// die that is not negative and without the "------" lines between groups. "" for an empty list.
std::string diceToCopy(std::string_view diceList);

// The keys that type pasted text into the display: digits with at most one decimal point, a point
// or, in text with no point, a comma ("1,5" and "1,234" alike are one and a fraction); one
// leading minus, typed as "±" after the digits; blanks and line breaks around them ignored. None
// for anything else, "1,234.5" included.
std::vector<KeyPress> keysForPaste(std::string_view text);

} // namespace tavrol
