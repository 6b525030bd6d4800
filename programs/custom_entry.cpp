#include "programs/custom_entry.h"

#include "platform/utf8.h"

#include <algorithm>

namespace tavrol {

CustomEntry parseCustomEntry(std::string_view value)
{
    const std::size_t comma = value.find(',');
    if (comma == std::string_view::npos)
        return { std::string(value), "0", false };
    CustomEntry entry;
    entry.caption = std::string(value.substr(0, comma));
    entry.command = utf8::left(value.substr(comma + 1), kMostCommandCharacters);
    entry.programmed = entry.command != "0";
    return entry;
}

std::string withoutCommas(std::string text)
{
    text.erase(std::remove(text.begin(), text.end(), ','), text.end());
    return text;
}

std::string keyNotSavedMessage(const std::string& problem)
{
    std::string text = "The programmed key could not be saved: the settings store cannot be written. The keys "
                       "stored before are kept.";
    return problem.empty() ? text : text + "\r\n" + problem;
}

} // namespace tavrol
