// The message box port on Qt: a modal information box with one OK button.
#pragma once

#include "platform/ports.h"

#include <QString>
#include <memory>
#include <string>

class QWidget;

namespace tavrol::qt {

// Message text as Qt shows it: "\r\n" and a lone "\r" are line breaks.
QString toMessageText(const std::string& utf8);

class QtMessageBox : public MessageBox {
public:
    // The box is centred on `parent` when there is one; the parent may be set later.
    explicit QtMessageBox(QWidget* parent = nullptr);
    ~QtMessageBox() override;
    void setParent(QWidget* parent);
    // A box asked for while the parent is not yet shown (the program loading its keys before
    // its window appears) waits, and shows over the window once it is up. One asked for after the
    // parent was closed shows on its own.
    void information(const std::string& title, const std::string& text) override;

private:
    class Waiting;
    QWidget* parent_ = nullptr;
    std::unique_ptr<Waiting> waiting_;
};

} // namespace tavrol::qt
