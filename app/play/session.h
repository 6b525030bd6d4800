// One run of tavrol32-play: the main window with the headless driver's ports, started as the
// desktop program starts it, then driven token by token.
#pragma once

#include "app/play/arguments.h"
#include "app/play/tokens.h"
#include "dice/random_source.h"
#include "platform/recording_ports.h"
#include "shell/frmTavrol.h"
#include "tape/line_model.h"

#include <iosfwd>
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
    // No window is shown modally yet; the programming window's task makes this hand the
    // following tokens to that window until it is hidden or unloaded.
    class ModalWindows : public ModalHost {
    public:
        void showModal(Form& form) override;
    };

    TokenResult handle(std::string_view token);
    void writeState(std::ostream& out, std::optional<std::string_view> token) const;

    PlayOptions options_;
    MemorySettings settings_;
    RecordingPrinter printer_;
    RecordingMessageBox messages_;
    ModalWindows modal_;
    // The desktop program's generator; the dice task makes options_ pick a seeded or scripted one.
    SystemRandom random_;
    frmTavrol main_;
    KeyCaptions captions_;
    bool closed_ = false;
};

} // namespace tavrol::play
