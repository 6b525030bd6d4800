// A message asked for while the program starts, before its window is shown (the stored keys
// could not be read), waits for the window and shows over it, instead of alone on the desktop.
#include "main_window_fixture.h"
#include "view/qt_message_box.h"

#include <QApplication>
#include <QMessageBox>
#include <QTimer>

namespace tavrol::qt::testing {
namespace {

TEST(MessageBoxAtStart, waitsForTheWindowAndShowsOverIt)
{
    MemorySettings settings;
    settings.unreadable = true;
    RecordingPrinter printer;
    NullModalHost modal;
    LowestFace random { {} };
    QtMessageBox messages;
    frmTavrol form { FormPorts { settings, printer, messages, modal, random } };
    QtFormView view { form };
    messages.setParent(&view);

    // Closes each box as it comes up, noting what it stood over; a box shown at once would be
    // closed too, so the test never hangs.
    int shown = 0;
    bool windowWasUp = false;
    QWidget* over = nullptr;
    QString text;
    QTimer closer;
    closer.setInterval(10);
    QObject::connect(&closer, &QTimer::timeout, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box)
            return;
        ++shown;
        windowWasUp = view.isVisible();
        over = box->parentWidget();
        text = box->text();
        box->accept();
    });
    closer.start();

    form.Form_Load(); // as the desktop program starts: keys loaded, then the window shown
    EXPECT_EQ(shown, 0);
    view.show();
    EXPECT_TRUE(QTest::qWaitFor([&] { return shown > 0; }));
    EXPECT_EQ(shown, 1);
    EXPECT_TRUE(windowWasUp);
    EXPECT_EQ(over, &view);
    EXPECT_TRUE(text.contains("could not be read")) << text.toStdString();
}

// A box asked for once the window was closed (where the tape went, as the program ends) shows on
// its own instead of waiting for a window that will not come back.
TEST(MessageBoxAtEnd, showsAfterTheWindowWasClosed)
{
    QWidget window;
    QtMessageBox messages(&window);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    window.close();
    QString text;
    QTimer::singleShot(0, [&] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            text = box->text();
            box->accept();
        }
    });
    messages.information("Tavrol32", "The tape was saved as a PDF file:\r/x.pdf");
    EXPECT_EQ(text, "The tape was saved as a PDF file:\n/x.pdf");
}

} // namespace
} // namespace tavrol::qt::testing
