// The desktop program: the main window model drawn by Qt. It reads no command line.
#include "platform/qt/pictures.h"
#include "platform/qt/qt_form_view.h"
#include "platform/qt/qt_message_box.h"
#include "platform/recording_ports.h"
#include "shell/frmTavrol.h"
#include "tape/line_model.h"

#include <QApplication>

namespace {

class NoModalHost : public tavrol::ModalHost {
public:
    void showModal(tavrol::Form&) override { }
};

class ZeroRandom : public tavrol::RandomSource {
public:
    void reseedFromClock() override { }
    float next() override { return 0.0F; }
};

} // namespace

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setWindowIcon(tavrol::qt::applicationIcon());

    tavrol::qt::QtMessageBox messages;
    tavrol::MemorySettings settings; // placeholder: forgets the settings when the program ends
    tavrol::RecordingPrinter printer; // placeholder: the tape prints nowhere yet
    NoModalHost modal; // placeholder: shows no second window yet
    ZeroRandom random; // placeholder: every die lands on its lowest face

    tavrol::frmTavrol form({ settings, printer, messages, modal, random });
    tavrol::qt::QtFormView window(form);
    messages.setParent(&window);
    form.Form_Load();
    window.show();
    return QApplication::exec();
}
