#include "app/play/session.h"

#include "app/play/json_writer.h"
#include "app/play/state_line.h"
#include "dice/random_source.h"
#include "platform/xdg_paths.h"

#include <ostream>

namespace tavrol::play {
namespace {

// Thrown through the main window's handlers to end the run from inside a modal window.
struct UnknownToken {
    std::string token;
};
struct TokensUsedUp { };

std::unique_ptr<RandomSource> randomFor(const PlayOptions& options)
{
    if (!options.faces.empty())
        return std::make_unique<ScriptedFaces>(options.faces);
    if (options.seed)
        return std::make_unique<SystemRandom>(*options.seed);
    return std::make_unique<SystemRandom>();
}

} // namespace

void Session::ModalWindows::showModal(Form& form)
{
    Session& s = session_;
    s.writeState(); // the key that opened the window has done its part
    while (form.loaded() && form.visible()) {
        if (!s.nextToken())
            throw TokensUsedUp {};
        if (s.handleModal(form, *s.current_) == TokenResult::Unknown)
            throw UnknownToken { *s.current_ };
        if (form.loaded() && form.visible())
            s.writeState();
    }
}

Session::Session(PlayOptions options)
    : options_(std::move(options))
    , random_(randomFor(options_))
    , settings_(xdg::configHome())
    , modal_(*this)
    , main_(FormPorts { settings_, printer_, messages_, modal_, *random_ })
{
}

bool Session::nextToken()
{
    if (next_ >= tokens_->size())
        return false;
    current_ = (*tokens_)[next_++];
    written_ = false;
    return true;
}

void Session::writeState()
{
    *out_ << stateLine(current_, main_, printer_.lines, messages_.shown) << '\n' << std::flush;
    written_ = true;
}

int Session::run(const std::vector<std::string>& tokens, std::ostream& out, std::ostream& err)
{
    tokens_ = &tokens;
    out_ = &out;
    main_.Form_Load();
    writeState();

    try {
        while (nextToken()) {
            if (closed_) {
                err << "tavrol32-play: token " << jsonString(*current_) << " follows close: the program has ended"
                    << std::endl;
                return kUsageError;
            }
            if (handle(*current_) == TokenResult::Unknown)
                throw UnknownToken { *current_ };
            if (!written_)
                writeState();
        }
    } catch (const UnknownToken& unknown) {
        err << "tavrol32-play: unknown token " << jsonString(unknown.token)
            << ": no such key, clickable control or text box in the window with input" << std::endl;
        return kUsageError;
    } catch (const TokensUsedUp&) {
        // The run ends with the programming window still open, as a user walking away would.
    }
    return 0;
}

TokenResult Session::handle(std::string_view token)
{
    if (token == "pauser") {
        main_.pauser.tick();
    } else if (token == "dblclick") {
        main_.doubleClick();
    } else if (token == "close") {
        main_.Form_Unload();
        closed_ = true;
    } else if (const KeyPress* key = captions_.find(token)) {
        return clickKey(main_.key(*key));
    } else {
        return applyControlToken(main_, token);
    }
    return TokenResult::Handled;
}

// The modal window has input: its own controls and "close" reach it; the pause timer still
// ticks, as a real timer does behind a dialog; the main window's keys and surface take nothing.
TokenResult Session::handleModal(Form& window, std::string_view token)
{
    if (token == "close") {
        window.unload();
        return TokenResult::Handled;
    }
    if (token == "pauser") {
        main_.pauser.tick();
        return TokenResult::Handled;
    }
    return applyControlToken(window, token);
}

} // namespace tavrol::play
