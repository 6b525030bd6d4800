// A window as a model: its caption, its client size and the controls it owns, in the order the
// window defines them. The view (Qt, or nothing at all in tests and the headless driver) watches
// it through a FormObserver.
#pragma once

#include "platform/control.h"

#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace tavrol {

class FormObserver {
public:
    virtual ~FormObserver() = default;
    virtual void propertyChanged(Control& control, Property property) = 0;
    virtual void textAppended(TextBox& box, std::string_view added) = 0;
    virtual void captionChanged(Form& form) = 0;
    // Draw now what has changed (the control, or the whole window when null) before the
    // handler goes on; a view may coalesce these to its frame rate.
    virtual void repaint(Control* control) = 0;
    // The window was shown, hidden or unloaded (a modal window's showing ends then).
    virtual void visibilityChanged(Form& /*form*/) { }
    // A key or option of the window was pressed, by the user or by a program, and its handler
    // has run to its end.
    virtual void clicked(Control& /*control*/) { }
};

class Form {
public:
    Form(std::string name, std::string caption, Rect clientTwips);
    virtual ~Form() = default;
    Form(const Form&) = delete;
    Form& operator=(const Form&) = delete;

    const std::string& name() const { return name_; }
    const std::string& caption() const { return caption_; }
    void setCaption(std::string caption);
    // Left and top are the window's place on the screen, width and height its client area.
    const Rect& clientTwips() const { return client_; }

    const std::vector<std::unique_ptr<Control>>& controls() const { return controls_; }
    Control* find(std::string_view key) const; // "name" or "name(index)"

    // The control that has the focus when the window is shown, a text box with its text selected
    // so that typing replaces it; null: the first tab stop that can take the focus.
    Control* initialFocus() const { return initialFocus_; }
    void setInitialFocus(Control& control) { initialFocus_ = &control; }

    void setObserver(FormObserver* observer) { observer_ = observer; }
    FormObserver* observer() const { return observer_; }
    void repaint(Control* control = nullptr);

    // A second window is loaded, shown and hidden or unloaded by its owner; the main window is
    // loaded and shown for the whole run.
    bool loaded() const { return loaded_; }
    bool visible() const { return visible_; }
    void setVisible(bool visible);
    void unload();

    void doubleClick(); // on the window's own surface, not on a control
    std::function<void()> onDoubleClick;

protected:
    // A control the window defined, as the kind it was defined as, for binding it by name.
    template <class T> T& control(std::string_view key) const { return static_cast<T&>(*find(key)); }

    template <class T, class... Args> T& add(Args&&... args)
    {
        auto control = std::make_unique<T>(*this, std::forward<Args>(args)...);
        T& ref = *control;
        controls_.push_back(std::move(control));
        return ref;
    }

private:
    std::string name_;
    std::string caption_;
    Rect client_;
    std::vector<std::unique_ptr<Control>> controls_;
    FormObserver* observer_ = nullptr;
    Control* initialFocus_ = nullptr;
    bool loaded_ = true;
    bool visible_ = false;
};

} // namespace tavrol
