// A tape as a PDF: its lines laid out on pages in a fixed-pitch font and painted a page at a
// time, so that a tape of any length costs the memory of one page. The same code counts the
// pages before a tape is printed and paints them, so what is counted is what is painted.
#pragma once

#include "platform/tape_journal.h"

#include <QFont>
#include <QString>
#include <atomic>
#include <functional>
#include <string>

class QIODevice;

namespace tavrol::qt {

// Where a tape's lines come from, read in order: `line` for each line, `pageBreak` for each page
// break. False when they could not all be read.
using TapeReader = std::function<bool(const TapeJournal::LineCall& line, const std::function<void()>& pageBreak)>;
// The tape in memory; it must outlive the reader.
TapeReader readerOf(const TapePages& tape);
// The tape in an adopted journal, read a piece at a time; the journal must outlive the reader.
TapeReader readerOf(const TapeJournal& journal);

// How a tape falls on the paper: its font, and the columns and lines of a page.
struct TapeLayout {
    QFont font;
    qreal ascent = 0;
    qreal step = 0;
    qsizetype columns = 1;
    qsizetype linesPerPage = 1;
};

// The layout for the face and size the tape asked for, measured on a PDF as every tape's is set
// up. A face that is not fixed-pitch gives way to the system's fixed-pitch font. On the event
// thread: it asks the font database.
TapeLayout tapeLayout(const std::string& face, double points);

// The pages the tape fills; -1 when it could not be read.
long long countPages(const TapeReader& tape, const TapeLayout& layout);

// Set from another thread when the work should stop; painting stops at the next page.
using StopFlag = std::atomic<bool>;

// Paints the tape as a PDF into `device`; false when it could not be read or written, or when
// `stop` was set meanwhile.
bool writePdf(const TapeReader& tape, const TapeLayout& layout, QIODevice& device, const StopFlag* stop = nullptr);

// The user's documents folder, made when missing, or the home folder when there is none.
QString documentsFolder();

// Writes the tape as a PDF file in `folder`, named "Tavrol32 tape <date and time>.pdf" and never
// over a file that is there. The file has its name only once it is whole; before, it is a hidden
// file beside, and what earlier writes that were cut off left in the folder is cleared first.
// Returns the file's path, or "" with `why` saying what failed.
QString savePdf(const TapeReader& tape, const TapeLayout& layout, const QString& folder, QString& why,
    const StopFlag* stop = nullptr);

} // namespace tavrol::qt
