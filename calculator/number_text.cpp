#include "calculator/number_text.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <system_error>
#include <utility>

namespace tavrol {
namespace {

// A finite, non-zero value as significant digits (no trailing zeros) and the decimal exponent
// of the first digit: 0.0125 is {"125", -2}.
struct Decimal {
    bool negative = false;
    std::string digits;
    int exponent = 0;
};

Decimal toDecimal(double value, int significant)
{
    char buffer[64];
    // A whole number of at most `significant` digits (every die and most totals) needs no
    // rounding: its integer digits are what the scientific form would give, at a fraction of
    // the cost.
    constexpr double kPowersOfTen[]
        = { 1, 1e1, 1e2, 1e3, 1e4, 1e5, 1e6, 1e7, 1e8, 1e9, 1e10, 1e11, 1e12, 1e13, 1e14, 1e15 };
    if (significant >= 1 && significant <= 15 && std::abs(value) < kPowersOfTen[significant]
        && value == std::trunc(value)) {
        const auto whole = static_cast<long long>(std::abs(value));
        const auto end = std::to_chars(buffer, buffer + sizeof buffer, whole).ptr;
        Decimal decimal { std::signbit(value), std::string(buffer, end), static_cast<int>(end - buffer) - 1 };
        while (decimal.digits.size() > 1 && decimal.digits.back() == '0')
            decimal.digits.pop_back();
        return decimal;
    }
    const auto result
        = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::scientific, significant - 1);
    const std::string_view text(buffer, static_cast<std::size_t>(result.ptr - buffer));
    Decimal decimal;
    std::size_t i = 0;
    if (text[i] == '-') {
        decimal.negative = true;
        ++i;
    }
    const std::size_t e = text.find('e');
    for (; i < e; ++i)
        if (text[i] != '.')
            decimal.digits.push_back(text[i]);
    std::from_chars(text.data() + e + (text[e + 1] == '+' ? 2 : 1), text.data() + text.size(), decimal.exponent);
    while (decimal.digits.size() > 1 && decimal.digits.back() == '0')
        decimal.digits.pop_back();
    return decimal;
}

// Plain decimal notation of digits × 10^(exponent - digits + 1), without sign.
std::string fixedNotation(const Decimal& d)
{
    const int count = static_cast<int>(d.digits.size());
    if (d.exponent < 0)
        return "0." + std::string(static_cast<std::size_t>(-d.exponent - 1), '0') + d.digits;
    if (d.exponent + 1 >= count)
        return d.digits + std::string(static_cast<std::size_t>(d.exponent + 1 - count), '0');
    return d.digits.substr(0, static_cast<std::size_t>(d.exponent + 1)) + "."
        + d.digits.substr(static_cast<std::size_t>(d.exponent + 1));
}

std::string exponentNotation(const Decimal& d)
{
    std::string text = d.digits.substr(0, 1);
    if (d.digits.size() > 1)
        text += "." + d.digits.substr(1);
    const int magnitude = std::abs(d.exponent);
    text += d.exponent < 0 ? "E-" : "E+";
    if (magnitude < 10)
        text += '0';
    return text + std::to_string(magnitude);
}

std::string standardText(double value, int significant)
{
    if (value == 0 || !std::isfinite(value))
        return value == 0 ? "0" : (std::isnan(value) ? "NaN" : (value < 0 ? "-Infinity" : "Infinity"));
    const Decimal d = toDecimal(value, significant);
    const bool exponentForm = d.exponent >= significant || d.exponent < -4;
    return (d.negative ? "-" : "") + (exponentForm ? exponentNotation(d) : fixedNotation(d));
}

// Rounds a plain decimal string (digits and at most one point) half away from zero to
// `places` fraction digits.
std::string roundFraction(std::string text, std::size_t places)
{
    const std::size_t point = text.find('.');
    if (point == std::string::npos || text.size() - point - 1 <= places)
        return text;
    const bool up = text[point + 1 + places] >= '5';
    text.resize(point + 1 + places);
    if (!up)
        return text;
    for (std::size_t i = text.size(); i-- > 0;) {
        if (text[i] == '.')
            continue;
        if (text[i] != '9') {
            ++text[i];
            return text;
        }
        text[i] = '0';
    }
    return "1" + text;
}

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

} // namespace

std::string numberText(double value)
{
    return standardText(value, 15);
}

std::string singleText(float value)
{
    return standardText(static_cast<double>(value), 7);
}

std::string signText(double value)
{
    return (value < 0 ? "" : " ") + numberText(value);
}

std::string signSingleText(float value)
{
    return (value < 0 ? "" : " ") + singleText(value);
}

std::string displayPattern(double value)
{
    std::string text = "0";
    bool negative = false;
    if (value != 0 && std::isfinite(value)) {
        const Decimal d = toDecimal(value, 15);
        negative = d.negative;
        text = roundFraction(fixedNotation(d), 14);
    }
    if (text.find('.') == std::string::npos)
        text += '.';
    while (text.back() == '0')
        text.pop_back();
    if (text.front() == '.')
        text.insert(0, "0");
    const bool zero = text.find_first_not_of("0.") == std::string::npos;
    return (negative && !zero ? "-" : "") + text;
}

namespace {

// Digits with the point's place among them ("125", point 1: "1.25"), written out without leading
// zeros or, after the point, trailing ones.
std::string writtenOut(std::string digits, long long point)
{
    const std::size_t lead = std::min(digits.find_first_not_of('0'), digits.size());
    digits.erase(0, lead);
    point -= static_cast<long long>(lead);
    if (digits.empty())
        return "0";
    while (digits.size() > 1 && digits.back() == '0' && point < static_cast<long long>(digits.size()))
        digits.pop_back();

    const auto count = static_cast<long long>(digits.size());
    if (point <= 0)
        return "0." + std::string(static_cast<std::size_t>(-point), '0') + digits;
    if (point >= count)
        return digits + std::string(static_cast<std::size_t>(point - count), '0');
    return digits.substr(0, static_cast<std::size_t>(point)) + "." + digits.substr(static_cast<std::size_t>(point));
}

} // namespace

std::optional<std::string> plainForm(std::string_view text, std::size_t longest)
{
    if (!readNumber(text))
        return std::nullopt;
    const std::size_t e = text.find_first_of("Ee");
    if (e == std::string_view::npos)
        return std::nullopt;
    std::string_view mantissa = text.substr(0, e);
    mantissa.remove_prefix(std::min(mantissa.find_first_not_of(' '), mantissa.size()));
    const bool negative = !mantissa.empty() && mantissa.front() == '-';
    if (!mantissa.empty() && (mantissa.front() == '-' || mantissa.front() == '+'))
        mantissa.remove_prefix(1);

    // Digits with the point's place among them: "1.25E-3" is digits 125, point after 1 - 3 = -2.
    std::string digits;
    long long point = -1;
    for (const char c : mantissa) {
        if (c == '.')
            point = static_cast<long long>(digits.size());
        else
            digits.push_back(c);
    }
    if (point < 0)
        point = static_cast<long long>(digits.size());
    std::string_view exponent = text.substr(e + 1);
    const bool down = exponent.front() == '-';
    if (exponent.front() == '-' || exponent.front() == '+')
        exponent.remove_prefix(1);
    long long shift = 0;
    for (const char c : exponent) {
        if (!isDigit(c))
            break;
        shift = shift * 10 + (c - '0');
        if (shift > static_cast<long long>(longest) + static_cast<long long>(digits.size()))
            return std::nullopt; // far too long to show, whatever its digits
    }
    point += down ? -shift : shift;

    std::string plain = writtenOut(std::move(digits), point);
    if (negative && plain != "0")
        plain.insert(0, "-");
    if (plain.size() > longest)
        return std::nullopt;
    return plain;
}

std::optional<double> readNumber(std::string_view text)
{
    std::size_t begin = text.find_first_not_of(' ');
    if (begin == std::string_view::npos)
        return std::nullopt;
    const std::size_t end = text.find_last_not_of(' ') + 1;
    std::string_view s = text.substr(begin, end - begin);

    bool negative = false;
    if (s.front() == '+' || s.front() == '-') {
        negative = s.front() == '-';
        s.remove_prefix(1);
    }
    std::size_t i = 0, mantissaDigits = 0;
    bool point = false;
    for (; i < s.size() && (isDigit(s[i]) || (s[i] == '.' && !point)); ++i) {
        if (s[i] == '.')
            point = true;
        else
            ++mantissaDigits;
    }
    if (mantissaDigits == 0)
        return std::nullopt;
    std::size_t numberEnd = i;
    bool negativeExponent = false;
    if (i < s.size() && (s[i] == 'E' || s[i] == 'e')) {
        std::size_t k = i + 1;
        if (k < s.size() && (s[k] == '+' || s[k] == '-'))
            negativeExponent = s[k++] == '-';
        const std::size_t digitsStart = k;
        while (k < s.size() && isDigit(s[k]))
            ++k;
        if (k == digitsStart)
            return std::nullopt;
        numberEnd = k;
        if (k < s.size() && s[k] == '.' && !point)
            ++k; // the point the display appends to exponent text
        i = k;
    }
    if (i != s.size())
        return std::nullopt;

    // from_chars takes no leading "+", so the sign was taken off above.
    double value = 0;
    const auto [ptr, ec] = std::from_chars(s.data(), s.data() + numberEnd, value, std::chars_format::general);
    if (ec == std::errc::result_out_of_range)
        value = negativeExponent ? 0.0 : HUGE_VAL;
    else if (ec != std::errc() || ptr != s.data() + numberEnd)
        return std::nullopt;
    return negative ? -value : value;
}

} // namespace tavrol
