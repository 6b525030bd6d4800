// The settings file's text: INI sections of "key=value" lines, values written the way QSettings
// writes a string, so files written by earlier versions and by this one read the same. Pure
// functions on text; reading and writing the file is settings_file's business.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace tavrol::ini {

// The value of `key` in `section`, decoded; none when the text holds no such key. When a section
// or a key appears more than once, the last one wins. Lines that are neither a section, a
// "key=value" pair nor blank ("#" and ";" comments, stray text) are ignored.
std::optional<std::string> read(std::string_view text, std::string_view section, std::string_view key);

// `text` with `key` in `section` set to `value`. Only the line holding the key changes, or a line
// (and the section's header, when there is none) is added; every other line is kept byte for byte.
std::string withValue(std::string_view text, std::string_view section, std::string_view key, std::string_view value);

// A string as QSettings writes it after "key=": escaped, quoted when it holds ',', ';' or '=' or
// begins or ends with a blank, a leading '@' doubled, wrapped in @String() when it holds NUL.
std::string encodeValue(std::string_view value);

// The text after "key=" as it loads. A value that begins with a double quote and closes its quotes
// on its own line decodes as QSettings decodes it (a list of comma-separated parts joins back with
// commas), with one exception: an escape naming half of a UTF-16 surrogate pair gives U+FFFD,
// since UTF-8 cannot hold the half that QSettings keeps. A quote left open ends with the line,
// where QSettings reads on into the lines after it. Any other value loads as written, blanks at
// its ends trimmed: only the backslash escapes and the leading "@@" or "@String(...)" QSettings
// writes are undone, so commas and a single '@' stay as the user typed them.
std::string decodeValue(std::string_view raw);

} // namespace tavrol::ini
