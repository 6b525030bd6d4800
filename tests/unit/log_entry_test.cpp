// A log entry: its time as ISO 8601 with the offset, its CSV fields both ways, its one line of
// text, and packed for a long log.
#include "programs/log_entry.h"

#include <gtest/gtest.h>

namespace tavrol {
namespace {

constexpr std::int64_t kMoment = 1772396103; // 2026-03-01T20:15:03Z

LogEntry roll()
{
    LogEntry entry;
    entry.time = kMoment;
    entry.utcOffset = 3600;
    entry.keys = "3 d6";
    entry.dice = "4 2 5";
    entry.result = "11";
    entry.recorded = "3x";
    entry.percentile = 62.5;
    return entry;
}

TEST(LogEntry, timesAreWrittenWithTheirOffsetAndReadInEveryFormOfIt)
{
    const struct {
        int offset;
        const char* written;
    } written[] = {
        { 3600, "2026-03-01T21:15:03+01:00" },
        { -(5 * 3600 + 30 * 60), "2026-03-01T14:45:03-05:30" },
        { 0, "2026-03-01T20:15:03+00:00" },
    };
    for (const auto& row : written) {
        EXPECT_EQ(isoTime(kMoment, row.offset), row.written);
        std::int64_t time = 0;
        int offset = 1;
        ASSERT_TRUE(readIsoTime(row.written, time, offset)) << row.written;
        EXPECT_EQ(time, kMoment) << row.written;
        EXPECT_EQ(offset, row.offset) << row.written;
    }
    for (const char* other : { "2026-03-01T20:15:03Z", "2026-03-01T21:15:03+0100", "2026-03-01T20:15:03.250Z" }) {
        std::int64_t time = 0;
        int offset = 0;
        EXPECT_TRUE(readIsoTime(other, time, offset) && time == kMoment) << other;
    }
    for (const char* bad : { "", "2026-03-01 20:15:03Z", "2026-13-01T20:15:03Z", "2026-03-01T20:15:03", "yesterday" }) {
        std::int64_t time = 0;
        int offset = 0;
        EXPECT_FALSE(readIsoTime(bad, time, offset)) << bad;
    }
}

TEST(LogEntry, fieldsFollowTheColumnsAndReadBackAsTheEntry)
{
    ASSERT_EQ(std::vector<std::string>(logColumns().begin(), logColumns().begin() + 5),
        (std::vector<std::string> { "time", "keys", "dice", "result", "percentile" }));
    LogEntry entry = roll();
    entry.programmedKey = "Fire\nball"; // a line break would split the record
    entry.percentile = 0.462962963;
    const auto fields = logFields(entry);
    EXPECT_EQ(fields,
        (std::vector<std::string> {
            "2026-03-01T21:15:03+01:00", "3 d6", "4 2 5", "11", "0.463", "no", "", "Fire ball", "3x" }));
    const auto read = entryFromFields(fields);
    ASSERT_TRUE(read.has_value());
    EXPECT_EQ(logFields(*read), fields);

    auto edited = fields;
    edited[4] = "lots";
    EXPECT_FALSE(entryFromFields(edited)->percentile.has_value()) << "a percentile edited into words";
    edited[0] = "noon";
    EXPECT_FALSE(entryFromFields(edited).has_value()) << "no time, no entry";
}

TEST(LogEntry, aLineSaysWhatWasPressedRolledAndShownAndWhereTheRollStands)
{
    LogEntry divide = roll();
    divide.keys = "8 \u00F7 0 =";
    divide.dice.clear();
    divide.result = "0";
    divide.message = "Divide by Zero";
    divide.percentile.reset();
    LogEntry exact = roll();
    exact.exact = true;
    exact.percentile = 99.54;
    const struct {
        const char* behaviour;
        LogEntry entry;
        const char* today;
        std::size_t mostDice;
        const char* line;
    } rows[] = {
        { "today's entry shows its time", roll(), "2026-03-01", 10,
            "21:15:03  3 d6, dice 4 2 5, result 11, percentile about 63" },
        { "an older one its date too", roll(), "2026-03-02", 10,
            "2026-03-01 21:15:03  3 d6, dice 4 2 5, result 11, percentile about 63" },
        { "many dice are cut short", roll(), "2026-03-01", 2,
            "21:15:03  3 d6, dice 4 2 \u2026 3 dice in all, result 11, percentile about 63" },
        { "a message follows the result", divide, "2026-03-01", 10,
            "21:15:03  8 \u00F7 0 =, result 0, Divide by Zero" },
        { "an exact percentile near the top keeps a decimal", exact, "2026-03-01", 10,
            "21:15:03  3 d6, dice 4 2 5, result 11, percentile 99.5" },
    };
    for (const auto& row : rows)
        EXPECT_EQ(entryLine(row.entry, row.today, row.mostDice), row.line) << row.behaviour;
}

TEST(LogEntry, aPackedEntryUnpacksAsItWasAndTakesItsPercentileLater)
{
    LogEntry entry = roll();
    entry.percentile.reset();
    entry.message = "Not Defined";
    PackedEntry packed(entry);
    EXPECT_EQ(logFields(packed.unpack()), logFields(entry));
    packed.setPercentile(62.5, true);
    entry.percentile = 62.5;
    entry.exact = true;
    EXPECT_EQ(logFields(packed.unpack()), logFields(entry));
}

} // namespace
} // namespace tavrol
