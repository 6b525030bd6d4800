// The question asked before a long tape is printed: print it, save it as a PDF file, or discard
// it. Each answer is a button whose spoken name says what it does.
#pragma once

#include "view/qt_tape_printer.h"

class QWidget;

namespace tavrol::qt {

// A modal box over `parent` for a tape of `pages` pages. Enter, Escape, or a box closed without
// an answer save the PDF: that uses no paper and loses nothing.
LongTapeChoice askAboutLongTape(QWidget* parent, int pages);

} // namespace tavrol::qt
