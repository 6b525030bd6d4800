// The model's measures and text in Qt's terms: twips as pixels, line breaks as Qt shows them.
#include "view/model_style.h"
#include "view/qt_message_box.h"

#include <QString>
#include <gtest/gtest.h>

namespace tavrol::qt::testing {
namespace {

struct TwipsRow {
    int twips;
    int pixels;
};

TEST(TwipsToPixels, roundToTheNearestPixel)
{
    const TwipsRow table[]
        = { { 0, 0 }, { 7, 0 }, { 8, 1 }, { 22, 1 }, { 23, 2 }, { 375, 25 }, { 2895, 193 }, { 5028, 335 }, { -8, -1 } };
    for (const TwipsRow& row : table)
        EXPECT_EQ(toPixels(row.twips), row.pixels) << row.twips << " twips";
}

struct TextRow {
    const char* name;
    const char* model;
    const char* shown;
};

TEST(ModelText, lineBreaksShowWithoutCarriageReturns)
{
    const TextRow table[] = {
        { "plain", "abc", "abc" },
        { "line breaks", " 5\r\n 6\r\n", " 5\n 6\n" },
        { "UTF-8 keys", "\u00B1\u00D7\u00F7", "\u00B1\u00D7\u00F7" },
    };
    for (const TextRow& row : table) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(toDisplayText(row.model), QString::fromUtf8(row.shown));
        EXPECT_EQ(toModelText(QString::fromUtf8(row.shown)), row.model);
    }
}

TEST(ModelText, messageLinesBreakAtEveryCarriageReturn)
{
    const TextRow table[] = {
        { "carriage returns alone", "Tavrol\rWritten by\rContact", "Tavrol\nWritten by\nContact" },
        { "carriage return and line feed", "one\r\ntwo", "one\ntwo" },
        { "line feed alone", "one\ntwo", "one\ntwo" },
    };
    for (const TextRow& row : table) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(toMessageText(row.model), QString::fromUtf8(row.shown));
    }
}

} // namespace
} // namespace tavrol::qt::testing
