// Runs a tape through the desktop program's printing path: the main window with the Qt tape
// printer, clicked as a user would. What the printer did is written to standard output for the
// script around it to check against the printed or saved PDF:
//   pending <yes or no>     whether the job was still with lp when the tape had been switched off
//   asked <pages>           the long-tape question was asked, for a tape of that many pages
//   destination <printer name or PDF file>   once every job is over
//   status <n>              what the event loop returned (mode signal)
//   message <text of each message box shown>
// The exit status is 1 when the tape toggle did not follow a click.
//
//   tavrol32-print-tape short   sums, a group of dice, a negative entry and All Clear
//   tavrol32-print-tape long    a tape longer than one page
//   tavrol32-print-tape twice   the short tape printed twice, one after the other
//   tavrol32-print-tape proportional   the short tape, its face named a proportional one
//   tavrol32-print-tape dice N  one roll of N dice; TAPE_CHOICE (print, pdf or discard) answers
//                               the long-tape question
//   tavrol32-print-tape signal  the short tape, then SIGTERM with the tape on while the
//                               programming window is open, handled as the desktop program does
//   tavrol32-print-tape hold N  one roll of N dice with the tape on, or the short tape switched
//                               off when N is "off"; then "ready", and it waits for a signal
//   tavrol32-print-tape killed  the short tape, then SIGKILL with the tape on
//   tavrol32-print-tape start   what the desktop program does at start: kept notices, left tapes
// TAPE_SUBMIT_TIMEOUT_MS, when set, is how long lp may take.
#include "dice/random_source.h"
#include "platform/recording_ports.h"
#include "shell/frmTavrol.h"
#include "view/qt_modal_host.h"
#include "view/qt_quit_signals.h"
#include "view/qt_tape_printer.h"

#include <QApplication>
#include <QTimer>
#include <chrono>
#include <csignal>
#include <iostream>
#include <stdexcept>
#include <string>
#include <string_view>

namespace {

using tavrol::frmTavrol;
using tavrol::qt::LongTapeChoice;
using tavrol::qt::QtTapePrinter;

class Clicker {
public:
    explicit Clicker(frmTavrol& form)
        : form_(form)
    {
    }

    // Keys by caption: digits, "+", "=", and "~" for "±", "D" for "d6", "A" for "AC".
    void keys(std::string_view captions)
    {
        for (char c : captions) {
            if (c >= '0' && c <= '9')
                form_.btnDigit[tavrol::digitKey(c - '0')]->click();
            else if (c == '+')
                form_.btnOperator[tavrol::OperatorKey::Plus]->click();
            else if (c == '~')
                form_.btnOperator[tavrol::OperatorKey::Sign]->click();
            else if (c == '=')
                form_.btnOperator[tavrol::OperatorKey::Equals]->click();
            else if (c == 'D')
                form_.btnDice[tavrol::DiceKey::D6]->click();
            else if (c == 'A')
                form_.btnClear[tavrol::ClearKey::All]->click();
            else
                throw std::invalid_argument(std::string("no key for ") + c);
        }
    }

    // Returns false when the toggle did not end up in the state the click asks for.
    bool toggleTape(bool on)
    {
        form_.btnPrint.click();
        return form_.tapeOn() == on;
    }

private:
    frmTavrol& form_;
};

// What each mode clicks between switching the tape on and off.
std::string tapeKeys(const std::string& mode, const std::string& count)
{
    if (mode == "dice")
        return count + "D=";
    if (mode != "long")
        return "12+3=3D+7~+=A"; // sums, three dice, a negated 7 and All Clear
    // A hundred sums, longer than a page, and twenty dice, wider than one.
    std::string keys;
    for (int i = 1; i <= 100; ++i)
        keys += std::to_string(i) + "+";
    return keys + "20D=";
}

LongTapeChoice choiceFromEnvironment()
{
    const QByteArray said = qgetenv("TAPE_CHOICE");
    if (said == "print")
        return LongTapeChoice::Print;
    if (said == "discard")
        return LongTapeChoice::Discard;
    return LongTapeChoice::SaveAsPdf;
}

void report(QtTapePrinter& printer)
{
    printer.waitForJobs();
    std::cout << "destination " << printer.lastDestination().toStdString() << '\n';
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const std::string mode = argc > 1 ? argv[1] : "short";
    const std::string count = argc > 2 ? argv[2] : "0";

    tavrol::MemorySettings settings;
    tavrol::RecordingMessageBox messages;
    tavrol::qt::Notices notices(messages, QtTapePrinter::defaultStateFolder());
    QtTapePrinter printer(notices);
    if (const int bound = qEnvironmentVariableIntValue("TAPE_SUBMIT_TIMEOUT_MS"); bound > 0)
        printer.setSubmitTimeout(std::chrono::milliseconds(bound));
    printer.setChooser([](int pages) {
        std::cout << "asked " << pages << std::endl;
        return choiceFromEnvironment();
    });
    tavrol::NullModalHost noWindow;
    tavrol::qt::QtModalHost modal;
    tavrol::ScriptedFaces faces({ 4, 2, 6 });
    frmTavrol form(
        { settings, printer, messages, mode == "signal" ? static_cast<tavrol::ModalHost&>(modal) : noWindow, faces });
    form.Form_Load();
    Clicker clicker(form);

    bool followed = true;
    if (mode == "start") {
        printer.finishLeftOvers();
        report(printer);
    } else if (mode == "killed") {
        followed = clicker.toggleTape(true);
        clicker.keys(tapeKeys(mode, count));
        std::raise(SIGKILL);
    } else if (mode == "signal" || mode == "hold") {
        // The desktop program's own handling: nobody is at the screen once a signal came.
        tavrol::qt::QuitSignals quit([&printer](int) { printer.setUnattended(); });
        QTimer::singleShot(0, [&] {
            followed = clicker.toggleTape(true);
            if (mode == "signal") {
                clicker.keys(tapeKeys(mode, count));
                std::raise(SIGTERM);
                form.btnCustom[tavrol::CustomKey::Program]
                    ->click(); // "Program": a modal window, whose loop the signal ends too
                return;
            }
            clicker.keys(tapeKeys(count == "off" ? "short" : "dice", count));
            if (count == "off")
                followed = clicker.toggleTape(false) && followed;
            std::cout << "ready" << std::endl; // for the signal from outside
        });
        const int status = QApplication::exec();
        printer.stopLeftOvers();
        form.Form_Unload();
        report(printer);
        std::cout << "status " << status << '\n';
    } else {
        for (int run = mode == "twice" ? 2 : 1; run > 0; --run) {
            followed = clicker.toggleTape(true) && followed;
            if (mode == "proportional")
                printer.setFontName("Liberation Sans"); // as if the named face were a proportional one
            clicker.keys(tapeKeys(mode, count));
            followed = clicker.toggleTape(false) && followed;
            std::cout << "pending " << (printer.pending() ? "yes" : "no") << '\n';
            report(printer);
        }
    }
    for (const auto& shown : messages.shown)
        std::cout << "message " << shown.text << '\n';
    if (!followed)
        std::cerr << "tavrol32-print-tape: the tape toggle did not follow a click\n";
    return followed ? 0 : 1;
}
