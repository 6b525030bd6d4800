// Widgets that Qt lacks as such: a label with a single-line border, a key whose caption is
// shortened to fit, a picture that is a key, a multi-line text box that takes appends in batches,
// and a read-only list of lines that does too.
#pragma once

#include <QAbstractScrollArea>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QString>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tavrol::qt {

// A label that may have a flat, one-pixel border in the window's text colour.
class ModelLabel : public QLabel {
public:
    ModelLabel(QWidget* parent, bool singleBorder);
    // Keeps the text at least `pixels` from the label's left edge; 0 puts it back where it was.
    void setTextClearance(int pixels);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    bool singleBorder_;
};

// A push button whose caption, when wider than the key, ends in "…" instead of being cut at both
// ends. The button's text stays the whole caption: it is what a screen reader speaks.
class ModelButton : public QPushButton {
public:
    explicit ModelButton(QWidget* parent);
    // The caption as drawn: the whole of it, or as much as fits followed by "…".
    QString shownCaption() const;

protected:
    void paintEvent(QPaintEvent* event) override;
};

// A picture box that reports a click when the mouse is released over it, or when Space is
// released while it has keyboard focus, as a push button does. It may be a two-state key, whose
// state a screen reader reads and hears change; the picture alone shows it on the screen.
class PictureKey : public QLabel {
public:
    explicit PictureKey(QWidget* parent);
    std::function<void()> onClick;
    void click();

    bool isCheckable() const { return checkable_; }
    void setCheckable(bool checkable) { checkable_ = checkable; }
    bool isChecked() const { return checked_; }
    void setChecked(bool checked);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    bool checkable_ = false;
    bool checked_ = false;
};

// A multi-line box showing a model text. Appends are queued and brought in at the end in one go
// when flushed, so a list built from thousands of appends costs time in proportion to what was
// appended and is laid out once per flush, not once per append.
class QueuedText {
public:
    virtual ~QueuedText() = default;

    void queueAppend(std::string_view added) { queued_.append(added); }
    bool hasQueued() const { return !queued_.empty(); }
    virtual void flushQueued() = 0;
    // Replaces the whole text; anything queued is already part of it.
    virtual void showText(std::string_view text) = 0;

protected:
    std::string queued_;
};

// An editable multi-line text box.
class ModelTextEdit : public QPlainTextEdit, public QueuedText {
public:
    explicit ModelTextEdit(QWidget* parent);

    void flushQueued() override;
    void showText(std::string_view text) override;

    // A user's edit, as the model's text; programmatic changes do not report.
    std::function<void(std::string)> onUserEdit;

private:
    bool changingText_ = false;
};

// A read-only multi-line box: a list of lines such as the dice of a roll, which may run to a
// hundred thousand lines. A text document would cost a block per line and its machinery at
// start; this keeps the text as one string with where each line starts, and draws only the
// lines in sight. It takes focus and passes Tab on; the arrow keys, Page Up and Down, Home and
// End walk a current line, framed while the list has the focus. Screen readers see it as a
// list of its lines (view/accessibility.h), told of every change and of the current line.
class ModelListView : public QAbstractScrollArea, public QueuedText {
public:
    explicit ModelListView(QWidget* parent);

    void flushQueued() override;
    void showText(std::string_view text) override;

    void setAlignment(Qt::Alignment alignment);
    Qt::Alignment alignment() const { return alignment_; }
    // What is shown, lines joined by line feeds; a final line break opens an empty last line.
    const QString& text() const { return text_; }
    qsizetype lineCount() const { return static_cast<qsizetype>(lineStarts_.size()); }
    QStringView line(qsizetype index) const;
    // The lines that hold something: all but the empty line a final line break opens.
    qsizetype filledLineCount() const;
    // Where line `index` is drawn, in the viewport; it may lie outside it.
    QRect lineRect(qsizetype index) const;
    // The line drawn at `point` of the viewport, or -1.
    qsizetype lineAt(QPoint point) const;
    // The line the keys walk: one of the filled lines, or -1 before the first key.
    qsizetype currentLine() const { return current_; }
    void setCurrentLine(qsizetype index);
    // The lines that read as numbers, added up: the total of the dice a roll listed. None when
    // no line is a number.
    std::optional<double> numberTotal() const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    void announceCurrentLine();
    void indexLinesFrom(qsizetype from);
    void updateScrollRange();
    int lineHeight() const;
    int visibleLines() const;
    void announceLines(qsizetype filledBefore, bool openLineFilled);

    QString text_;
    std::vector<qsizetype> lineStarts_ { 0 };
    Qt::Alignment alignment_ = Qt::AlignLeft;
    qsizetype current_ = -1;
};

// What a screen reader hears without the focus moving: an unseen status bar whose one
// notification says each text given to announce(). Orca speaks a notification as it is shown,
// and names no role for one that sits in a status bar.
class Announcer : public QWidget {
public:
    explicit Announcer(QWidget* parent);
    void announce(const QString& text);
    const QString& text() const { return text_; }

private:
    QString text_;
};

} // namespace tavrol::qt
