#include "view/accessibility.h"

#include "view/control_widgets.h"
#include "view/qt_form_view.h"

#include <QAccessibleWidget>
#include <QPointer>
#include <QRadioButton>
#include <QWidget>
#include <QWindow>
#include <optional>
#include <unordered_map>

namespace tavrol::qt {
namespace {

// "Total 12" for a list whose lines hold numbers, "" for one that holds none.
QString spokenTotal(const ModelListView& list)
{
    const std::optional<double> total = list.numberTotal();
    return total ? QStringLiteral("Total %1").arg(QString::number(*total, 'g', 15)) : QString();
}

// A list of lines as a list of items rather than one read-only text: a reader announces a list
// with its number of items and reads an item by its index, where a text without a caret would
// be read from its top. The list has a table interface of one column so that Qt marks it as
// managing its descendants on AT-SPI: readers then ask for the items they read instead of
// caching 32767 of them, and the items are made only when asked for.
class ModelListAccessible : public QAccessibleWidget, public QAccessibleTableInterface {
public:
    explicit ModelListAccessible(ModelListView* list)
        : QAccessibleWidget(list, QAccessible::List)
    {
    }
    ~ModelListAccessible() override { forgetLines(); }

    void* interface_cast(QAccessible::InterfaceType type) override
    {
        if (type == QAccessible::TableInterface)
            return static_cast<QAccessibleTableInterface*>(this);
        return QAccessibleWidget::interface_cast(type);
    }

    int childCount() const override { return static_cast<int>(list()->filledLineCount()); }
    QAccessibleInterface* child(int index) const override;
    QAccessibleInterface* focusChild() const override
    {
        return list()->hasFocus() && list()->currentLine() >= 0 ? child(static_cast<int>(list()->currentLine()))
                                                                : nullptr;
    }
    // The description begins with the total of the listed numbers: the dice, and what they
    // came to.
    QString text(QAccessible::Text kind) const override
    {
        const QString said = QAccessibleWidget::text(kind);
        const QString total = kind == QAccessible::Description ? spokenTotal(*list()) : QString();
        if (total.isEmpty())
            return said;
        return said.isEmpty() ? total : total + QStringLiteral(". ") + said;
    }
    int indexOfChild(const QAccessibleInterface* child) const override;
    QAccessibleInterface* childAt(int x, int y) const override;

    // A table of one column, nothing selected.
    QAccessibleInterface* caption() const override { return nullptr; }
    QAccessibleInterface* summary() const override { return nullptr; }
    QAccessibleInterface* cellAt(int row, int column) const override { return column == 0 ? child(row) : nullptr; }
    int selectedCellCount() const override { return 0; }
    QList<QAccessibleInterface*> selectedCells() const override { return {}; }
    QString columnDescription(int /*column*/) const override { return {}; }
    QString rowDescription(int /*row*/) const override { return {}; }
    int selectedColumnCount() const override { return 0; }
    int selectedRowCount() const override { return 0; }
    int columnCount() const override { return 1; }
    int rowCount() const override { return childCount(); }
    QList<int> selectedColumns() const override { return {}; }
    QList<int> selectedRows() const override { return {}; }
    bool isColumnSelected(int /*column*/) const override { return false; }
    bool isRowSelected(int /*row*/) const override { return false; }
    bool selectRow(int /*row*/) override { return false; }
    bool selectColumn(int /*column*/) override { return false; }
    bool unselectRow(int /*row*/) override { return false; }
    bool unselectColumn(int /*column*/) override { return false; }

    // Lines keep their index as lines are added; a new text makes every item made so far stale.
    void modelChange(QAccessibleTableModelChangeEvent* event) override
    {
        if (event->modelChangeType() == QAccessibleTableModelChangeEvent::ModelReset)
            forgetLines();
    }

    ModelListView* list() const { return static_cast<ModelListView*>(widget()); }

private:
    void forgetLines()
    {
        for (const auto& [index, id] : lines_)
            QAccessible::deleteAccessibleInterface(id);
        lines_.clear();
    }

    mutable std::unordered_map<int, QAccessible::Id> lines_; // the items made so far
};

// One line of the list: an item that reads the line at its index whenever it is asked.
class LineAccessible : public QAccessibleInterface, public QAccessibleTableCellInterface {
public:
    LineAccessible(ModelListView* list, int index)
        : list_(list)
        , index_(index)
    {
    }

    void* interface_cast(QAccessible::InterfaceType type) override
    {
        if (type == QAccessible::TableCellInterface)
            return static_cast<QAccessibleTableCellInterface*>(this);
        return nullptr;
    }

    bool isValid() const override { return list_ && index_ < list_->filledLineCount(); }
    QObject* object() const override { return nullptr; }
    QWindow* window() const override { return list_ ? list_->window()->windowHandle() : nullptr; }
    QAccessibleInterface* childAt(int /*x*/, int /*y*/) const override { return nullptr; }
    QAccessibleInterface* parent() const override { return QAccessible::queryAccessibleInterface(list_.data()); }
    QAccessibleInterface* child(int /*index*/) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface* /*child*/) const override { return -1; }

    // The last line says the total after it, as a reader walking the list comes to the end.
    QString text(QAccessible::Text kind) const override
    {
        if (!isValid())
            return {};
        if (kind == QAccessible::Name)
            return list_->line(index_).toString();
        if (kind == QAccessible::Description && index_ == list_->filledLineCount() - 1)
            return spokenTotal(*list_);
        return {};
    }
    void setText(QAccessible::Text /*kind*/, const QString& /*text*/) override { }
    QRect rect() const override
    {
        if (!list_)
            return {};
        const QRect drawn = list_->lineRect(index_);
        return { list_->viewport()->mapToGlobal(drawn.topLeft()), drawn.size() };
    }
    QAccessible::Role role() const override { return QAccessible::ListItem; }
    QAccessible::State state() const override
    {
        QAccessible::State state;
        state.invisible = !list_ || !list_->isVisible();
        state.offscreen = state.invisible || !list_->viewport()->rect().intersects(list_->lineRect(index_));
        state.focusable = true;
        state.focused = list_ && list_->hasFocus() && list_->currentLine() == index_;
        return state;
    }

    bool isSelected() const override { return false; }
    QList<QAccessibleInterface*> columnHeaderCells() const override { return {}; }
    QList<QAccessibleInterface*> rowHeaderCells() const override { return {}; }
    int columnIndex() const override { return 0; }
    int rowIndex() const override { return index_; }
    int columnExtent() const override { return 1; }
    int rowExtent() const override { return 1; }
    QAccessibleInterface* table() const override { return parent(); }

    const ModelListView* list() const { return list_.data(); }

private:
    QPointer<ModelListView> list_;
    int index_;
};

QAccessibleInterface* ModelListAccessible::child(int index) const
{
    if (index < 0 || index >= childCount())
        return nullptr;
    if (const auto made = lines_.find(index); made != lines_.end())
        if (QAccessibleInterface* line = QAccessible::accessibleInterface(made->second))
            return line;
    auto* line = new LineAccessible(list(), index);
    lines_[index] = QAccessible::registerAccessibleInterface(line); // the cache owns it from here
    return line;
}

int ModelListAccessible::indexOfChild(const QAccessibleInterface* child) const
{
    const auto* line = dynamic_cast<const LineAccessible*>(child);
    return line && line->list() == list() && line->isValid() ? line->rowIndex() : -1;
}

QAccessibleInterface* ModelListAccessible::childAt(int x, int y) const
{
    const qsizetype index = list()->lineAt(list()->viewport()->mapFromGlobal(QPoint(x, y)));
    return index >= 0 ? child(static_cast<int>(index)) : nullptr;
}

// A key that every action clicks, exactly as the mouse does, so that its handler runs whichever
// way it is pressed. A two-state key is checkable, checked while on, and toggled by clicking.
class ClickedKeyAccessible : public QAccessibleWidget {
public:
    using QAccessibleWidget::QAccessibleWidget;

    QAccessible::State state() const override
    {
        QAccessible::State state = QAccessibleWidget::state();
        state.checkable = twoState();
        state.checked = twoState() && checked();
        return state;
    }

    QStringList actionNames() const override
    {
        QStringList names;
        if (widget()->isEnabled()) {
            names << pressAction();
            if (twoState())
                names << toggleAction();
        }
        return names + QAccessibleWidget::actionNames();
    }

    void doAction(const QString& action) override
    {
        if (action != pressAction() && !(action == toggleAction() && twoState())) {
            QAccessibleWidget::doAction(action);
            return;
        }
        if (widget()->isEnabled())
            click();
    }

protected:
    virtual bool twoState() const = 0;
    virtual bool checked() const = 0;
    virtual void click() const = 0;
};

// The picture key as the button it stands for. A two-state key takes the role Qt gives its own
// checkable buttons, a check box, the one role that tells a reader over AT-SPI that the key has
// two states whichever it is in (Qt 6.4's bridge passes on no "checkable" state of its own).
class PictureKeyAccessible : public ClickedKeyAccessible {
public:
    explicit PictureKeyAccessible(PictureKey* key)
        : ClickedKeyAccessible(key, QAccessible::Button)
    {
    }

    QAccessible::Role role() const override
    {
        return key()->isCheckable() ? QAccessible::CheckBox : QAccessible::Button;
    }

protected:
    bool twoState() const override { return key()->isCheckable(); }
    bool checked() const override { return key()->isChecked(); }
    void click() const override { key()->click(); }

private:
    PictureKey* key() const { return static_cast<PictureKey*>(widget()); }
};

// An option of a group: a radio button. Qt's own toggle action flips the check without a click,
// which would leave the model's choice behind the screen's; a click chooses the option, and Qt
// unchecks the others.
class OptionAccessible : public ClickedKeyAccessible {
public:
    explicit OptionAccessible(QRadioButton* option)
        : ClickedKeyAccessible(option, QAccessible::RadioButton)
    {
    }

protected:
    bool twoState() const override { return true; }
    bool checked() const override { return option()->isChecked(); }
    void click() const override { option()->click(); }

private:
    QRadioButton* option() const { return static_cast<QRadioButton*>(widget()); }
};

// A window drawn from a model: a frame, or a dialog when it is one. Qt gives a plain widget the
// role of a filler, which a reader does not announce as a window.
class FormWindowAccessible : public QAccessibleWidget {
public:
    explicit FormWindowAccessible(QWidget* window)
        : QAccessibleWidget(window, QAccessible::Window)
    {
    }

    QAccessible::Role role() const override
    {
        if (!widget()->isWindow())
            return QAccessible::Client;
        return widget()->windowType() == Qt::Dialog ? QAccessible::Dialog : QAccessible::Window;
    }
};

// The announcer's one notification: no widget of its own, the latest text as its name.
class NotificationAccessible : public QAccessibleInterface {
public:
    explicit NotificationAccessible(Announcer* announcer)
        : announcer_(announcer)
    {
    }

    bool isValid() const override { return announcer_; }
    QObject* object() const override { return nullptr; }
    QWindow* window() const override { return announcer_ ? announcer_->window()->windowHandle() : nullptr; }
    QAccessibleInterface* childAt(int /*x*/, int /*y*/) const override { return nullptr; }
    QAccessibleInterface* parent() const override { return QAccessible::queryAccessibleInterface(announcer_.data()); }
    QAccessibleInterface* child(int /*index*/) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface* /*child*/) const override { return -1; }
    QString text(QAccessible::Text kind) const override
    {
        return kind == QAccessible::Name && announcer_ ? announcer_->text() : QString();
    }
    void setText(QAccessible::Text /*kind*/, const QString& /*text*/) override { }
    QRect rect() const override { return {}; }
    QAccessible::Role role() const override { return QAccessible::Notification; }
    QAccessible::State state() const override { return {}; }

private:
    QPointer<Announcer> announcer_;
};

class AnnouncerAccessible : public QAccessibleWidget {
public:
    explicit AnnouncerAccessible(Announcer* announcer)
        : QAccessibleWidget(announcer, QAccessible::StatusBar)
        , notification_(QAccessible::registerAccessibleInterface(new NotificationAccessible(announcer)))
    {
    }
    ~AnnouncerAccessible() override { QAccessible::deleteAccessibleInterface(notification_); }

    int childCount() const override { return 1; }
    QAccessibleInterface* child(int index) const override
    {
        return index == 0 ? QAccessible::accessibleInterface(notification_) : nullptr;
    }
    int indexOfChild(const QAccessibleInterface* child) const override
    {
        return child && child == QAccessible::accessibleInterface(notification_) ? 0 : -1;
    }
    QString text(QAccessible::Text kind) const override
    {
        return kind == QAccessible::Name ? static_cast<Announcer*>(widget())->text() : QString();
    }

private:
    QAccessible::Id notification_;
};

QAccessibleInterface* makeInterface(const QString& /*className*/, QObject* object)
{
    if (auto* list = dynamic_cast<ModelListView*>(object))
        return new ModelListAccessible(list);
    if (auto* key = dynamic_cast<PictureKey*>(object))
        return new PictureKeyAccessible(key);
    if (auto* announcer = dynamic_cast<Announcer*>(object))
        return new AnnouncerAccessible(announcer);
    if (auto* option = dynamic_cast<QRadioButton*>(object))
        return new OptionAccessible(option);
    if (auto* window = dynamic_cast<QtFormView*>(object))
        return new FormWindowAccessible(window);
    return nullptr;
}

} // namespace

void installAccessibleInterfaces()
{
    QAccessible::installFactory(makeInterface); // a second install of the same factory adds nothing
}

} // namespace tavrol::qt
