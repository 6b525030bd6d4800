// The tape's line-printing model: items, blanks, 14-column print zones and line ends, with the
// current column tracked so that "next zone" lands where it should. Finished lines go to the
// printer port whole.
#pragma once

#include "platform/ports.h"

#include <string>
#include <string_view>

namespace tavrol {

inline constexpr int kZoneWidth = 14;

// Builds the lines that a line printer is asked for; columns count code points.
class LineBuilder {
public:
    void text(std::string_view text);
    void spaces(int count);
    void nextZone();
    // Returns the finished line and starts a new one at column 1.
    std::string lineEnd();
    const std::string& current() const { return line_; }
    bool empty() const { return line_.empty(); }

private:
    std::string line_;
    int column_ = 1;
};

// The tape as the handlers print it: items on the current line, then whole lines to the printer.
// A page or a job that ends with a line still open ends that line first.
class TapeWriter {
public:
    explicit TapeWriter(LinePrinter& printer)
        : printer_(printer)
    {
    }

    void setFontName(const std::string& face) { printer_.setFontName(face); }
    void setFontSize(double points) { printer_.setFontSize(points); }
    void text(std::string_view text) { line_.text(text); }
    void spaces(int count) { line_.spaces(count); }
    void nextZone() { line_.nextZone(); }
    void lineEnd() { printer_.printLine(line_.lineEnd()); }
    void newPage();
    void endDocument();

private:
    void endOpenLine();

    LinePrinter& printer_;
    LineBuilder line_;
};

// A number item: a blank when the value is not negative, its number text, then one blank.
std::string numberItem(double value);

} // namespace tavrol
