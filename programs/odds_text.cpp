#include "programs/odds_text.h"

#include "calculator/number_text.h"
#include "platform/utf8.h"
#include "programs/key_code.h"

#include <cmath>
#include <vector>

namespace tavrol {
namespace {

// A recorded key press, with the digits and points typed in a row joined into one number.
struct Token {
    KeyArray array;
    int index; // -1 for a number
    std::string text;
};

std::vector<Token> tokensOf(std::string_view command)
{
    std::vector<Token> tokens;
    for (const std::string& code : utf8::codePoints(command)) {
        const auto key = keyForCode(code);
        if (!key)
            continue;
        if (key->array == KeyArray::Digit) {
            if (tokens.empty() || tokens.back().index != -1)
                tokens.push_back({ KeyArray::Digit, -1, "" });
            tokens.back().text += code;
            continue;
        }
        tokens.push_back({ key->array, key->index, std::string(keyTable(key->array)[key->index].caption) });
    }
    return tokens;
}

bool isNumber(const std::vector<Token>& tokens, std::size_t at)
{
    return at < tokens.size() && tokens[at].index == -1;
}

bool isDice(const std::vector<Token>& tokens, std::size_t at, int index)
{
    return at < tokens.size() && tokens[at].array == KeyArray::Dice && tokens[at].index == index;
}

// The group keys roll a fixed group as many times as their count says.
std::string groupText(const std::string& count, const char* group)
{
    return count.empty() || count == "1" ? group : count + " \u00D7 " + group;
}

// A dice key with the count typed before it ("" when none is), as a referee writes the roll.
std::string rollText(const std::string& count, const Token& dice)
{
    if (dice.index == indexOf(DiceKey::ThreeD6))
        return groupText(count, "3d6");
    if (dice.index == indexOf(DiceKey::Fudge))
        return groupText(count, "4dF");
    return count + dice.text; // "3d6", "2d%", "3dAvg"
}

// The words of the tokens from `at` on, and how many tokens they took.
std::pair<std::string, std::size_t> wordsAt(const std::vector<Token>& tokens, std::size_t at)
{
    const Token& token = tokens[at];
    const bool counted = isNumber(tokens, at) && at + 1 < tokens.size();
    if (counted && (isDice(tokens, at + 1, indexOf(DiceKey::Best)) || isDice(tokens, at + 1, indexOf(DiceKey::Worst))))
        return {
            tokens[at + 1].index == indexOf(DiceKey::Best) ? "keep best " + token.text : "keep worst " + token.text, 2
        };
    if (isNumber(tokens, at) && isDice(tokens, at + 1, indexOf(DiceKey::XDn)) && isNumber(tokens, at + 2)
        && isDice(tokens, at + 3, indexOf(DiceKey::XDn)))
        return { token.text + "d" + tokens[at + 2].text, 4 };
    if (counted && tokens[at + 1].array == KeyArray::Dice && tokens[at + 1].index <= indexOf(DiceKey::Average))
        return { rollText(token.text, tokens[at + 1]), 2 };
    if (token.array == KeyArray::Dice && token.index <= indexOf(DiceKey::Average))
        return { rollText("", token), 1 };
    if (isDice(tokens, at, indexOf(DiceKey::Best)) || isDice(tokens, at, indexOf(DiceKey::Worst)))
        return { token.index == indexOf(DiceKey::Best) ? "keep best" : "keep worst", 1 };
    return { token.text, 1 };
}

// Whole per cent, never rounded to 0 or 100 when that would hide the few or the many.
std::string shareText(double share)
{
    const double percent = std::round(share * 100);
    if (percent == 0)
        return "under 1%";
    if (percent == 100 && share < 1)
        return "over 99%";
    return std::to_string(static_cast<int>(percent)) + "%";
}

// The code point a valid UTF-8 sequence (as utf8::codePoints hands them out) stands for.
char32_t codePointOf(const std::string& bytes)
{
    const auto lead = static_cast<unsigned char>(bytes[0]);
    if (bytes.size() == 1)
        return lead;
    char32_t value = lead & (0x3Fu >> (bytes.size() - 1));
    for (std::size_t i = 1; i < bytes.size(); ++i)
        value = (value << 6) | (static_cast<unsigned char>(bytes[i]) & 0x3Fu);
    return value;
}

// Letters of the scripts written right to left: Hebrew, Arabic, Syriac, Thaana, N'Ko and their
// presentation forms, and those beyond the first plane.
bool writtenRightToLeft(std::string_view text)
{
    for (const std::string& code : utf8::codePoints(text)) {
        const char32_t c = codePointOf(code);
        if ((c >= 0x0590 && c <= 0x08FF) || (c >= 0xFB1D && c <= 0xFDFF) || (c >= 0xFE70 && c <= 0xFEFF)
            || (c >= 0x10800 && c <= 0x10FFF) || (c >= 0x1E800 && c <= 0x1EFFF))
            return true;
    }
    return false;
}

} // namespace

std::string readableCommand(std::string_view command)
{
    const std::vector<Token> tokens = tokensOf(command);
    const std::size_t end = !tokens.empty() && tokens.back().array == KeyArray::Operator
            && tokens.back().index == indexOf(OperatorKey::Equals)
        ? tokens.size() - 1
        : tokens.size();
    std::string text;
    for (std::size_t at = 0; at < end;) {
        const auto [words, taken] = wordsAt(tokens, at);
        if (!text.empty())
            text += ' ';
        text += words;
        at += taken;
    }
    return text;
}

std::string oddsNumber(double value)
{
    std::string text = displayPattern(value);
    if (text.ends_with('.'))
        text.pop_back();
    const std::size_t digits = text.starts_with('-') ? 1 : 0;
    const std::size_t point = std::min(text.find('.'), text.size());
    if (point - digits < 5)
        return text;
    for (std::size_t at = point; at > digits + 3; at -= 3)
        text.insert(at - 3, ",");
    return text;
}

std::string oddsLine(const ShownOdds& odds)
{
    const auto average = odds.average();
    if (odds.fixed())
        return average ? "Shows " + oddsNumber(*average) : "Overflows the display";
    if (!average)
        return odds.exact() ? "Overflows the display" : "Every roll overflows the display";
    const std::string about = odds.exact() ? "" : "about ";
    // Exact averages to two places; an estimate is not sure of the second.
    const double places = odds.exact() ? 100 : 10;
    std::string line = "Average " + about + oddsNumber(std::round(*average * places) / places) + "; 90% of rolls "
        + about + oddsNumber(*odds.percentile(5)) + " to " + oddsNumber(*odds.percentile(95)) + "; possible " + about
        + oddsNumber(*odds.least()) + " to " + oddsNumber(*odds.greatest());
    if (odds.overflowShare() > 0)
        line += "; " + shareText(odds.overflowShare()) + " of rolls overflow the display";
    if (!odds.exact())
        line += "; estimated from " + oddsNumber(static_cast<double>(odds.presses())) + " presses";
    return line;
}

std::string programmedKeyDescription(std::string_view caption, std::string_view command, std::string_view odds)
{
    std::vector<std::string> lines { std::string(caption) };
    if (isProgramKey(caption)) {
        lines.emplace_back("Opens the programming window");
    } else {
        const std::string keys = readableCommand(command);
        lines.push_back(keys.empty() ? "Presses no keys" : keys);
        lines.emplace_back(odds);
    }
    const bool isolate = writtenRightToLeft(caption);
    std::string text;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (i > 0)
            text += '\n';
        // First strong isolate for the caption, left-to-right isolates for the rest; each ends
        // with a pop directional isolate.
        text += !isolate ? lines[i] : (i == 0 ? "\u2068" : "\u2066") + lines[i] + "\u2069";
    }
    return text;
}

} // namespace tavrol
