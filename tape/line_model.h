// The tape's line-printing model on top of any text sink: items, blanks, 14-column print zones
// and line ends, with the current column tracked so that "next zone" lands where it should.
#pragma once

#include "platform/ports.h"

#include <string>
#include <string_view>
#include <vector>

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

// A printer that keeps what it was asked to print: each ended line as its text, a new page as
// "<new page>" and the end of the document as "<end document>".
class RecordingPrinter : public LinePrinter {
public:
    void setFontName(const std::string& face) override { fontName = face; }
    void setFontSize(double points) override { fontSize = points; }
    void text(std::string_view text) override { line_.text(text); }
    void spaces(int count) override { line_.spaces(count); }
    void nextZone() override { line_.nextZone(); }
    void lineEnd() override { lines.push_back(line_.lineEnd()); }
    void newPage() override;
    void endDocument() override;

    std::vector<std::string> lines;
    std::string fontName;
    double fontSize = 0;

private:
    LineBuilder line_;
};

} // namespace tavrol
