#include "app/play/arguments.h"

#include <cstdint>
#include <gtest/gtest.h>
#include <optional>
#include <string>
#include <vector>

namespace tavrol::play {
namespace {

using Strings = std::vector<std::string>;

struct ValidRow {
    const char* behaviour;
    Strings args;
    std::optional<std::uint64_t> seed;
    std::vector<int> faces;
    Strings tokens;
};

class WellFormedCommandLine : public testing::TestWithParam<ValidRow> { };

TEST_P(WellFormedCommandLine, yieldsOptionsAndTokens)
{
    const ValidRow& row = GetParam();
    const Arguments parsed = parseArguments(row.args);
    EXPECT_EQ(parsed.error, "");
    EXPECT_EQ(parsed.options.seed, row.seed);
    EXPECT_EQ(parsed.options.faces, row.faces);
    EXPECT_EQ(parsed.tokens, row.tokens);
}

INSTANTIATE_TEST_SUITE_P(Arguments, WellFormedCommandLine,
    testing::Values(ValidRow { "nothing", {}, std::nullopt, {}, {} },
        ValidRow { "tokensOnly", { "2", "+", "3" }, std::nullopt, {}, { "2", "+", "3" } },
        ValidRow { "seedThenTokens", { "--seed", "42", "d6" }, 42, {}, { "d6" } },
        ValidRow { "largestSeed", { "--seed", "18446744073709551615" }, UINT64_MAX, {}, {} },
        ValidRow { "faces", { "--faces", "3,1,6" }, std::nullopt, { 3, 1, 6 }, {} },
        ValidRow { "negativeFaces", { "--faces", "-1,0,1", "fudge" }, std::nullopt, { -1, 0, 1 }, { "fudge" } },
        ValidRow { "singleFace", { "--faces", "20" }, std::nullopt, { 20 }, {} },
        ValidRow { "minusKeyIsAToken", { "-", "5" }, std::nullopt, {}, { "-", "5" } },
        ValidRow { "optionsOnlyLead", { "1", "--seed", "5" }, std::nullopt, {}, { "1", "--seed", "5" } }),
    [](const auto& row) { return std::string(row.param.behaviour); });

struct MalformedRow {
    const char* behaviour;
    Strings args;
    const char* named; // what the error line must name
};

class MalformedCommandLine : public testing::TestWithParam<MalformedRow> { };

TEST_P(MalformedCommandLine, isOneLineNamingTheFault)
{
    const Arguments parsed = parseArguments(GetParam().args);
    EXPECT_NE(parsed.error.find(GetParam().named), std::string::npos) << parsed.error;
    EXPECT_EQ(parsed.error.find('\n'), std::string::npos) << parsed.error;
}

INSTANTIATE_TEST_SUITE_P(Arguments, MalformedCommandLine,
    testing::Values(MalformedRow { "seedWithoutValue", { "--seed" }, "--seed" },
        MalformedRow { "seedNotANumber", { "--seed", "x" }, "\"x\"" },
        MalformedRow { "seedEmpty", { "--seed", "" }, "--seed" },
        MalformedRow { "seedNegative", { "--seed", "-1" }, "\"-1\"" },
        MalformedRow { "seedWithPlus", { "--seed", "+1" }, "\"+1\"" },
        MalformedRow { "seedFraction", { "--seed", "1.5" }, "\"1.5\"" },
        MalformedRow { "seedWithBlank", { "--seed", " 7" }, "\" 7\"" },
        MalformedRow { "seedTooLarge", { "--seed", "18446744073709551616" }, "--seed" },
        MalformedRow { "facesWithoutValue", { "--faces" }, "--faces" },
        MalformedRow { "facesEmpty", { "--faces", "" }, "--faces" },
        MalformedRow { "facesEmptyItem", { "--faces", "1,,2" }, "\"1,,2\"" },
        MalformedRow { "facesTrailingComma", { "--faces", "1," }, "\"1,\"" },
        MalformedRow { "facesLeadingComma", { "--faces", ",1" }, "\",1\"" },
        MalformedRow { "faceAboveAnyDie", { "--faces", "1,32768" }, "32768" },
        MalformedRow { "faceBelowAnyDie", { "--faces", "-32769" }, "-32769" },
        MalformedRow { "facesNotNumbers", { "--faces", "1,a" }, "\"1,a\"" },
        MalformedRow { "faceTooLarge", { "--faces", "99999999999" }, "--faces" },
        MalformedRow { "seedAndFaces", { "--seed", "1", "--faces", "2" }, "--faces" },
        MalformedRow { "seedTwice", { "--seed", "1", "--seed", "2" }, "--seed" },
        MalformedRow { "unknownOption", { "--verbose", "1" }, "--verbose" }),
    [](const auto& row) { return std::string(row.param.behaviour); });

} // namespace
} // namespace tavrol::play
