// A main window with fake ports, driven by key captions as a user would click them.
#pragma once

#include "dice/random_source.h"
#include "platform/recording_ports.h"
#include "programs/frmCustom.h"
#include "shell/frmTavrol.h"

#include <functional>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace tavrol::testing {

// Runs the next script while a window is shown modally, as the user would work in it.
class ScriptedModal : public ModalHost {
public:
    void showModal(Form& form) override
    {
        ++shown;
        if (!scripts.empty()) {
            auto script = std::move(scripts.front());
            scripts.erase(scripts.begin());
            script(static_cast<frmCustom&>(form));
        }
    }
    std::vector<std::function<void(frmCustom&)>> scripts;
    int shown = 0;
};

struct Window {
    MemorySettings settings;
    RecordingPrinter printer;
    RecordingMessageBox messages;
    ScriptedModal modal;
    ScriptedFaces random;
    frmTavrol form { FormPorts { settings, printer, messages, modal, random } };

    // Starts as the program does; `ready` also runs the start-up All Clear the timer brings.
    // The dice show `faces` in turn.
    explicit Window(bool ready = true, std::vector<int> faces = {})
        : random(std::move(faces))
    {
        form.Form_Load();
        if (ready)
            form.pauser.tick();
    }

    // Clicks the key whose caption is `caption` (the first one in the window's order).
    void press(const std::string& caption)
    {
        for (const auto& control : form.controls()) {
            if (auto* key = dynamic_cast<Clickable*>(control.get()); key && key->caption() == caption) {
                key->click();
                return;
            }
        }
        ADD_FAILURE() << "no key captioned " << caption;
    }

    // Presses each key of a blank-separated list and returns the display after each.
    std::vector<std::string> pressAll(const std::string& keys)
    {
        std::vector<std::string> shown;
        std::size_t start = 0;
        while (start < keys.size()) {
            std::size_t end = keys.find(' ', start);
            if (end == std::string::npos)
                end = keys.size();
            if (end > start) {
                press(keys.substr(start, end - start));
                shown.push_back(form.Display.caption());
            }
            start = end + 1;
        }
        return shown;
    }

    std::string display() const { return form.Display.caption(); }
    std::string status() const { return form.statuswatch.visible() ? form.statuswatch.caption() : ""; }
};

} // namespace tavrol::testing
