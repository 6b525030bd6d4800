#include "view/qt_modal_host.h"

#include "view/qt_form_view.h"

#include <QCloseEvent>
#include <QEventLoop>
#include <QKeyEvent>

namespace tavrol::qt {
namespace {

class ModalView : public QtFormView {
public:
    ModalView(Form& form, QWidget* owner, QEventLoop& loop)
        : QtFormView(form, Kind::Dialog, owner)
        , loop_(loop)
    {
        setWindowModality(Qt::ApplicationModal);
        if (owner)
            move(owner->geometry().center() - rect().center());
    }

    void visibilityChanged(Form& form) override
    {
        if (!form.loaded() || !form.visible())
            loop_.quit();
    }

protected:
    void closeEvent(QCloseEvent* event) override
    {
        form().unload(); // any other way of closing leaves without saving
        event->accept();
    }

    // Escape leaves without saving, like the title bar; Enter saves nothing by itself.
    void keyPressEvent(QKeyEvent* event) override
    {
        if (event->key() == Qt::Key_Escape)
            close();
        else
            QtFormView::keyPressEvent(event);
    }

private:
    QEventLoop& loop_;
};

} // namespace

void QtModalHost::showModal(Form& form)
{
    QEventLoop loop;
    ModalView view(form, owner_, loop);
    view.show();
    if (form.loaded() && form.visible())
        loop.exec();
    view.hide();
}

} // namespace tavrol::qt
