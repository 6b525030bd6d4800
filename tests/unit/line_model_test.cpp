#include "platform/recording_ports.h"
#include "tape/line_model.h"

#include <gtest/gtest.h>
#include <string>

namespace tavrol {
namespace {

TEST(LineBuilder, nextZoneMovesToFollowingFourteenColumnZone)
{
    const struct {
        int lead;
        std::size_t column; // where the next character lands, from 1
    } rows[] = { { 0, 15 }, { 5, 15 }, { 13, 15 }, { 14, 29 }, { 20, 29 } };
    for (const auto& row : rows) {
        LineBuilder line;
        line.spaces(row.lead);
        line.nextZone();
        line.text("x");
        EXPECT_EQ(line.lineEnd().find('x') + 1, row.column) << row.lead;
    }
}

TEST(LineBuilder, columnsCountCharactersNotBytes)
{
    LineBuilder line;
    line.text("\u00D7\u00F7");
    line.nextZone();
    line.text("x");
    EXPECT_EQ(line.lineEnd(), "\u00D7\u00F7            x");
}

TEST(TapeWriter, endsAnOpenLineBeforeThePageAndTheJob)
{
    RecordingPrinter printer;
    TapeWriter tape(printer);
    tape.spaces(5);
    tape.nextZone();
    tape.text(" 3D 6");
    tape.lineEnd();
    tape.text("open");
    tape.newPage();
    tape.endDocument();
    const std::vector<std::string> expected { "               3D 6", "open", "<new page>", "<end document>" };
    EXPECT_EQ(printer.lines, expected);
}

TEST(NumberItem, blankBeforeAndAfter)
{
    EXPECT_EQ(numberItem(12.5), " 12.5 ");
    EXPECT_EQ(numberItem(-3), "-3 ");
    EXPECT_EQ(numberItem(0), " 0 ");
}

} // namespace
} // namespace tavrol
