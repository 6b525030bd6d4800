// The programming window as the user meets it: a modal window over the main one, opened by the
// Program key, worked with the mouse and keyboard, and closed by its keys, Escape or its title bar.
#include "main_window_fixture.h"
#include "view/qt_modal_host.h"

#include <QAccessible>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTimer>
#include <functional>

namespace tavrol::qt::testing {
namespace {

class ProgrammingDialog : public ::testing::Test {
protected:
    MemorySettings settings;
    RecordingPrinter printer;
    RecordingMessageBox messages;
    QtModalHost modal;
    LowestFace random { {} };
    frmTavrol form { FormPorts { settings, printer, messages, modal, random } };
    QtFormView view { form };
    bool acted = false;

    void SetUp() override
    {
        modal.setOwner(&view);
        form.Form_Load();
        view.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&view));
    }

    template <class W> W* in(QWidget* window, const char* key)
    {
        W* found = window->findChild<W*>(QString::fromLatin1(key));
        EXPECT_NE(found, nullptr) << key;
        return found;
    }

    // Clicks the main window's Program key and, once the modal window is up, works in it.
    void program(std::function<void(QWidget&)> work)
    {
        QTimer::singleShot(0, [this, work] {
            QWidget* dialog = QApplication::activeModalWidget();
            ASSERT_NE(dialog, nullptr);
            EXPECT_TRUE(dialog->isWindow());
            EXPECT_EQ(dialog->windowTitle(), "Custom Programming");
            EXPECT_EQ(dialog->parentWidget(), &view);
            acted = true;
            work(*dialog);
        });
        QTest::mouseClick(view.findChild<QPushButton*>("btnCustom(6)"), Qt::LeftButton);
        EXPECT_TRUE(acted);
        EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    }
};

TEST_F(ProgrammingDialog, savedKeyAppearsOnTheMainWindowWhenItCloses)
{
    for (const char* key : { "btnDigit(3)", "btnOperator(4)", "btnDigit(4)", "btnOperator(6)" })
        QTest::mouseClick(view.findChild<QPushButton*>(key), Qt::LeftButton);
    program([this](QWidget& dialog) {
        EXPECT_EQ(in<QLineEdit>(&dialog, "txtCommandLine")->text(), "3+4=");
        QTest::mouseClick(in<QRadioButton>(&dialog, "BtnAssignedTo(2)"), Qt::LeftButton);
        QLineEdit* caption = in<QLineEdit>(&dialog, "TxtButtonCaption");
        caption->selectAll();
        QTest::keyClicks(caption, "Ad,d"); // the comma is not taken
        EXPECT_EQ(caption->text(), "Add");
        QTest::mouseClick(in<QPushButton>(&dialog, "btnProgram"), Qt::LeftButton);
    });
    EXPECT_EQ((settings.values[{ "Tavrol32", "custom", "2" }]), "Add,3+4=");
    auto* key = view.findChild<QPushButton*>("btnCustom(2)");
    EXPECT_EQ(key->text(), "Add");
    EXPECT_TRUE(key->isEnabled());
    QTest::mouseClick(view.findChild<QPushButton*>("btnClear(0)"), Qt::LeftButton);
    QTest::mouseClick(key, Qt::LeftButton);
    EXPECT_EQ(view.findChild<QLabel*>("Display")->text(), "7.");
}

// Typing names the key at once, the caption Cancel kept included; the help is read-only and
// shows each of its lines whole, with no scroll bar.
TEST_F(ProgrammingDialog, opensWithTheCaptionSelectedAndTheHelpWhole)
{
    for (const char* caption : { "Text1", "Axe" }) {
        SCOPED_TRACE(caption);
        program([this, caption](QWidget& dialog) {
            QLineEdit* box = in<QLineEdit>(&dialog, "TxtButtonCaption");
            auto* help = in<ModelListView>(&dialog, "txtProgram");
            if (box && help) {
                EXPECT_TRUE(QTest::qWaitFor([box] { return QApplication::focusWidget() == box; }, 2000));
                EXPECT_EQ(box->selectedText(), caption);
                QTest::keyClicks(box, "Axe");
                EXPECT_EQ(box->text(), "Axe");

                EXPECT_EQ(help->filledLineCount(), 6);
                EXPECT_EQ(help->verticalScrollBar()->maximum(), 0);
                for (qsizetype i = 0; i < help->lineCount(); ++i) {
                    SCOPED_TRACE(i);
                    const QRect room = help->lineRect(i);
                    EXPECT_LE(help->fontMetrics().horizontalAdvance(help->line(i).toString()), room.width());
                    EXPECT_LE(room.bottom(), help->viewport()->height());
                }
            }
            QTest::mouseClick(in<QPushButton>(&dialog, "btnCancel"), Qt::LeftButton);
        });
    }
}

TEST_F(ProgrammingDialog, escapeAndTitleBarCloseWithoutSaving)
{
    const std::function<void(QWidget&)> leave[] = {
        [](QWidget& dialog) { QTest::keyClick(&dialog, Qt::Key_Escape); },
        [](QWidget& dialog) { dialog.close(); },
    };
    for (const auto& how : leave) {
        settings.values[{ "Tavrol32", "custom", "0" }] = "Outside,1";
        program([this, &how](QWidget& dialog) {
            QTest::mouseClick(in<QRadioButton>(&dialog, "BtnAssignedTo(0)"), Qt::LeftButton);
            how(dialog);
        });
        EXPECT_EQ((settings.values[{ "Tavrol32", "custom", "0" }]), "Outside,1");
        EXPECT_EQ(form.customWindow(), nullptr); // unloaded: the next showing starts afresh
        EXPECT_EQ(view.findChild<QPushButton*>("btnCustom(0)")->text(), "Outside"); // keys reloaded
    }
}

TEST_F(ProgrammingDialog, cancelHidesAndKeepsTheChoice)
{
    program([this](QWidget& dialog) {
        QTest::mouseClick(in<QRadioButton>(&dialog, "BtnAssignedTo(5)"), Qt::LeftButton);
        QTest::mouseClick(in<QPushButton>(&dialog, "btnCancel"), Qt::LeftButton);
    });
    ASSERT_NE(form.customWindow(), nullptr);
    EXPECT_FALSE(form.customWindow()->visible());
    program([this](QWidget& dialog) {
        EXPECT_TRUE(in<QRadioButton>(&dialog, "BtnAssignedTo(5)")->isChecked());
        QTest::mouseClick(in<QPushButton>(&dialog, "btnCancel"), Qt::LeftButton);
    });
    EXPECT_TRUE(settings.values.empty());
}

// The six choices are one group of radio buttons in a dialog: whichever way one is chosen, it is
// the only one checked on the screen and the one the model will save under.
TEST_F(ProgrammingDialog, everyWayOfChoosingAKeyChecksOneOptionAndTellsTheModel)
{
    program([this](QWidget& dialog) {
        ASSERT_EQ(QAccessible::queryAccessibleInterface(&dialog)->role(), QAccessible::Dialog);
        ASSERT_TRUE(QTest::qWaitFor([&dialog] { return dialog.isActiveWindow(); }, 2000)); // the keys go to it
        const auto option = [this, &dialog](int index) {
            return in<QRadioButton>(&dialog, ("BtnAssignedTo(" + std::to_string(index) + ")").c_str());
        };
        const auto toggle = [&option](int index) {
            QAccessibleInterface* spoken = QAccessible::queryAccessibleInterface(option(index));
            ASSERT_EQ(spoken->role(), QAccessible::RadioButton);
            spoken->actionInterface()->doAction(QAccessibleActionInterface::toggleAction());
        };
        const struct {
            const char* way;
            std::function<void()> choose;
            int chosen;
        } ways[] = {
            { "click", [&] { QTest::mouseClick(option(2), Qt::LeftButton); }, 2 },
            { "Space",
                [&] {
                    option(4)->setFocus();
                    QTest::keyClick(option(4), Qt::Key_Space);
                },
                4 },
            { "arrow key", [&] { QTest::keyClick(option(4), Qt::Key_Up); }, 3 },
            { "reader's toggle", [&] { toggle(0); }, 0 },
            { "toggle of the chosen one", [&] { toggle(0); }, 0 },
            { "reader's press",
                [&] {
                    QAccessible::queryAccessibleInterface(option(5))->actionInterface()->doAction(
                        QAccessibleActionInterface::pressAction());
                },
                5 },
        };
        for (const auto& way : ways) {
            SCOPED_TRACE(way.way);
            way.choose();
            for (int index = 0; index < 6; ++index)
                EXPECT_EQ(option(index)->isChecked(), index == way.chosen) << index;
            EXPECT_EQ(form.customWindow()->FrameAssignTo.tag(), " " + std::to_string(way.chosen));
        }
        QTest::mouseClick(in<QPushButton>(&dialog, "btnProgram"), Qt::LeftButton);
    });
    EXPECT_EQ((settings.values[{ "Tavrol32", "custom", "5" }]), "Text1,");
}

} // namespace
} // namespace tavrol::qt::testing
