// One run of tavrol32-play: the main window with the headless driver's ports, started as the
// desktop program starts it, then driven token by token.
#pragma once

#include "app/play/arguments.h"
#include "app/play/tokens.h"
#include "platform/recording_ports.h"
#include "platform/settings_file.h"
#include "shell/frmTavrol.h"

#include <iosfwd>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tavrol::play {

inline constexpr int kUsageError = 2; // exit status for a bad option or token

class Session {
public:
    explicit Session(PlayOptions options);

    // Writes the state after start-up and after each token, one line each, flushed. Stops at
    // the first bad token with one line on `err`. Returns the exit status.
    int run(const std::vector<std::string>& tokens, std::ostream& out, std::ostream& err);

private:
    // While a window is shown modally, the following tokens go to it, each with its own state
    // line, until it is hidden or unloaded; the token that closed it is written once the main
    // window's handler has run to its end.
    class ModalWindows : public ModalHost {
    public:
        explicit ModalWindows(Session& session)
            : session_(session)
        {
        }
        void showModal(Form& form) override;

    private:
        Session& session_;
    };

    TokenResult handle(std::string_view token);
    TokenResult handleModal(Form& window, std::string_view token);
    bool nextToken();
    void writeState();

    PlayOptions options_;
    std::unique_ptr<RandomSource> random_;
    FileSettingsStore settings_;
    RecordingPrinter printer_;
    RecordingMessageBox messages_;
    ModalWindows modal_;
    frmTavrol main_;
    KeyCaptions captions_;
    bool closed_ = false;

    const std::vector<std::string>* tokens_ = nullptr;
    std::size_t next_ = 0;
    std::optional<std::string> current_; // the token being handled; none before the first
    bool written_ = false; // its state line is out
    std::ostream* out_ = nullptr;
};

} // namespace tavrol::play
