// What a screen reader hears of the results without the focus moving: after every key, however
// it was pressed, the display and any message over it; and the dice list, walked line by line
// with the keys, its total said at the end.
#include "main_window_fixture.h"

#include <QAccessible>
#include <QApplication>
#include <QPushButton>
#include <functional>
#include <memory>
#include <string>

namespace tavrol::qt::testing {
namespace {

class SpokenResults : public TypingOnTheWindow {
protected:
    Announcer* announcer()
    {
        for (QWidget* child : view.findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
            if (auto* found = dynamic_cast<Announcer*>(child))
                return found;
        return nullptr;
    }
};

TEST_F(SpokenResults, everyKeyIsFollowedByTheDisplayAndAnyMessageOverIt)
{
    settings.values[{ "Tavrol32", "custom", "0" }] = "Roll,3x+2=";
    form.Form_Load();
    Announcer* announcer = this->announcer();
    ASSERT_NE(announcer, nullptr);
    EXPECT_FALSE(announcer->isVisible());
    // A notification in a status bar: Orca speaks it as it shows, and names no role for it.
    QAccessibleInterface* window = QAccessible::queryAccessibleInterface(&view);
    QAccessibleInterface* bar = QAccessible::queryAccessibleInterface(announcer);
    ASSERT_EQ(window->role(), QAccessible::Window);
    ASSERT_EQ(bar->role(), QAccessible::StatusBar);
    EXPECT_EQ(bar->parent(), window);
    QAccessibleInterface* notification = bar->child(0);
    ASSERT_EQ(notification->role(), QAccessible::Notification);
    EXPECT_EQ(notification->parent(), bar);
    EXPECT_EQ(bar->indexOfChild(notification), 0);

    const auto click = [this](const char* key) { QTest::mouseClick(widget<QPushButton>(key), Qt::LeftButton); };
    const struct {
        const char* how;
        std::function<void()> press;
        const char* heard;
    } presses[] = {
        { "a clicked digit", [&] { click("btnDigit(5)"); }, "5." },
        { "a typed operator that leaves the display as it was", [&] { type("+"); }, "5." },
        { "a typed roll of three dice", [&] { type("3d6"); }, "3." },
        { "the message over the display first", [&] { type("/0="); }, "Divide by Zero, 5." },
        { "a key from a reader's press action",
            [&] {
                QAccessible::queryAccessibleInterface(widget("btnClear(0)"))
                    ->actionInterface()
                    ->doAction(QAccessibleActionInterface::pressAction());
            },
            "0." },
        { "a programmed key, heard as its last key leaves the display", [&] { click("btnCustom(0)"); }, "5." },
    };
    for (const auto& press : presses) {
        SCOPED_TRACE(press.how);
        announcer->announce({});
        press.press();
        EXPECT_EQ(notification->text(QAccessible::Name), QString()); // once the key is done
        EXPECT_TRUE(QTest::qWaitFor([notification] { return !notification->text(QAccessible::Name).isEmpty(); }));
        EXPECT_EQ(notification->text(QAccessible::Name), QString::fromUtf8(press.heard));
    }
}

TEST_F(SpokenResults, diceListIsWalkedLineByLineAndEndsWithTheTotal)
{
    ModelListView* list = diceList();
    ASSERT_NE(list, nullptr);
    QAccessibleInterface* spoken = QAccessible::queryAccessibleInterface(list);
    form.DiceBox.setText(" 4\r\n 2\r\n------\r\n 6\r\n");
    list->setFocus(Qt::TabFocusReason);
    ASSERT_TRUE(list->hasFocus());
    EXPECT_EQ(list->currentLine(), 0); // the focus comes to the first line in sight

    const struct {
        Qt::Key key;
        qsizetype current;
    } walk[] = {
        { Qt::Key_Down, 1 },
        { Qt::Key_Down, 2 },
        { Qt::Key_End, 3 },
        { Qt::Key_Down, 3 },
        { Qt::Key_Up, 2 },
        { Qt::Key_Home, 0 },
        { Qt::Key_Up, 0 },
        { Qt::Key_PageDown, 3 },
    };
    for (const auto& step : walk) {
        const std::unique_ptr<char[]> key(QTest::toString(step.key)); // Qt hands over a new[] copy
        SCOPED_TRACE(key.get());
        QTest::keyClick(list, step.key);
        ASSERT_EQ(list->currentLine(), step.current);
        ASSERT_EQ(spoken->focusChild(), spoken->child(static_cast<int>(step.current)));
        for (int line = 0; line < spoken->childCount(); ++line)
            EXPECT_EQ(spoken->child(line)->state().focused, line == step.current) << line;
    }
    // The separator is no number; the last line says the total after it.
    EXPECT_EQ(spoken->child(3)->text(QAccessible::Description), QStringLiteral("Total 12"));
    EXPECT_EQ(spoken->child(2)->text(QAccessible::Description), QString());
    EXPECT_TRUE(spoken->text(QAccessible::Description).startsWith(QStringLiteral("Total 12. ")))
        << spoken->text(QAccessible::Description).toStdString();

    // A new roll is walked from its top; a line out of sight is brought into it.
    std::string lines;
    for (int die = 1; die <= 200; ++die)
        lines += " " + std::to_string(die % 6 + 1) + "\r\n";
    form.DiceBox.setText(lines);
    QCoreApplication::processEvents();
    EXPECT_EQ(list->currentLine(), -1);
    EXPECT_TRUE(spoken->child(199)->state().offscreen);
    QTest::keyClick(list, Qt::Key_End);
    EXPECT_EQ(list->currentLine(), 199);
    EXPECT_FALSE(spoken->child(199)->state().offscreen);
    QTest::keyClick(list, Qt::Key_Home);
    EXPECT_FALSE(spoken->child(0)->state().offscreen);

    list->clearFocus();
    EXPECT_EQ(spoken->focusChild(), nullptr);
    EXPECT_FALSE(spoken->child(0)->state().focused);
}

} // namespace
} // namespace tavrol::qt::testing
