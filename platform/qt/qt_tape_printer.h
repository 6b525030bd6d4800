// The tape on a real printer: lines collect while the tape runs and go to the system's default
// printer as one job when it ends. Without a printer, or when the printer refuses the job, the
// tape is kept as a PDF file in the user's documents folder, and the user is told where it went.
#pragma once

#include "platform/ports.h"

#include <QString>
#include <string>
#include <vector>

class QFont;
class QPrinter;
class QPrinterInfo;

namespace tavrol::qt {

class QtTapePrinter : public LinePrinter {
public:
    explicit QtTapePrinter(MessageBox& messages);

    void setFontName(const std::string& face) override { face_ = face; }
    void setFontSize(double points) override { points_ = points; }
    void printLine(std::string_view line) override { pages_.back().emplace_back(line); }
    void newPage() override;
    void endDocument() override;

    // Where the job went: the printer's name, or the PDF file written instead.
    const QString& lastDestination() const { return destination_; }

private:
    using Pages = std::vector<std::vector<std::string>>;
    QFont tapeFont() const;
    bool paint(QPrinter& printer, const Pages& job) const;
    // Returns why the printer did not take the job; empty when it did.
    QString printOn(const QPrinterInfo& system, const Pages& job) const;
    void saveAsPdf(const Pages& job, const QString& printerName, const QString& failure);

    MessageBox& messages_;
    std::string face_ = "Courier New";
    double points_ = 10;
    Pages pages_ { 1 };
    QString destination_;
};

} // namespace tavrol::qt
