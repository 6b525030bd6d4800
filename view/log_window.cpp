#include "view/log_window.h"

#include "view/log_model.h"
#include "view/session_log.h"

#include <QFile>
#include <QFileDialog>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QSaveFile>
#include <QScreen>
#include <QScrollBar>
#include <QShortcut>
#include <QTableView>
#include <QVBoxLayout>

namespace tavrol::qt {
namespace {

// Small enough to sit beside the calculator on a small screen, wide enough for a line of a roll.
constexpr int kWidth = 460;
constexpr int kHeight = 340;
constexpr int kGap = 8; // between the calculator and the log
constexpr int kNarrowest = 260; // still shows the start of a line
// A search in a long log filters every entry: typing goes on undisturbed until it pauses.
constexpr int kSearchPauseMs = 150;

} // namespace

LogWindow::LogWindow(SessionLog& log, frmTavrol& form, QWidget& calculator, std::string stateFolder)
    : QWidget(&calculator, Qt::Window) // closes with the calculator, and is no main window of its own
    , log_(log)
    , form_(form)
    , calculator_(calculator)
    , placeFile_(stateFolder + "/log-window")
    , confirm_([this](const QString& title, const QString& question) {
        return QMessageBox::question(this, title, question, QMessageBox::Yes | QMessageBox::No, QMessageBox::No)
            == QMessageBox::Yes;
    })
    , chooseFile_([this](const QString& title, const QString& suggested, const QString& filter) {
        return QFileDialog::getSaveFileName(this, title, suggested, filter);
    })
{
    setWindowTitle(QStringLiteral("Tavrol32 Log"));
    setObjectName(QStringLiteral("logWindow"));
    filtered_.setSourceModel(&log_.model());
    filtered_.setFilterRole(LogModel::kFullLineRole);
    filtered_.setFilterCaseSensitivity(Qt::CaseInsensitive);
    build();
    followNewEntries();
    log_.onStatus = [this] { showNote({}); };
    showNote({});
}

LogWindow::~LogWindow()
{
    log_.onStatus = nullptr;
    if (isVisible())
        savePlace(); // the program ends with the window open
}

void LogWindow::build()
{
    search_ = new QLineEdit(this);
    search_->setObjectName(QStringLiteral("logSearch"));
    search_->setPlaceholderText(QStringLiteral("Search"));
    search_->setAccessibleName(QStringLiteral("Search the log"));
    search_->setClearButtonEnabled(true);
    searchPause_.setSingleShot(true);
    searchPause_.setInterval(kSearchPauseMs);
    connect(&searchPause_, &QTimer::timeout, this, [this] { filtered_.setFilterFixedString(search_->text()); });
    connect(search_, &QLineEdit::textChanged, this, [this] { searchPause_.start(); });

    buildList();

    noteLine_ = new QLabel(this);
    noteLine_->setObjectName(QStringLiteral("logNote"));
    noteLine_->setWordWrap(true);
    noteLine_->setTextFormat(Qt::PlainText);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(search_);
    layout->addWidget(list_, 1);
    layout->addWidget(buildButtons());
    layout->addWidget(noteLine_);
    setTabOrder(search_, list_);

    // Ctrl+H opens the log from the calculator and closes it from here.
    auto* toggle = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_H), this);
    connect(toggle, &QShortcut::activated, this, [this] {
        close();
        calculator_.activateWindow();
    });
    resize(kWidth, kHeight);
    updateCommands();
}

void LogWindow::buildList()
{
    // A table of one column, not a list view: a list view lays out every row again for each
    // row added, which a log of a hundred thousand cannot afford; a table's rows are all alike.
    list_ = new QTableView(this);
    list_->setObjectName(QStringLiteral("logEntries"));
    list_->setAccessibleName(QStringLiteral("Log entries"));
    list_->setModel(&filtered_);
    list_->horizontalHeader()->hide();
    list_->horizontalHeader()->setStretchLastSection(true);
    list_->verticalHeader()->hide();
    list_->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    list_->verticalHeader()->setDefaultSectionSize(list_->fontMetrics().height() + 4);
    list_->setShowGrid(false);
    list_->setSelectionBehavior(QAbstractItemView::SelectRows);
    list_->setSelectionMode(QAbstractItemView::ExtendedSelection);
    list_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    list_->setTabKeyNavigation(false); // Tab leaves the list for the buttons
    list_->setWordWrap(false);
    list_->setTextElideMode(Qt::ElideRight); // a row cut short shows whole in its tooltip
    list_->installEventFilter(this);
    list_->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(list_, &QTableView::doubleClicked, this, [this] { rollAgain(); });
    connect(list_, &QWidget::customContextMenuRequested, this, [this](const QPoint& at) {
        auto* menu = new QMenu(list_);
        menu->setAttribute(Qt::WA_DeleteOnClose);
        const bool any = !selectedRows().empty();
        menu->addAction(QStringLiteral("Roll again"), this, [this] { rollAgain(); })->setEnabled(any);
        menu->addAction(QStringLiteral("Copy"), this, [this] { copySelection(); })->setEnabled(any);
        menu->addAction(QStringLiteral("Print"), this, [this] { printSelection(); })->setEnabled(any);
        buildExportMenu(menu)->setTitle(QStringLiteral("Export"));
        menu->popup(list_->viewport()->mapToGlobal(at));
    });
    connect(list_->selectionModel(), &QItemSelectionModel::selectionChanged, this, [this] { updateCommands(); });
}

QWidget* LogWindow::buildButtons()
{
    auto* row = new QWidget(this);
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    const auto add = [this, row, layout](const char* name, const QString& caption, const QString& tip) {
        auto* button = new QPushButton(caption, row);
        button->setObjectName(QString::fromLatin1(name));
        button->setToolTip(tip);
        button->setAutoDefault(false); // Enter in the list rolls again, it presses no button
        layout->addWidget(button);
        return button;
    };
    QPushButton* again = add("logRollAgain", QStringLiteral("Roll again"),
        QStringLiteral("Presses the keys of the entry again on the calculator. Keyboard: Enter or a double click"));
    connect(again, &QPushButton::clicked, this, [this] { rollAgain(); });
    QPushButton* copy = add("logCopy", QStringLiteral("Copy"),
        QStringLiteral("Copies the selected entries as lines of text. Keyboard: Ctrl+C"));
    connect(copy, &QPushButton::clicked, this, [this] { copySelection(); });
    QPushButton* exporting = add("logExport", QStringLiteral("Export"),
        QStringLiteral("Saves all the entries, or the selected ones, as a CSV or a PDF file"));
    exporting->setMenu(buildExportMenu(exporting));
    QPushButton* print
        = add("logPrint", QStringLiteral("Print"), QStringLiteral("Prints the selected entries on the tape's printer"));
    connect(print, &QPushButton::clicked, this, [this] { printSelection(); });
    QPushButton* clear = add(
        "logClear", QStringLiteral("Clear\u2026"), QStringLiteral("Removes every entry from the log, after asking"));
    connect(clear, &QPushButton::clicked, this, [this] { clearLog(); });
    needSelection_ = { again, copy, print };
    clearButton_ = clear;
    return row;
}

QMenu* LogWindow::buildExportMenu(QWidget* parent)
{
    // Within a menu, a submenu of it.
    auto* within = qobject_cast<QMenu*>(parent);
    QMenu* menu = within ? within->addMenu(QString()) : new QMenu(parent);
    const auto add = [this, menu](const QString& text, Which which, Format format) {
        QAction* action = menu->addAction(text, this, [this, which, format] { exportEntries(which, format); });
        if (which == Which::Selected)
            connect(menu, &QMenu::aboutToShow, action, [this, action] { action->setEnabled(!selectedRows().empty()); });
    };
    add(QStringLiteral("All entries as CSV\u2026"), Which::All, Format::Csv);
    add(QStringLiteral("All entries as PDF\u2026"), Which::All, Format::Pdf);
    add(QStringLiteral("Selected entries as CSV\u2026"), Which::Selected, Format::Csv);
    add(QStringLiteral("Selected entries as PDF\u2026"), Which::Selected, Format::Pdf);
    return menu;
}

void LogWindow::open()
{
    if (!placed_) {
        placed_ = true;
        if (!restorePlace())
            placeBeside();
        list_->scrollToBottom();
    }
    show();
    raise();
    activateWindow();
    list_->setFocus();
    if (!list_->currentIndex().isValid() && filtered_.rowCount() > 0)
        list_->setCurrentIndex(filtered_.index(filtered_.rowCount() - 1, 0));
}

void LogWindow::placeBeside()
{
    const QRect calculator = calculator_.frameGeometry();
    const QScreen* screen = calculator_.screen() ? calculator_.screen() : QGuiApplication::primaryScreen();
    const QRect room = screen ? screen->availableGeometry() : QRect(0, 0, 1 << 15, 1 << 15);
    const int onTheRight = room.right() - calculator.right() - kGap;
    const int onTheLeft = calculator.left() - kGap - room.left();
    // The right, else the left; on a small screen the side with more room, the window narrowed
    // to it; only on a tiny one does it cover part of the calculator.
    if (onTheRight < width() && onTheLeft < width() && std::max(onTheRight, onTheLeft) >= kNarrowest)
        resize(std::max(onTheRight, onTheLeft), height());
    int x = calculator.right() + 1 + kGap;
    if (onTheRight < width())
        x = onTheLeft >= width() ? calculator.left() - kGap - width() : room.right() + 1 - width();
    const int y = std::clamp(calculator.top(), room.top(), std::max(room.top(), room.bottom() + 1 - height()));
    move(std::max(x, room.left()), y);
}

// "x y width height" of the window, as the user last left it.
bool LogWindow::restorePlace()
{
    QFile file(QString::fromStdString(placeFile_));
    if (!file.open(QIODevice::ReadOnly) || file.size() > 100)
        return false; // missing, or no file this program wrote
    const QStringList numbers = QString::fromLatin1(file.readAll()).simplified().split(QLatin1Char(' '));
    if (numbers.size() != 4)
        return false;
    int values[4] = {};
    for (int i = 0; i < 4; ++i) {
        bool ok = false;
        values[i] = numbers[i].toInt(&ok);
        if (!ok)
            return false;
    }
    const QRect place(values[0], values[1], values[2], values[3]);
    // Somewhere the user can reach it, of a size one can work with: a screen since removed, or a
    // hand-edited file, puts the window beside the calculator instead.
    const QScreen* screen = QGuiApplication::screenAt(place.topLeft() + QPoint(20, 10));
    if (!screen || place.width() < 200 || place.height() < 120 || place.width() > screen->availableSize().width()
        || place.height() > screen->availableSize().height())
        return false;
    resize(place.size());
    move(place.topLeft());
    return true;
}

// Written whole beside the old one and renamed over it, so that a crash leaves one or the other.
void LogWindow::savePlace() const
{
    QSaveFile file(QString::fromStdString(placeFile_));
    if (!file.open(QIODevice::WriteOnly))
        return; // the next start places it beside the calculator again
    file.write(QStringLiteral("%1 %2 %3 %4\n").arg(x()).arg(y()).arg(width()).arg(height()).toLatin1());
    file.commit();
}

void LogWindow::hideEvent(QHideEvent* event)
{
    if (!event->spontaneous())
        savePlace();
    QWidget::hideEvent(event);
}

void LogWindow::followNewEntries()
{
    connect(&filtered_, &QAbstractItemModel::rowsAboutToBeInserted, this, [this](const QModelIndex&, int first) {
        const QScrollBar* bar = list_->verticalScrollBar();
        following_ = first >= filtered_.rowCount() && bar->value() >= bar->maximum();
    });
    connect(&filtered_, &QAbstractItemModel::rowsInserted, this, [this] {
        if (following_)
            list_->scrollToBottom();
        updateCommands();
    });
    connect(&filtered_, &QAbstractItemModel::modelReset, this, [this] { updateCommands(); });
}

bool LogWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (watched != list_ || event->type() != QEvent::KeyPress)
        return false;
    auto* key = static_cast<QKeyEvent*>(event);
    if (key->matches(QKeySequence::Copy)) { // the list would copy the current line alone
        copySelection();
        return true;
    }
    if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
        rollAgain();
        return true;
    }
    return false;
}

void LogWindow::keyPressEvent(QKeyEvent* event)
{
    // Escape clears a search first, then closes the window.
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        if (!search_->text().isEmpty())
            search_->clear();
        else
            close();
        return;
    }
    QWidget::keyPressEvent(event);
}

void LogWindow::showNote(const QString& text)
{
    if (!text.isNull())
        note_ = text;
    QString shown = log_.loaded() ? note_ : QStringLiteral("Reading the log\u2026");
    const QString status = log_.status();
    if (!status.isEmpty())
        shown = shown.isEmpty() ? status : status + QLatin1Char(' ') + shown;
    noteLine_->setText(shown);
    noteLine_->setVisible(!shown.isEmpty());
    updateCommands();
}

QString LogWindow::note() const
{
    return noteLine_->text();
}

void LogWindow::updateCommands()
{
    const bool any = list_->currentIndex().isValid() || !list_->selectionModel()->selectedRows().isEmpty();
    for (QWidget* command : needSelection_)
        command->setEnabled(any);
    clearButton_->setEnabled(log_.loaded() && log_.model().rowCount() > 0);
}

} // namespace tavrol::qt
