// Small helpers for UTF-8 text: "±", "×" and "÷" are one character each wherever the program
// counts or walks characters.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace tavrol::utf8 {

// Number of code points; an invalid byte counts as one.
std::size_t length(std::string_view text);

// The code points of `text`, each as its own UTF-8 string; invalid bytes are skipped.
std::vector<std::string> codePoints(std::string_view text);

// At most `count` code points from the start of `text`.
std::string left(std::string_view text, std::size_t count);

// `text` without the characters of `blanks` at either end.
std::string_view trimmed(std::string_view text, std::string_view blanks = " \t\r\n");

} // namespace tavrol::utf8
