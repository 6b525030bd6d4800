#include "view/main_window_keys.h"

#include "shell/frmTavrol.h"
#include "view/qt_form_view.h"

#include <QAbstractButton>
#include <QAbstractScrollArea>
#include <QClipboard>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMenu>
#include <string>

namespace tavrol::qt {
namespace {

// Long enough to see a key go down, short enough that fast typing shows each press.
constexpr int kPressedLookMs = 120;
// How long a shortcut that may go on ("d10", or "d100") waits for its next key.
constexpr int kPauseMs = 600;

// The key as the keyboard leaf names it; "" for a key that is none of the window's business (a
// modifier alone, an arrow, Space, anything with Alt), which then does not end a pending "d".
std::string typedName(const QKeyEvent& event)
{
    const Qt::KeyboardModifiers modifiers = event.modifiers() & ~Qt::KeypadModifier;
    if (modifiers & (Qt::AltModifier | Qt::MetaModifier))
        return {};
    const int key = event.key();
    if (modifiers & Qt::ControlModifier) {
        if (key < Qt::Key_A || key > Qt::Key_Z)
            return {};
        return std::string((modifiers & Qt::ShiftModifier) ? "Ctrl+Shift+" : "Ctrl+")
            + static_cast<char>('A' + (key - Qt::Key_A));
    }
    switch (key) {
    case Qt::Key_F9:
        return "F9";
    case Qt::Key_Escape:
        return "Escape";
    case Qt::Key_Delete:
        return "Delete";
    // The main Return key and the keypad's Enter are both Enter to the user.
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return "Enter";
    default:
        break;
    }
    const QString text = event.text();
    if (text.size() != 1 || !text.front().isPrint() || text.front().isSpace())
        return {};
    return text.toStdString();
}

} // namespace

MainWindowKeys::MainWindowKeys(frmTavrol& form, QtFormView& view)
    : form_(form)
    , view_(view)
{
    pause_.setSingleShot(true);
    pause_.setInterval(kPauseMs);
    connect(&pause_, &QTimer::timeout, this, [this] { run(keyboard_.pause()); });
    view.installEventFilter(this);

    if (QWidget* list = view.widgetFor(form.DiceBox)) {
        list->setContextMenuPolicy(Qt::CustomContextMenu);
        connect(list, &QWidget::customContextMenuRequested, this,
            [this, list](const QPoint& at) { popUp(diceMenu(list), *list, at); });
    }
    // The keys and labels leave a right click to the window, which offers its own menu.
    view.setContextMenuPolicy(Qt::CustomContextMenu);
    connect(&view, &QWidget::customContextMenuRequested, this,
        [this](const QPoint& at) { popUp(windowMenu(&view_), view_, at); });
}

void MainWindowKeys::popUp(QMenu* menu, QWidget& over, const QPoint& at)
{
    if (menu->isEmpty()) { // nothing to offer where nothing shows the log
        delete menu;
        return;
    }
    menu->setAttribute(Qt::WA_DeleteOnClose);
    // A scroll area reports the place in its viewport.
    auto* area = qobject_cast<QAbstractScrollArea*>(&over);
    menu->popup((area ? area->viewport() : &over)->mapToGlobal(at));
}

QMenu* MainWindowKeys::windowMenu(QWidget* parent)
{
    auto* menu = new QMenu(parent);
    addShowLog(*menu);
    return menu;
}

void MainWindowKeys::addShowLog(QMenu& menu)
{
    if (!showLog_)
        return;
    if (!menu.isEmpty())
        menu.addSeparator();
    QAction* show = menu.addAction(QStringLiteral("Show log"), this, [this] { showLog_(); });
    show->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_H));
    show->setShortcutContext(Qt::WidgetShortcut); // typing reaches it through the keyboard leaf
    show->setShortcutVisibleInContextMenu(true);
}

QMenu* MainWindowKeys::diceMenu(QWidget* parent)
{
    auto* menu = new QMenu(parent);
    QAction* copy = menu->addAction(QStringLiteral("Copy dice"), this, [this] { copyDice(); });
    // Shown beside the entry; bound to the open menu alone, since typing on the window reaches it
    // through the keyboard leaf.
    copy->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_C));
    copy->setShortcutContext(Qt::WidgetShortcut);
    copy->setShortcutVisibleInContextMenu(true);
    copy->setEnabled(!diceToCopy(form_.DiceBox.text()).empty());
    addShowLog(*menu);
    return menu;
}

bool MainWindowKeys::eventFilter(QObject* watched, QEvent* event)
{
    // Only what the focused control did not take itself reaches the window.
    if (watched != &view_ || event->type() != QEvent::KeyPress)
        return false;
    const auto& key = static_cast<const QKeyEvent&>(*event);
    const std::string name = typedName(key);
    if (name.empty())
        return false;
    const Typed typed = keyboard_.type({ name, key.modifiers().testFlag(Qt::KeypadModifier) });
    if (keyboard_.waiting())
        pause_.start();
    else
        pause_.stop();
    run(typed.actions);
    return typed.taken;
}

void MainWindowKeys::run(const std::vector<KeyboardAction>& actions)
{
    for (const KeyboardAction& action : actions) {
        if (const auto* key = std::get_if<KeyPress>(&action)) {
            press(*key);
            continue;
        }
        if (std::holds_alternative<WindowCommand>(action)) {
            if (showLog_)
                showLog_();
            continue;
        }
        switch (std::get<ClipboardCommand>(action)) {
        case ClipboardCommand::CopyNumber:
            copyNumber();
            break;
        case ClipboardCommand::CopyDice:
            copyDice();
            break;
        case ClipboardCommand::Paste:
            paste();
            break;
        }
    }
}

void MainWindowKeys::press(KeyPress key)
{
    CommandButton* model = form_.key(key);
    // A disabled key takes a typed press as it takes a click: not at all.
    if (!model || !model->enabled())
        return;
    if (auto* button = qobject_cast<QAbstractButton*>(view_.widgetFor(*model)))
        showPressed(*button);
    model->click();
}

// Down at once and up a moment later, without delaying the click as animateClick would.
void MainWindowKeys::showPressed(QAbstractButton& button)
{
    QTimer*& release = pressedLooks_[&button];
    if (!release) {
        release = new QTimer(this);
        release->setSingleShot(true);
        release->setInterval(kPressedLookMs);
        connect(release, &QTimer::timeout, &button, [&button] { button.setDown(false); });
    }
    button.setDown(true);
    release->start();
}

void MainWindowKeys::copyNumber()
{
    const std::string number = numberToCopy(form_.Display.caption(), form_.statuswatch.visible());
    if (!number.empty())
        QGuiApplication::clipboard()->setText(QString::fromStdString(number));
}

void MainWindowKeys::copyDice()
{
    const std::string dice = diceToCopy(form_.DiceBox.text());
    if (!dice.empty())
        QGuiApplication::clipboard()->setText(QString::fromStdString(dice));
}

void MainWindowKeys::paste()
{
    for (const KeyPress key : keysForPaste(QGuiApplication::clipboard()->text().toStdString()))
        press(key);
}

} // namespace tavrol::qt
