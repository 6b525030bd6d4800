// The main window's keyboard and clipboard. A key typed on the window presses the window's key as
// a click does, through the model, and shows it pressed for a moment; Ctrl+C, Ctrl+Shift+C and
// Ctrl+V copy the number, copy the dice and paste a number. A right click on the dice list offers
// to copy the dice. Keys a focused control takes itself (Space on a key, the arrows) stay its own.
#pragma once

#include "programs/keyboard.h"

#include <QObject>
#include <QTimer>
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

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void run(const std::vector<KeyboardAction>& actions);
    void press(KeyPress key);
    void showPressed(QAbstractButton& button);
    void copyNumber();
    void copyDice();
    void paste();

    frmTavrol& form_;
    QtFormView& view_;
    Keyboard keyboard_;
    QTimer pause_; // settles a shortcut that waits for more ("d10") when no more comes
    std::unordered_map<QAbstractButton*, QTimer*> pressedLooks_;
};

} // namespace tavrol::qt
