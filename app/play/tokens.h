// How a command-line token becomes an event on a window: a key caption, a control by name, or
// the text typed into a text box.
#pragma once

#include "platform/control.h"
#include "platform/form.h"
#include "programs/key_code.h"

#include <functional>
#include <map>
#include <string>
#include <string_view>

namespace tavrol::play {

// The main window's key captions as its key tables give them, plus "*", "/" and "+/-"
// for the keys that are awkward to type on a terminal. The programmable keys are left out:
// their captions are the user's, may repeat or shadow a fixed key, and they are reached as
// btnCustom(N) instead. The "Program" key beside them has a fixed caption and is included.
class KeyCaptions {
public:
    KeyCaptions();
    // The key the token names, or null.
    const KeyPress* find(std::string_view token) const;

private:
    std::map<std::string, KeyPress, std::less<>> keys_;
};

enum class TokenResult { Handled, Unknown };

// A click on `button`, which a disabled or hidden key does not take, as on the screen; null (a key
// the window lacks) is Unknown.
TokenResult clickKey(CommandButton* button);

// Handles NAME or NAME(INDEX) as a click on that control, and NAME=TEXT as the user replacing
// the text of text box NAME with TEXT (everything after the first '='), through the same edit
// as typing, so the box's input filter applies. A disabled or hidden
// control takes no click and a read-only, disabled or hidden text box takes no typing, as on the
// screen: the token is handled and nothing happens. A name the window does not have, or a
// control that takes no click (a label, a group box, a timer) or no text, is Unknown.
TokenResult applyControlToken(Form& window, std::string_view token);

} // namespace tavrol::play
