// Speed of a roll at any count: a d6 press through the main window, with and without the real
// window drawing it. The time must grow in proportion to the number of dice.
#include <benchmark/benchmark.h>

#include <string>

#include "dice/random_source.h"
#include "platform/recording_ports.h"
#include "shell/frmTavrol.h"
#include "tape/line_model.h"

namespace {

// A d6 press at a count of state.range(0), through frmTavrol with no view.
void BM_Roll(benchmark::State& state)
{
    tavrol::MemorySettings settings;
    tavrol::RecordingPrinter printer;
    tavrol::RecordingMessageBox messages;
    tavrol::NullModalHost modal;
    tavrol::SystemRandom random(1);
    tavrol::frmTavrol form{tavrol::FormPorts{settings, printer, messages, modal, random}};
    form.Form_Load();
    form.pauser.tick();
    const std::string count = std::to_string(state.range(0));
    for (auto _ : state) {
        form.Display.setCaption(count);
        form.btnDice[1]->click();
        benchmark::DoNotOptimize(form.DiceBox.text().size());
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_Roll)->Arg(4096)->Arg(32767)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
