#include "view/qt_message_box.h"

#include <QEvent>
#include <QMessageBox>
#include <QPointer>
#include <QWidget>
#include <utility>
#include <vector>

namespace tavrol::qt {

QString toMessageText(const std::string& utf8)
{
    QString text = QString::fromStdString(utf8);
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return text;
}

namespace {

void show(QWidget* parent, const QString& title, const QString& text)
{
    QMessageBox::information(parent, title, text, QMessageBox::Ok);
}

} // namespace

// Holds the boxes asked for before the parent was shown, and shows them once the event loop has
// put the parent on screen.
class QtMessageBox::Waiting : public QObject {
public:
    void watch(QWidget* parent)
    {
        if (parent_)
            parent_->removeEventFilter(this);
        parent_ = parent;
        shown_ = false;
        if (parent_)
            parent_->installEventFilter(this);
    }
    void add(const QString& title, const QString& text) { boxes_.push_back({ title, text }); }
    // Once the parent was on screen, a box never waits for it again: hidden, it is closing, and a
    // box asked for then (where the tape went, at the end of the program) shows on its own.
    bool parentWasShown() const { return parent_ && (shown_ || parent_->isVisible()); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (watched != parent_ || event->type() != QEvent::Show)
            return false;
        shown_ = true;
        if (!boxes_.empty())
            QMetaObject::invokeMethod(
                this, [this] { showWaiting(); }, Qt::QueuedConnection);
        return false;
    }

private:
    void showWaiting()
    {
        auto boxes = std::exchange(boxes_, {});
        for (const auto& [title, text] : boxes)
            show(parent_, title, text);
    }

    QPointer<QWidget> parent_;
    bool shown_ = false;
    std::vector<std::pair<QString, QString>> boxes_;
};

QtMessageBox::QtMessageBox(QWidget* parent)
    : waiting_(std::make_unique<Waiting>())
{
    setParent(parent);
}

QtMessageBox::~QtMessageBox() = default;

void QtMessageBox::setParent(QWidget* parent)
{
    parent_ = parent;
    waiting_->watch(parent);
}

void QtMessageBox::information(const std::string& title, const std::string& text)
{
    if (parent_ && !waiting_->parentWasShown()) {
        waiting_->add(QString::fromStdString(title), toMessageText(text));
        return;
    }
    show(parent_ && parent_->isVisible() ? parent_ : nullptr, QString::fromStdString(title), toMessageText(text));
}

} // namespace tavrol::qt
