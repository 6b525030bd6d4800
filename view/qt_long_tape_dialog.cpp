#include "view/qt_long_tape_dialog.h"

#include <QMessageBox>
#include <QPushButton>

namespace tavrol::qt {

LongTapeChoice askAboutLongTape(QWidget* parent, int pages)
{
    QMessageBox box(QMessageBox::Question, QStringLiteral("Tavrol32"),
        QStringLiteral("The tape fills %1 pages.\nPrint it, save it as a PDF file, or discard it?").arg(pages),
        QMessageBox::NoButton, parent);
    QPushButton* print = box.addButton(QStringLiteral("&Print"), QMessageBox::AcceptRole);
    print->setAccessibleName(QStringLiteral("Print the tape"));
    QPushButton* pdf = box.addButton(QStringLiteral("&Save as PDF"), QMessageBox::ActionRole);
    pdf->setAccessibleName(QStringLiteral("Save the tape as a PDF file"));
    QPushButton* discard = box.addButton(QStringLiteral("&Discard"), QMessageBox::DestructiveRole);
    discard->setAccessibleName(QStringLiteral("Discard the tape"));
    box.setDefaultButton(pdf);
    box.setEscapeButton(pdf);
    box.exec();
    if (box.clickedButton() == print)
        return LongTapeChoice::Print;
    if (box.clickedButton() == discard)
        return LongTapeChoice::Discard;
    return LongTapeChoice::SaveAsPdf;
}

} // namespace tavrol::qt
