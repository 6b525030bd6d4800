// The title bar a window draws itself where the desktop draws none. On Wayland Qt decorates the
// window itself, with a maximize button that a window of fixed size cannot obey (the compositor
// then ends the program) and so little room that "Tavrol32 Beta 1" reads "Tavrol32 Be". This bar
// shows the icon and the whole title, moves the window when dragged, and has only the keys a
// window of fixed size can honour: minimize (not on a dialog) and close.
#pragma once

#include <QAbstractButton>
#include <QWidget>

namespace tavrol::qt {

// Who draws a window's frame and title bar.
enum class WindowFrame {
    Desktop, // the window manager or compositor (X11, and anything but Wayland)
    Own, // the window itself, above its client area
};

// Wayland draws its own: what a Wayland compositor leaves to the client, Qt would draw badly.
WindowFrame platformFrame();

class TitleBar : public QWidget {
public:
    static constexpr int kHeight = 24;

    TitleBar(QWidget* window, bool minimizable);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    // A window of fixed size neither maximizes nor rolls up: a double click does nothing.
    void mouseDoubleClickEvent(QMouseEvent* event) override;
};

// One key of the title bar, a glyph drawn in the window's text colour so that it follows a dark
// theme as the title does.
class TitleKey : public QAbstractButton {
public:
    enum class Glyph { Minimize, Close };
    TitleKey(QWidget* parent, Glyph glyph);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    Glyph glyph_;
};

} // namespace tavrol::qt
