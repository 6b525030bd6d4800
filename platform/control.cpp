#include "platform/control.h"

#include "platform/form.h"

#include <utility>

namespace tavrol {
namespace {

// Sets `field` to `value` and says whether that changed it: a set to the same value tells nobody.
template <class T> bool changeTo(T& field, T value)
{
    if (field == value)
        return false;
    field = std::move(value);
    return true;
}

} // namespace

Control::Control(Form& form, ControlKind kind, std::string name, int index, Rect rect, Style style)
    : form_(form)
    , kind_(kind)
    , name_(std::move(name))
    , index_(index)
    , rect_(rect)
    , style_(std::move(style))
{
}

std::string Control::key() const
{
    return index_ < 0 ? name_ : name_ + "(" + std::to_string(index_) + ")";
}

void Control::notify(Property property)
{
    if (FormObserver* observer = form_.observer())
        observer->propertyChanged(*this, property);
}

void Control::setDescription(std::string description)
{
    if (changeTo(description_, std::move(description)))
        notify(Property::Description);
}

void Control::setTag(std::string tag)
{
    if (changeTo(tag_, std::move(tag)))
        notify(Property::Tag);
}

void Control::setEnabled(bool enabled)
{
    if (changeTo(enabled_, enabled))
        notify(Property::Enabled);
}

void Control::setVisible(bool visible)
{
    if (changeTo(visible_, visible))
        notify(Property::Visible);
}

CaptionedControl::CaptionedControl(
    Form& form, ControlKind kind, std::string name, int index, Rect rect, Style style, std::string caption)
    : Control(form, kind, std::move(name), index, rect, std::move(style))
    , caption_(std::move(caption))
{
}

bool CaptionedControl::setCaption(std::string caption)
{
    if (!changeTo(caption_, std::move(caption)))
        return false;
    notify(Property::Caption);
    return true;
}

Label::Label(Form& form, std::string name, Rect rect, Style style, std::string caption)
    : CaptionedControl(form, ControlKind::Label, std::move(name), -1, rect, std::move(style), std::move(caption))
{
}

void Label::setCaption(std::string caption)
{
    if (CaptionedControl::setCaption(std::move(caption)) && onChange)
        onChange();
}

void Clickable::click()
{
    if (!enabled() || !onClick)
        return;
    onClick();
    // Read afresh: the handler may have closed a window and with it the view that watched it.
    if (FormObserver* observer = form().observer())
        observer->clicked(*this);
}

CommandButton::CommandButton(Form& form, std::string name, int index, Rect rect, Style style, std::string caption)
    : Clickable(form, ControlKind::CommandButton, std::move(name), index, rect, std::move(style), std::move(caption))
{
}

OptionButton::OptionButton(Form& form, std::string name, int index, Rect rect, Style style, std::string caption)
    : Clickable(form, ControlKind::OptionButton, std::move(name), index, rect, std::move(style), std::move(caption))
{
}

void OptionButton::setValue(bool value)
{
    if (changeTo(value_, value))
        notify(Property::Value);
}

GroupBox::GroupBox(Form& form, std::string name, Rect rect, Style style, std::string caption)
    : CaptionedControl(form, ControlKind::GroupBox, std::move(name), -1, rect, std::move(style), std::move(caption))
{
}

TextBox::TextBox(Form& form, std::string name, Rect rect, Style style, std::string text)
    : Control(form, ControlKind::TextBox, std::move(name), -1, rect, std::move(style))
    , text_(std::move(text))
{
}

void TextBox::setText(std::string text)
{
    if (changeTo(text_, std::move(text)))
        notify(Property::Text);
}

void TextBox::edit(std::string text)
{
    if (inputFilter)
        text = inputFilter(std::move(text));
    if (text == text_) {
        notify(Property::Text); // the view may show what was typed; put the kept text back
        return;
    }
    setText(std::move(text));
}

void TextBox::append(std::string_view more)
{
    if (more.empty())
        return;
    text_.append(more);
    if (FormObserver* observer = form().observer())
        observer->textAppended(*this, more);
}

PictureToggle::PictureToggle(Form& form, std::string name, Rect rect, Style style)
    : Control(form, ControlKind::PictureToggle, std::move(name), -1, rect, std::move(style))
{
}

void PictureToggle::setPicture(std::string fileName)
{
    if (changeTo(picture_, std::move(fileName)))
        notify(Property::Picture);
}

void PictureToggle::click()
{
    if (enabled() && onClick)
        onClick();
}

Timer::Timer(Form& form, std::string name, int intervalMs)
    : Control(form, ControlKind::Timer, std::move(name), -1, Rect {}, Style {})
    , interval_(intervalMs)
{
    setEnabled(false);
}

void Timer::tick()
{
    if (enabled() && onTick)
        onTick();
}

} // namespace tavrol
