// The tape's item texts: how numbers stand on the printed lines.
#pragma once

#include <string>

namespace tavrol {

// A number item: a blank when the value is not negative, its number text, then one blank.
std::string numberItem(double value);

} // namespace tavrol
