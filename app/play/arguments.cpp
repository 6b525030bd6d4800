#include "app/play/arguments.h"

#include "app/play/json_writer.h"

#include <charconv>
#include <string_view>
#include <system_error>

namespace tavrol::play {
namespace {

// The whole of `text` as a decimal number of type T: no blanks, no '+', nothing left over.
template <class T> std::optional<T> wholeNumber(std::string_view text)
{
    T value {};
    const char* end = text.data() + text.size();
    const auto [ptr, ec] = std::from_chars(text.data(), end, value);
    if (text.empty() || ec != std::errc {} || ptr != end)
        return std::nullopt;
    return value;
}

// A die shows a 16-bit whole number.
constexpr int kLowestFace = -32768;
constexpr int kHighestFace = 32767;

struct FaceList {
    std::vector<int> faces;
    std::string error; // names the item that is wrong; empty when the list is good
};

FaceList faceList(std::string_view text)
{
    FaceList list;
    for (std::size_t start = 0;;) {
        const std::size_t comma = text.find(',', start);
        const std::string_view item = text.substr(start, comma == std::string_view::npos ? comma : comma - start);
        const auto face = wholeNumber<long long>(item);
        if (!face) {
            list.error = "--faces needs whole numbers separated by commas, not " + jsonString(text);
            return list;
        }
        if (*face < kLowestFace || *face > kHighestFace) {
            list.error = "--faces: no die shows " + std::string(item) + "; faces run from -32768 to 32767";
            return list;
        }
        list.faces.push_back(static_cast<int>(*face));
        if (comma == std::string_view::npos)
            return list;
        start = comma + 1;
    }
}

} // namespace

Arguments parseArguments(const std::vector<std::string>& args)
{
    Arguments parsed;
    const auto fail = [&parsed](std::string message) {
        parsed.error = std::move(message);
        return parsed;
    };

    std::size_t i = 0;
    bool dicePicked = false;
    for (; i < args.size() && args[i].starts_with("--"); ++i) {
        const std::string& option = args[i];
        if (option != "--seed" && option != "--faces")
            return fail("unknown option " + jsonString(option));
        if (dicePicked)
            return fail("give --seed or --faces, and only once");
        dicePicked = true;
        if (i + 1 == args.size())
            return fail(option + " needs a value");
        const std::string& value = args[++i];
        if (option == "--seed") {
            parsed.options.seed = wholeNumber<std::uint64_t>(value);
            if (!parsed.options.seed)
                return fail("--seed needs a whole number from 0 to 18446744073709551615, not " + jsonString(value));
        } else {
            auto list = faceList(value);
            if (!list.error.empty())
                return fail(std::move(list.error));
            parsed.options.faces = std::move(list.faces);
        }
    }
    parsed.tokens.assign(args.begin() + static_cast<std::ptrdiff_t>(i), args.end());
    return parsed;
}

} // namespace tavrol::play
