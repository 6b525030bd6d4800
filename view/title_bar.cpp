#include "view/title_bar.h"

#include <QGuiApplication>
#include <QIcon>
#include <QMouseEvent>
#include <QPainter>
#include <QWindow>

namespace tavrol::qt {
namespace {

constexpr int kKeyWidth = 22;
constexpr int kMargin = 4;
constexpr int kIconSize = 16;
constexpr qreal kGlyphSize = 8;

} // namespace

WindowFrame platformFrame()
{
    return QGuiApplication::platformName().startsWith(QLatin1String("wayland")) ? WindowFrame::Own
                                                                                : WindowFrame::Desktop;
}

TitleBar::TitleBar(QWidget* window, bool minimizable)
    : QWidget(window)
{
    setGeometry(1, 1, window->width() - 2, kHeight - 1); // inside the frame the window draws round itself
    int left = width();
    const auto addKey = [this, &left](TitleKey::Glyph glyph, const char* name) {
        auto* key = new TitleKey(this, glyph);
        left -= kKeyWidth + 1;
        key->setGeometry(left, 1, kKeyWidth, kHeight - 3);
        key->setAccessibleName(QString::fromLatin1(name));
        return key;
    };
    connect(addKey(TitleKey::Glyph::Close, "Close"), &QAbstractButton::clicked, window, &QWidget::close);
    if (minimizable)
        connect(
            addKey(TitleKey::Glyph::Minimize, "Minimize"), &QAbstractButton::clicked, window, &QWidget::showMinimized);
}

void TitleBar::paintEvent(QPaintEvent* /*event*/)
{
    QPainter painter(this);
    const QPalette& colours = palette();
    painter.fillRect(rect(), colours.color(QPalette::Window));
    painter.setPen(colours.color(QPalette::Mid)); // where the bar ends and the window begins
    painter.drawLine(0, height() - 1, width() - 1, height() - 1);

    int left = kMargin;
    if (const QIcon icon = window()->windowIcon(); !icon.isNull()) {
        icon.paint(&painter, QRect(left, (height() - kIconSize) / 2, kIconSize, kIconSize));
        left += kIconSize + kMargin;
    }
    int right = width();
    for (const QObject* child : children())
        if (const auto* key = qobject_cast<const QWidget*>(child))
            right = std::min(right, key->x());
    QFont font = this->font();
    font.setBold(true);
    painter.setFont(font);
    painter.setPen(
        colours.color(window()->isActiveWindow() ? QPalette::Active : QPalette::Disabled, QPalette::WindowText));
    const QRect room(left, 0, right - kMargin - left, height() - 1);
    const QString title = QFontMetrics(font).elidedText(window()->windowTitle(), Qt::ElideRight, room.width());
    painter.drawText(room, Qt::AlignLeft | Qt::AlignVCenter, title);
}

void TitleBar::mousePressEvent(QMouseEvent* event)
{
    event->accept();
    if (event->button() == Qt::LeftButton)
        if (QWindow* handle = window()->windowHandle())
            handle->startSystemMove();
}

void TitleBar::mouseDoubleClickEvent(QMouseEvent* event)
{
    event->accept();
}

TitleKey::TitleKey(QWidget* parent, Glyph glyph)
    : QAbstractButton(parent)
    , glyph_(glyph)
{
    setFocusPolicy(Qt::NoFocus); // as on every desktop: the keyboard closes with Escape or Alt+F4
    setAttribute(Qt::WA_Hover);
}

void TitleKey::paintEvent(QPaintEvent* /*event*/)
{
    QPainter painter(this);
    if (isDown() || underMouse())
        painter.fillRect(rect(), palette().color(isDown() ? QPalette::Dark : QPalette::Midlight));
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(palette().color(QPalette::WindowText), 1.5));
    const QRectF box((width() - kGlyphSize) / 2.0, (height() - kGlyphSize) / 2.0, kGlyphSize, kGlyphSize);
    switch (glyph_) {
    case Glyph::Minimize:
        painter.drawLine(box.bottomLeft(), box.bottomRight());
        break;
    case Glyph::Close:
        painter.drawLine(box.topLeft(), box.bottomRight());
        painter.drawLine(box.bottomLeft(), box.topRight());
        break;
    }
}

} // namespace tavrol::qt
