// Renders any window model as Qt widgets, generically from its controls, forwards the user's
// clicks and edits to the model, and applies the model's changes as they are made.
#pragma once

#include "platform/form.h"
#include "view/repaint_throttle.h"
#include "view/title_bar.h"

#include <QPointer>
#include <QWidget>
#include <memory>
#include <string_view>
#include <unordered_map>
#include <vector>

class QTimer;

namespace tavrol::qt {

class Announcer;
class QueuedText;

class QtFormView : public QWidget, public FormObserver {
public:
    enum class Kind { Main, Dialog };

    // Builds the widgets and starts observing `form`, which must outlive the view. The view is a
    // window of the model's client size, placed where the model puts it, that can be neither
    // resized nor maximized; a dialog stays over its owner. Where it draws its own frame, its
    // title bar lies above the client area.
    explicit QtFormView(
        Form& form, Kind kind = Kind::Main, QWidget* owner = nullptr, WindowFrame frame = platformFrame());
    ~QtFormView() override;

    Form& form() const { return form_; }
    // The widget showing `control`; null for a timer.
    QWidget* widgetFor(const Control& control) const;
    QTimer* timerFor(const Control& control) const;

    void propertyChanged(Control& control, Property property) override;
    void textAppended(TextBox& box, std::string_view added) override;
    void captionChanged(Form& form) override;
    void repaint(Control* control) override;
    void clicked(Control& control) override;
    using QWidget::repaint;

    // Whether a text append or a draw request is still waiting for the event loop. Lets a
    // benchmark run the loop until what a handler changed is on the screen.
    bool paintPending() const;

protected:
    // Only a double click on the window's own surface is the window's; one on a control is not.
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void changeEvent(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void makeFixedWindow(Kind kind, WindowFrame frame);
    // Where `control` lies in its holder, or below the title bar the window draws itself.
    QRect placeOf(const Control& control) const;
    QWidget* createWidget(Control& control);
    QWidget* createTextBox(TextBox& box);
    QTimer* createTimer(Timer& timer);
    void placeInHolders();
    void applyStacking();
    void applyTabOrder();
    void applyInitialFocus();
    void findOverlaps();
    void readOverFixedColours();
    // Whether `control` lies over or under another label; only their changes move the clearance.
    bool inOverlap(const Control& control) const;
    void clearOverlaps();
    void focusMoved(QWidget* from, QWidget* to);
    void applyState(Control& control);
    void applyCaption(Control& control);
    void applyText(TextBox& box);
    void chooseOption(OptionButton& option);
    void showChosen(OptionButton& option);
    void flushQueuedText();
    void applyTimer(Timer& timer, Property property);
    void announceSoon();
    void announceLabels();

    Form& form_;
    int clientTop_ = 0; // the height of the title bar the window draws itself
    TitleBar* titleBar_ = nullptr;
    std::unordered_map<const Control*, QWidget*> widgets_;
    std::unordered_map<const Control*, QTimer*> timers_;
    // The multi-line boxes, which queue their appends until the next flush.
    std::unordered_map<const Control*, QueuedText*> multiLineBoxes_;
    std::vector<const Control*> tabStops_; // in the order Tab visits them
    // Labels whose left end lies under a transparent label stacked above them.
    struct Overlap {
        const Control* under;
        const Control* over;
    };
    std::vector<Overlap> overlaps_;
    // The control raised above its neighbours while it has the focus, and the sibling it goes
    // back under when the focus leaves it.
    QPointer<QWidget> raised_;
    QPointer<QWidget> raisedBelow_;
    QMetaObject::Connection focusWatch_;
    bool focusPlaced_ = false;
    RepaintThrottle throttle_;
    // Speaks the announced labels after every key; none for a window without such labels.
    Announcer* announcer_ = nullptr;
    bool announcePending_ = false;
};

} // namespace tavrol::qt
