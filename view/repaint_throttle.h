// Turns the model's "draw now" requests into at most one immediate paint per frame. A request
// within a frame of the last forced paint only marks its area dirty; the next request after the
// frame paints everything dirty at once, and a catch-up timer paints whatever is still dirty
// once the handler returns to the event loop, so the final state is always drawn.
#pragma once

#include <QElapsedTimer>
#include <QRegion>
#include <QTimer>
#include <functional>

class QWidget;

namespace tavrol::qt {

class RepaintThrottle {
public:
    static constexpr int kFrameMs = 16;

    // `flushQueued` brings queued content (text appends) into the widgets before they paint.
    RepaintThrottle(QWidget& window, std::function<void()> flushQueued);

    // Draw `widget` (the whole window when null) now, or within the frame.
    void paintSoon(QWidget* widget);
    // `widget` has queued content: it is drawn with the next paint, or once the handler returns.
    void contentQueued(QWidget* widget);
    // Something asked for is not drawn yet: an area is dirty or the catch-up is still to run.
    bool pending() const { return catchUpTimer_.isActive() || !dirty_.isEmpty(); }

private:
    void markDirty(QWidget* widget);
    void paintNow();
    void catchUp();

    QWidget& window_;
    std::function<void()> flushQueued_;
    QElapsedTimer sinceForcedPaint_;
    QRegion dirty_;
    QTimer catchUpTimer_;
};

} // namespace tavrol::qt
