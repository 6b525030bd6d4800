// Speed of a roll at any count: a d6 press through the main window, with and without the real
// window drawing it. The time must grow in proportion to the number of dice.
#include "bench/bench_window.h"
#include "view/control_widgets.h"
#include "view/qt_form_view.h"

#include <QApplication>
#include <QEvent>
#include <QWindow>
#include <benchmark/benchmark.h>
#include <string>

namespace {

using tavrol::bench::Window;

// A d6 press at a count of state.range(0), through frmTavrol with no view.
void BM_Roll(benchmark::State& state)
{
    Window window;
    tavrol::frmTavrol& form = window.form;
    form.Form_Load();
    form.pauser.tick();
    const std::string count = std::to_string(state.range(0));
    for (auto _ : state) {
        form.Display.setCaption(count);
        form.btnDice[tavrol::DiceKey::D6]->click();
        benchmark::DoNotOptimize(form.DiceBox.text().size());
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_Roll)->Arg(4096)->Arg(32767)->Unit(benchmark::kMillisecond);

// Counts the paint events a widget receives.
class PaintCounter : public QObject {
public:
    explicit PaintCounter(QWidget& widget) { widget.installEventFilter(this); }
    int paints = 0;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Paint)
            ++paints;
        return QObject::eventFilter(watched, event);
    }
};

// The same d6 press in the real window, timed until the event loop has drawn the whole list and
// the total: what a user waits for before the window is still again.
void BM_RollShown(benchmark::State& state)
{
    Window window;
    tavrol::frmTavrol& form = window.form;
    tavrol::qt::QtFormView view(form);
    form.Form_Load();
    form.pauser.tick();
    view.show();
    while (!view.windowHandle() || !view.windowHandle()->isExposed())
        QCoreApplication::processEvents();
    QCoreApplication::processEvents();

    auto* list = static_cast<tavrol::qt::ModelListView*>(view.widgetFor(form.DiceBox));
    QWidget* display = view.widgetFor(form.Display);
    PaintCounter listPaints(*list->viewport());
    PaintCounter displayPaints(*display);

    const int dice = static_cast<int>(state.range(0));
    const std::string count = std::to_string(dice);
    for (auto _ : state) {
        const int listBefore = listPaints.paints;
        const int displayBefore = displayPaints.paints;
        form.Display.setCaption(count);
        form.btnDice[tavrol::DiceKey::D6]->click();
        // The view finishes the roll's drawing once the handler is back in the event loop.
        while (view.paintPending())
            QCoreApplication::processEvents();
        QCoreApplication::sendPostedEvents();

        state.PauseTiming();
        if (listPaints.paints == listBefore || displayPaints.paints == displayBefore) {
            state.SkipWithError("the list or the total was not drawn");
            break;
        }
        if (list->lineCount() != dice + 1) { // the last line break opens an empty line
            state.SkipWithError("the list does not show every die");
            break;
        }
        state.ResumeTiming();
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_RollShown)->Arg(4096)->Arg(32767)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    // The window is drawn into memory: the figures should not depend on a display being there.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
