#include "app/play/state_line.h"

#include "app/play/json_writer.h"
#include "programs/frmCustom.h"
#include "shell/frmTavrol.h"

namespace tavrol::play {
namespace {

void writeControl(JsonWriter& json, const Control& control)
{
    json.beginObject();
    switch (control.kind()) {
    case ControlKind::Label: {
        const auto& label = static_cast<const Label&>(control);
        json.key("caption").string(label.caption()).key("visible").boolean(label.visible());
        break;
    }
    case ControlKind::CommandButton: {
        const auto& button = static_cast<const CommandButton&>(control);
        json.key("caption").string(button.caption()).key("enabled").boolean(button.enabled());
        json.key("tag").string(button.tag());
        break;
    }
    case ControlKind::TextBox:
        json.key("text").string(static_cast<const TextBox&>(control).text());
        break;
    case ControlKind::OptionButton: {
        const auto& option = static_cast<const OptionButton&>(control);
        json.key("caption").string(option.caption()).key("value").boolean(option.value());
        break;
    }
    case ControlKind::GroupBox: {
        const auto& group = static_cast<const GroupBox&>(control);
        json.key("caption").string(group.caption()).key("tag").string(group.tag());
        break;
    }
    case ControlKind::PictureToggle: {
        const auto& toggle = static_cast<const PictureToggle&>(control);
        json.key("tag").string(toggle.tag()).key("picture").string(toggle.picture());
        break;
    }
    case ControlKind::Timer: {
        const auto& timer = static_cast<const Timer&>(control);
        json.key("enabled").boolean(timer.enabled()).key("interval").number(timer.interval());
        break;
    }
    }
    json.endObject();
}

// Every control under its key, "name" or "name(index)", in the order the window defines them.
void writeControls(JsonWriter& json, const Form& form)
{
    json.beginObject();
    for (const auto& control : form.controls()) {
        json.key(control->key());
        writeControl(json, *control);
    }
    json.endObject();
}

// The programming window's own state; its controls only while it is loaded.
void writeProgrammingWindow(JsonWriter& json, const frmTavrol& main)
{
    const frmCustom* window = main.customWindow();
    json.beginObject();
    json.key("loaded").boolean(window != nullptr).key("visible").boolean(window && window->visible());
    json.key("caption").string(window ? window->caption() : std::string(kCustomCaption));
    json.key("controls");
    if (window)
        writeControls(json, *window);
    else
        json.beginObject().endObject();
    json.endObject();
}

void writeVariables(JsonWriter& json, const frmTavrol& main)
{
    json.beginObject();
    json.key("DecimalEntered").boolean(main.DecimalEntered);
    json.key("LastKey").string(main.LastKey);
    json.key("MemoryText").string(main.MemoryText);
    json.key("HeldSum").number(main.HeldSum);
    json.key("HeldOp").string(main.HeldOp);
    json.key("RunValue").number(main.RunValue);
    json.key("PendingOp").string(main.PendingOp);
    json.key("CommandLine").string(main.CommandLine);
    json.key("DiceArray").beginArray();
    for (const auto die : main.DiceArray)
        json.number(die);
    json.endArray();
    json.endObject();
}

} // namespace

std::string stateLine(std::optional<std::string_view> token, const frmTavrol& main,
    const std::vector<std::string>& tape, const std::vector<ShownMessage>& messages)
{
    JsonWriter json;
    json.beginObject();
    json.key("token");
    if (token)
        json.string(*token);
    else
        json.null();

    json.key("frmTavrol").beginObject();
    json.key("caption").string(main.caption());
    json.key("controls");
    writeControls(json, main);
    json.endObject();

    json.key("frmCustom");
    writeProgrammingWindow(json, main);
    json.key("vars");
    writeVariables(json, main);

    json.key("tape").beginArray();
    for (const auto& line : tape)
        json.string(line);
    json.endArray();

    json.key("messages").beginArray();
    for (const auto& shown : messages)
        json.beginObject().key("title").string(shown.title).key("text").string(shown.text).endObject();
    json.endArray();

    json.endObject();
    return json.text();
}

} // namespace tavrol::play
