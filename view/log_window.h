// The log window: the session's log as a list that a screen reader walks, one line an entry,
// newest last, with search, copy, export (CSV or PDF), print on the tape's printer, clear, and
// rolling an entry again. A window of its own beside the calculator, never modal; it comes back
// where the user last put it. New entries follow at the end of the list without taking the focus,
// and the list scrolls with them unless the user scrolled away.
#pragma once

#include <QSortFilterProxyModel>
#include <QTimer>
#include <QWidget>
#include <functional>
#include <string>
#include <vector>

class QLabel;
class QLineEdit;
class QTableView;
class QMenu;

namespace tavrol {
class frmTavrol;
struct LogEntry;
} // namespace tavrol

namespace tavrol::qt {

class SessionLog;

class LogWindow : public QWidget {
public:
    // Beside `calculator` (the main window, which owns this one); its place is kept in
    // `stateFolder`. Everything must outlive it.
    LogWindow(SessionLog& log, frmTavrol& form, QWidget& calculator, std::string stateFolder);
    ~LogWindow() override;

    // Shows the window, beside the calculator the first time, and gives it the focus.
    void open();

    // The questions the window asks, which tests answer themselves.
    using Confirm = std::function<bool(const QString& title, const QString& question)>;
    using ChooseFile = std::function<QString(const QString& title, const QString& suggested, const QString& filter)>;
    void setConfirm(Confirm confirm) { confirm_ = std::move(confirm); }
    void setChooseFile(ChooseFile choose) { chooseFile_ = std::move(choose); }

    enum class Format { Csv, Pdf };
    enum class Which { All, Selected };

    // The commands of its buttons, keys and menu.
    void rollAgain();
    void copySelection();
    bool exportEntries(Which which, Format format);
    void printSelection();
    void clearLog();

    // What the last command did, or what keeps the log from being whole: the line at the bottom.
    QString note() const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    void build();
    void buildList();
    QWidget* buildButtons();
    // The export commands, as a menu of `parent`'s own (a button's), or as a submenu of a menu.
    QMenu* buildExportMenu(QWidget* parent);
    void placeBeside();
    bool restorePlace();
    void savePlace() const;
    void followNewEntries();
    void showNote(const QString& text);
    void updateCommands();
    std::vector<int> selectedRows() const; // of the log's own model, in order
    std::vector<LogEntry> entries(Which which) const;
    bool pressKeysOf(const LogEntry& entry);

    SessionLog& log_;
    frmTavrol& form_;
    QWidget& calculator_;
    std::string placeFile_;
    QSortFilterProxyModel filtered_;
    QTableView* list_ = nullptr;
    QLineEdit* search_ = nullptr;
    QLabel* noteLine_ = nullptr;
    std::vector<QWidget*> needSelection_; // commands that act on the selected entries
    QWidget* clearButton_ = nullptr;
    QTimer searchPause_;
    QString note_;
    bool placed_ = false;
    bool following_ = true;
    Confirm confirm_;
    ChooseFile chooseFile_;
};

} // namespace tavrol::qt
