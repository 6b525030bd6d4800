// Numbers as the calculator writes and reads them. Always the C locale's "." as decimal point,
// whatever the user's locale.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace tavrol {

// The standard text of a double: at most 15 significant digits, rounded; no trailing zeros; no
// point for whole values; "0" before the point below 1; exponent form ('1E+15', '1E-05') from
// 1E+15 up and below 1E-04. Zero, negative zero included, is "0".
std::string numberText(double value);

// The same with at most 7 significant digits and exponent form from 1E+07 up: the text of a
// single-precision number ('1.234568E+08').
std::string singleText(float value);

// Number text preceded by a blank when the value is not negative: ' 7', '-2', ' 2.5'.
std::string signText(double value);

// The same for a single-precision number, with its 7-digit number text: ' 0.3333333'.
std::string signSingleText(float value);

// The display pattern "0.##############": the number's 15-digit decimal form rounded to 14
// places, trailing zeros dropped, always a point, never an exponent, no sign on zero.
std::string displayPattern(double value);

// The plain decimal form of number text written with an exponent, digit for digit and without
// rounding: '1.00002000040001E-05' is '0.0000100002000040001', '1.234568E+08' is '123456800'.
// Nothing for text that is not exponent-form number text, or whose plain form would run past
// `longest` characters.
std::optional<std::string> plainForm(std::string_view text, std::size_t longest);

// Reads number text: blanks around it, an optional sign, digits with at most one point, an
// optional exponent. A point after the exponent is allowed too, because the display appends
// one to exponent text ('1E-05.'). Returns nothing for text that is not a number; a magnitude
// beyond the double range reads as an infinity, below it as 0.
std::optional<double> readNumber(std::string_view text);

} // namespace tavrol
