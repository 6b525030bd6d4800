#include "view/repaint_throttle.h"

#include <QWidget>

namespace tavrol::qt {

RepaintThrottle::RepaintThrottle(QWidget& window, std::function<void()> flushQueued)
    : window_(window)
    , flushQueued_(std::move(flushQueued))
{
    catchUpTimer_.setSingleShot(true);
    QObject::connect(&catchUpTimer_, &QTimer::timeout, &window_, [this] { catchUp(); });
}

void RepaintThrottle::markDirty(QWidget* widget)
{
    if (!widget || widget == &window_)
        dirty_ = QRegion(window_.rect());
    else
        dirty_ += QRect(widget->mapTo(&window_, QPoint(0, 0)), widget->size());
}

void RepaintThrottle::paintSoon(QWidget* widget)
{
    markDirty(widget);
    const qint64 elapsed = sinceForcedPaint_.isValid() ? sinceForcedPaint_.elapsed() : kFrameMs;
    if (elapsed >= kFrameMs) {
        paintNow();
        return;
    }
    if (!catchUpTimer_.isActive())
        catchUpTimer_.start(static_cast<int>(kFrameMs - elapsed));
}

void RepaintThrottle::contentQueued(QWidget* widget)
{
    markDirty(widget);
    if (!catchUpTimer_.isActive())
        catchUpTimer_.start(0);
}

void RepaintThrottle::paintNow()
{
    flushQueued_();
    window_.repaint(dirty_);
    dirty_ = QRegion();
    sinceForcedPaint_.start();
}

void RepaintThrottle::catchUp()
{
    flushQueued_();
    window_.update(dirty_);
    dirty_ = QRegion();
}

} // namespace tavrol::qt
