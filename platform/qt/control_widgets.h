// Widgets that Qt lacks as such: a label with a single-line border, a picture that is a key,
// and a multi-line text box that takes appends in batches.
#pragma once

#include <QLabel>
#include <QPlainTextEdit>
#include <functional>
#include <string>
#include <string_view>

namespace tavrol::qt {

// A label that may have a flat, one-pixel border in the window's text colour.
class ModelLabel : public QLabel {
public:
    ModelLabel(QWidget* parent, bool singleBorder);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    bool singleBorder_;
};

// A picture box that reports a click when the mouse is released over it, or when Space is
// released while it has keyboard focus, as a push button does.
class PictureKey : public QLabel {
public:
    explicit PictureKey(QWidget* parent);
    std::function<void()> onClick;

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
};

// A multi-line text box showing a model text. Appends are queued and inserted at the end in one
// go when flushed, so a list built from thousands of appends costs time in proportion to what
// was appended and is laid out once per flush, not once per append.
class ModelTextEdit : public QPlainTextEdit {
public:
    explicit ModelTextEdit(QWidget* parent);

    void queueAppend(std::string_view added) { queued_.append(added); }
    bool hasQueued() const { return !queued_.empty(); }
    void flushQueued();
    // Replaces the whole text; anything queued is already part of it.
    void showText(std::string_view text);

    // A user's edit, as the model's text; programmatic changes do not report.
    std::function<void(std::string)> onUserEdit;

private:
    std::string queued_;
    bool changingText_ = false;
};

} // namespace tavrol::qt
