#include "view/control_widgets.h"

#include "view/model_style.h"

#include <QAccessible>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QScrollBar>
#include <QStyle>
#include <QStyleOptionButton>
#include <QStyleOptionFocusRect>
#include <QStylePainter>
#include <QTextCursor>
#include <algorithm>

namespace tavrol::qt {

ModelLabel::ModelLabel(QWidget* parent, bool singleBorder)
    : QLabel(parent)
    , singleBorder_(singleBorder)
{
    if (singleBorder_)
        setContentsMargins(1, 1, 1, 1);
}

// A margin, not the indent: a top-aligned label indents its top as well.
void ModelLabel::setTextClearance(int pixels)
{
    QMargins margins = contentsMargins();
    margins.setLeft(std::max(singleBorder_ ? 1 : 0, pixels));
    setContentsMargins(margins);
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

ModelButton::ModelButton(QWidget* parent)
    : QPushButton(parent)
{
}

namespace {

// What fits between the key's edges, where its label is drawn. A style whose margins leave a
// narrow key less room than the key itself gives way to the key's width less a thin edge: the
// style centres a caption wider than its room over its margins, clear of the key's frame.
// Adwaita's margins would otherwise leave "MC" as "…" and "worst" as "w…".
QString fittedCaption(const QPushButton& key, const QStyleOptionButton& option)
{
    constexpr int kEdge = 2;
    const int styleRoom = key.style()->subElementRect(QStyle::SE_PushButtonContents, &option, &key).width();
    const int room = std::max(styleRoom, key.width() - 2 * kEdge);
    return key.fontMetrics().elidedText(option.text, Qt::ElideRight, room, Qt::TextShowMnemonic);
}

} // namespace

QString ModelButton::shownCaption() const
{
    QStyleOptionButton option;
    initStyleOption(&option);
    return fittedCaption(*this, option);
}

// As QPushButton draws itself, with the caption cut to fit.
void ModelButton::paintEvent(QPaintEvent* /*event*/)
{
    QStylePainter painter(this);
    QStyleOptionButton option;
    initStyleOption(&option);
    option.text = fittedCaption(*this, option);
    painter.drawControl(QStyle::CE_PushButton, option);
}

PictureKey::PictureKey(QWidget* parent)
    : QLabel(parent)
{
    // A key the keyboard must reach too, like the push buttons beside it.
    setFocusPolicy(Qt::StrongFocus);
}

void PictureKey::click()
{
    if (onClick)
        onClick();
}

void PictureKey::setChecked(bool checked)
{
    if (checked == checked_)
        return;
    checked_ = checked;
    QAccessible::State changed;
    changed.checked = true;
    QAccessibleStateChangeEvent event(this, changed);
    QAccessible::updateAccessibility(&event);
}

void PictureKey::mousePressEvent(QMouseEvent* event)
{
    event->accept();
}

void PictureKey::mouseReleaseEvent(QMouseEvent* event)
{
    event->accept();
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        click();
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
    if (!event->isAutoRepeat())
        click();
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

namespace {

// Room between the frame and the text, as a text box leaves it.
constexpr int kListMargin = 4;

} // namespace

ModelListView::ModelListView(QWidget* parent)
    : QAbstractScrollArea(parent)
{
    // A stop on the Tab round, so the keyboard can scroll the list; Tab itself moves on, since the
    // list types nothing.
    setFocusPolicy(Qt::StrongFocus);
    verticalScrollBar()->setSingleStep(1); // the scroll bar counts lines, not pixels
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
}

void ModelListView::setAlignment(Qt::Alignment alignment)
{
    alignment_ = alignment;
    viewport()->update();
}

QStringView ModelListView::line(qsizetype index) const
{
    const qsizetype start = lineStarts_[static_cast<std::size_t>(index)];
    const qsizetype end = index + 1 < lineCount() ? lineStarts_[static_cast<std::size_t>(index + 1)] - 1 : text_.size();
    return QStringView(text_).sliced(start, end - start);
}

qsizetype ModelListView::filledLineCount() const
{
    return line(lineCount() - 1).isEmpty() ? lineCount() - 1 : lineCount();
}

QRect ModelListView::lineRect(qsizetype index) const
{
    const qsizetype fromTop = index - verticalScrollBar()->value();
    return { kListMargin, kListMargin + static_cast<int>(fromTop) * lineHeight(), viewport()->width() - 2 * kListMargin,
        lineHeight() };
}

qsizetype ModelListView::lineAt(QPoint point) const
{
    if (point.y() < kListMargin || !viewport()->rect().contains(point))
        return -1;
    const qsizetype index = verticalScrollBar()->value() + (point.y() - kListMargin) / lineHeight();
    return index < lineCount() ? index : -1;
}

void ModelListView::setCurrentLine(qsizetype index)
{
    const qsizetype filled = filledLineCount();
    index = filled == 0 ? -1 : std::clamp<qsizetype>(index, 0, filled - 1);
    if (index == current_)
        return;
    current_ = index;
    QScrollBar* bar = verticalScrollBar();
    if (current_ >= 0 && current_ < bar->value())
        bar->setValue(static_cast<int>(current_));
    else if (current_ >= bar->value() + visibleLines())
        bar->setValue(static_cast<int>(current_ - visibleLines() + 1));
    viewport()->update();
    if (hasFocus())
        announceCurrentLine();
}

std::optional<double> ModelListView::numberTotal() const
{
    std::optional<double> total;
    for (qsizetype index = 0; index < lineCount(); ++index) {
        bool number = false;
        const double value = line(index).trimmed().toDouble(&number);
        if (number)
            total = total.value_or(0) + value;
    }
    return total;
}

// A reader follows the current line as it follows the focus, and speaks it.
void ModelListView::announceCurrentLine()
{
    if (!QAccessible::isActive() || current_ < 0)
        return;
    QAccessibleEvent event(this, QAccessible::Focus);
    event.setChild(static_cast<int>(current_));
    QAccessible::updateAccessibility(&event);
}

// Screen readers keep no copy of the lines (they ask for those they read), but are told which
// lines came and when the whole text was replaced.
void ModelListView::announceLines(qsizetype filledBefore, bool openLineFilled)
{
    if (!QAccessible::isActive())
        return;
    const auto rows = [this](QAccessibleTableModelChangeEvent::ModelChangeType type, qsizetype first, qsizetype last) {
        QAccessibleTableModelChangeEvent event(this, type);
        event.setFirstRow(static_cast<int>(first));
        event.setLastRow(static_cast<int>(last));
        event.setFirstColumn(0);
        event.setLastColumn(0);
        QAccessible::updateAccessibility(&event);
    };
    if (openLineFilled) // the line that had no line break yet may have grown
        rows(QAccessibleTableModelChangeEvent::DataChanged, filledBefore - 1, filledBefore - 1);
    const qsizetype filled = filledLineCount();
    if (filled > filledBefore)
        rows(QAccessibleTableModelChangeEvent::RowsInserted, filledBefore, filled - 1);
}

void ModelListView::indexLinesFrom(qsizetype from)
{
    const QChar* chars = text_.constData();
    for (qsizetype i = from; i < text_.size(); ++i)
        if (chars[i] == QLatin1Char('\n'))
            lineStarts_.push_back(i + 1);
}

void ModelListView::flushQueued()
{
    if (queued_.empty())
        return;
    const qsizetype firstChanged = lineCount() - 1; // the open last line takes the first piece
    const qsizetype filledBefore = filledLineCount();
    const bool openLineFilled = filledBefore == lineCount();
    const qsizetype from = text_.size();
    text_.append(toDisplayText(queued_));
    queued_.clear();
    indexLinesFrom(from);
    updateScrollRange();
    // Lines added below the view change only the scroll bar.
    if (firstChanged < verticalScrollBar()->value() + visibleLines() + 1)
        viewport()->update();
    announceLines(filledBefore, openLineFilled);
}

void ModelListView::showText(std::string_view text)
{
    queued_.clear();
    text_ = toDisplayText(text);
    current_ = -1; // a new text is walked from its top
    lineStarts_.assign(1, 0);
    indexLinesFrom(0);
    updateScrollRange();
    verticalScrollBar()->setValue(0); // a new text is read from its top
    viewport()->update();
    if (QAccessible::isActive()) {
        QAccessibleTableModelChangeEvent event(this, QAccessibleTableModelChangeEvent::ModelReset);
        QAccessible::updateAccessibility(&event);
    }
}

// Lines stand as far apart as in a text box of the same font: leading included.
int ModelListView::lineHeight() const
{
    return std::max(1, fontMetrics().lineSpacing());
}

int ModelListView::visibleLines() const
{
    return std::max(1, (viewport()->height() - 2 * kListMargin) / lineHeight());
}

// Once per flush, not per line: a long roll adds its lines in a few batches.
void ModelListView::updateScrollRange()
{
    const int visible = visibleLines();
    QScrollBar* bar = verticalScrollBar();
    bar->setPageStep(visible);
    bar->setRange(0, static_cast<int>(std::max<qsizetype>(0, lineCount() - visible)));
}

void ModelListView::paintEvent(QPaintEvent* event)
{
    QPainter painter(viewport());
    painter.setPen(palette().color(QPalette::Text));
    const int height = lineHeight();
    const QRect area = event->rect();
    const int width = viewport()->width() - 2 * kListMargin;
    const qsizetype top = verticalScrollBar()->value();
    // Only the lines that cross the area to draw.
    const qsizetype first = top + std::max(0, area.top() - kListMargin) / height;
    const qsizetype last = std::min(lineCount() - 1, top + std::max(0, area.bottom() - kListMargin) / height);
    for (qsizetype index = first; index <= last; ++index) {
        const int y = kListMargin + static_cast<int>(index - top) * height;
        painter.drawText(
            QRect(kListMargin, y, width, height), static_cast<int>(alignment_ | Qt::AlignTop), line(index).toString());
    }
    if (!hasFocus())
        return;
    // An outline in the highlight colour around the lines, inside the box's own frame, as a
    // focused key has; the style's focus rectangle would tint the whole list. A thinner one
    // frames the current line.
    painter.setPen(palette().color(QPalette::Highlight));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(viewport()->rect().adjusted(0, 0, -1, -1));
    if (current_ >= first && current_ <= last)
        painter.drawRect(lineRect(current_).adjusted(-2, 0, 1, -1));
}

void ModelListView::resizeEvent(QResizeEvent* event)
{
    QAbstractScrollArea::resizeEvent(event);
    updateScrollRange();
}

void ModelListView::changeEvent(QEvent* event)
{
    QAbstractScrollArea::changeEvent(event);
    if (event->type() == QEvent::FontChange)
        updateScrollRange();
}

// The focus comes to the list on its first line in sight, spoken once the reader has heard of
// the list itself.
void ModelListView::focusInEvent(QFocusEvent* event)
{
    QAbstractScrollArea::focusInEvent(event);
    if (current_ < 0 && filledLineCount() > 0)
        current_ = std::min<qsizetype>(verticalScrollBar()->value(), filledLineCount() - 1);
    viewport()->update();
    QMetaObject::invokeMethod(
        this,
        [this] {
            if (hasFocus())
                announceCurrentLine();
        },
        Qt::QueuedConnection);
}

void ModelListView::focusOutEvent(QFocusEvent* event)
{
    QAbstractScrollArea::focusOutEvent(event);
    viewport()->update();
}

void ModelListView::keyPressEvent(QKeyEvent* event)
{
    const qsizetype page = visibleLines();
    const qsizetype from = current_ < 0 ? verticalScrollBar()->value() - 1 : current_;
    qsizetype to = 0;
    switch (event->key()) {
    case Qt::Key_Up:
        to = current_ < 0 ? from + 1 : from - 1;
        break;
    case Qt::Key_Down:
        to = from + 1;
        break;
    case Qt::Key_PageUp:
        to = from - page;
        break;
    case Qt::Key_PageDown:
        to = from + page;
        break;
    case Qt::Key_Home:
        to = 0;
        break;
    case Qt::Key_End:
        to = filledLineCount() - 1;
        break;
    default:
        QAbstractScrollArea::keyPressEvent(event);
        return;
    }
    event->accept();
    setCurrentLine(to);
}

void ModelListView::mousePressEvent(QMouseEvent* event)
{
    // Nothing to select or place a caret in; the press is the list's all the same, so the window
    // under it does not take it.
    event->accept();
}

void ModelListView::mouseDoubleClickEvent(QMouseEvent* event)
{
    // Not the window's double click: that one is only for its bare surface.
    event->accept();
}

Announcer::Announcer(QWidget* parent)
    : QWidget(parent)
{
    setFocusPolicy(Qt::NoFocus);
    hide(); // heard, never seen
}

void Announcer::announce(const QString& text)
{
    text_ = text;
    if (!QAccessible::isActive())
        return;
    QAccessibleInterface* bar = QAccessible::queryAccessibleInterface(this);
    QAccessibleInterface* notification = bar ? bar->child(0) : nullptr;
    if (!notification)
        return;
    QAccessibleEvent shown(notification, QAccessible::ObjectShow);
    QAccessible::updateAccessibility(&shown);
}

} // namespace tavrol::qt
