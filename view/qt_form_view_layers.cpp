// What lies over what in a window drawn from a model: controls stacked as the model says,
// labels that overlap, the colour beneath a label without a background of its own, and the key
// with the focus raised above its neighbours.
#include "view/control_widgets.h"
#include "view/model_style.h"
#include "view/qt_form_view.h"

#include <QApplication>
#include <algorithm>
#include <unordered_map>

namespace tavrol::qt {

void QtFormView::applyStacking()
{
    std::vector<const Control*> byStacking;
    for (const auto& control : form_.controls())
        if (widgetFor(*control))
            byStacking.push_back(control.get());
    std::stable_sort(byStacking.begin(), byStacking.end(),
        [](const Control* a, const Control* b) { return a->style().stacking < b->style().stacking; });
    for (const Control* control : byStacking)
        widgetFor(*control)->raise();
}

// A label under a transparent one that covers its left end, as the memory indicator covers the
// status message, starts its text a blank clear of that one's letters while it shows any; the
// two stay where the window puts them.
void QtFormView::findOverlaps()
{
    const auto isLeftAlignedLabel = [](const Control& control) {
        return control.kind() == ControlKind::Label && control.style().align == Align::Left;
    };
    for (const auto& under : form_.controls()) {
        if (!isLeftAlignedLabel(*under) || !under->style().opaque)
            continue;
        const QRect below = toPixels(under->rect());
        for (const auto& over : form_.controls()) {
            const QRect above = toPixels(over->rect());
            if (isLeftAlignedLabel(*over) && !over->style().opaque && over->style().stacking > under->style().stacking
                && over->holder() == under->holder() && above.intersects(below) && above.left() <= below.left())
                overlaps_.push_back({ under.get(), over.get() });
        }
    }
}

// A label without a background of its own shows its letters on what lies beneath. Where that is
// a colour the layout fixes, as the display's grey under the memory indicator, the letters take
// a colour that reads on it, as the text of a control with that background would.
void QtFormView::readOverFixedColours()
{
    for (const auto& over : form_.controls()) {
        if (over->kind() != ControlKind::Label || over->style().opaque || !over->style().fore.isDefault())
            continue;
        const Control* beneath = nullptr;
        for (const auto& under : form_.controls())
            if (under->style().opaque && under->style().back.kind == Color::Kind::Rgb
                && under->style().stacking < over->style().stacking && under->holder() == over->holder()
                && placeOf(*under).intersects(placeOf(*over)))
                beneath = under.get();
        if (!beneath)
            continue;
        QWidget* label = widgetFor(*over);
        QPalette palette = label->palette();
        const Color& background = beneath->style().back;
        setReadableText(palette, QPalette::WindowText, QColor(background.r, background.g, background.b));
        label->setPalette(palette);
    }
}

bool QtFormView::inOverlap(const Control& control) const
{
    return std::any_of(overlaps_.begin(), overlaps_.end(),
        [&control](const Overlap& overlap) { return overlap.under == &control || overlap.over == &control; });
}

void QtFormView::clearOverlaps()
{
    std::unordered_map<const Control*, int> clearances; // each label under another, and the room it leaves
    for (const Overlap& overlap : overlaps_) {
        int& clearance = clearances[overlap.under];
        const auto& over = static_cast<const Label&>(*overlap.over);
        if (!over.visible() || over.caption().empty())
            continue;
        const QWidget* lower = widgetFor(*overlap.under);
        const auto* upper = static_cast<const QLabel*>(widgetFor(over));
        const QRect letters
            = upper->fontMetrics().boundingRect(upper->contentsRect().adjusted(std::max(0, upper->indent()), 0, 0, 0),
                static_cast<int>(upper->alignment()) | Qt::TextWordWrap, upper->text());
        const int clear = upper->x() + letters.right() + 1 + lower->fontMetrics().horizontalAdvance(QLatin1Char(' '));
        clearance = std::max(clearance, clear - lower->x());
    }
    for (const auto& [under, clearance] : clearances)
        static_cast<ModelLabel*>(widgetFor(*under))->setTextClearance(clearance);
}

// Keys overlap their neighbours by a pixel, which hides two sides of a key's focus frame: the
// control with the focus lies above its neighbours until the focus leaves it.
void QtFormView::focusMoved(QWidget* from, QWidget* to)
{
    if (to && to == raised_)
        return;
    if (raised_ && raised_ == from) {
        if (raisedBelow_)
            raised_->stackUnder(raisedBelow_);
        raised_ = nullptr;
        raisedBelow_ = nullptr;
    }
    if (!to || to == this || !isAncestorOf(to))
        return;
    const QObjectList& siblings = to->parentWidget()->children();
    QWidget* above = nullptr;
    for (qsizetype i = siblings.indexOf(to) + 1; i < siblings.size() && !above; ++i)
        above = qobject_cast<QWidget*>(siblings[i]);
    raised_ = to;
    raisedBelow_ = above;
    to->raise();
}

} // namespace tavrol::qt
