// Speed of a programmed key's odds: worked out alone from the window after All Clear (or with a
// number typed), and in the real window: from a hover until the tooltip shows odds already worked
// out, and how long the event thread is ever busy while a key's odds are worked out afresh.
#include "bench/bench_window.h"
#include "programs/odds.h"
#include "view/odds_runner.h"
#include "view/odds_tip.h"
#include "view/qt_form_view.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEnterEvent>
#include <QHelpEvent>
#include <QWindow>
#include <algorithm>
#include <benchmark/benchmark.h>
#include <ctime>
#include <string>

namespace {

// The window after All Clear, with `typed` pressed on it.
tavrol::WindowState windowWith(const std::string& typed)
{
    tavrol::bench::Window window;
    window.form.Form_Load();
    window.form.pauser.tick();
    window.form.CommandLine = typed;
    window.form.keyplay(window.form.CommandLine);
    return tavrol::captureState(window.form);
}

void BM_KeyOdds(benchmark::State& state, const char* typed, const char* command)
{
    const tavrol::WindowState start = windowWith(typed);
    bool exact = true;
    for (auto _ : state) {
        const auto odds = tavrol::keyOdds(start, command);
        exact = odds && odds->exact();
        benchmark::DoNotOptimize(odds->average());
    }
    state.SetLabel(exact ? "exact" : "estimated");
}
BENCHMARK_CAPTURE(BM_KeyOdds, 8d6, "", "8x")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_KeyOdds, 8d6_after_typing_5, "5", "8x")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_KeyOdds, 3d6_plus_2, "", "3x+2=")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_KeyOdds, 4d6_keep_best_3, "", "4x3b")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_KeyOdds, 32767d100, "", "32767h")->Unit(benchmark::kMillisecond);
// Too many lists of dice for exact odds: 20,000 presses.
BENCHMARK_CAPTURE(BM_KeyOdds, estimate_20d20_keep_best_10, "", "20n10b")->Unit(benchmark::kMillisecond);

double threadCpuMs()
{
    timespec now {};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) * 1e3 + static_cast<double>(now.tv_nsec) / 1e6;
}

// The real window with key 0 programmed, its odds worked out.
struct ShownWindow {
    explicit ShownWindow(const char* command)
    {
        window.settings.values[{ "Tavrol32", "custom", "0" }] = std::string("Roll,") + command;
        window.form.Form_Load();
        window.form.pauser.tick();
        runner = std::make_unique<tavrol::qt::OddsRunner>(window.form, view);
        view.show();
        settle();
    }
    void settle()
    {
        while (!view.windowHandle() || !view.windowHandle()->isExposed() || !runner->settled())
            QCoreApplication::processEvents();
    }
    QWidget* key() { return view.widgetFor(*window.form.btnCustom[tavrol::programmableKey(0)]); }

    tavrol::bench::Window window;
    tavrol::qt::QtFormView view { window.form };
    std::unique_ptr<tavrol::qt::OddsRunner> runner;
};

// From the pointer coming to rest on a key (the tooltip event, after the platform's own wait)
// until its tooltip with the odds and their chart is on the screen.
void BM_KeyOddsTooltip(benchmark::State& state, const char* command)
{
    ShownWindow shown(command);
    QWidget* key = shown.key();
    for (auto _ : state) {
        QEvent leave(QEvent::Leave);
        QCoreApplication::sendEvent(key, &leave);
        QEnterEvent enter(QPointF(2, 2), QPointF(2, 2), key->mapToGlobal(QPointF(2, 2)));
        QCoreApplication::sendEvent(key, &enter);
        QHelpEvent help(QEvent::ToolTip, QPoint(2, 2), key->mapToGlobal(QPoint(2, 2)));
        QCoreApplication::sendEvent(key, &help);
        const tavrol::qt::OddsTip* tip = shown.runner->visibleTip();
        while (tip && (!tip->windowHandle() || !tip->windowHandle()->isExposed()))
            QCoreApplication::processEvents();
        QCoreApplication::processEvents(); // its first paint
        if (!tip || !tip->chartView().chart()) {
            state.SkipWithError("no tooltip with a chart");
            break;
        }
    }
}
BENCHMARK_CAPTURE(BM_KeyOddsTooltip, 8d6, "8x")->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK_CAPTURE(BM_KeyOddsTooltip, 32767d100, "32767h")->Unit(benchmark::kMillisecond)->UseRealTime();

// Key 0 is programmed anew (the same keys, with ever more blanks that playback skips, so nothing
// is known) and hovered; timed until its description has the odds. The event loop runs throughout: the longest
// time one turn of it took is reported as longest_hold_ms, what a click would wait at most, and
// the event thread's own work in that turn as longest_work_ms (the rest is the machine's other
// load).
void BM_KeyOddsHovered(benchmark::State& state, const char* command)
{
    ShownWindow shown(command);
    std::string blanks;
    qint64 longestHold = 0;
    double longestWork = 0;
    for (auto _ : state) {
        blanks += ' ';
        shown.window.settings.values[{ "Tavrol32", "custom", "0" }] = std::string("Roll,") + command + blanks;
        shown.window.form.LoadCustom();
        QEnterEvent enter(QPointF(1, 1), QPointF(1, 1), QPointF(1, 1));
        QCoreApplication::sendEvent(shown.key(), &enter);
        QElapsedTimer hold;
        hold.start();
        while (!shown.runner->settled()) {
            const double before = threadCpuMs();
            QCoreApplication::processEvents();
            longestWork = std::max(longestWork, threadCpuMs() - before);
            longestHold = std::max(longestHold, hold.restart());
        }
        if (shown.window.form.btnCustom[tavrol::programmableKey(0)]->description().find("Average")
            == std::string::npos) {
            state.SkipWithError("the description has no odds");
            break;
        }
    }
    state.counters["longest_hold_ms"] = static_cast<double>(longestHold);
    state.counters["longest_work_ms"] = longestWork;
}
BENCHMARK_CAPTURE(BM_KeyOddsHovered, 8d6, "8x")->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK_CAPTURE(BM_KeyOddsHovered, 32767d100, "32767h")->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK_CAPTURE(BM_KeyOddsHovered, estimate_20d20_keep_best_10, "20n10b")
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

} // namespace
