// The desktop program: the main window model drawn by Qt. It reads no command line.
#include "dice/random_source.h"
#include "platform/xdg_paths.h"
#include "shell/frmTavrol.h"
#include "view/log_window.h"
#include "view/main_window_keys.h"
#include "view/odds_runner.h"
#include "view/pictures.h"
#include "view/qt_form_view.h"
#include "view/qt_long_tape_dialog.h"
#include "view/qt_message_box.h"
#include "view/qt_modal_host.h"
#include "view/qt_quit_signals.h"
#include "view/qt_settings_store.h"
#include "view/qt_tape_printer.h"
#include "view/session_log.h"

#include <QApplication>
#include <csignal>
#include <memory>

int main(int argc, char* argv[])
{
    // A write past a file-size limit then fails with EFBIG, which the settings store reports,
    // instead of killing the program.
    std::signal(SIGXFSZ, SIG_IGN);
    QApplication app(argc, argv);
    QApplication::setWindowIcon(tavrol::qt::applicationIcon());

    tavrol::qt::QtMessageBox messages;
    tavrol::qt::Notices notices(messages, tavrol::qt::QtTapePrinter::defaultStateFolder());
    tavrol::qt::QtSettingsStore settings(tavrol::xdg::configHome(), notices);
    tavrol::qt::QtTapePrinter printer(notices);
    tavrol::qt::QtModalHost modal;
    tavrol::SystemRandom random;

    tavrol::frmTavrol form({ settings, printer, messages, modal, random });
    tavrol::qt::QtFormView window(form);
    tavrol::qt::MainWindowKeys keys(form, window);
    messages.setParent(&window);
    settings.onSettled = [&form] { form.LoadCustom(); }; // a save that failed shows the keys kept
    modal.setOwner(&window);
    printer.setChooser([&window](int pages) { return tavrol::qt::askAboutLongTape(&window, pages); });
    // A log-out, a shutdown or a closed terminal ends the program as closing the window does.
    // Nobody may be at the screen then, and a box could hold up the log-out: the outcome of the
    // tape, or of a save, goes to standard error and is shown at the next start.
    tavrol::qt::QuitSignals quitSignals([&printer](int) { printer.setUnattended(); });
    form.Form_Load();
    tavrol::qt::OddsRunner odds(form, window);
    // Every roll and result, kept whether the tape runs or not; the headless driver keeps none.
    tavrol::qt::SessionLog log(form, printer.defaultStateFolder());
    // Its window is made when first asked for: start-up draws the calculator and nothing more.
    std::unique_ptr<tavrol::qt::LogWindow> logWindow;
    keys.setShowLog([&] {
        if (!logWindow)
            logWindow = std::make_unique<tavrol::qt::LogWindow>(log, form, window, printer.defaultStateFolder());
        logWindow->open();
    });
    window.show();
    // Once the loop runs, so that a signal in the meantime still ends it.
    QMetaObject::invokeMethod(
        &window, [&printer] { printer.finishLeftOvers(); }, Qt::QueuedConnection);
    const int status = QApplication::exec();
    printer.stopLeftOvers(); // the left tapes not yet begun wait for the next start
    form.Form_Unload();
    settings.finish(); // bounded: each save waits for the lock a limited time
    printer.waitForJobs(); // bounded: lp is stopped after its time
    return status;
}
