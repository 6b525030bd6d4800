#include "platform/csv.h"

namespace tavrol::csv {
namespace {

bool needsQuotes(std::string_view field)
{
    // Blanks at the ends are quoted too, since some readers trim an unquoted field.
    return field.find_first_of(",\"\r\n") != std::string_view::npos
        || (!field.empty() && (field.front() == ' ' || field.back() == ' '));
}

} // namespace

std::string record(const std::vector<std::string>& fields)
{
    std::string text;
    for (std::size_t i = 0; i < fields.size(); ++i) {
        if (i > 0)
            text += ',';
        const std::string& field = fields[i];
        if (!needsQuotes(field)) {
            text += field;
            continue;
        }
        text += '"';
        for (const char c : field) {
            if (c == '"')
                text += '"';
            text += c;
        }
        text += '"';
    }
    text += "\r\n";
    return text;
}

std::optional<std::vector<std::string>> parseLine(std::string_view line)
{
    std::vector<std::string> fields(1);
    std::size_t at = 0;
    while (at < line.size()) {
        std::string& field = fields.back();
        if (line[at] == ',') {
            fields.emplace_back();
            ++at;
        } else if (line[at] != '"' || !field.empty()) {
            field += line[at++]; // a quote inside an unquoted field is taken as it stands
        } else {
            // A quoted field: up to the quote that is not doubled, then a comma or the end.
            for (++at;; ++at) {
                if (at >= line.size())
                    return std::nullopt;
                if (line[at] == '"' && (at + 1 >= line.size() || line[at + 1] != '"'))
                    break;
                if (line[at] == '"')
                    ++at;
                field += line[at];
            }
            ++at;
            if (at < line.size() && line[at] != ',')
                return std::nullopt;
        }
    }
    return fields;
}

} // namespace tavrol::csv
