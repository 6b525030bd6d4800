// The Qt tests run offscreen with their settings kept apart from the user's, even when the test
// list is read at build time without ctest's environment. A modal window that a test leaves open
// fails that test within seconds instead of blocking the run until ctest gives up.
#include <QApplication>
#include <QDialog>
#include <QElapsedTimer>
#include <QPointer>
#include <QStandardPaths>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

class ModalWatchdog {
public:
    static constexpr int kMostOpenMs = 5000;

    ModalWatchdog()
    {
        timer_.setInterval(100);
        QObject::connect(&timer_, &QTimer::timeout, [this] { check(); });
        timer_.start();
    }

private:
    void check()
    {
        QWidget* modal = QApplication::activeModalWidget();
        if (modal != seen_) {
            seen_ = modal;
            since_.start();
            return;
        }
        if (!modal || since_.elapsed() < kMostOpenMs)
            return;
        ADD_FAILURE() << "a modal window was left open: \"" << modal->windowTitle().toStdString() << "\"";
        seen_ = nullptr;
        if (auto* dialog = qobject_cast<QDialog*>(modal))
            dialog->reject();
        else
            modal->close();
    }

    QTimer timer_;
    QPointer<QWidget> seen_;
    QElapsedTimer since_;
};

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QStandardPaths::setTestModeEnabled(true);
    ::testing::InitGoogleTest(&argc, argv);
    QApplication app(argc, argv);
    ModalWatchdog watchdog;
    return RUN_ALL_TESTS();
}
