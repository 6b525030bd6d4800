// The message box port on Qt: a modal information box with one OK button.
#pragma once

#include "platform/ports.h"

#include <QString>
#include <string>

class QWidget;

namespace tavrol::qt {

// Message text as Qt shows it: "\r\n" and a lone "\r" are line breaks.
QString toMessageText(const std::string& utf8);

class QtMessageBox : public MessageBox {
public:
    // The box is centred on `parent` when there is one; the parent may be set later.
    explicit QtMessageBox(QWidget* parent = nullptr)
        : parent_(parent)
    {
    }
    void setParent(QWidget* parent) { parent_ = parent; }
    void information(const std::string& title, const std::string& text) override;

private:
    QWidget* parent_;
};

} // namespace tavrol::qt
