#include "tape/line_model.h"

#include "calculator/number_text.h"
#include "platform/utf8.h"

namespace tavrol {

void LineBuilder::text(std::string_view text)
{
    line_.append(text);
    column_ += static_cast<int>(utf8::length(text));
}

void LineBuilder::spaces(int count)
{
    if (count <= 0)
        return;
    line_.append(static_cast<std::size_t>(count), ' ');
    column_ += count;
}

void LineBuilder::nextZone()
{
    // Zones begin at columns 1, 15, 29, ...; from inside a zone, go to the start of the next.
    const int next = ((column_ - 1) / kZoneWidth + 1) * kZoneWidth + 1;
    spaces(next - column_);
}

std::string LineBuilder::lineEnd()
{
    std::string done = std::move(line_);
    line_.clear();
    column_ = 1;
    return done;
}

void TapeWriter::endOpenLine()
{
    if (!line_.empty())
        lineEnd();
}

void TapeWriter::newPage()
{
    endOpenLine();
    printer_.newPage();
}

void TapeWriter::endDocument()
{
    endOpenLine();
    printer_.endDocument();
}

std::string numberItem(double value)
{
    return signText(value) + " ";
}

} // namespace tavrol
