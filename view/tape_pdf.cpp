#include "view/tape_pdf.h"

#include "platform/posix_file.h"

#include <QBuffer>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFontDatabase>
#include <QFontMetricsF>
#include <QLocale>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QStandardPaths>
#include <QStringList>
#include <algorithm>
#include <cerrno>
#include <cstring>
#include <ctime>
#include <limits>

namespace tavrol::qt {
namespace {

// Wide enough for any printer's unprintable border, so the sign column is never cut off, also
// when the PDF written instead is printed later.
constexpr qreal kMarginMm = 15;
constexpr int kDotsPerInch = 1200;

// A line wider than the page goes on over several lines. Each break follows the last item that
// fits, so no number is split and the blanks before the next item go with it: the dice of a
// large roll stay in the columns of the dice above them.
QStringList fitted(const QString& line, qsizetype columns)
{
    QStringList parts;
    qsizetype start = 0;
    while (line.size() - start > columns) {
        qsizetype cut = columns;
        while (cut > 0 && !(line[start + cut] == QLatin1Char(' ') && line[start + cut - 1] != QLatin1Char(' ')))
            --cut;
        if (cut == 0)
            cut = columns; // one item wider than the page: it is cut where the page ends
        parts << line.mid(start, cut);
        start += cut;
    }
    parts << line.mid(start);
    return parts;
}

bool evenPitch(const QFont& font)
{
    const QFontMetricsF metrics(font);
    const qreal width = metrics.horizontalAdvance(QLatin1Char('0'));
    return std::ranges::all_of(
        QStringLiteral(" il-.M<*>"), [&](QChar c) { return qFuzzyCompare(metrics.horizontalAdvance(c), width); });
}

// Letter where the locale measures in inches, A4 elsewhere: the printer's own paper cannot be
// asked for without talking to the print system, and it fits a PDF to its paper anyway.
QPageSize paper()
{
    return QPageSize(QLocale().measurementSystem() == QLocale::ImperialUSSystem ? QPageSize::Letter : QPageSize::A4);
}

// Every PDF of a tape, measured or written, is set up alike, so the pages counted are the pages
// painted.
void setUp(QPdfWriter& writer)
{
    writer.setTitle(QStringLiteral("Tavrol32 tape"));
    writer.setCreator(QStringLiteral("Tavrol32"));
    writer.setResolution(kDotsPerInch);
    writer.setPageSize(paper());
    writer.setPageMargins(QMarginsF(kMarginMm, kMarginMm, kMarginMm, kMarginMm), QPageLayout::Millimeter);
}

// Lays the tape's lines out on pages and hands each page on as it fills. A page of the tape
// that ends with nothing on it wastes no paper.
class Pager {
public:
    Pager(const TapeLayout& layout, std::function<bool(const QStringList&)> page)
        : layout_(layout)
        , page_(std::move(page))
    {
    }

    // False once a page could not be handed on; the tape is not read further then.
    bool read(const TapeReader& tape)
    {
        const bool whole = tape([this](std::string_view line) { add(line); }, [this] { endPage(); });
        endPage();
        return whole && ok_;
    }

private:
    void add(std::string_view line)
    {
        if (!ok_)
            return;
        for (const QString& part : fitted(QString::fromUtf8(line.data(), std::ssize(line)), layout_.columns)) {
            if (lines_.size() == layout_.linesPerPage)
                endPage();
            lines_ << part;
            open_ = true;
        }
    }
    void endPage()
    {
        if (open_ && ok_)
            ok_ = page_(lines_);
        lines_.clear();
        open_ = false;
    }

    const TapeLayout& layout_;
    std::function<bool(const QStringList&)> page_;
    QStringList lines_;
    bool open_ = false;
    bool ok_ = true;
};

} // namespace

TapeReader readerOf(const TapePages& tape)
{
    return [&tape](const TapeJournal::LineCall& line, const std::function<void()>& pageBreak) {
        for (std::size_t page = 0; page < tape.size(); ++page) {
            if (page > 0)
                pageBreak();
            for (const std::string& text : tape[page])
                line(text);
        }
        return true;
    };
}

TapeReader readerOf(const TapeJournal& journal)
{
    return [&journal](const TapeJournal::LineCall& line, const std::function<void()>& pageBreak) {
        return journal.read(line, pageBreak);
    };
}

TapeLayout tapeLayout(const std::string& face, double points)
{
    TapeLayout layout;
    layout.font = QFont(QString::fromStdString(face));
    layout.font.setStyleHint(QFont::TypeWriter);
    layout.font.setFixedPitch(true);
    // The columns need every character as wide as the next: a face that is proportional gives way
    // to the system's fixed-pitch font. The widths are measured, because the font's own claim to
    // a fixed pitch is missing from some monospaced faces.
    if (!evenPitch(layout.font))
        layout.font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    layout.font.setPointSizeF(points);

    QBuffer nowhere;
    QPdfWriter measure(&nowhere);
    setUp(measure);
    const QFontMetricsF metrics(layout.font, &measure);
    const QRectF area = measure.pageLayout().paintRectPixels(measure.resolution());
    layout.columns = std::max<qsizetype>(1, static_cast<qsizetype>(area.width() / metrics.horizontalAdvance('0')));
    layout.ascent = metrics.ascent();
    layout.step = metrics.lineSpacing();
    layout.linesPerPage = std::max<qsizetype>(
        1, static_cast<qsizetype>((area.height() - metrics.ascent() - metrics.descent()) / layout.step) + 1);
    return layout;
}

long long countPages(const TapeReader& tape, const TapeLayout& layout)
{
    long long pages = 0;
    Pager pager(layout, [&pages](const QStringList&) {
        ++pages;
        return true;
    });
    return pager.read(tape) ? pages : -1;
}

bool writePdf(const TapeReader& tape, const TapeLayout& layout, QIODevice& device, const StopFlag* stop)
{
    QPdfWriter writer(&device);
    setUp(writer);
    QPainter painter;
    if (!painter.begin(&writer))
        return false;
    painter.setFont(layout.font);
    bool first = true;
    Pager pager(layout, [&](const QStringList& lines) {
        if ((stop && *stop) || (!first && !writer.newPage()))
            return false;
        first = false;
        qreal y = layout.ascent;
        for (const QString& line : lines) {
            painter.drawText(QPointF(0, y), line);
            y += layout.step;
        }
        return true;
    });
    const bool painted = pager.read(tape);
    return painter.end() && painted;
}

QString documentsFolder()
{
    QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (folder.isEmpty() || !QDir().mkpath(folder))
        folder = QDir::homePath();
    return folder;
}

QString savePdf(
    const TapeReader& tape, const TapeLayout& layout, const QString& folder, QString& why, const StopFlag* stop)
{
    const std::string where = QFile::encodeName(folder).toStdString();
    // Only the leftovers of writers that are gone: a live one holds its lock.
    posix::removeAbandoned(where, posix::PendingFile::isPendingName, std::numeric_limits<std::time_t>::max());
    posix::PendingFile pending = posix::PendingFile::create(where);
    QFile file;
    if (!pending.isOpen() || !file.open(pending.fd(), QIODevice::WriteOnly, QFileDevice::DontCloseHandle)) {
        why = QStringLiteral("No new file can be made in %1: %2")
                  .arg(folder, QString::fromLocal8Bit(std::strerror(errno)));
        return {};
    }
    if (!writePdf(tape, layout, file, stop) || !file.flush()) {
        why = QStringLiteral("The PDF file could not be written in %1.").arg(folder);
        return {};
    }
    // Never over an earlier tape, also one another Tavrol32 saves in the same second.
    const QString stem
        = QStringLiteral("Tavrol32 tape") + QDateTime::currentDateTime().toString(" yyyy-MM-dd hh-mm-ss");
    for (int n = 1; n < 1000; ++n) {
        const QString name
            = QDir(folder).filePath(n == 1 ? stem + ".pdf" : QStringLiteral("%1 (%2).pdf").arg(stem).arg(n));
        if (pending.commit(QFile::encodeName(name).toStdString()))
            return name;
        if (errno != EEXIST)
            break;
    }
    why = QStringLiteral("The PDF file could not be named in %1: %2")
              .arg(folder, QString::fromLocal8Bit(std::strerror(errno)));
    return {};
}

} // namespace tavrol::qt
