// The main window as Qt draws it: where each control sits, what its keys do, how model changes
// reach the widgets and which double clicks are the window's.
#include "main_window_fixture.h"

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QTimer>
#include <QWheelEvent>
#include <algorithm>
#include <string>
#include <vector>

namespace tavrol::qt::testing {
namespace {

struct Placement {
    const char* key;
    const char* widgetClass;
    QRect pixels;
};

TEST_F(MainWindowView, everyControlSitsAtItsPixelRect)
{
    const Placement table[] = {
        { "Display", "QLabel", { 8, 0, 193, 25 } },
        { "statuswatch", "QLabel", { 16, 0, 177, 25 } },
        { "Mem", "QLabel", { 8, 0, 25, 25 } },
        { "btnClear(1)", "QPushButton", { 8, 56, 25, 25 } },
        { "btnDigit(0)", "QPushButton", { 40, 104, 49, 25 } },
        { "btnDigit(7)", "QPushButton", { 40, 32, 25, 25 } },
        { "btnDigit(10)", "QPushButton", { 88, 104, 25, 25 } },
        { "btnOperator(3)", "QPushButton", { 144, 56, 25, 25 } },
        { "btnOperator(6)", "QPushButton", { 120, 104, 49, 25 } },
        { "btnMemory(3)", "QPushButton", { 176, 104, 25, 25 } },
        { "btnPrint", "QLabel", { 8, 80, 20, 20 } },
        { "DiceBox", "QAbstractScrollArea", { 8, 144, 57, 169 } },
        { "btnDice(0)", "QPushButton", { 72, 144, 33, 25 } },
        { "btnDice(13)", "QPushButton", { 104, 288, 33, 25 } },
        { "btnCustom(0)", "QPushButton", { 144, 144, 57, 25 } },
        { "btnCustom(6)", "QPushButton", { 144, 288, 57, 25 } },
    };
    for (const Placement& row : table) {
        SCOPED_TRACE(row.key);
        QWidget* shown = widget(row.key);
        ASSERT_NE(shown, nullptr);
        EXPECT_TRUE(shown->inherits(row.widgetClass));
        EXPECT_EQ(shown->geometry(), row.pixels);
    }
}

TEST_F(MainWindowView, windowHasFixedClientSizeWhereTheModelPutsIt)
{
    EXPECT_EQ(view.geometry(), QRect(142, 119, 208, 335));
    showWindow();
    EXPECT_EQ(view.size(), QSize(208, 335));
    EXPECT_EQ(view.minimumSize(), QSize(208, 335));
    EXPECT_EQ(view.maximumSize(), QSize(208, 335));
}

TEST_F(MainWindowView, overlappingLabelsStackIndicatorOverStatusOverDisplay)
{
    const QObjectList& order = view.children(); // later children lie above earlier ones
    const auto place = [&](const char* key) { return order.indexOf(widget(key)); };
    EXPECT_LT(place("Display"), place("statuswatch"));
    EXPECT_LT(place("statuswatch"), place("Mem"));
}

struct FontRow {
    const char* key;
    const char* family;
    double points;
    bool bold;
};

TEST_F(MainWindowView, fontsFallBackToMetricCompatibleFaces)
{
    const FontRow table[] = {
        { "Display", "Liberation Mono", 15.6, false },
        { "statuswatch", "Liberation Mono", 9.6, false },
        { "Mem", "Liberation Sans", 12, false },
        { "btnDigit(1)", "Liberation Sans", 9.6, false },
        { "btnDigit(10)", "Liberation Sans", 12, true },
        { "btnDice(8)", "Liberation Serif", 7.8, false },
        { "btnDice(0)", "Liberation Sans", 8, false },
        { "btnCustom(6)", "Liberation Sans", 8, false },
    };
    for (const FontRow& row : table) {
        SCOPED_TRACE(row.key);
        const QFont font = widget(row.key)->font();
        EXPECT_EQ(QFontInfo(font).family(), QString::fromLatin1(row.family));
        EXPECT_DOUBLE_EQ(font.pointSizeF(), row.points);
        EXPECT_EQ(font.bold(), row.bold);
    }
}

TEST_F(MainWindowView, coloursFollowTheModel)
{
    const QPalette display = widget("Display")->palette();
    EXPECT_EQ(display.color(QPalette::WindowText), QColor(0, 192, 0));
    EXPECT_EQ(display.color(QPalette::Window), QColor(128, 128, 128));
    EXPECT_TRUE(widget("Display")->autoFillBackground());
    EXPECT_FALSE(widget("Mem")->autoFillBackground()); // the display's grey shows around the "M"
    EXPECT_EQ(widget("DiceBox")->palette().color(QPalette::Base), QColor(192, 192, 192));
    const QPalette digit = widget("btnDigit(5)")->palette();
    EXPECT_EQ(digit.color(QPalette::Button), digit.color(QPalette::Base));
    EXPECT_EQ(widget("btnDice(0)")->palette().color(QPalette::Button), view.palette().color(QPalette::Button));
}

TEST_F(MainWindowView, diceListScrollsAndIsRightAlignedAndReadOnly)
{
    auto* list = diceList();
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(list->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
    EXPECT_TRUE(list->alignment() & Qt::AlignRight);
    // Read-only: typing into it changes nothing, in the list or in the model.
    form.DiceBox.setText(" 3\r\n");
    list->setFocus();
    QTest::keyClicks(list, QStringLiteral("12"));
    QTest::keyClick(list, Qt::Key_Backspace);
    QCoreApplication::processEvents();
    EXPECT_EQ(list->text(), QStringLiteral(" 3\n"));
    EXPECT_EQ(form.DiceBox.text(), " 3\r\n");
}

// The indicator is drawn over the left end of the status message: while it shows letters, the
// message starts right of them; without any, where it always did.
TEST_F(MainWindowView, statusMessageStartsClearOfTheIndicatorsLetters)
{
    showWindow();
    const QRect top(0, 0, view.width(), widget("Display")->height());
    const auto statusTextStart = [this] {
        QWidget* status = widget("statuswatch");
        const QImage drawn = status->grab().toImage();
        for (int x = 0; x < drawn.width(); ++x)
            for (int y = 0; y < drawn.height(); ++y)
                if (drawn.pixelColor(x, y) != drawn.pixelColor(0, 0))
                    return status->x() + x;
        return -1;
    };
    for (const char* indicator : { "", "M", "X", "MX" }) {
        SCOPED_TRACE(indicator);
        form.statuswatch.setVisible(false);
        form.Mem.setCaption("");
        const QImage bare = view.grab(top).toImage();
        form.Mem.setCaption(indicator);
        const QImage marked = view.grab(top).toImage();
        int lettersEnd = -1;
        for (int x = 0; x < bare.width(); ++x)
            for (int y = 0; y < bare.height(); ++y)
                if (bare.pixelColor(x, y) != marked.pixelColor(x, y))
                    lettersEnd = x;

        form.statuswatch.setCaption("==== Error ====");
        form.statuswatch.setVisible(true);
        const int start = statusTextStart();
        ASSERT_GE(start, 0) << "no status message drawn";
        if (*indicator)
            EXPECT_GT(start, lettersEnd);
        else
            EXPECT_LE(start, widget("statuswatch")->x() + 1);
    }
}

QPushButton* keyCaptioned(QWidget& window, const QString& caption)
{
    for (QPushButton* key : window.findChildren<QPushButton*>())
        if (key->text() == caption)
            return key;
    return nullptr;
}

struct KeySequence {
    const char* name;
    std::vector<const char*> captions;
    const char* display;
};

TEST_F(MainWindowView, clickedKeysReachTheHandlers)
{
    showWindow();
    const KeySequence table[] = {
        { "sum", { "1", "2", "+", "3", "=" }, "15." },
        { "product binds tighter", { "2", "+", "3", "\u00D7", "4", "=" }, "14." },
        { "quotient", { "9", "\u00F7", "4", "=" }, "2.25" },
        { "sign change", { "AC", "7", "\u00B1" }, "-7." },
    };
    for (const KeySequence& row : table) {
        SCOPED_TRACE(row.name);
        QTest::mouseClick(keyCaptioned(view, QStringLiteral("AC")), Qt::LeftButton);
        for (const char* caption : row.captions) {
            QPushButton* key = keyCaptioned(view, QString::fromUtf8(caption));
            ASSERT_NE(key, nullptr) << "no key shows " << caption;
            QTest::mouseClick(key, Qt::LeftButton);
        }
        EXPECT_EQ(widget<QLabel>("Display")->text(), QString::fromLatin1(row.display));
        EXPECT_EQ(form.Display.caption(), row.display);
    }
}

TEST_F(MainWindowView, disabledKeyIgnoresClicks)
{
    showWindow();
    form.Display.setCaption("5");
    form.btnMemory[MemoryKey::Add]->click(); // M+ holds 5 and enables MR
    form.btnMemory[MemoryKey::Clear]->click(); // MC clears it and disables MR again
    ASSERT_FALSE(widget("btnMemory(1)")->isEnabled());
    form.Display.setCaption("8");
    QTest::mouseClick(widget<QPushButton>("btnMemory(1)"), Qt::LeftButton);
    EXPECT_EQ(form.Display.caption(), "8.");
}

TEST_F(MainWindowView, propertyChangesReachTheWidgets)
{
    EXPECT_TRUE(widget("statuswatch")->isHidden());
    form.statuswatch.setVisible(true);
    EXPECT_FALSE(widget("statuswatch")->isHidden());
    form.statuswatch.setVisible(false);
    EXPECT_TRUE(widget("statuswatch")->isHidden());

    form.Mem.setCaption("M");
    EXPECT_EQ(widget<QLabel>("Mem")->text(), QStringLiteral("M"));

    EXPECT_FALSE(widget("btnCustom(2)")->isEnabled());
    form.btnCustom[tavrol::programmableKey(2)]->setEnabled(true);
    EXPECT_TRUE(widget("btnCustom(2)")->isEnabled());

    form.btnCustom[tavrol::programmableKey(2)]->setCaption("3d6+\u00B1");
    EXPECT_EQ(widget<QPushButton>("btnCustom(2)")->text(), QString::fromUtf8("3d6+\u00B1"));

    form.setCaption("Tavrol32 \u00D7 2");
    EXPECT_EQ(view.windowTitle(), QString::fromUtf8("Tavrol32 \u00D7 2"));
}

TEST_F(MainWindowView, pauseTimerIsArmedFromTheModel)
{
    QTimer* pauser = view.findChild<QTimer*>(QStringLiteral("pauser"));
    ASSERT_NE(pauser, nullptr);
    EXPECT_FALSE(pauser->isActive());
    form.Form_Load();
    EXPECT_TRUE(pauser->isActive());
    EXPECT_EQ(pauser->interval(), 5000);
    form.pauser.tick(); // the tick's handler disables the timer
    EXPECT_FALSE(pauser->isActive());
}

struct DiceListRow {
    const char* name;
    std::vector<const char*> appends;
    const char* shown;
};

TEST_F(MainWindowView, diceBoxAppendsShowAsLines)
{
    const DiceListRow table[] = {
        { "one die per line", { " 5\r\n", " 3\r\n", " 12\r\n" }, " 5\n 3\n 12\n" },
        { "line break split over two appends", { " 5\r", "\n 6\r\n" }, " 5\n 6\n" },
        { "a line built from pieces", { " 1", "0", "\r\n" }, " 10\n" },
        { "UTF-8 text", { "\u00B1 4\r\n" }, "\u00B1 4\n" },
    };
    auto* list = diceList();
    ASSERT_NE(list, nullptr);
    for (const DiceListRow& row : table) {
        SCOPED_TRACE(row.name);
        form.DiceBox.setText("");
        for (const char* added : row.appends)
            form.DiceBox.append(added);
        QCoreApplication::processEvents();
        EXPECT_EQ(list->text(), QString::fromUtf8(row.shown));
    }
}

TEST_F(MainWindowView, diceBoxTextReplacesQueuedAppends)
{
    auto* list = diceList();
    ASSERT_NE(list, nullptr);
    form.DiceBox.append(" 4\r\n");
    form.DiceBox.setText(" 9\r\n");
    form.DiceBox.append(" 2\r\n");
    QCoreApplication::processEvents();
    EXPECT_EQ(list->text(), QStringLiteral(" 9\n 2\n"));
    form.DiceBox.setText("");
    QCoreApplication::processEvents();
    EXPECT_EQ(list->text(), QString());
}

TEST_F(MainWindowView, repaintRequestDrawsQueuedAppendsAtOnce)
{
    showWindow();
    auto* list = diceList();
    ASSERT_NE(list, nullptr);
    form.DiceBox.append(" 6\r\n");
    form.repaint(&form.DiceBox); // the first request of a fresh window paints at once
    EXPECT_EQ(list->text(), QStringLiteral(" 6\n"));
}

TEST_F(MainWindowView, longRollShowsEveryDieOnItsOwnLine)
{
    showWindow();
    auto* list = diceList();
    ASSERT_NE(list, nullptr);
    constexpr int kDice = 32767;
    for (int die = 0; die < kDice; ++die) {
        form.DiceBox.append(" " + std::to_string(die % 6 + 1) + "\r\n");
        form.repaint(&form.DiceBox);
    }
    QCoreApplication::processEvents();
    EXPECT_EQ(list->lineCount(), kDice + 1); // the last line break opens an empty line
    EXPECT_EQ(list->line(0).toString(), QStringLiteral(" 1"));
    EXPECT_EQ(list->line(kDice - 1).toString(), QStringLiteral(" 1")); // 32766 % 6 + 1
    EXPECT_EQ(list->line(kDice - 2).toString(), QStringLiteral(" 6"));
    // Every die can be scrolled to: the last screenful ends at the last line.
    EXPECT_GE(list->verticalScrollBar()->maximum() + list->verticalScrollBar()->pageStep(), kDice);
    EXPECT_FALSE(list->text().contains(QLatin1Char('\r')));
}

TEST_F(MainWindowView, diceListDrawsItsLinesRightAlignedOnGrey)
{
    showWindow();
    auto* list = diceList();
    ASSERT_NE(list, nullptr);
    for (int die = 0; die < 20; ++die)
        form.DiceBox.append(" 5\r\n");
    QCoreApplication::processEvents();
    const QImage drawn = list->viewport()->grab().toImage();
    const QColor grey(192, 192, 192);
    EXPECT_EQ(drawn.pixelColor(1, 1), grey);
    int leftmostInk = drawn.width();
    int rightmostInk = -1;
    int lowestInk = -1;
    for (int y = 0; y < drawn.height(); ++y)
        for (int x = 0; x < drawn.width(); ++x)
            if (drawn.pixelColor(x, y) != grey) {
                leftmostInk = std::min(leftmostInk, x);
                rightmostInk = std::max(rightmostInk, x);
                lowestInk = std::max(lowestInk, y);
            }
    ASSERT_GE(rightmostInk, 0) << "no line was drawn";
    EXPECT_GT(leftmostInk, drawn.width() / 2); // a short number sits at the right edge
    EXPECT_GT(rightmostInk, drawn.width() - 10);
    EXPECT_GT(lowestInk, drawn.height() * 3 / 4); // more lines than fit: they fill the view
}

TEST_F(MainWindowView, diceListScrollsWithTheWheelAndTheScrollBar)
{
    showWindow();
    auto* list = diceList();
    ASSERT_NE(list, nullptr);
    for (int die = 0; die < 100; ++die)
        form.DiceBox.append(std::to_string(die) + "\r\n");
    QCoreApplication::processEvents();
    QScrollBar* bar = list->verticalScrollBar();
    EXPECT_EQ(bar->value(), 0); // lines added below the view do not move it
    EXPECT_GT(bar->maximum(), 80);
    const QImage top = list->viewport()->grab().toImage();

    const QPointF at(10, 10);
    QWheelEvent down(at, list->viewport()->mapToGlobal(at), QPoint(), QPoint(0, -120), Qt::NoButton, Qt::NoModifier,
        Qt::NoScrollPhase, false);
    QApplication::sendEvent(list->viewport(), &down);
    EXPECT_GT(bar->value(), 0);
    EXPECT_NE(list->viewport()->grab().toImage(), top);

    bar->setValue(bar->maximum());
    const QImage bottom = list->viewport()->grab().toImage();
    bar->setValue(0);
    EXPECT_EQ(list->viewport()->grab().toImage(), top);
    EXPECT_NE(bottom, top);

    form.DiceBox.setText(""); // a new roll starts at its top
    EXPECT_EQ(bar->value(), 0);
    EXPECT_EQ(bar->maximum(), 0);
}

struct DoubleClickRow {
    const char* target; // "" for the window's own surface
    QPoint at;
    std::size_t aboutBoxes;
};

TEST_F(MainWindowView, onlyTheWindowSurfaceTakesDoubleClicks)
{
    showWindow();
    const DoubleClickRow table[] = {
        { "", { 3, 330 }, 1 }, // below the dice list, left of everything
        { "", { 204, 140 }, 1 }, // right margin, beside the programmable keys
        { "Display", { 100, 12 }, 0 }, // a label lets mouse events through to its parent
        { "Mem", { 5, 5 }, 0 }, // transparent indicator over the display
        { "btnDigit(1)", { 12, 12 }, 0 }, // an enabled key
        { "btnCustom(0)", { 20, 12 }, 0 }, // a disabled key hands its events to the window
        { "btnPrint", { 10, 10 }, 0 },
    };
    for (const DoubleClickRow& row : table) {
        SCOPED_TRACE(row.target);
        messages.shown.clear();
        QWidget* target = *row.target ? widget(row.target) : &view;
        ASSERT_NE(target, nullptr);
        QTest::mouseDClick(target, Qt::LeftButton, {}, row.at);
        ASSERT_EQ(messages.shown.size(), row.aboutBoxes);
        if (row.aboutBoxes > 0) {
            EXPECT_EQ(messages.shown.front().title, texts::kAboutTitle);
        }
    }
}

TEST_F(MainWindowView, doubleClickInsideTheDiceListIsNotTheWindows)
{
    showWindow();
    auto* list = diceList();
    ASSERT_NE(list, nullptr);
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, QPoint(10, 10));
    EXPECT_TRUE(messages.shown.empty());
}

} // namespace
} // namespace tavrol::qt::testing
