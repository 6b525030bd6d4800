// Renders the icon the program draws for its own window into the PNG files of the hicolor icon
// theme, so the menu, the dock and the window show the same picture and the files never drift
// from the drawing. Run at build time, offscreen:
//   tavrol32-render-icons <folder> <size>...
// writes <folder>/<size>x<size>/apps/tavrol32.png for each size.
#include "view/pictures.h"

#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QPixmap>
#include <cstdio>

namespace {

// The icon is drawn once, at its own size: smaller sizes are smoothed down from it, larger ones
// are enlarged by whole pixels while they can be, so the edges stay sharp instead of blurring.
QImage renderAt(const QIcon& icon, int size)
{
    const QSize wanted(size, size);
    QImage image = icon.pixmap(wanted).toImage();
    if (image.isNull() || image.size() == wanted)
        return image;
    const bool wholeSteps = size > image.width() && size % image.width() == 0;
    return image.scaled(wanted, Qt::KeepAspectRatio, wholeSteps ? Qt::FastTransformation : Qt::SmoothTransformation);
}

} // namespace

int main(int argc, char* argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (argc < 3) {
        std::fprintf(stderr, "usage: %s <folder> <size>...\n", argv[0]);
        return 2;
    }
    const QDir folder(QString::fromLocal8Bit(argv[1]));
    const QIcon icon = tavrol::qt::applicationIcon();
    for (int i = 2; i < argc; ++i) {
        bool isNumber = false;
        const int size = QString::fromLatin1(argv[i]).toInt(&isNumber);
        if (!isNumber || size < 1 || size > 1024) {
            std::fprintf(stderr, "not an icon size: %s\n", argv[i]);
            return 2;
        }
        const QString theme = QStringLiteral("%1x%1/apps").arg(size);
        const QImage image = renderAt(icon, size);
        const QString path = folder.filePath(theme + QStringLiteral("/tavrol32.png"));
        if (image.size() != QSize(size, size) || !folder.mkpath(theme) || !image.save(path, "PNG")) {
            std::fprintf(stderr, "could not write %s\n", qPrintable(path));
            return 1;
        }
    }
    return 0;
}
