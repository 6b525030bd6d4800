#include "app/play/json_writer.h"

#include "platform/utf8.h"

#include <charconv>
#include <cmath>

namespace tavrol::play {
namespace {

void appendEscaped(std::string& out, std::string_view text)
{
    for (std::size_t i = 0; i < text.size();) {
        const auto byte = static_cast<unsigned char>(text[i]);
        if (byte >= 0x80) {
            // utf8::left takes one whole code point, or a single byte where none is well-formed.
            const std::string point = utf8::left(text.substr(i), 1);
            out += point.size() == 1 ? "\uFFFD" : point;
            i += point.size();
            continue;
        }
        switch (byte) {
        case '"':
            out += "\\\"";
            break;
        case '\\':
            out += "\\\\";
            break;
        case '\b':
            out += "\\b";
            break;
        case '\f':
            out += "\\f";
            break;
        case '\n':
            out += "\\n";
            break;
        case '\r':
            out += "\\r";
            break;
        case '\t':
            out += "\\t";
            break;
        default:
            if (byte < 0x20) {
                constexpr const char* kHex = "0123456789abcdef";
                out += "\\u00";
                out += kHex[byte >> 4];
                out += kHex[byte & 0xF];
            } else {
                out += static_cast<char>(byte);
            }
        }
        ++i;
    }
}

} // namespace

std::string jsonString(std::string_view text)
{
    JsonWriter json;
    json.string(text);
    return json.text();
}

void JsonWriter::beginItem()
{
    if (afterKey_) {
        afterKey_ = false;
        return;
    }
    if (!empty_.empty()) {
        if (!empty_.back())
            out_ += ", ";
        empty_.back() = false;
    }
}

JsonWriter& JsonWriter::open(char bracket)
{
    beginItem();
    out_ += bracket;
    empty_.push_back(true);
    return *this;
}

JsonWriter& JsonWriter::close(char bracket)
{
    empty_.pop_back();
    out_ += bracket;
    return *this;
}

JsonWriter& JsonWriter::beginObject()
{
    return open('{');
}
JsonWriter& JsonWriter::endObject()
{
    return close('}');
}
JsonWriter& JsonWriter::beginArray()
{
    return open('[');
}
JsonWriter& JsonWriter::endArray()
{
    return close(']');
}

JsonWriter& JsonWriter::key(std::string_view name)
{
    beginItem();
    out_ += '"';
    appendEscaped(out_, name);
    out_ += "\": ";
    afterKey_ = true;
    return *this;
}

JsonWriter& JsonWriter::string(std::string_view text)
{
    beginItem();
    out_ += '"';
    appendEscaped(out_, text);
    out_ += '"';
    return *this;
}

JsonWriter& JsonWriter::number(double value)
{
    // JSON has no infinity or NaN: such a value is written as null.
    if (!std::isfinite(value))
        return null();
    beginItem();
    char buffer[32];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    out_.append(buffer, result.ptr);
    return *this;
}

JsonWriter& JsonWriter::boolean(bool value)
{
    beginItem();
    out_ += value ? "true" : "false";
    return *this;
}

JsonWriter& JsonWriter::null()
{
    beginItem();
    out_ += "null";
    return *this;
}

} // namespace tavrol::play
