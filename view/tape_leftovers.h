// The tapes that programs gone before (killed, crashed, their display lost) left in their
// journals, finished at start on a thread of their own, so that the window answers at once
// however many there are and however long they run. Each is printed, saved as a PDF file, or,
// when neither can be done, set aside as a text file of its lines that no start takes up again;
// so a folder that stays read-only is told of once, not at every start. What became of them all
// is told in one message.
#pragma once

#include "view/tape_pdf.h"

#include <QObject>
#include <QString>
#include <atomic>
#include <chrono>
#include <functional>
#include <string>
#include <thread>
#include <vector>

namespace tavrol::qt {

// What became of the left tapes.
struct LeftoverOutcome {
    std::vector<QString> printedOn; // the printer that took each printed tape
    std::vector<QString> saved; // the PDF file of each saved tape
    QString notPrinted; // why no printer took them, when one was tried
    std::vector<std::string> setAside; // the text files of the tapes that could not be finished
    QString notSaved; // why they could not be saved
    std::vector<std::string> tooLong; // the text files of the tapes too long to finish
};

// The outcome in plain words, paragraphs apart; "" when there is nothing to tell.
std::string describe(const LeftoverOutcome& outcome);

class LeftoverTapes {
public:
    // A journal larger than this is not finished: some 80,000 pages, where the longest roll of
    // dice prints seventy.
    static constexpr std::uint64_t kLargestTape = std::uint64_t { 256 } << 20;

    struct Setup {
        std::string stateFolder; // where the journals are
        TapeLayout layout;
        QString documents; // where PDF files go
        std::chrono::milliseconds lpBound;
        long long pagesToPrint = 0; // nobody asked for paper: more than these go to PDF files
    };

    LeftoverTapes() = default;
    // Stops the work and waits for it.
    ~LeftoverTapes();
    LeftoverTapes(const LeftoverTapes&) = delete;
    LeftoverTapes& operator=(const LeftoverTapes&) = delete;

    // Starts the work; `done` runs on the event thread once it is over.
    void start(Setup setup, std::function<void(const LeftoverOutcome&)> done);
    // A quit signal came: lp gets kSubmitAfterSignal at most.
    void hurry() { hurry_ = true; }
    // The program ends: the tape in hand is finished or left as it is, and the ones not begun
    // stay for the next start.
    void stop();
    // Until `done` has run.
    bool running() const { return running_; }

private:
    void work(const Setup& setup, LeftoverOutcome& outcome);
    bool finishOne(const Setup& setup, TapeJournal& journal, LeftoverOutcome& outcome);
    bool print(const Setup& setup, const TapeReader& tape, long long pages, LeftoverOutcome& outcome);

    std::thread thread_;
    StopFlag stop_ { false };
    StopFlag hurry_ { false };
    bool running_ = false;
    QString lp_;
    long long pagesLeftToPrint_ = 0;
    QObject context_; // the call back to the event thread dies with this
};

} // namespace tavrol::qt
