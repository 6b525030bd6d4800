#include "view/accessibility.h"

#include "view/control_widgets.h"

#include <QAccessibleWidget>
#include <QPointer>
#include <QWidget>
#include <QWindow>
#include <unordered_map>

namespace tavrol::qt {
namespace {

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

    QString text(QAccessible::Text kind) const override
    {
        return kind == QAccessible::Name && isValid() ? list_->line(index_).toString() : QString();
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

// The picture key as the button it stands for. The press clicks it, exactly as the mouse does; a
// two-state key is checkable and checked while on. Such a key takes the role Qt gives its own
// checkable buttons, a check box, the one role that tells a reader over AT-SPI that the key has
// two states whichever it is in (Qt 6.4's bridge passes on no "checkable" state of its own).
class PictureKeyAccessible : public QAccessibleWidget {
public:
    explicit PictureKeyAccessible(PictureKey* key)
        : QAccessibleWidget(key, QAccessible::Button)
    {
    }

    QAccessible::Role role() const override
    {
        return key()->isCheckable() ? QAccessible::CheckBox : QAccessible::Button;
    }

    QAccessible::State state() const override
    {
        QAccessible::State state = QAccessibleWidget::state();
        state.checkable = key()->isCheckable();
        state.checked = key()->isCheckable() && key()->isChecked();
        return state;
    }

    QStringList actionNames() const override
    {
        QStringList names;
        if (widget()->isEnabled()) {
            names << pressAction();
            if (key()->isCheckable())
                names << toggleAction();
        }
        return names + QAccessibleWidget::actionNames();
    }

    void doAction(const QString& action) override
    {
        if (action != pressAction() && !(action == toggleAction() && key()->isCheckable())) {
            QAccessibleWidget::doAction(action);
            return;
        }
        if (widget()->isEnabled())
            key()->click();
    }

private:
    PictureKey* key() const { return static_cast<PictureKey*>(widget()); }
};

QAccessibleInterface* makeInterface(const QString& /*className*/, QObject* object)
{
    if (auto* list = dynamic_cast<ModelListView*>(object))
        return new ModelListAccessible(list);
    if (auto* key = dynamic_cast<PictureKey*>(object))
        return new PictureKeyAccessible(key);
    return nullptr;
}

} // namespace

void installAccessibleInterfaces()
{
    QAccessible::installFactory(makeInterface); // a second install of the same factory adds nothing
}

} // namespace tavrol::qt
