#include "platform/form.h"

namespace tavrol {

Form::Form(std::string name, std::string caption, Rect clientTwips)
    : name_(std::move(name))
    , caption_(std::move(caption))
    , client_(clientTwips)
{
}

void Form::setCaption(std::string caption)
{
    if (caption == caption_)
        return;
    caption_ = std::move(caption);
    if (observer_)
        observer_->captionChanged(*this);
}

Control* Form::find(std::string_view key) const
{
    for (const auto& control : controls_)
        if (control->key() == key)
            return control.get();
    return nullptr;
}

void Form::repaint(Control* control)
{
    if (observer_)
        observer_->repaint(control);
}

void Form::setVisible(bool visible)
{
    if (visible == visible_)
        return;
    visible_ = visible;
    if (observer_)
        observer_->visibilityChanged(*this);
}

void Form::unload()
{
    if (!loaded_)
        return;
    loaded_ = false;
    visible_ = false;
    if (observer_)
        observer_->visibilityChanged(*this);
}

void Form::doubleClick()
{
    if (onDoubleClick)
        onDoubleClick();
}

} // namespace tavrol
