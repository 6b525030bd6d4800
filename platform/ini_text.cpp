#include "platform/ini_text.h"

#include "platform/utf8.h"

#include <cstdint>
#include <utility>
#include <vector>

namespace tavrol::ini {
namespace {

bool isBlank(char c)
{
    return c == ' ' || c == '\t';
}

// Around a key, a section name or a quoted value: the blanks of isBlank.
constexpr std::string_view kBlanks = " \t";

int hexDigit(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

// --- Lines -------------------------------------------------------------------------------------

// One line of the file: its text from `begin` to `contentEnd`, then its line end ("\n", "\r\n",
// "\r" or nothing on the last line) up to `end`.
struct Line {
    std::size_t begin = 0;
    std::size_t contentEnd = 0;
    std::size_t end = 0;
};

std::vector<Line> splitLines(std::string_view text)
{
    std::vector<Line> lines;
    std::size_t at = 0;
    while (at < text.size()) {
        Line line { at, at, at };
        while (line.contentEnd < text.size() && text[line.contentEnd] != '\n' && text[line.contentEnd] != '\r')
            ++line.contentEnd;
        line.end = line.contentEnd;
        if (line.end < text.size() && text[line.end] == '\r')
            ++line.end;
        if (line.end < text.size() && text[line.end] == '\n')
            ++line.end;
        lines.push_back(line);
        at = line.end;
    }
    return lines;
}

enum class Kind { Other, Section, Entry };

struct Parsed {
    Kind kind = Kind::Other;
    std::string_view name; // the section's name, or the entry's key
    std::string_view value; // an entry's raw value, after the '='
};

Parsed parse(std::string_view text, const Line& line)
{
    std::string_view content = text.substr(line.begin, line.contentEnd - line.begin);
    if (line.begin == 0 && content.starts_with("\xEF\xBB\xBF")) // a byte order mark some editors add
        content.remove_prefix(3);
    while (!content.empty() && isBlank(content.front()))
        content.remove_prefix(1);
    if (content.empty() || content.front() == '#' || content.front() == ';')
        return {};
    if (content.front() == '[') {
        // Text after the ']' is ignored, and a header missing its ']' still names the section.
        const std::size_t close = content.find(']');
        return { Kind::Section,
            utf8::trimmed(content.substr(1, close == std::string_view::npos ? close : close - 1), kBlanks), {} };
    }
    const std::size_t equals = content.find('=');
    if (equals == std::string_view::npos)
        return {};
    return { Kind::Entry, utf8::trimmed(content.substr(0, equals), kBlanks), content.substr(equals + 1) };
}

std::string_view lineEnd(std::string_view text, const Line& line)
{
    return text.substr(line.contentEnd, line.end - line.contentEnd);
}

// --- Decoding ----------------------------------------------------------------------------------

// Collects decoded text as UTF-8. Escapes name UTF-16 units, as QSettings reads them: a high
// surrogate followed by a low one makes one character; a surrogate on its own, which QSettings
// keeps but UTF-8 cannot hold, reads as U+FFFD.
class Decoded {
public:
    void raw(std::string_view bytes)
    {
        flush();
        text_ += bytes;
    }
    void unit(std::uint32_t value)
    {
        const auto u = static_cast<std::uint16_t>(value); // QSettings keeps the low 16 bits
        if (high_ && u >= 0xDC00 && u <= 0xDFFF) {
            point(0x10000 + ((high_ - 0xD800u) << 10) + (u - 0xDC00u));
            high_ = 0;
            return;
        }
        flush();
        if (u >= 0xD800 && u <= 0xDBFF)
            high_ = u;
        else
            point(u >= 0xDC00 && u <= 0xDFFF ? 0xFFFD : u);
    }
    std::size_t size() const { return text_.size(); }
    // Drops blanks at the end, back to `limit` at most.
    void chop(std::size_t limit)
    {
        flush();
        while (text_.size() > limit && isBlank(text_.back()))
            text_.pop_back();
    }
    std::string take()
    {
        flush();
        return std::move(text_);
    }

private:
    void flush()
    {
        if (high_)
            point(0xFFFD);
        high_ = 0;
    }
    void point(std::uint32_t cp)
    {
        if (cp < 0x80) {
            text_ += static_cast<char>(cp);
        } else if (cp < 0x800) {
            text_ += static_cast<char>(0xC0 | (cp >> 6));
            text_ += static_cast<char>(0x80 | (cp & 0x3F));
        } else if (cp < 0x10000) {
            text_ += static_cast<char>(0xE0 | (cp >> 12));
            text_ += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
            text_ += static_cast<char>(0x80 | (cp & 0x3F));
        } else {
            text_ += static_cast<char>(0xF0 | (cp >> 18));
            text_ += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
            text_ += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
            text_ += static_cast<char>(0x80 | (cp & 0x3F));
        }
    }

    std::string text_;
    std::uint16_t high_ = 0;
};

// The one-letter escapes, each beside the character it stands for. QSettings writes the first
// nine and reads all eleven.
constexpr std::string_view kEscapeLetters = "abfnrtv\"\\?'";
constexpr std::string_view kEscaped = "\a\b\f\n\r\t\v\"\\?'";
constexpr std::size_t kWrittenEscapes = 9;

enum class Escape {
    Character, // a character was added
    Skipped, // an unknown escape: both characters are dropped
    AtEnd, // the text ended inside the escape
};

// Decodes the escape whose backslash is at text[at - 1]; moves `at` past it.
Escape unescape(std::string_view text, std::size_t& at, Decoded& out)
{
    if (at >= text.size())
        return Escape::AtEnd;
    const char c = text[at++];
    if (const std::size_t letter = kEscapeLetters.find(c); letter != std::string_view::npos) {
        out.unit(static_cast<unsigned char>(kEscaped[letter]));
        return Escape::Character;
    }
    if (c == 'x') {
        if (at >= text.size())
            return Escape::AtEnd;
        if (hexDigit(text[at]) < 0)
            return Escape::Skipped;
        std::uint32_t value = 0;
        while (at < text.size() && hexDigit(text[at]) >= 0)
            value = (value << 4) + static_cast<std::uint32_t>(hexDigit(text[at++]));
        out.unit(value);
        return Escape::Character;
    }
    if (c >= '0' && c <= '7') {
        std::uint32_t value = static_cast<std::uint32_t>(c - '0');
        while (at < text.size() && text[at] >= '0' && text[at] <= '7')
            value = (value << 3) + static_cast<std::uint32_t>(text[at++] - '0');
        out.unit(value);
        return Escape::Character;
    }
    return Escape::Skipped;
}

// What QSettings makes of a string that begins with '@'; `byteArrays` also unwraps @ByteArray().
// Other forms name values of other types and are read as written.
std::string atForms(std::string text, bool byteArrays)
{
    if (!text.starts_with('@'))
        return text;
    if (text.ends_with(')')) {
        for (std::string_view form : { std::string_view("@String("), std::string_view("@ByteArray(") }) {
            if (text.starts_with(form) && (byteArrays || form == "@String("))
                return text.substr(form.size(), text.size() - form.size() - 1);
        }
    }
    if (text.starts_with("@@"))
        text.erase(0, 1);
    return text;
}

// A value that begins with a quote, decoded step by step as QSettings does: quoted and unquoted
// runs join, blanks after a closing quote and around unquoted runs drop, commas outside quotes
// split it into parts, and a ';' outside quotes begins a comment. A quote left open ends with the
// line, since the file is read a line at a time.
class QuotedValue {
public:
    explicit QuotedValue(std::string_view text)
        : text_(text)
    {
    }

    std::string decode()
    {
        skipBlanks();
        bool chopAtEnd = true;
        while (at_ < text_.size()) {
            const char c = text_[at_];
            if (c == '\\') {
                ++at_;
                if (unescape(text_, at_, part_) == Escape::AtEnd) {
                    chopAtEnd = false; // blanks escaped before a cut-off escape stay
                    break;
                }
                chopLimit_ = part_.size();
            } else if (c == '"') {
                quote();
            } else if (c == ',' && !inQuotes_) {
                endPart();
            } else if (c == ';' && !inQuotes_) {
                break;
            } else {
                plainRun();
            }
        }
        if (chopAtEnd && !partQuoted_)
            part_.chop(chopLimit_);
        return joined();
    }

private:
    void skipBlanks()
    {
        while (at_ < text_.size() && isBlank(text_[at_]))
            ++at_;
    }
    void quote()
    {
        ++at_;
        partQuoted_ = true;
        inQuotes_ = !inQuotes_;
        if (!inQuotes_) {
            skipBlanks();
            chopLimit_ = part_.size();
        }
    }
    void endPart()
    {
        if (!partQuoted_)
            part_.chop(chopLimit_);
        parts_.push_back(std::exchange(part_, Decoded {}).take());
        partQuoted_ = false;
        ++at_;
        skipBlanks();
        chopLimit_ = 0;
    }
    void plainRun()
    {
        std::size_t next = at_ + 1;
        while (next < text_.size() && std::string_view("\\\",;").find(text_[next]) == std::string_view::npos)
            ++next;
        part_.raw(text_.substr(at_, next - at_));
        at_ = next;
    }
    // A list of parts joins back with commas, each part unwrapped as QSettings unwraps a string.
    std::string joined()
    {
        std::string text;
        for (std::string& part : parts_)
            text += atForms(std::move(part), true) + ",";
        return text + atForms(part_.take(), true);
    }

    std::string_view text_;
    std::size_t at_ = 0;
    std::vector<std::string> parts_;
    Decoded part_;
    bool inQuotes_ = false;
    bool partQuoted_ = false;
    std::size_t chopLimit_ = 0; // blanks before this point of the part are kept
};

std::string decodeUnquoted(std::string_view text)
{
    text = utf8::trimmed(text, kBlanks);
    Decoded out;
    std::size_t at = 0;
    while (at < text.size()) {
        const std::size_t slash = text.find('\\', at);
        out.raw(text.substr(at, slash == std::string_view::npos ? slash : slash - at));
        if (slash == std::string_view::npos)
            break;
        at = slash + 1;
        if (unescape(text, at, out) == Escape::AtEnd)
            break;
    }
    return atForms(out.take(), false);
}

} // namespace

// --- The file's text ---------------------------------------------------------------------------

std::optional<std::string> read(std::string_view text, std::string_view section, std::string_view key)
{
    std::optional<std::string_view> found;
    bool inSection = false;
    for (const Line& line : splitLines(text)) {
        const Parsed parsed = parse(text, line);
        if (parsed.kind == Kind::Section)
            inSection = parsed.name == section;
        else if (parsed.kind == Kind::Entry && inSection && parsed.name == key)
            found = parsed.value;
    }
    if (!found)
        return std::nullopt;
    return decodeValue(*found);
}

std::string withValue(std::string_view text, std::string_view section, std::string_view key, std::string_view value)
{
    const std::string entry = std::string(key) + "=" + encodeValue(value);
    const std::vector<Line> lines = splitLines(text);
    const Line* lastMatch = nullptr; // the key's line that loads, when there is one
    const Line* lastInSection = nullptr; // the header or last entry of the section's last appearance
    bool inSection = false;
    for (const Line& line : lines) {
        const Parsed parsed = parse(text, line);
        if (parsed.kind == Kind::Section) {
            inSection = parsed.name == section;
            if (inSection)
                lastInSection = &line;
        } else if (parsed.kind == Kind::Entry && inSection) {
            lastInSection = &line;
            if (parsed.name == key)
                lastMatch = &line;
        }
    }
    std::string_view newline = "\n"; // added lines end as the file's first line does
    for (const Line& line : lines) {
        if (line.end > line.contentEnd) {
            newline = lineEnd(text, line);
            break;
        }
    }

    std::string result;
    if (lastMatch) {
        result.append(text.substr(0, lastMatch->begin)).append(entry);
        result.append(text.substr(lastMatch->contentEnd));
        return result;
    }
    if (lastInSection) {
        result.append(text.substr(0, lastInSection->end));
        if (lastInSection->end == lastInSection->contentEnd) // the file's last line had no line end
            result.append(newline);
        result.append(entry).append(newline);
        result.append(text.substr(lastInSection->end));
        return result;
    }
    result.append(text);
    if (!lines.empty()) {
        const Line& last = lines.back();
        if (last.end == last.contentEnd)
            result.append(newline);
        if (last.contentEnd > last.begin) // a blank line between sections, as QSettings writes
            result.append(newline);
    }
    result.append("[").append(section).append("]").append(newline);
    result.append(entry).append(newline);
    return result;
}

// --- Values ------------------------------------------------------------------------------------

std::string encodeValue(std::string_view value)
{
    std::string text;
    if (value.find('\0') != std::string_view::npos)
        text.append("@String(").append(value).append(")");
    else if (value.starts_with('@'))
        text.append("@").append(value);
    else
        text = value;

    constexpr const char* kHex = "0123456789abcdef";
    std::string out;
    bool quote = false;
    bool escapeHexDigit = false; // after \0 or \xNN, a hex digit is escaped too, so it reads apart
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == ';' || c == ',' || c == '=')
            quote = true;
        if (escapeHexDigit && hexDigit(c) >= 0) {
            out.append("\\x").append(1, kHex[byte >> 4]).append(1, kHex[byte & 0xF]);
            continue;
        }
        escapeHexDigit = false;
        const std::size_t escaped = kEscaped.substr(0, kWrittenEscapes).find(c);
        if (escaped != std::string_view::npos) {
            out.append(1, '\\').append(1, kEscapeLetters[escaped]);
        } else if (c == '\0') {
            out += "\\0";
            escapeHexDigit = true;
        } else if (byte < 0x20) {
            out += "\\x";
            if (byte >= 0x10)
                out += kHex[byte >> 4];
            out += kHex[byte & 0xF];
            escapeHexDigit = true;
        } else {
            out += c; // DEL and every byte of a non-ASCII character go as they are
        }
    }
    if (quote || out.starts_with(' ') || out.ends_with(' '))
        return "\"" + out + "\"";
    return out;
}

std::string decodeValue(std::string_view raw)
{
    if (utf8::trimmed(raw, kBlanks).starts_with('"'))
        return QuotedValue(raw).decode();
    return decodeUnquoted(raw);
}

} // namespace tavrol::ini
