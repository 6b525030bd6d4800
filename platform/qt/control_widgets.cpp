#include "platform/qt/control_widgets.h"

#include "platform/qt/model_style.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionFocusRect>
#include <QTextCursor>

namespace tavrol::qt {

ModelLabel::ModelLabel(QWidget* parent, bool singleBorder)
    : QLabel(parent)
    , singleBorder_(singleBorder)
{
    if (singleBorder_)
        setContentsMargins(1, 1, 1, 1);
}

void ModelLabel::paintEvent(QPaintEvent* event)
{
    QLabel::paintEvent(event);
    if (!singleBorder_)
        return;
    QPainter painter(this);
    // In the window's text colour: the label's own may be the display's green.
    const QWidget* window = parentWidget() ? parentWidget() : this;
    painter.setPen(window->palette().color(QPalette::WindowText));
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
}

PictureKey::PictureKey(QWidget* parent)
    : QLabel(parent)
{
    // A key the keyboard must reach too, like the push buttons beside it.
    setFocusPolicy(Qt::StrongFocus);
}

void PictureKey::mousePressEvent(QMouseEvent* event)
{
    event->accept();
}

void PictureKey::mouseReleaseEvent(QMouseEvent* event)
{
    event->accept();
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()) && onClick)
        onClick();
}

void PictureKey::mouseDoubleClickEvent(QMouseEvent* event)
{
    // The second press of a double click is a press like any other: its release clicks again.
    event->accept();
}

void PictureKey::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Space) {
        event->accept();
        return;
    }
    QLabel::keyPressEvent(event);
}

void PictureKey::keyReleaseEvent(QKeyEvent* event)
{
    if (event->key() != Qt::Key_Space) {
        QLabel::keyReleaseEvent(event);
        return;
    }
    event->accept();
    // Holding Space down repeats the release; the toggle flips once per press.
    if (!event->isAutoRepeat() && onClick)
        onClick();
}

void PictureKey::paintEvent(QPaintEvent* event)
{
    QLabel::paintEvent(event);
    if (!hasFocus())
        return;
    // The picture fills the whole key, so the focus frame is drawn over its edge.
    QPainter painter(this);
    QStyleOptionFocusRect option;
    option.initFrom(this);
    option.rect = rect();
    style()->drawPrimitive(QStyle::PE_FrameFocusRect, &option, &painter, this);
}

ModelTextEdit::ModelTextEdit(QWidget* parent)
    : QPlainTextEdit(parent)
{
    setUndoRedoEnabled(false);
    connect(this, &QPlainTextEdit::textChanged, this, [this] {
        if (!changingText_ && onUserEdit)
            onUserEdit(toModelText(toPlainText()));
    });
}

void ModelTextEdit::flushQueued()
{
    if (queued_.empty())
        return;
    changingText_ = true;
    // A cursor of our own, so the user's caret and the scroll position stay where they are.
    QTextCursor end(document());
    end.movePosition(QTextCursor::End);
    end.insertText(toDisplayText(queued_));
    changingText_ = false;
    queued_.clear();
}

void ModelTextEdit::showText(std::string_view text)
{
    queued_.clear();
    changingText_ = true;
    setPlainText(toDisplayText(text));
    changingText_ = false;
}

} // namespace tavrol::qt
