// Toolkit-free models of the controls a window is made of. A control holds its properties and
// tells its form's observer (the view) when one of them changes; handlers read and write the
// properties directly, so what the tests drive is exactly what the user clicks.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

namespace tavrol {

class Form;

enum class ControlKind { Label, CommandButton, TextBox, OptionButton, GroupBox, PictureToggle, Timer };

enum class Property { Caption, Text, Enabled, Visible, Tag, Value, Picture, Interval, Description };

// Positions and sizes in twips (1440 per inch), relative to the holder's client area.
struct Rect {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
};

// An empty face means the window's default dialog font.
struct FontSpec {
    std::string face;
    double points = 0;
    bool bold = false;
};

struct Color {
    enum class Kind : std::uint8_t { Default, Rgb, SystemWindow };
    Kind kind = Kind::Default;
    std::uint8_t r = 0, g = 0, b = 0;

    static Color rgb(std::uint8_t red, std::uint8_t green, std::uint8_t blue)
    {
        return { Kind::Rgb, red, green, blue };
    }
    static Color systemWindow() { return { Kind::SystemWindow, 0, 0, 0 }; }
    bool isDefault() const { return kind == Kind::Default; }
};

enum class Align : std::uint8_t { Left, Right, Center };

// How a control looks; fixed when the window is defined, never changed at run time.
struct Style {
    FontSpec font;
    Color fore;
    Color back;
    Align align = Align::Left;
    bool border = false;
    bool opaque = true;
    bool multiLine = false;
    bool verticalScroll = false;
    bool readOnly = false;
    int stacking = 0; // overlapping controls: a higher value lies above a lower one
    // A label whose text a screen reader speaks after every key, wherever the focus is: the
    // display and the status message, which a user who cannot see them would otherwise miss.
    bool announced = false;
};

class Control {
public:
    Control(Form& form, ControlKind kind, std::string name, int index, Rect rect, Style style = {});
    virtual ~Control() = default;
    Control(const Control&) = delete;
    Control& operator=(const Control&) = delete;

    Form& form() const { return form_; }
    ControlKind kind() const { return kind_; }
    const std::string& name() const { return name_; }
    int index() const { return index_; } // -1 when the control is not part of an array
    std::string key() const; // "name" or "name(index)"
    const Rect& rect() const { return rect_; }
    const Style& style() const { return style_; }
    Control* holder() const { return holder_; }
    void setHolder(Control* holder) { holder_ = holder; }
    int tabOrder() const { return tabOrder_; }
    void setTabOrder(int order) { tabOrder_ = order; }
    // What a screen reader speaks for the control ("d6", "All Clear"); fixed with the window.
    const std::string& accessibleName() const { return accessibleName_; }
    void setAccessibleName(std::string name) { accessibleName_ = std::move(name); }

    // A line or two on what the control does: the tooltip, which a screen reader speaks as the
    // control's description. Unlike the spoken name it may change while the program runs.
    const std::string& description() const { return description_; }
    void setDescription(std::string description);

    const std::string& tag() const { return tag_; }
    void setTag(std::string tag);
    bool enabled() const { return enabled_; }
    void setEnabled(bool enabled);
    bool visible() const { return visible_; }
    void setVisible(bool visible);

protected:
    void notify(Property property);

private:
    Form& form_;
    ControlKind kind_;
    std::string name_;
    int index_;
    Rect rect_;
    Style style_;
    Control* holder_ = nullptr;
    int tabOrder_ = -1;
    std::string accessibleName_;
    std::string description_;
    std::string tag_;
    bool enabled_ = true;
    bool visible_ = true;
};

// A control with a caption: labels, keys, option buttons and group boxes.
class CaptionedControl : public Control {
public:
    CaptionedControl(
        Form& form, ControlKind kind, std::string name, int index, Rect rect, Style style, std::string caption);
    const std::string& caption() const { return caption_; }
    // Returns true when the caption changed; a set to the same text tells nobody.
    bool setCaption(std::string caption);

private:
    std::string caption_;
};

// A label runs its change handler inside the caption set that changed it, nested when the
// handler sets the caption again.
class Label : public CaptionedControl {
public:
    Label(Form& form, std::string name, Rect rect, Style style, std::string caption);
    void setCaption(std::string caption);
    std::function<void()> onChange;
};

// A clickable control; a click on a disabled one does nothing.
class Clickable : public CaptionedControl {
public:
    using CaptionedControl::CaptionedControl;
    void click();
    std::function<void()> onClick;
};

class CommandButton : public Clickable {
public:
    CommandButton(Form& form, std::string name, int index, Rect rect, Style style, std::string caption);
};

class OptionButton : public Clickable {
public:
    OptionButton(Form& form, std::string name, int index, Rect rect, Style style, std::string caption);
    bool value() const { return value_; }
    void setValue(bool value);

private:
    bool value_ = false;
};

class GroupBox : public CaptionedControl {
public:
    GroupBox(Form& form, std::string name, Rect rect, Style style, std::string caption);
};

// A text box whose text may grow by appends; an append reaches the view as an append, never as
// a fresh copy, so a long list costs time in proportion to its length.
class TextBox : public Control {
public:
    TextBox(Form& form, std::string name, Rect rect, Style style, std::string text = {});
    const std::string& text() const { return text_; }
    void setText(std::string text);
    void append(std::string_view more);
    // The user replaces the text, by typing or pasting: what the box does not take is left out.
    void edit(std::string text);
    std::function<std::string(std::string)> inputFilter;

private:
    std::string text_;
};

// A picture used as a two-state key; `picture` is the file name last loaded, "" for the
// picture built into the window.
class PictureToggle : public Control {
public:
    PictureToggle(Form& form, std::string name, Rect rect, Style style);
    const std::string& picture() const { return picture_; }
    void setPicture(std::string fileName);
    void click();
    std::function<void()> onClick;

    // A toggle that says which Tag means on is a two-state key to a screen reader too: checked
    // while its Tag reads that. Without one it is a plain key.
    void setOnTag(std::string tag) { onTag_ = std::move(tag); }
    bool checkable() const { return !onTag_.empty(); }
    bool on() const { return checkable() && tag() == onTag_; }

private:
    std::string picture_;
    std::string onTag_;
};

// A timer has no place on the screen. The view arms a real timer from `enabled` and `interval`;
// tests and the headless driver call `tick` themselves.
class Timer : public Control {
public:
    Timer(Form& form, std::string name, int intervalMs);
    int interval() const { return interval_; }
    void tick(); // a disabled timer does not tick
    std::function<void()> onTick;

private:
    int interval_;
};

} // namespace tavrol
