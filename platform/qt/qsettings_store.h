// The per-user settings store on Qt's QSettings: on Linux the INI file
// $XDG_CONFIG_HOME/Tavrol32/Tavrol32.conf, shared by the desktop program and tavrol32-play.
#pragma once

#include "platform/ports.h"

namespace tavrol::qt {

class QSettingsStore : public SettingsStore {
public:
    std::string get(const std::string& app, const std::string& section, const std::string& key,
        const std::string& fallback) override;
    // Written to a temporary file and renamed over the old one under a lock file, so a crash or
    // a second running Tavrol32 never leaves a torn or emptied store.
    bool save(
        const std::string& app, const std::string& section, const std::string& key, const std::string& value) override;
};

} // namespace tavrol::qt
