// The session's log at its bound of 100,000 entries: opening it until the window lists them all
// (target 300 ms), the event thread's part of one entry (target 1 ms), and the memory the entries
// take (target 30 MB), in the real window drawn offscreen.
#include "bench/bench_window.h"
#include "platform/log_file.h"
#include "programs/log_entry.h"
#include "view/log_model.h"
#include "view/log_window.h"
#include "view/qt_form_view.h"
#include "view/session_log.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QWindow>
#include <benchmark/benchmark.h>
#include <malloc.h>
#include <memory>

namespace {

using tavrol::LogFile;
using tavrol::bench::Window;
using tavrol::qt::SessionLog;

constexpr int kEntries = static_cast<int>(LogFile::kMostRecords);

// A full log in `folder`: rolls, calculations and programmed keys, as a long campaign leaves it.
void writeFullLog(const QString& folder)
{
    std::string text = "time,keys,dice,result,percentile,percentile_exact,message,programmed_key,recorded_keys\r\n";
    const char* rows[] = {
        "2026-03-01T20:15:03+01:00,3 d6,4 2 5,11,62.5,no,,,3x\r\n",
        "2026-03-01T20:15:09+01:00,12 + 30 =,,42,,,,,12+30=\r\n",
        "2026-03-01T20:16:41+01:00,Fireball (8 d6 =),6 1 4 4 2 5 3 6,31,59.6,no,,Fireball,8x=\r\n",
        "2026-03-01T20:17:02+01:00,1 d20,17,17,85,no,,,1n\r\n",
    };
    for (int i = 0; i < kEntries; ++i)
        text += rows[i % 4];
    QFile file(QDir(folder).filePath(QStringLiteral("log.csv")));
    file.open(QIODevice::WriteOnly);
    file.write(text.data(), static_cast<qint64>(text.size()));
}

// The main window and its log window, shown, over a full log.
struct Table {
    QTemporaryDir state;
    Window window;
    tavrol::qt::QtFormView view { window.form };
    std::unique_ptr<SessionLog> log;
    std::unique_ptr<tavrol::qt::LogWindow> logWindow;

    Table()
    {
        writeFullLog(state.path());
        window.form.Form_Load();
        window.form.pauser.tick();
        view.show();
    }

    // From nothing to the window listing every entry.
    void open()
    {
        logWindow.reset();
        log = std::make_unique<SessionLog>(window.form, state.path().toStdString());
        logWindow = std::make_unique<tavrol::qt::LogWindow>(*log, window.form, view, state.path().toStdString());
        logWindow->open();
        while (!log->loaded() || !logWindow->windowHandle() || !logWindow->windowHandle()->isExposed())
            QCoreApplication::processEvents();
        QCoreApplication::processEvents(); // the list is painted
    }
};

void BM_LogOpen(benchmark::State& state)
{
    Table table;
    for (auto _ : state) {
        table.open();
        state.PauseTiming();
        if (table.log->model().rowCount() != kEntries) {
            state.SkipWithError("the window does not list every entry");
            break;
        }
        table.logWindow.reset();
        table.log.reset();
        QCoreApplication::processEvents();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_LogOpen)->Unit(benchmark::kMillisecond)->UseRealTime();

// Times what the log does when the window tells it of a press, and nothing of the press itself.
class TimedObserver : public tavrol::PressObserver {
public:
    explicit TimedObserver(tavrol::PressObserver& log)
        : log_(log)
    {
    }
    void pressStarts(const tavrol::frmTavrol& window, tavrol::KeyPress key) override
    {
        clock_.start();
        log_.pressStarts(window, key);
        spent += clock_.nsecsElapsed();
    }
    void pressEnds(const tavrol::frmTavrol& window, tavrol::KeyPress key) override
    {
        clock_.start();
        log_.pressEnds(window, key);
        spent += clock_.nsecsElapsed();
    }
    qint64 spent = 0;

private:
    tavrol::PressObserver& log_;
    QElapsedTimer clock_;
};

// The event thread's part of one entry: the entry made from the press, its row in the list, and
// its line in the file (for "="), or the entry kept in the journal while its percentile is worked
// out beside the event loop (for a roll), and then the turn of the loop that puts the percentile
// in and writes the line. The press itself, and the drawing of the visible rows, are not the log's.
void BM_LogAppend(benchmark::State& state, const char* keyName)
{
    Table table;
    table.open();
    tavrol::frmTavrol& form = table.window.form;
    TimedObserver timed(*form.pressObserver);
    form.pressObserver = &timed;
    tavrol::CommandButton& key = std::string(keyName) == "equals" ? *form.btnOperator[tavrol::OperatorKey::Equals]
                                                                  : *form.btnDice[tavrol::DiceKey::D6];
    double pressPart = 0;
    double turnPart = 0;
    for (auto _ : state) {
        form.Display.setCaption("3"); // three dice each time, not as many as the last total
        timed.spent = 0;
        key.click();
        // The turn of the event loop that takes a roll's percentile in and writes the entry.
        QElapsedTimer turn;
        qint64 last = 0;
        while (!table.log->settled()) {
            turn.start();
            QCoreApplication::processEvents();
            last = turn.nsecsElapsed();
        }
        state.SetIterationTime(static_cast<double>(timed.spent + last) / 1e9);
        pressPart += static_cast<double>(timed.spent);
        turnPart += static_cast<double>(last);
    }
    state.counters["press_us"] = pressPart / 1e3 / static_cast<double>(state.iterations());
    state.counters["turn_us"] = turnPart / 1e3 / static_cast<double>(state.iterations());
    form.pressObserver = nullptr;
    if (!QFile(QString::fromStdString(table.log->path())).exists())
        state.SkipWithError("no log file");
}
BENCHMARK_CAPTURE(BM_LogAppend, equals, "equals")->Unit(benchmark::kMicrosecond)->UseManualTime();
BENCHMARK_CAPTURE(BM_LogAppend, roll, "roll")->Unit(benchmark::kMicrosecond)->UseManualTime();

// The heap the log takes once a full one is open in its window.
void BM_LogMemory(benchmark::State& state)
{
    Table table;
    double megabytes = 0;
    for (auto _ : state) {
        table.logWindow.reset();
        table.log.reset();
        QCoreApplication::processEvents();
        malloc_trim(0);
        const std::size_t before = mallinfo2().uordblks;
        table.open();
        megabytes = static_cast<double>(mallinfo2().uordblks - before) / (1 << 20);
    }
    state.counters["heap_MB"] = megabytes;
    if (megabytes > 30)
        state.SkipWithError("a full log takes more than 30 MB");
}
BENCHMARK(BM_LogMemory)->Unit(benchmark::kMillisecond)->Iterations(1);

} // namespace
