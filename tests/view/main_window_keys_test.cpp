// Typing on the main window as Qt delivers it: key events go to the key that has focus, which
// passes on what it does not take; the window presses its keys through the model and copies.
#include "main_window_fixture.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QMenu>
#include <QPushButton>
#include <memory>

namespace tavrol::qt::testing {
namespace {

TEST_F(TypingOnTheWindow, focusStartsOnAllClear)
{
    ASSERT_EQ(QApplication::focusWidget(), widget("btnClear(0)")); // takes Space, passes the rest on
}

TEST_F(TypingOnTheWindow, typedKeysCalculateAndRecordAsClicks)
{
    calculate();
    EXPECT_EQ(form.Display.caption(), "42.");
    EXPECT_EQ(form.CommandLine, "12+30="); // recorded as the clicks record it
}

TEST_F(TypingOnTheWindow, typedKeyGoesDownAndComesUpAgain)
{
    calculate();
    auto* equals = widget<QPushButton>("btnOperator(6)");
    ASSERT_NE(equals, nullptr);
    EXPECT_TRUE(equals->isDown());
    EXPECT_TRUE(QTest::qWaitFor([equals] { return !equals->isDown(); })); // the key comes up again
}

TEST_F(TypingOnTheWindow, controlCCopiesTheNumber)
{
    calculate();
    type(Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(clipboard(), "42");
}

TEST_F(TypingOnTheWindow, typedDiceRollIntoTheList)
{
    type("3d6");
    EXPECT_EQ(form.Display.caption(), "3."); // three dice on their lowest face
    ASSERT_TRUE(QTest::qWaitFor([this] { return !view.paintPending(); }));
    ModelListView* list = diceList();
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(list->text(), " 1\n 1\n 1\n"); // three lines, and the open last one
}

TEST_F(TypingOnTheWindow, controlShiftCCopiesTheDice)
{
    type("3d6");
    type(Qt::Key_C, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(clipboard(), "1\n1\n1");
}

// The dice list's menu copies the same.
TEST_F(TypingOnTheWindow, diceListMenuCopiesTheDice)
{
    type("3d6");
    ModelListView* list = diceList();
    ASSERT_NE(list, nullptr);
    QGuiApplication::clipboard()->setText("none");
    const std::unique_ptr<QMenu> menu(keys.diceMenu(list));
    ASSERT_EQ(menu->actions().size(), 1);
    QAction* copy = menu->actions().front();
    EXPECT_EQ(copy->text(), "Copy dice");
    ASSERT_TRUE(copy->isEnabled());
    copy->trigger();
    EXPECT_EQ(clipboard(), "1\n1\n1");
}

// Space still presses the key with focus; typing goes on from it.
TEST_F(TypingOnTheWindow, spacePressesTheFocusedKeyAndTypingGoesOn)
{
    type(Qt::Key_Escape);
    widget("btnDigit(7)")->setFocus(Qt::OtherFocusReason);
    type(Qt::Key_Space);
    type("2");
    EXPECT_EQ(form.Display.caption(), "72.");
}

TEST_F(TypingOnTheWindow, deleteThenControlVPastesANumber)
{
    type("72");
    QGuiApplication::clipboard()->setText(" 5.25\n");
    type(Qt::Key_Delete);
    type(Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(form.Display.caption(), "5.25");
    QGuiApplication::clipboard()->setText("-0,5"); // as much of Europe writes it
    type(Qt::Key_Delete);
    type(Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(form.Display.caption(), "-0.5");
}

} // namespace
} // namespace tavrol::qt::testing
