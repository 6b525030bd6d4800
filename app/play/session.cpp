#include "app/play/session.h"

#include "app/play/json_writer.h"
#include "app/play/state_line.h"

#include <ostream>
#include <stdexcept>

namespace tavrol::play {

void Session::ModalWindows::showModal(Form& form)
{
    throw std::logic_error("tavrol32-play cannot show " + form.name() + " modally yet");
}

Session::Session(PlayOptions options)
    : options_(std::move(options))
    , main_(FormPorts { settings_, printer_, messages_, modal_, random_ })
{
}

int Session::run(const std::vector<std::string>& tokens, std::ostream& out, std::ostream& err)
{
    main_.Form_Load();
    // Keys are named by the captions they show at start, before any handler relabels them.
    captions_ = KeyCaptions(main_);
    writeState(out, std::nullopt);

    for (const std::string& token : tokens) {
        if (closed_) {
            err << "tavrol32-play: token " << jsonString(token) << " follows close: the program has ended" << std::endl;
            return kUsageError;
        }
        if (handle(token) == TokenResult::Unknown) {
            err << "tavrol32-play: unknown token " << jsonString(token)
                << ": no such key, clickable control or text box in the window with input" << std::endl;
            return kUsageError;
        }
        writeState(out, token);
    }
    return 0;
}

TokenResult Session::handle(std::string_view token)
{
    // The main window always has input until the programming window is driven from here.
    if (token == "pauser") {
        main_.pauser.tick();
    } else if (token == "dblclick") {
        main_.doubleClick();
    } else if (token == "close") {
        main_.Form_Unload();
        closed_ = true;
    } else if (const std::string* key = captions_.find(token)) {
        return applyControlToken(main_, *key);
    } else {
        return applyControlToken(main_, token);
    }
    return TokenResult::Handled;
}

void Session::writeState(std::ostream& out, std::optional<std::string_view> token) const
{
    out << stateLine(token, main_, printer_.lines, messages_.shown) << '\n' << std::flush;
}

} // namespace tavrol::play
