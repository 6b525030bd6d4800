#include "platform/utf8.h"

namespace tavrol::utf8 {
namespace {

// Length of the well-formed sequence starting at text[i], or 0 when the byte there does not
// start one (a stray continuation byte, an overlong or truncated sequence, a surrogate).
std::size_t sequenceLength(std::string_view text, std::size_t i)
{
    const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(text[k]); };
    const unsigned char lead = byte(i);
    if (lead < 0x80)
        return 1;
    std::size_t need = 0;
    unsigned char low = 0x80, high = 0xBF;
    if (lead >= 0xC2 && lead <= 0xDF) {
        need = 1;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        need = 2;
        if (lead == 0xE0)
            low = 0xA0;
        if (lead == 0xED)
            high = 0x9F;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        need = 3;
        if (lead == 0xF0)
            low = 0x90;
        if (lead == 0xF4)
            high = 0x8F;
    } else {
        return 0;
    }
    for (std::size_t k = 1; k <= need; ++k) {
        if (i + k >= text.size())
            return 0;
        const unsigned char c = byte(i + k);
        const unsigned char lo = k == 1 ? low : 0x80;
        const unsigned char hi = k == 1 ? high : 0xBF;
        if (c < lo || c > hi)
            return 0;
    }
    return need + 1;
}

} // namespace

std::size_t length(std::string_view text)
{
    std::size_t count = 0;
    for (std::size_t i = 0; i < text.size(); ++count) {
        const std::size_t n = sequenceLength(text, i);
        i += n == 0 ? 1 : n;
    }
    return count;
}

std::vector<std::string> codePoints(std::string_view text)
{
    std::vector<std::string> points;
    for (std::size_t i = 0; i < text.size();) {
        const std::size_t n = sequenceLength(text, i);
        if (n == 0) {
            ++i;
            continue;
        }
        points.emplace_back(text.substr(i, n));
        i += n;
    }
    return points;
}

std::string left(std::string_view text, std::size_t count)
{
    std::size_t i = 0;
    for (std::size_t taken = 0; i < text.size() && taken < count; ++taken) {
        const std::size_t n = sequenceLength(text, i);
        i += n == 0 ? 1 : n;
    }
    return std::string(text.substr(0, i));
}

std::string_view trimmed(std::string_view text, std::string_view blanks)
{
    const std::size_t first = text.find_first_not_of(blanks);
    if (first == std::string_view::npos)
        return {};
    return text.substr(first, text.find_last_not_of(blanks) - first + 1);
}

} // namespace tavrol::utf8
