#include "view/pictures.h"

#include "platform/posix_file.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPainter>
#include <QPainterPath>
#include <cerrno>
#include <fcntl.h>
#include <optional>
#include <sys/stat.h>
#include <unistd.h>

namespace tavrol::qt {

namespace {

const QString kTapeOn = QStringLiteral("printon.bmp");
const QString kTapeOff = QStringLiteral("printoff.bmp");
// Far beyond any toggle picture; a larger file is not read into memory.
constexpr std::size_t kLargestPicture = std::size_t { 16 } << 20;

// The bytes of a regular file. A FIFO or a device under a picture's name would hold the window
// for ever, so the file is opened without waiting and refused unless it is a plain file.
std::optional<QByteArray> regularFileBytes(const QString& path)
{
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0)
        return std::nullopt;
    const std::optional<std::string> bytes = posix::readRegular(fd, kLargestPicture);
    ::close(fd);
    if (!bytes)
        return std::nullopt;
    return QByteArray::fromStdString(*bytes);
}

// A small printer with a sheet going in at the back and a printed slip coming out at the front;
// the lamp is lit while the tape prints. Around it the key's own background shows, the theme's
// window colour: white on a light theme, and no white square on a dark one.
QPixmap drawPrinter(bool on)
{
    QPixmap pixmap(kTogglePictureSize, kTogglePictureSize);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    const QColor ink(48, 48, 48);

    painter.setPen(ink);
    painter.setBrush(Qt::white);
    painter.drawRect(7, 2, 10, 7); // sheet feeding in
    painter.setBrush(QColor(168, 168, 176));
    painter.drawRoundedRect(2, 8, 20, 9, 2, 2); // body
    painter.fillRect(6, 13, 13, 2, ink); // paper slot
    painter.setBrush(Qt::white);
    painter.drawRect(7, 14, 10, 8); // printed slip
    painter.setPen(QColor(120, 120, 120));
    painter.drawLine(9, 17, 15, 17);
    painter.drawLine(9, 19, 13, 19);
    painter.fillRect(18, 10, 2, 2, on ? QColor(0, 200, 0) : QColor(70, 70, 70)); // lamp

    if (!on) {
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setPen(QPen(QColor(220, 0, 0), 2.5));
        painter.setBrush(Qt::NoBrush);
        painter.drawEllipse(QRectF(2.0, 2.0, 21.0, 21.0));
        painter.drawLine(QPointF(5.5, 5.5), QPointF(19.5, 19.5));
    }
    return pixmap;
}

} // namespace

QPixmap builtInPicture(const QString& fileName)
{
    const QString name = QFileInfo(fileName).fileName();
    if (name.compare(kTapeOn, Qt::CaseInsensitive) == 0)
        return drawPrinter(true);
    if (name.compare(kTapeOff, Qt::CaseInsensitive) == 0)
        return drawPrinter(false);
    return {};
}

QPixmap loadTogglePicture(const std::string& picture)
{
    if (picture.empty())
        return builtInPicture(kTapeOff);
    // Pictures written in the other system's style keep their backslashes.
    QString name = QString::fromStdString(picture);
    name.replace(QLatin1Char('\\'), QLatin1Char('/'));
    QPixmap fromFile;
    if (const auto bytes = regularFileBytes(QDir::current().filePath(name)); bytes && fromFile.loadFromData(*bytes))
        return fromFile;
    return builtInPicture(name);
}

QIcon applicationIcon()
{
    QPixmap pixmap(32, 32);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);

    painter.setPen(QColor(30, 34, 40));
    painter.setBrush(QColor(70, 80, 94));
    painter.drawRoundedRect(QRectF(2.5, 0.5, 27, 31), 3, 3); // calculator body
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(128, 128, 128));
    painter.drawRect(QRectF(5, 3, 22, 8)); // display
    painter.setBrush(QColor(0, 192, 0));
    for (int digit = 0; digit < 3; ++digit)
        painter.drawRect(QRectF(13.0 + 4.5 * digit, 5, 3, 4));

    painter.setPen(QPen(QColor(20, 20, 20), 1));
    painter.setBrush(QColor(250, 250, 246));
    painter.drawRoundedRect(QRectF(7.5, 13.5, 17, 17), 3, 3); // die
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(180, 0, 0));
    const QPointF pips[] = { { 11.5, 17.5 }, { 20.5, 17.5 }, { 16, 22 }, { 11.5, 26.5 }, { 20.5, 26.5 } };
    for (const QPointF& pip : pips)
        painter.drawEllipse(pip, 1.8, 1.8);
    painter.end();
    return QIcon(pixmap);
}

} // namespace tavrol::qt
