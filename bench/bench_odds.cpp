// Speed of a programmed key's odds: all its replays one part after the other on one core, and
// in the real window from hovering on a freshly programmed key until its description has them.
#include "bench/bench_window.h"
#include "programs/odds.h"
#include "view/odds_runner.h"
#include "view/qt_form_view.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEnterEvent>
#include <QWindow>
#include <algorithm>
#include <benchmark/benchmark.h>
#include <ctime>
#include <string>

namespace {

void BM_KeyOdds(benchmark::State& state, const char* command)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(tavrol::keyOdds(command).presses());
    state.SetItemsProcessed(state.iterations() * tavrol::kOddsReplays);
}
BENCHMARK_CAPTURE(BM_KeyOdds, 8d6, "8x")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_KeyOdds, 3d6_plus_2, "3x+2=")->Unit(benchmark::kMillisecond);

double threadCpuMs()
{
    timespec now {};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) * 1e3 + static_cast<double>(now.tv_nsec) / 1e6;
}

// Key 0 is programmed anew (the same keys, written two ways in turn, so nothing is cached) and
// hovered; timed until its description has the odds. The event loop runs throughout: the longest
// time one turn of it took is reported as longest_hold_ms, what a click would wait at most, and
// the event thread's own work in that turn as longest_work_ms (the rest is the machine's other
// load).
void BM_KeyOddsHovered(benchmark::State& state, const char* command, const char* sameKeys)
{
    tavrol::bench::Window window;
    tavrol::MemorySettings& settings = window.settings;
    tavrol::frmTavrol& form = window.form;
    tavrol::qt::QtFormView view(form);
    form.Form_Load();
    tavrol::qt::OddsRunner runner(form, view);
    view.show();
    while (!view.windowHandle() || !view.windowHandle()->isExposed() || !runner.settled())
        QCoreApplication::processEvents();
    QWidget* key = view.widgetFor(*form.btnCustom[tavrol::programmableKey(0)]);

    bool second = false;
    qint64 longestHold = 0;
    double longestWork = 0;
    for (auto _ : state) {
        settings.values[{ "Tavrol32", "custom", "0" }] = std::string("Roll,") + (second ? sameKeys : command);
        second = !second;
        form.LoadCustom();
        QEnterEvent enter(QPointF(1, 1), QPointF(1, 1), QPointF(1, 1));
        QCoreApplication::sendEvent(key, &enter);
        QElapsedTimer hold;
        hold.start();
        while (!runner.settled()) {
            const double before = threadCpuMs();
            QCoreApplication::processEvents();
            longestWork = std::max(longestWork, threadCpuMs() - before);
            longestHold = std::max(longestHold, hold.restart());
        }
        if (form.btnCustom[tavrol::programmableKey(0)]->description().find("Average") == std::string::npos) {
            state.SkipWithError("the description has no odds");
            break;
        }
    }
    state.counters["longest_hold_ms"] = static_cast<double>(longestHold);
    state.counters["longest_work_ms"] = longestWork;
}
BENCHMARK_CAPTURE(BM_KeyOddsHovered, 8d6, "8x", "8 x")->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK_CAPTURE(BM_KeyOddsHovered, 3d6_plus_2, "3x+2=", "3x +2=")->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace
