// The main window with in-memory ports and seeded dice, as every benchmark drives it.
#pragma once

#include "dice/random_source.h"
#include "platform/recording_ports.h"
#include "shell/frmTavrol.h"

namespace tavrol::bench {

struct Window {
    MemorySettings settings;
    RecordingPrinter printer;
    RecordingMessageBox messages;
    NullModalHost modal;
    SystemRandom random { 1 };
    frmTavrol form { FormPorts { settings, printer, messages, modal, random } };
};

} // namespace tavrol::bench
