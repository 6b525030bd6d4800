#include "view/qt_form_view.h"

#include "view/accessibility.h"
#include "view/control_widgets.h"
#include "view/model_style.h"
#include "view/pictures.h"

#include <QApplication>
#include <QGroupBox>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QShowEvent>
#include <QTimer>
#include <algorithm>

namespace tavrol::qt {

namespace {

QString toQString(const std::string& utf8)
{
    return QString::fromStdString(utf8);
}

Qt::Alignment toAlignment(Align align)
{
    switch (align) {
    case Align::Right:
        return Qt::AlignRight;
    case Align::Center:
        return Qt::AlignHCenter;
    case Align::Left:
        break;
    }
    return Qt::AlignLeft;
}

// Colours the widget the way its kind draws them: text and background roles differ by kind.
void colourWidget(QWidget& widget, const Style& style, QPalette::ColorRole foreRole, QPalette::ColorRole backRole)
{
    if (style.fore.isDefault() && style.back.isDefault())
        return;
    QPalette palette = widget.palette();
    applyColors(palette, foreRole, backRole, style);
    widget.setPalette(palette);
}

QLabel* createLabel(const Style& style, QWidget* parent)
{
    auto* label = new ModelLabel(parent, style.border);
    label->setTextFormat(Qt::PlainText);
    label->setWordWrap(true);
    label->setAlignment(toAlignment(style.align) | Qt::AlignTop);
    label->setIndent(style.border ? 1 : 0); // text inside a border keeps a pixel clear of it
    label->setAutoFillBackground(style.opaque);
    colourWidget(*label, style, QPalette::WindowText, QPalette::Window);
    return label;
}

// QPlainTextEdit lays out a throwaway first document in the application's font before it takes
// the box's own. Lending the application the box's font for that moment spares loading, matching
// and shaping a face the window never shows: a twentieth of the start-up.
ModelTextEdit* createPlainTextEdit(QWidget* parent, const QFont& font)
{
    const QFont applicationFont = QGuiApplication::font();
    if (applicationFont == font)
        return new ModelTextEdit(parent);
    QGuiApplication::setFont(font);
    auto* edit = new ModelTextEdit(parent);
    QGuiApplication::setFont(applicationFont);
    return edit;
}

} // namespace

QtFormView::QtFormView(Form& form, Kind kind, QWidget* owner, WindowFrame frame)
    : QWidget(owner)
    , form_(form)
    , throttle_(*this, [this] { flushQueuedText(); })
{
    installAccessibleInterfaces();
    setObjectName(toQString(form.name()));
    setFont(toFont(FontSpec {}));
    setWindowTitle(toQString(form.caption()));
    makeFixedWindow(kind, frame);

    for (const auto& control : form.controls()) {
        if (control->kind() == ControlKind::Timer) {
            timers_[control.get()] = createTimer(static_cast<Timer&>(*control));
        } else {
            QWidget* widget = createWidget(*control);
            if (!control->accessibleName().empty())
                widget->setAccessibleName(toQString(control->accessibleName()));
            widgets_[control.get()] = widget;
        }
    }
    placeInHolders();
    applyStacking();
    applyTabOrder();
    findOverlaps();
    readOverFixedColours();
    for (const auto& control : form.controls())
        applyState(*control);
    // After the first state: what the window shows as it opens is no news.
    if (std::any_of(form.controls().begin(), form.controls().end(),
            [](const auto& control) { return control->style().announced; }))
        announcer_ = new Announcer(this);
    focusWatch_ = connect(
        qApp, &QApplication::focusChanged, this, [this](QWidget* from, QWidget* to) { focusMoved(from, to); });
    form.setObserver(this);
}

QtFormView::~QtFormView()
{
    // The widgets are deleted after this, and the focus leaves them as they go.
    disconnect(focusWatch_);
    if (form_.observer() == this)
        form_.setObserver(nullptr);
}

// A window manager offers no maximize key and no resizing for a window whose smallest and
// largest sizes are the same and whose hints leave out the maximize key, on X11 and Wayland
// alike.
void QtFormView::makeFixedWindow(Kind kind, WindowFrame frame)
{
    const bool dialog = kind == Kind::Dialog;
    Qt::WindowFlags flags = dialog ? Qt::Dialog : Qt::Window;
    if (frame == WindowFrame::Own) {
        flags |= Qt::FramelessWindowHint; // Qt keeps a frame for a window that asks for any title-bar key
        clientTop_ = TitleBar::kHeight;
    } else {
        flags |= Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
        if (!dialog)
            flags |= Qt::WindowMinimizeButtonHint;
    }
    setWindowFlags(flags);
    const QRect client = toPixels(form_.clientTwips());
    setGeometry(client.adjusted(0, 0, 0, clientTop_));
    setFixedSize(client.width(), client.height() + clientTop_);
    if (frame == WindowFrame::Own)
        titleBar_ = new TitleBar(this, !dialog);
}

QRect QtFormView::placeOf(const Control& control) const
{
    const QRect place = toPixels(control.rect());
    return control.holder() ? place : place.translated(0, clientTop_);
}

QWidget* QtFormView::widgetFor(const Control& control) const
{
    const auto found = widgets_.find(&control);
    return found == widgets_.end() ? nullptr : found->second;
}

QTimer* QtFormView::timerFor(const Control& control) const
{
    const auto found = timers_.find(&control);
    return found == timers_.end() ? nullptr : found->second;
}

QWidget* QtFormView::createWidget(Control& control)
{
    const Style& style = control.style();
    QWidget* widget = nullptr;
    switch (control.kind()) {
    case ControlKind::Label:
        widget = createLabel(style, this);
        break;
    case ControlKind::CommandButton: {
        auto* button = new ModelButton(this);
        colourWidget(*button, style, QPalette::ButtonText, QPalette::Button);
        auto& key = static_cast<CommandButton&>(control);
        connect(button, &QPushButton::clicked, this, [&key] { key.click(); });
        widget = button;
        break;
    }
    case ControlKind::TextBox:
        widget = createTextBox(static_cast<TextBox&>(control));
        break;
    case ControlKind::OptionButton: {
        // Qt keeps the options of a group exclusive on the screen, and every way of choosing one
        // (the mouse, Space, the arrow keys, a reader's action) clicks it, which tells the model.
        auto* radio = new QRadioButton(this);
        // A compact indicator, so a caption such as "Button 0" fits the option's narrow place.
        radio->setStyleSheet("QRadioButton { spacing: 2px; } QRadioButton::indicator { width: 10px; height: 10px; }");
        colourWidget(*radio, style, QPalette::WindowText, QPalette::Window);
        auto& option = static_cast<OptionButton&>(control);
        connect(radio, &QRadioButton::clicked, this, [this, &option] { chooseOption(option); });
        widget = radio;
        break;
    }
    case ControlKind::GroupBox: {
        auto* group = new QGroupBox(this);
        colourWidget(*group, style, QPalette::WindowText, QPalette::Window);
        widget = group;
        break;
    }
    case ControlKind::PictureToggle: {
        auto* picture = new PictureKey(this);
        // The pictures are drawn for a box of 25 pixels, which this screen may show smaller or larger.
        picture->setScaledContents(true);
        picture->setAutoFillBackground(style.opaque);
        colourWidget(*picture, style, QPalette::WindowText, QPalette::Window);
        auto& toggle = static_cast<PictureToggle&>(control);
        picture->setCheckable(toggle.checkable());
        picture->onClick = [&toggle] { toggle.click(); };
        widget = picture;
        break;
    }
    case ControlKind::Timer:
        return nullptr;
    }
    widget->setObjectName(toQString(control.key()));
    widget->setGeometry(placeOf(control));
    widget->setFont(toFont(style.font));
    return widget;
}

QWidget* QtFormView::createTextBox(TextBox& box)
{
    const Style& style = box.style();
    if (!style.multiLine) {
        auto* edit = new QLineEdit(this);
        edit->setAlignment(toAlignment(style.align));
        edit->setReadOnly(style.readOnly);
        colourWidget(*edit, style, QPalette::Text, QPalette::Base);
        // textEdited reports the user's typing only, never our own setText; what the box does not
        // take (a comma in a caption) comes back through applyText.
        connect(edit, &QLineEdit::textEdited, this, [&box](const QString& text) { box.edit(toModelText(text)); });
        return edit;
    }
    if (style.readOnly) {
        auto* list = new ModelListView(this);
        if (style.verticalScroll)
            list->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
        list->setAlignment(toAlignment(style.align));
        colourWidget(*list, style, QPalette::Text, QPalette::Base);
        multiLineBoxes_[&box] = list;
        return list;
    }
    auto* edit = createPlainTextEdit(this, toFont(style.font));
    if (style.verticalScroll)
        edit->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    QTextOption option = edit->document()->defaultTextOption();
    option.setAlignment(toAlignment(style.align));
    edit->document()->setDefaultTextOption(option);
    colourWidget(*edit, style, QPalette::Text, QPalette::Base);
    edit->onUserEdit = [&box](std::string text) { box.edit(std::move(text)); };
    multiLineBoxes_[&box] = edit;
    return edit;
}

QTimer* QtFormView::createTimer(Timer& timer)
{
    auto* qtimer = new QTimer(this);
    qtimer->setObjectName(toQString(timer.key()));
    qtimer->setInterval(timer.interval());
    connect(qtimer, &QTimer::timeout, this, [&timer] { timer.tick(); });
    return qtimer;
}

// Controls inside a group box are placed relative to it; their holder may come after them.
void QtFormView::placeInHolders()
{
    for (const auto& control : form_.controls()) {
        QWidget* widget = widgetFor(*control);
        QWidget* holder = control->holder() ? widgetFor(*control->holder()) : nullptr;
        if (!widget || !holder)
            continue;
        widget->setParent(holder);
        widget->setGeometry(toPixels(control->rect()));
        widget->show();
    }
}

void QtFormView::applyTabOrder()
{
    for (const auto& control : form_.controls())
        if (control->tabOrder() >= 0 && widgetFor(*control))
            tabStops_.push_back(control.get());
    std::stable_sort(tabStops_.begin(), tabStops_.end(),
        [](const Control* a, const Control* b) { return a->tabOrder() < b->tabOrder(); });
    for (std::size_t i = 1; i < tabStops_.size(); ++i)
        setTabOrder(widgetFor(*tabStops_[i - 1]), widgetFor(*tabStops_[i]));
}

// The window opens with the focus where the model puts it, or else on its first stop, not on
// whatever Qt happened to build first. When it is first shown: a window made a dialog after it
// was built forgets its focus.
void QtFormView::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    if (!event->spontaneous() && !focusPlaced_) {
        focusPlaced_ = true;
        applyInitialFocus();
    }
}

void QtFormView::applyInitialFocus()
{
    const auto taking = [this](const Control* control) -> QWidget* {
        QWidget* widget = control ? widgetFor(*control) : nullptr;
        return widget && (widget->focusPolicy() & Qt::TabFocus) && control->enabled() ? widget : nullptr;
    };
    if (QWidget* chosen = taking(form_.initialFocus())) {
        chosen->setFocus(Qt::OtherFocusReason);
        if (auto* line = qobject_cast<QLineEdit*>(chosen))
            line->selectAll();
        else if (auto* text = qobject_cast<QPlainTextEdit*>(chosen))
            text->selectAll();
        return;
    }
    for (const Control* stop : tabStops_)
        if (QWidget* first = taking(stop)) {
            first->setFocus(Qt::OtherFocusReason);
            return;
        }
}

void QtFormView::applyState(Control& control)
{
    for (const Property property : { Property::Caption, Property::Text, Property::Value, Property::Picture,
             Property::Interval, Property::Enabled, Property::Visible, Property::Description, Property::Tag })
        propertyChanged(control, property);
}

void QtFormView::applyTimer(Timer& timer, Property property)
{
    QTimer* shown = timerFor(timer);
    if (property == Property::Interval)
        shown->setInterval(timer.interval());
    if (!timer.enabled() || timer.interval() <= 0)
        shown->stop();
    else if (!shown->isActive())
        shown->start();
}

void QtFormView::propertyChanged(Control& control, Property property)
{
    if (control.kind() == ControlKind::Timer) {
        applyTimer(static_cast<Timer&>(control), property);
        return;
    }
    QWidget* widget = widgetFor(control);
    if (!widget)
        return;
    switch (property) {
    case Property::Caption:
        applyCaption(control);
        if (inOverlap(control))
            clearOverlaps();
        if (control.style().announced)
            announceSoon();
        break;
    case Property::Text:
        if (control.kind() == ControlKind::TextBox)
            applyText(static_cast<TextBox&>(control));
        break;
    case Property::Enabled:
        widget->setEnabled(control.enabled());
        break;
    case Property::Visible:
        widget->setHidden(!control.visible());
        // Qt draws a child it has just shown only once the handler is back in the event loop,
        // and leaves it out of a repaint before that; the model may ask for one at once, as the
        // dice list does with "Please Wait..." before a long roll.
        if (control.visible())
            widget->update();
        if (inOverlap(control))
            clearOverlaps();
        if (control.style().announced)
            announceSoon();
        break;
    case Property::Value:
        if (control.kind() == ControlKind::OptionButton)
            showChosen(static_cast<OptionButton&>(control));
        break;
    case Property::Picture:
        if (control.kind() == ControlKind::PictureToggle)
            static_cast<QLabel*>(widget)->setPixmap(loadTogglePicture(static_cast<PictureToggle&>(control).picture()));
        break;
    case Property::Description: {
        // The tooltip, and the same text as what a screen reader speaks as the description.
        const QString description = toQString(control.description());
        widget->setToolTip(description);
        widget->setAccessibleDescription(description);
        break;
    }
    case Property::Tag:
        if (control.kind() == ControlKind::PictureToggle)
            static_cast<PictureKey*>(widget)->setChecked(static_cast<PictureToggle&>(control).on());
        break;
    case Property::Interval:
        break;
    }
}

void QtFormView::applyCaption(Control& control)
{
    QWidget* widget = widgetFor(control);
    const auto caption = [&control] { return toQString(static_cast<CaptionedControl&>(control).caption()); };
    switch (control.kind()) {
    case ControlKind::Label:
        static_cast<QLabel*>(widget)->setText(caption());
        break;
    case ControlKind::CommandButton:
    case ControlKind::OptionButton:
        static_cast<QAbstractButton*>(widget)->setText(caption());
        break;
    case ControlKind::GroupBox:
        static_cast<QGroupBox*>(widget)->setTitle(caption());
        break;
    default: // no caption
        break;
    }
}

void QtFormView::applyText(TextBox& box)
{
    const QString text = toDisplayText(box.text());
    if (!box.style().multiLine) {
        auto* edit = static_cast<QLineEdit*>(widgetFor(box));
        if (edit->text() != text) // the same text is the user's own typing coming back
            edit->setText(text);
        return;
    }
    if (!box.style().readOnly) {
        auto* edit = static_cast<ModelTextEdit*>(widgetFor(box));
        if (!edit->hasQueued() && edit->toPlainText() == text) // the user's own edit coming back
            return;
    }
    multiLineBoxes_.at(&box)->showText(box.text());
}

void QtFormView::textAppended(TextBox& box, std::string_view added)
{
    if (!box.style().multiLine) {
        applyText(box); // a single line is short: showing it afresh costs nothing
        return;
    }
    QueuedText* shown = multiLineBoxes_.at(&box);
    const bool firstQueued = !shown->hasQueued();
    shown->queueAppend(added);
    if (firstQueued)
        throttle_.contentQueued(widgetFor(box));
}

void QtFormView::chooseOption(OptionButton& option)
{
    for (const auto& control : form_.controls())
        if (control.get() != &option && control->kind() == ControlKind::OptionButton
            && control->holder() == option.holder())
            static_cast<OptionButton&>(*control).setValue(false);
    option.setValue(true);
    option.click();
}

void QtFormView::showChosen(OptionButton& option)
{
    auto* radio = static_cast<QRadioButton*>(widgetFor(option));
    if (radio->isChecked() == option.value())
        return;
    // Qt will not uncheck the one checked option of a group; the model may leave none chosen.
    radio->setAutoExclusive(option.value());
    radio->setChecked(option.value());
    radio->setAutoExclusive(true);
}

void QtFormView::captionChanged(Form& form)
{
    setWindowTitle(toQString(form.caption()));
    if (titleBar_)
        titleBar_->update();
}

// A window without the desktop's frame draws a thin one of its own, so that it stands apart
// from a desktop of the same colour; no control reaches the window's edge.
void QtFormView::paintEvent(QPaintEvent* event)
{
    QWidget::paintEvent(event);
    if (!titleBar_)
        return;
    QPainter painter(this);
    painter.setPen(palette().color(QPalette::Mid));
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
}

void QtFormView::changeEvent(QEvent* event)
{
    QWidget::changeEvent(event);
    if (titleBar_ && event->type() == QEvent::ActivationChange)
        titleBar_->update(); // an inactive window's title is drawn paler
}

void QtFormView::repaint(Control* control)
{
    if (!control) {
        throttle_.paintSoon(this);
        return;
    }
    if (QWidget* widget = widgetFor(*control))
        throttle_.paintSoon(widget);
}

void QtFormView::clicked(Control& /*control*/)
{
    if (announcer_)
        announceSoon();
}

// Once the key's handler, and any handler it ran, is done: a key that replays several keys, or
// a change that sets the display twice, is heard once, as it ends.
void QtFormView::announceSoon()
{
    if (!announcer_ || announcePending_)
        return;
    announcePending_ = true;
    QMetaObject::invokeMethod(
        this, [this] { announceLabels(); }, Qt::QueuedConnection);
}

// The announced labels in sight, the one on top first: a message before the number it covers.
void QtFormView::announceLabels()
{
    announcePending_ = false;
    std::vector<const Control*> labels;
    for (const auto& control : form_.controls())
        if (control->style().announced && control->kind() == ControlKind::Label && control->visible())
            labels.push_back(control.get());
    std::stable_sort(labels.begin(), labels.end(),
        [](const Control* a, const Control* b) { return a->style().stacking > b->style().stacking; });
    QStringList said;
    for (const Control* label : labels) {
        const QString caption = toQString(static_cast<const Label*>(label)->caption()).trimmed();
        if (!caption.isEmpty())
            said << caption;
    }
    if (!said.isEmpty())
        announcer_->announce(said.join(QStringLiteral(", ")));
}

bool QtFormView::paintPending() const
{
    return throttle_.pending() || std::any_of(multiLineBoxes_.begin(), multiLineBoxes_.end(), [](const auto& entry) {
        return entry.second->hasQueued();
    });
}

void QtFormView::flushQueuedText()
{
    for (const auto& entry : multiLineBoxes_)
        entry.second->flushQueued();
}

void QtFormView::mouseDoubleClickEvent(QMouseEvent* event)
{
    event->accept();
    // A double click a control did not take arrives here too; it is not the window's.
    if (event->button() == Qt::LeftButton && !childAt(event->position().toPoint()))
        form_.doubleClick();
}

} // namespace tavrol::qt
