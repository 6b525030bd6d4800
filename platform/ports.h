// What the program asks of the outside world. The desktop program plugs in Qt's services, the
// headless driver and the tests plug in their own.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace tavrol {

class Form;

// The per-user settings store: values by application, section and key.
class SettingsStore {
public:
    virtual ~SettingsStore() = default;
    virtual std::string get(
        const std::string& app, const std::string& section, const std::string& key, const std::string& fallback)
        = 0;
    // Returns false when the value could not be stored; what was stored before stays.
    virtual bool save(
        const std::string& app, const std::string& section, const std::string& key, const std::string& value)
        = 0;
    // Why the last get could not read the store (it then returned the fallback), or why the last
    // save could not complete; "" when it went well.
    virtual std::string problem() const { return ""; }
    // Between these calls a store may answer every get from one read of it, so that values read
    // together come from one version of the store. The calls nest; SettingsSnapshot makes them.
    virtual void beginReading() { }
    virtual void endReading() { }
};

// Holds a settings store to one read for as long as it lives.
class SettingsSnapshot {
public:
    explicit SettingsSnapshot(SettingsStore& store)
        : store_(store)
    {
        store_.beginReading();
    }
    ~SettingsSnapshot() { store_.endReading(); }
    SettingsSnapshot(const SettingsSnapshot&) = delete;
    SettingsSnapshot& operator=(const SettingsSnapshot&) = delete;

private:
    SettingsStore& store_;
};

// The printer as the tape uses it: whole lines, already laid out in columns, pages, and the end
// of a job. The columns themselves are the tape's own business (tape/line_model.h).
class LinePrinter {
public:
    virtual ~LinePrinter() = default;
    virtual void setFontName(const std::string& face) = 0;
    virtual void setFontSize(double points) = 0;
    virtual void printLine(std::string_view line) = 0;
    virtual void newPage() = 0;
    // The job is finished and handed on; the next line opens a new one.
    virtual void endDocument() = 0;
};

// A modal box with a title, a text, the information icon and one OK button.
class MessageBox {
public:
    virtual ~MessageBox() = default;
    virtual void information(const std::string& title, const std::string& text) = 0;
};

// Shows a second window modally: returns once that window has been hidden or unloaded.
class ModalHost {
public:
    virtual ~ModalHost() = default;
    virtual void showModal(Form& form) = 0;
};

// The random generator: a clock re-seed that is mixed into the state, and a uniform
// single-precision draw in [0, 1).
class RandomSource {
public:
    virtual ~RandomSource() = default;
    virtual void reseedFromClock() = 0;
    virtual float next() = 0;
    // A scripted source hands out exact faces, whatever the range asked for; a real one has none.
    virtual std::optional<int> scriptedFace() { return std::nullopt; }
};

} // namespace tavrol
