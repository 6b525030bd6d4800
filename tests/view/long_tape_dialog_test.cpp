// The question before a long tape: each button, found by its spoken name, gives the answer it
// names, and Escape keeps the tape as a PDF rather than printing or losing it.
#include "view/qt_long_tape_dialog.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

namespace tavrol::qt {
namespace {

struct AnswerRow {
    const char* spokenName; // the button to click; null: press Escape
    LongTapeChoice expected;
};

TEST(LongTapeQuestion, eachButtonGivesTheAnswerItsSpokenNameSays)
{
    const AnswerRow table[] = {
        { "Print the tape", LongTapeChoice::Print },
        { "Save the tape as a PDF file", LongTapeChoice::SaveAsPdf },
        { "Discard the tape", LongTapeChoice::Discard },
        { nullptr, LongTapeChoice::SaveAsPdf },
    };
    for (const AnswerRow& row : table) {
        SCOPED_TRACE(row.spokenName ? row.spokenName : "Escape");
        QString question;
        bool clicked = false;
        QTimer::singleShot(0, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (!box)
                return;
            question = box->text();
            if (!row.spokenName) {
                QTest::keyClick(box, Qt::Key_Escape);
                clicked = true;
                return;
            }
            for (QAbstractButton* button : box->findChildren<QAbstractButton*>()) {
                if (button->accessibleName() == QLatin1String(row.spokenName)) {
                    button->click();
                    clicked = true;
                    return;
                }
            }
            box->reject(); // no such button: the test fails below instead of waiting
        });
        const LongTapeChoice answer = askAboutLongTape(nullptr, 71);
        EXPECT_TRUE(clicked) << "no button of that spoken name";
        EXPECT_EQ(answer, row.expected);
        EXPECT_TRUE(question.contains(QLatin1String("71 pages"))) << question.toStdString();
    }
}

} // namespace
} // namespace tavrol::qt
