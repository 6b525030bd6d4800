// Ports that keep what they are asked in memory: for tests and the headless driver.
#pragma once

#include "platform/ports.h"

#include <map>
#include <string>
#include <string_view>
#include <tuple>
#include <vector>

namespace tavrol {

class MemorySettings : public SettingsStore {
public:
    std::string get(const std::string& app, const std::string& section, const std::string& key,
        const std::string& fallback) override
    {
        problem_ = unreadable ? reason : "";
        const auto found = values.find({ app, section, key });
        return unreadable || found == values.end() ? fallback : found->second;
    }
    bool save(
        const std::string& app, const std::string& section, const std::string& key, const std::string& value) override
    {
        problem_ = readOnly ? reason : "";
        if (readOnly)
            return false;
        values[{ app, section, key }] = value;
        return true;
    }
    std::string problem() const override { return problem_; }

    std::map<std::tuple<std::string, std::string, std::string>, std::string> values;
    bool readOnly = false; // saves fail
    bool unreadable = false; // gets read nothing and give the fallback
    std::string reason = "the store is out of reach"; // the problem either reports

private:
    std::string problem_;
};

struct ShownMessage {
    std::string title;
    std::string text;
};

class RecordingMessageBox : public MessageBox {
public:
    void information(const std::string& title, const std::string& text) override { shown.push_back({ title, text }); }
    std::vector<ShownMessage> shown;
};

// A printer that keeps what it was asked to print: each line as its text, a new page as
// "<new page>" and the end of the document as "<end document>".
class RecordingPrinter : public LinePrinter {
public:
    void setFontName(const std::string& face) override { fontName = face; }
    void setFontSize(double points) override { fontSize = points; }
    void printLine(std::string_view line) override { lines.emplace_back(line); }
    void newPage() override { lines.emplace_back("<new page>"); }
    void endDocument() override { lines.emplace_back("<end document>"); }

    std::vector<std::string> lines;
    std::string fontName;
    double fontSize = 0;
};

// For hosts with no second window to show yet: returns at once, as if it had been closed.
class NullModalHost : public ModalHost {
public:
    void showModal(Form&) override { ++shown; }
    int shown = 0;
};

} // namespace tavrol
