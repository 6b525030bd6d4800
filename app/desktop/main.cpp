// The desktop program: the main window model drawn by Qt. It reads no command line.
#include "dice/random_source.h"
#include "platform/qt/pictures.h"
#include "platform/qt/qt_form_view.h"
#include "platform/qt/qt_message_box.h"
#include "platform/qt/qt_modal_host.h"
#include "platform/qt/qt_tape_printer.h"
#include "platform/settings_file.h"
#include "platform/xdg_paths.h"
#include "shell/frmTavrol.h"

#include <QApplication>
#include <csignal>

int main(int argc, char* argv[])
{
    // A write past a file-size limit then fails with EFBIG, which the settings store reports,
    // instead of killing the program.
    std::signal(SIGXFSZ, SIG_IGN);
    QApplication app(argc, argv);
    QApplication::setWindowIcon(tavrol::qt::applicationIcon());

    tavrol::qt::QtMessageBox messages;
    tavrol::FileSettingsStore settings(tavrol::xdg::configHome());
    tavrol::qt::QtTapePrinter printer(messages);
    tavrol::qt::QtModalHost modal;
    tavrol::SystemRandom random;

    tavrol::frmTavrol form({ settings, printer, messages, modal, random });
    tavrol::qt::QtFormView window(form);
    messages.setParent(&window);
    modal.setOwner(&window);
    form.Form_Load();
    window.show();
    const int status = QApplication::exec();
    form.Form_Unload();
    return status;
}
