#include "platform/qt/qt_message_box.h"

#include <QMessageBox>

namespace tavrol::qt {

QString toMessageText(const std::string& utf8)
{
    QString text = QString::fromStdString(utf8);
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return text;
}

void QtMessageBox::information(const std::string& title, const std::string& text)
{
    QMessageBox::information(parent_, QString::fromStdString(title), toMessageText(text), QMessageBox::Ok);
}

} // namespace tavrol::qt
