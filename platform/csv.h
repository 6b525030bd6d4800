// CSV as RFC 4180 writes it: fields separated by commas, a field quoted when it holds a comma, a
// quote, a line break or a blank at either end, a quote inside a field doubled, each record ended
// by a carriage return and a line feed.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tavrol::csv {

// One record with its line end.
std::string record(const std::vector<std::string>& fields);

// The fields of one record that stands on one line (its line end already taken off). Nothing for
// a line whose quotes do not close or that has text after a closing quote: a record cut short, or
// not written as CSV.
std::optional<std::vector<std::string>> parseLine(std::string_view line);

} // namespace tavrol::csv
