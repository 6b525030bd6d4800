// The main window without a mouse: Tab walks the keys in reading order, Space presses the key
// that has focus, and a screen reader finds every control by its name.
#include "main_window_fixture.h"

#include <QAccessible>
#include <QApplication>
#include <QKeyEvent>
#include <QTest>
#include <algorithm>
#include <string>
#include <vector>

namespace tavrol::qt::testing {
namespace {

class KeyboardFocus : public MainWindowView {
protected:
    void SetUp() override
    {
        view.show();
        QApplication::setActiveWindow(&view);
        ASSERT_TRUE(QTest::qWaitForWindowActive(&view));
    }

    // Puts keyboard focus on `key`, then reports where it went.
    QString focusOn(const char* key)
    {
        QWidget* target = widget(key);
        if (target)
            target->setFocus(Qt::OtherFocusReason);
        return focused();
    }

    static QString focused()
    {
        QWidget* now = QApplication::focusWidget();
        return now ? now->objectName() : QStringLiteral("(nothing)");
    }

    static QString tab()
    {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        return focused();
    }
};

TEST_F(KeyboardFocus, tabMovesFromAllClearAlongTheTopRow)
{
    EXPECT_EQ(focused(), "btnClear(0)"); // the window opens with the focus on its first stop
    ASSERT_EQ(focusOn("btnClear(0)"), "btnClear(0)");
    EXPECT_EQ(tab(), "btnDigit(7)");
    EXPECT_EQ(tab(), "btnDigit(8)");
}

// The whole round, as the model orders it, skipping what is disabled (the memory keys before a
// value is stored, the unprogrammed keys): the tape toggle and the read-only dice list must hold
// focus on the way and pass it on, not trap it.
TEST_F(KeyboardFocus, tabVisitsEveryEnabledStopInTheModelsOrderAndComesBack)
{
    std::vector<const Control*> stops;
    for (const auto& control : form.controls())
        if (control->tabOrder() >= 0 && control->enabled() && control->visible())
            stops.push_back(control.get());
    std::sort(
        stops.begin(), stops.end(), [](const Control* a, const Control* b) { return a->tabOrder() < b->tabOrder(); });
    ASSERT_GT(stops.size(), 30u);
    QStringList expected;
    for (const Control* stop : stops)
        expected << QString::fromStdString(stop->key());

    ASSERT_EQ(focusOn("btnClear(0)"), expected.front());
    QStringList visited { focused() };
    for (qsizetype i = 1; i < expected.size(); ++i)
        visited << tab();
    EXPECT_EQ(visited, expected);
    EXPECT_EQ(tab(), expected.front());
}

TEST_F(KeyboardFocus, shiftTabGoesBack)
{
    ASSERT_EQ(focusOn("btnDigit(8)"), "btnDigit(8)");
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab, Qt::ShiftModifier);
    EXPECT_EQ(focused(), "btnDigit(7)");
}

TEST_F(KeyboardFocus, spacePressesTheFocusedKey)
{
    form.btnClear_Click(ClearKey::All);
    const struct {
        const char* key;
        const char* display;
    } presses[] = { { "btnDigit(7)", "7." }, { "btnDigit(8)", "78." }, { "btnOperator(4)", "78." },
        { "btnDigit(2)", "2." }, { "btnOperator(6)", "80." } };
    for (const auto& press : presses) {
        SCOPED_TRACE(press.key);
        ASSERT_EQ(focusOn(press.key), press.key);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
        EXPECT_EQ(form.Display.caption(), press.display);
    }
}

TEST_F(KeyboardFocus, spaceTogglesTheTapeOnceAPress)
{
    ASSERT_EQ(focusOn("btnPrint"), "btnPrint");
    ASSERT_EQ(form.btnPrint.tag(), "Poff");
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
    EXPECT_EQ(form.btnPrint.tag(), "Pon");
    // A held Space repeats only its press; the toggle waits for the key to come up.
    QTest::keyPress(QApplication::focusWidget(), Qt::Key_Space);
    QKeyEvent repeat(QEvent::KeyRelease, Qt::Key_Space, Qt::NoModifier, QStringLiteral(" "), true);
    QApplication::sendEvent(QApplication::focusWidget(), &repeat);
    EXPECT_EQ(form.btnPrint.tag(), "Pon");
    QTest::keyRelease(QApplication::focusWidget(), Qt::Key_Space);
    EXPECT_EQ(form.btnPrint.tag(), "Poff");
}

// Keys overlap their neighbours by a pixel: the focused one lies above every control it touches, so
// its focus frame shows on all four sides, and goes back to its place when the focus moves on. The
// dice list draws a frame of its own.
TEST_F(KeyboardFocus, focusFrameShowsWhole)
{
    const QObjectList before = view.children();
    const auto place = [this](QWidget* control) { return view.children().indexOf(control); };
    for (const char* key : { "btnDigit(5)", "btnDigit(8)", "btnPrint", "btnDice(7)" }) {
        SCOPED_TRACE(key);
        ASSERT_EQ(focusOn(key), key);
        QWidget* focused = widget(key);
        int touching = 0;
        for (QWidget* other : view.findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
            if (other != focused && other->isVisible() && other->geometry().intersects(focused->geometry())) {
                EXPECT_GT(place(focused), place(other)) << other->objectName().toStdString();
                ++touching;
            }
        EXPECT_GT(touching, 0);
    }
    ASSERT_EQ(focusOn("btnMemory(3)"), "btnMemory(3)");
    ASSERT_EQ(tab(), "DiceBox");
    auto* list = diceList();
    ASSERT_NE(list, nullptr);
    const QImage focused = list->viewport()->grab().toImage();
    tab();
    EXPECT_NE(list->viewport()->grab().toImage(), focused);
    focusOn("DiceBox");
    focusOn("btnClear(0)");
    EXPECT_EQ(view.children(), before);
}

// What the accessibility interface, which screen readers query, gives as each control's name: the
// fixed name where the model has one, the text itself where the text is what matters.
TEST_F(KeyboardFocus, screenReadersHearNamesForKeysAndTheTextOfLabels)
{
    form.btnClear_Click(ClearKey::All);
    form.btnDigit_Click(digitKey(7));
    const struct {
        const char* key;
        const char* spoken;
    } table[] = {
        { "btnClear(0)", "All Clear" },
        { "btnOperator(0)", "Change sign" },
        { "btnDice(6)", "d100" },
        { "btnCustom(0)", "unprog" },
        { "btnPrint", "Tape on or off" },
        { "DiceBox", "Dice list" },
        { "Display", "7." },
    };
    for (const auto& row : table) {
        SCOPED_TRACE(row.key);
        QWidget* shown = widget(row.key);
        ASSERT_NE(shown, nullptr);
        QAccessibleInterface* spoken = QAccessible::queryAccessibleInterface(shown);
        ASSERT_NE(spoken, nullptr);
        EXPECT_EQ(spoken->text(QAccessible::Name).toStdString(), row.spoken);
    }
}

} // namespace
} // namespace tavrol::qt::testing
