// The state line: everything a run of tavrol32-play shows after start-up and after each token,
// as one JSON object.
#pragma once

#include "platform/recording_ports.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tavrol {
class frmTavrol;
}

namespace tavrol::play {

// `token` is empty for the line after start-up, written as null.
std::string stateLine(std::optional<std::string_view> token, const frmTavrol& main,
    const std::vector<std::string>& tape, const std::vector<ShownMessage>& messages);

} // namespace tavrol::play
