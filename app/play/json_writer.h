// A small JSON writer for the headless driver's state lines: one line, members in the order
// they are written, ", " and ": " between items.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace tavrol::play {

class JsonWriter {
public:
    JsonWriter& beginObject();
    JsonWriter& endObject();
    JsonWriter& beginArray();
    JsonWriter& endArray();
    JsonWriter& key(std::string_view name);
    JsonWriter& string(std::string_view text);
    JsonWriter& number(double value);
    JsonWriter& boolean(bool value);
    JsonWriter& null();

    const std::string& text() const { return out_; }

private:
    void beginItem();
    JsonWriter& open(char bracket);
    JsonWriter& close(char bracket);

    std::string out_;
    std::vector<bool> empty_; // one per open object or array: nothing written in it yet
    bool afterKey_ = false;
};

// `text` as a JSON string, quotes included. Control characters are escaped, well-formed UTF-8
// passes through as it is, and each byte that is not part of a well-formed sequence becomes
// U+FFFD, so that the output is always valid UTF-8.
std::string jsonString(std::string_view text);

} // namespace tavrol::play
