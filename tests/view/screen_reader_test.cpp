// What a screen reader finds in the main window beyond the names of its controls: the dice list
// as a list of its lines, the tape toggle as a checkable button it can press, and a programmed
// key's whole caption however short the key draws it.
#include "dice/random_source.h"
#include "platform/recording_ports.h"
#include "shell/frmTavrol.h"
#include "view/control_widgets.h"
#include "view/qt_form_view.h"

#include <QAccessible>
#include <QCoreApplication>
#include <QTest>
#include <algorithm>
#include <gtest/gtest.h>
#include <string>
#include <utility>
#include <vector>

namespace tavrol::qt::testing {
namespace {

class ScreenReader : public ::testing::Test {
protected:
    MemorySettings settings;
    RecordingPrinter printer;
    RecordingMessageBox messages;
    NullModalHost modal;
    ScriptedFaces random { { 4, 2, 6 } };
    frmTavrol form { FormPorts { settings, printer, messages, modal, random } };
    QtFormView view { form };

    void SetUp() override
    {
        view.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&view));
    }

    QAccessibleInterface* spoken(const char* key)
    {
        QWidget* shown = view.findChild<QWidget*>(QString::fromLatin1(key));
        EXPECT_NE(shown, nullptr) << key;
        return shown ? QAccessible::queryAccessibleInterface(shown) : nullptr;
    }

    static std::vector<std::string> names(QAccessibleInterface& list)
    {
        std::vector<std::string> read;
        for (int i = 0; i < list.childCount(); ++i)
            read.push_back(list.child(i)->text(QAccessible::Name).toStdString());
        return read;
    }
};

TEST_F(ScreenReader, diceListIsAListOfItsLinesAsShown)
{
    auto* shown = view.findChild<ModelListView*>(QStringLiteral("DiceBox"));
    QAccessibleInterface* list = spoken("DiceBox");
    ASSERT_TRUE(shown && list);
    EXPECT_EQ(list->role(), QAccessible::List);
    EXPECT_EQ(list->text(QAccessible::Name), QStringLiteral("Dice list"));
    EXPECT_EQ(list->childCount(), 0);

    form.btnDigit_Click(digitKey(3));
    form.btnDice_Click(DiceKey::D6);
    QCoreApplication::processEvents();
    ASSERT_EQ(shown->text(), QStringLiteral(" 4\n 2\n 6\n"));
    // The open line after the last line break is no item.
    EXPECT_EQ(names(*list), (std::vector<std::string> { " 4", " 2", " 6" }));
    for (int i = 0; i < list->childCount(); ++i) {
        SCOPED_TRACE(i);
        QAccessibleInterface* line = list->child(i);
        EXPECT_EQ(line->role(), QAccessible::ListItem);
        EXPECT_EQ(list->child(i), line); // made once, when first asked for
        EXPECT_EQ(list->indexOfChild(line), i);
        EXPECT_EQ(line->parent(), list);
        EXPECT_EQ(list->childAt(line->rect().center().x(), line->rect().center().y()), line);
        ASSERT_NE(line->tableCellInterface(), nullptr);
        EXPECT_EQ(line->tableCellInterface()->rowIndex(), i);
    }
    EXPECT_EQ(list->child(3), nullptr);
    ASSERT_NE(list->tableInterface(), nullptr);
    EXPECT_EQ(list->tableInterface()->rowCount(), 3);
    EXPECT_EQ(list->tableInterface()->cellAt(1, 0), list->child(1));

    form.btnDice_Click(DiceKey::Best); // sorted: the items follow the list as it is now
    QCoreApplication::processEvents();
    EXPECT_EQ(names(*list), (std::vector<std::string> { "6", "4", "2" }));
    form.btnClear_Click(ClearKey::All);
    EXPECT_EQ(list->childCount(), 0);
}

TEST_F(ScreenReader, everyDieOfTheLongestRollIsAnItemAndOnlyThoseInSightAreOnScreen)
{
    constexpr int kDice = 32767;
    std::string lines;
    for (int die = 0; die < kDice; ++die)
        lines += " " + std::to_string(die % 6 + 1) + "\r\n";
    form.DiceBox.append(lines);
    QCoreApplication::processEvents();
    QAccessibleInterface* list = spoken("DiceBox");
    ASSERT_NE(list, nullptr);
    ASSERT_EQ(list->childCount(), kDice);
    EXPECT_EQ(list->child(kDice - 2)->text(QAccessible::Name), QStringLiteral(" 6")); // 32765 % 6 + 1
    EXPECT_FALSE(list->child(0)->state().offscreen);
    EXPECT_TRUE(list->child(kDice - 1)->state().offscreen);
}

TEST_F(ScreenReader, tapeToggleIsACheckableButtonCheckedWhileTheTapeRuns)
{
    QAccessibleInterface* toggle = spoken("btnPrint");
    ASSERT_NE(toggle, nullptr);
    EXPECT_EQ(toggle->role(), QAccessible::CheckBox);
    EXPECT_EQ(toggle->text(QAccessible::Name), QStringLiteral("Tape on or off"));
    EXPECT_TRUE(toggle->state().checkable);
    EXPECT_FALSE(toggle->state().checked);
    QAccessibleActionInterface* actions = toggle->actionInterface();
    ASSERT_NE(actions, nullptr);
    ASSERT_TRUE(actions->actionNames().contains(QAccessibleActionInterface::pressAction()));

    const struct {
        const char* tag;
        bool checked;
    } presses[] = { { "Pon", true }, { "Poff", false } };
    for (const auto& press : presses) {
        SCOPED_TRACE(press.tag);
        actions->doAction(QAccessibleActionInterface::pressAction());
        EXPECT_EQ(form.btnPrint.tag(), press.tag);
        EXPECT_EQ(toggle->state().checked, press.checked);
    }
    form.btnPrint_Click(); // the state follows the tape however it is switched
    EXPECT_TRUE(toggle->state().checked);

    form.btnPrint.setEnabled(false);
    EXPECT_FALSE(actions->actionNames().contains(QAccessibleActionInterface::pressAction()));
    actions->doAction(QAccessibleActionInterface::pressAction());
    EXPECT_EQ(form.btnPrint.tag(), "Pon");
}

struct CaptionRow {
    const char* caption;
    bool fits;
};

TEST_F(ScreenReader, captionTooWideForItsKeyEndsInAnEllipsisAndIsSpokenWhole)
{
    auto* key = view.findChild<ModelButton*>(QStringLiteral("btnCustom(0)"));
    QAccessibleInterface* spokenKey = spoken("btnCustom(0)");
    ASSERT_TRUE(key && spokenKey);
    form.btnCustom[tavrol::programmableKey(0)]->setEnabled(true);
    // The columns the caption's letters take on the drawn key.
    const auto letters = [this, key](const char* caption) {
        form.btnCustom[tavrol::programmableKey(0)]->setCaption("");
        const QImage bare = key->grab().toImage();
        form.btnCustom[tavrol::programmableKey(0)]->setCaption(caption);
        const QImage drawn = key->grab().toImage();
        int first = drawn.width();
        int last = -1;
        for (int x = 0; x < drawn.width(); ++x)
            for (int y = 0; y < drawn.height(); ++y)
                if (drawn.pixelColor(x, y) != bare.pixelColor(x, y)) {
                    first = std::min(first, x);
                    last = std::max(last, x);
                }
        return std::pair { first, last };
    };
    const CaptionRow table[] = { { "Lightning Bolt", false }, { "Axe", true }, { "Program", true } };
    for (const CaptionRow& row : table) {
        SCOPED_TRACE(row.caption);
        const auto [first, last] = letters(row.caption);
        EXPECT_GE(first, 2); // clear of the key's edges
        EXPECT_LE(last, key->width() - 3);
        const QString caption = QString::fromUtf8(row.caption);
        EXPECT_EQ(key->text(), caption);
        EXPECT_EQ(spokenKey->text(QAccessible::Name), caption);
        const QString drawn = key->shownCaption();
        if (row.fits) {
            EXPECT_EQ(drawn, caption);
            continue;
        }
        ASSERT_TRUE(drawn.endsWith(QChar(0x2026))) << drawn.toStdString();
        EXPECT_TRUE(caption.startsWith(drawn.chopped(1))) << drawn.toStdString(); // its beginning is kept
    }
}

} // namespace
} // namespace tavrol::qt::testing
