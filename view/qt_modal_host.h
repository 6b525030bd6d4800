// Shows a second window model modally: a window over its owner that takes all input until the
// model hides or unloads it. Closing it from its title bar, or with Escape, unloads it.
#pragma once

#include "platform/ports.h"

class QWidget;

namespace tavrol::qt {

class QtModalHost : public ModalHost {
public:
    void setOwner(QWidget* owner) { owner_ = owner; }
    void showModal(Form& form) override;

private:
    QWidget* owner_ = nullptr;
};

} // namespace tavrol::qt
