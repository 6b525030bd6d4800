// CSV records as RFC 4180 writes them, and read back from one line.
#include "platform/csv.h"

#include <gtest/gtest.h>

namespace tavrol::csv {
namespace {

TEST(Csv, fieldsAreQuotedOnlyWhereTheyMustBeAndReadBackAsWritten)
{
    const struct {
        const char* behaviour;
        std::vector<std::string> fields;
        const char* written;
    } rows[] = {
        { "plain fields stand bare", { "3 d6", "4 2 5", "11" }, "3 d6,4 2 5,11\r\n" },
        { "empty fields stay empty", { "", "x", "" }, ",x,\r\n" },
        { "a comma is quoted", { "Fire, ball" }, "\"Fire, ball\"\r\n" },
        { "a quote is doubled inside quotes", { "say \"hi\"" }, "\"say \"\"hi\"\"\"\r\n" },
        { "a blank at an end is quoted", { " 7", "7 " }, "\" 7\",\"7 \"\r\n" },
        { "UTF-8 stands as it is", { "12 \u00D7 3 =" }, "12 \u00D7 3 =\r\n" },
    };
    for (const auto& row : rows) {
        const std::string text = record(row.fields);
        EXPECT_EQ(text, row.written) << row.behaviour;
        EXPECT_EQ(parseLine(std::string_view(text).substr(0, text.size() - 2)), row.fields) << row.behaviour;
    }
}

TEST(Csv, aLineCutShortOrNotWrittenAsCsvIsNoRecord)
{
    for (const char* line : { "a,\"Fire, ba", "\"x\"y,z", "\"" })
        EXPECT_FALSE(parseLine(line).has_value()) << line;
}

} // namespace
} // namespace tavrol::csv
