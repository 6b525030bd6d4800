// The main window's keyboard and clipboard. A key typed on the window presses the window's key as
// a click does, through the model, and shows it pressed for a moment; Ctrl+C, Ctrl+Shift+C and
// Ctrl+V copy the number, copy the dice and paste a number; Ctrl+H shows the log. A right click on
// the dice list offers to copy the dice, and on the window to show the log. Keys a focused control
// takes itself (Space on a key, the arrows) stay its own.
#pragma once

#include "programs/keyboard.h"

#include <QObject>
#include <QTimer>
#include <functional>
#include <unordered_map>

class QAbstractButton;
class QMenu;

namespace tavrol {
class frmTavrol;
}

namespace tavrol::qt {

class QtFormView;

class MainWindowKeys : public QObject {
public:
    // Watches `view`, which draws `form`; both must outlive this.
    MainWindowKeys(frmTavrol& form, QtFormView& view);

    // The dice list's menu, as a right click shows it; the caller owns it.
    QMenu* diceMenu(QWidget* parent);
    // The window's own menu, as a right click anywhere else on it shows it; the caller owns it.
    QMenu* windowMenu(QWidget* parent);

    // What shows the log; without it, Ctrl+H does nothing and the menus offer no log (the window's
    // own menu is then empty and does not open).
    void setShowLog(std::function<void()> showLog) { showLog_ = std::move(showLog); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void run(const std::vector<KeyboardAction>& actions);
    void press(KeyPress key);
    void showPressed(QAbstractButton& button);
    void copyNumber();
    void copyDice();
    void paste();
    void addShowLog(QMenu& menu);
    void popUp(QMenu* menu, QWidget& over, const QPoint& at);

    frmTavrol& form_;
    QtFormView& view_;
    Keyboard keyboard_;
    QTimer pause_; // settles a shortcut that waits for more ("d10") when no more comes
    std::unordered_map<QAbstractButton*, QTimer*> pressedLooks_;
    std::function<void()> showLog_;
};

} // namespace tavrol::qt
