#include "fuzz/check_text.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace tavrol::fuzz {

std::size_t sequenceAt(std::string_view text, std::size_t i)
{
    const auto at = [&](std::size_t k) { return static_cast<unsigned char>(text[k]); };
    const unsigned lead = at(i);
    std::size_t need;
    unsigned low = 0x80, high = 0xBF;
    if (lead < 0x80)
        return 1;
    if (lead >= 0xC2 && lead <= 0xDF) {
        need = 1;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        need = 2;
        low = lead == 0xE0 ? 0xA0 : 0x80;
        high = lead == 0xED ? 0x9F : 0xBF;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        need = 3;
        low = lead == 0xF0 ? 0x90 : 0x80;
        high = lead == 0xF4 ? 0x8F : 0xBF;
    } else {
        return 0;
    }
    if (i + need >= text.size())
        return 0;
    for (std::size_t k = 1; k <= need; ++k) {
        const unsigned c = at(i + k);
        if (c < (k == 1 ? low : 0x80u) || c > (k == 1 ? high : 0xBFu))
            return 0;
    }
    return need + 1;
}

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

bool inDisplayForm(std::string_view text)
{
    std::string_view s = text;
    if (s.starts_with('-'))
        s.remove_prefix(1);
    const std::size_t point = s.find('.');
    if (point == std::string_view::npos || point == 0)
        return false;
    const std::string_view whole = s.substr(0, point);
    const std::string_view fraction = s.substr(point + 1);
    if (!std::all_of(whole.begin(), whole.end(), isDigit) || !std::all_of(fraction.begin(), fraction.end(), isDigit))
        return false;
    if (whole.size() > 1 && whole.front() == '0')
        return false;
    if (!fraction.empty() && fraction.back() == '0')
        return false;
    return !(text.starts_with('-') && whole == "0" && fraction.empty());
}

std::optional<Die> readDie(std::string_view line)
{
    Die die;
    bool negative = false;
    if (line.starts_with(' ')) {
        die.blank = true;
        line.remove_prefix(1);
    } else if (line.starts_with('-')) {
        negative = true;
        line.remove_prefix(1);
    }
    if (line.empty() || line.size() > 5 || !std::all_of(line.begin(), line.end(), isDigit))
        return std::nullopt;
    if (line.size() > 1 && line.front() == '0')
        return std::nullopt;
    for (char c : line)
        die.value = die.value * 10 + (c - '0');
    if (negative) {
        if (die.value == 0)
            return std::nullopt;
        die.value = -die.value;
    }
    if (die.value < -32768 || die.value > 32767)
        return std::nullopt;
    return die;
}

long long diceForDisplay(double shown)
{
    double count = static_cast<float>(std::min(std::abs(shown), static_cast<double>(kMostDice)));
    if (count == 0)
        count = 1;
    return static_cast<long long>(std::floor(std::min(count, static_cast<double>(kMostDice))));
}

std::string printable(std::string_view text, std::size_t most)
{
    std::string out;
    for (char c : text.substr(0, most)) {
        const auto u = static_cast<unsigned char>(c);
        if (u >= 0x20 && u < 0x7F && c != '\\') {
            out.push_back(c);
        } else {
            char hex[8];
            std::snprintf(hex, sizeof hex, "\\x%02X", u);
            out += hex;
        }
    }
    if (text.size() > most)
        out += "...(" + std::to_string(text.size()) + " bytes)";
    return out;
}

std::string settingsKey(int key)
{
    return std::to_string(key);
}

} // namespace tavrol::fuzz
