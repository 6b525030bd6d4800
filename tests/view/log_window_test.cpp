// The log window over the real main window, offscreen: opened with Ctrl+H or the window's menu,
// its entries as a screen reader reads them, the file behind it, and its commands.
#include "main_window_fixture.h"
#include "platform/tape_journal.h"
#include "view/log_model.h"
#include "view/log_window.h"
#include "view/main_window_keys.h"
#include "view/session_log.h"

#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QMenu>
#include <QScrollBar>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>
#include <memory>

namespace tavrol::qt::testing {
namespace {

// Every die shows its lowest face.
class LogWindowTest : public MainWindowView {
protected:
    QTemporaryDir state;
    const std::string folder = state.path().toStdString();
    MainWindowKeys keys { form, view };
    std::unique_ptr<SessionLog> log;
    std::unique_ptr<LogWindow> window;

    void SetUp() override
    {
        settings.values[{ "Tavrol32", "custom", "0" }] = "Fire,3x+2=";
        form.Form_Load();
        form.pauser.tick();
        startLog();
        view.show();
        QApplication::setActiveWindow(&view);
        ASSERT_TRUE(QTest::qWaitForWindowActive(&view));
    }

    void startLog()
    {
        window.reset();
        log.reset();
        log = std::make_unique<SessionLog>(form, folder);
        window = std::make_unique<LogWindow>(*log, form, view, folder);
        keys.setShowLog([this] { window->open(); });
        ASSERT_TRUE(settled());
    }

    bool settled()
    {
        return QTest::qWaitFor([this] { return log->settled(); }, 30000);
    }

    // Clicks the keys of the window whose captions are given, separated by blanks.
    void press(const std::string& captions)
    {
        std::size_t start = 0;
        while (start < captions.size()) {
            const std::size_t end = std::min(captions.find(' ', start), captions.size());
            const std::string caption = captions.substr(start, end - start);
            start = end + 1;
            for (const auto& control : form.controls())
                if (auto* key = dynamic_cast<Clickable*>(control.get()); key && key->caption() == caption) {
                    key->click();
                    break;
                }
        }
    }

    QTableView& list() { return *window->findChild<QTableView*>(QStringLiteral("logEntries")); }

    // The entries as a screen reader reads them: the table's rows, each one cell.
    QStringList spokenLines()
    {
        QAccessibleInterface* shown = QAccessible::queryAccessibleInterface(&list());
        QAccessibleTableInterface* table = shown ? shown->tableInterface() : nullptr;
        QStringList lines;
        for (int row = 0; table && row < table->rowCount(); ++row) {
            EXPECT_EQ(table->columnCount(), 1);
            lines << table->cellAt(row, 0)->text(QAccessible::Name);
        }
        return lines;
    }

    QString fileText() const
    {
        QFile file(QString::fromStdString(log->path()));
        return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
    }

    void select(int row)
    {
        list().setCurrentIndex(list().model()->index(row, 0));
        list().selectionModel()->select(list().currentIndex(), QItemSelectionModel::ClearAndSelect);
    }
};

TEST_F(LogWindowTest, controlHOpensAWindowOfItsOwnBesideTheCalculator)
{
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_H, Qt::ControlModifier);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    EXPECT_TRUE(window->isWindow());
    EXPECT_FALSE(window->isModal());
    EXPECT_TRUE(window->windowTitle().contains(QStringLiteral("Log")));
    EXPECT_GT(window->x(), view.frameGeometry().right()) << "beside the calculator, not over it";
}

TEST_F(LogWindowTest, theWindowsOwnMenuShowsTheLog)
{
    std::unique_ptr<QMenu> menu(keys.windowMenu(&view));
    ASSERT_FALSE(menu->actions().isEmpty());
    QAction* show = menu->actions().front();
    EXPECT_EQ(show->text(), QStringLiteral("Show log"));
    show->trigger();
    EXPECT_TRUE(window->isVisible());
}

TEST_F(LogWindowTest, aScreenReaderReadsEachEntryAsOneLineAndNewOnesTakeNoFocus)
{
    window->open();
    QApplication::setActiveWindow(&view);
    QWidget* typing = view.findChild<QWidget*>(QStringLiteral("btnClear(0)"));
    typing->setFocus();
    press("3 d6 1 2 + 3 0 =");
    EXPECT_EQ(QApplication::focusWidget(), typing);
    const QStringList lines = spokenLines();
    ASSERT_EQ(lines.size(), 2);
    EXPECT_TRUE(lines[0].endsWith(QStringLiteral("  3d6, dice 1 1 1, result 3"))
        || lines[0].contains(QStringLiteral("3d6, dice 1 1 1, result 3, percentile 0.5")))
        << lines[0].toStdString();
    EXPECT_TRUE(lines[1].endsWith(QStringLiteral("  12 + 30 =, result 42"))) << lines[1].toStdString();
}

TEST_F(LogWindowTest, theListFollowsNewEntriesUnlessScrolledAway)
{
    window->open();
    for (int i = 0; i < 60; ++i)
        press("=");
    QCoreApplication::processEvents();
    QScrollBar* bar = list().verticalScrollBar();
    ASSERT_GT(bar->maximum(), 0);
    EXPECT_EQ(bar->value(), bar->maximum());
    bar->setValue(0);
    press("=");
    QCoreApplication::processEvents();
    EXPECT_EQ(bar->value(), 0) << "the list jumped away from where the user is reading";
}

TEST_F(LogWindowTest, eachEntryIsInTheCsvFileInOrderWithItsPercentile)
{
    press("3 d6 1 2 + 3 0 =");
    ASSERT_TRUE(settled());
    const QStringList rows = fileText().split(QStringLiteral("\r\n"), Qt::SkipEmptyParts);
    ASSERT_EQ(rows.size(), 3);
    EXPECT_TRUE(rows[0].startsWith(QStringLiteral("time,keys,dice,result,percentile,")));
    const QStringList roll = rows[1].split(QLatin1Char(','));
    EXPECT_EQ(roll.mid(1, 3), (QStringList { "3d6", "1 1 1", "3" }));
    EXPECT_NEAR(roll[4].toDouble(), 100.0 / 216, 1e-4) << "3 on 3d6: 1 roll in 216";
    EXPECT_EQ(roll[5], QStringLiteral("yes")) << "exact";
    const QStringList sum = rows[2].split(QLatin1Char(','));
    EXPECT_EQ(sum.mid(1, 4), (QStringList { "12 + 30 =", "", "42", "" }));
}

TEST_F(LogWindowTest, entriesAKilledProgramHadOnTheirWayAreWrittenAtTheNextStart)
{
    const QString onItsWay = QStringLiteral("2026-03-01T20:15:03+00:00,1 d6,4,4,,,,,1x");
    {
        // As the killed program left it: the first entry written, the second still on its way.
        std::string error;
        TapeJournal journal = TapeJournal::start(folder, error, "log");
        ASSERT_TRUE(journal.isOpen()) << error;
        journal.appendLine("+2026-03-01T20:15:02+00:00,1 d6,3,3,,,,,1x");
        journal.appendLine("+" + onItsWay.toStdString());
        journal.appendLine("-");
        QFile file(QString::fromStdString(log->path()));
        ASSERT_TRUE(file.open(QIODevice::Append));
        file.write("time,keys,dice,result,percentile,percentile_exact,message,programmed_key,recorded_keys\r\n"
                   "2026-03-01T20:15:02+00:00,1 d6,3,3,,,,,1x\r\n");
    } // closed unhandled, as a kill leaves it
    startLog();
    const QStringList rows = fileText().split(QStringLiteral("\r\n"), Qt::SkipEmptyParts);
    ASSERT_EQ(rows.size(), 3) << fileText().toStdString();
    EXPECT_EQ(rows[2], onItsWay) << "written once, after the entry written before the kill";
    EXPECT_EQ(log->model().rowCount(), 2);
    EXPECT_TRUE(QDir(state.path()).entryList({ QStringLiteral("log-*") }).isEmpty()) << "the journal stays";
}

TEST_F(LogWindowTest, searchKeepsTheEntriesThatHoldTheText)
{
    window->open();
    press("3 d6 1 2 + 3 0 =");
    QTest::keyClicks(window->findChild<QLineEdit*>(QStringLiteral("logSearch")), "D6");
    ASSERT_TRUE(QTest::qWaitFor([this] { return list().model()->rowCount() == 1; }));
    EXPECT_TRUE(spokenLines().front().contains(QStringLiteral("3d6")));
}

TEST_F(LogWindowTest, controlCCopiesTheSelectedEntriesAsLinesOfText)
{
    window->open();
    press("3 d6 1 2 + 3 0 =");
    ASSERT_TRUE(settled());
    list().selectAll();
    QTest::keyClick(&list(), Qt::Key_C, Qt::ControlModifier);
    const QStringList copied = QGuiApplication::clipboard()->text().split(QLatin1Char('\n'));
    ASSERT_EQ(copied.size(), 2);
    EXPECT_TRUE(copied[0].contains(QStringLiteral("3d6, dice 1 1 1, result 3, percentile 0.5")));
    EXPECT_TRUE(copied[1].endsWith(QStringLiteral("12 + 30 =, result 42")));
}

TEST_F(LogWindowTest, enterRollsAnEntryAgainOnTheCalculatorAsANewEntry)
{
    window->open();
    press("3 d6 AC Fire");
    select(0);
    QTest::keyClick(&list(), Qt::Key_Return);
    select(1);
    QTest::keyClick(&list(), Qt::Key_Return);
    ASSERT_EQ(log->model().rowCount(), 4);
    EXPECT_EQ(log->model().entry(2).keys, "3d6");
    EXPECT_EQ(log->model().entry(3).keys, "Fire (3d6 + 2)") << "the programmed key itself is pressed";
    EXPECT_EQ(form.Display.caption(), "5.");
}

TEST_F(LogWindowTest, clearingAsksFirstAndThenEmptiesTheLogAndItsFile)
{
    press("3 d6");
    ASSERT_TRUE(settled());
    bool answer = false;
    int asked = 0;
    window->setConfirm([&](const QString&, const QString&) {
        ++asked;
        return answer;
    });
    window->clearLog();
    EXPECT_EQ(log->model().rowCount(), 1);
    answer = true;
    window->clearLog();
    EXPECT_EQ(asked, 2);
    EXPECT_EQ(log->model().rowCount(), 0);
    EXPECT_FALSE(QFile::exists(QString::fromStdString(log->path())));
}

TEST_F(LogWindowTest, exportWritesTheChosenEntriesAsCsvOrThroughTheTapesPdfWriter)
{
    window->open();
    press("3 d6 1 2 + 3 0 =");
    ASSERT_TRUE(settled());
    select(1);
    const QString csv = state.filePath(QStringLiteral("chosen.csv"));
    const QString pdf = state.filePath(QStringLiteral("all.pdf"));
    window->setChooseFile([&](const QString&, const QString&, const QString& filter) {
        return filter.contains(QStringLiteral("csv")) ? csv : pdf;
    });
    ASSERT_TRUE(window->exportEntries(LogWindow::Which::Selected, LogWindow::Format::Csv));
    QFile written(csv);
    ASSERT_TRUE(written.open(QIODevice::ReadOnly));
    const QStringList rows = QString::fromUtf8(written.readAll()).split(QStringLiteral("\r\n"), Qt::SkipEmptyParts);
    ASSERT_EQ(rows.size(), 2);
    EXPECT_TRUE(rows[1].contains(QStringLiteral(",12 + 30 =,,42,")));
    ASSERT_TRUE(window->exportEntries(LogWindow::Which::All, LogWindow::Format::Pdf));
    QFile paper(pdf);
    ASSERT_TRUE(paper.open(QIODevice::ReadOnly));
    EXPECT_TRUE(paper.read(5) == "%PDF-");
}

TEST_F(LogWindowTest, printingSendsTheSelectedLinesToTheTapesPrinter)
{
    window->open();
    press("1 2 + 3 0 =");
    select(0);
    window->printSelection();
    ASSERT_EQ(printer.lines.size(), 2u);
    EXPECT_TRUE(QString::fromStdString(printer.lines[0]).endsWith(QStringLiteral("12 + 30 =, result 42")));
    EXPECT_EQ(printer.lines[1], "<end document>") << "a job of its own while the tape is off";
    form.btnPrint.click();
    printer.lines.clear();
    window->printSelection();
    EXPECT_EQ(printer.lines.size(), 1u) << "a running tape takes the lines among its own";
}

TEST_F(LogWindowTest, theWindowComesBackWhereTheUserLeftIt)
{
    window->open();
    window->move(window->x() + 40, 70);
    window->resize(380, 300);
    const QRect left(window->pos(), window->size());
    window->close();
    startLog();
    window->open();
    EXPECT_EQ(QRect(window->pos(), window->size()), left);
}

TEST_F(LogWindowTest, aLogThatCannotBeWrittenIsToldOnceAndTheEntriesStay)
{
    ASSERT_TRUE(QDir().mkpath(QString::fromStdString(log->path()))); // a folder where the file belongs
    press("1 2 + 3 0 = 5 =");
    QCoreApplication::processEvents();
    EXPECT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(log->model().rowCount(), 2);
    EXPECT_TRUE(window->note().contains(QStringLiteral("cannot be written"))) << window->note().toStdString();
    ASSERT_TRUE(QDir().rmdir(QString::fromStdString(log->path())));
    press("7 =");
    EXPECT_EQ(fileText().count(QStringLiteral("\r\n")), 4) << "the entries kept are written once it can be";
    EXPECT_FALSE(window->note().contains(QStringLiteral("cannot be written")));
}

} // namespace
} // namespace tavrol::qt::testing
