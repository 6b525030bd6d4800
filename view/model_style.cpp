#include "view/model_style.h"

#include <QColor>
#include <QFontDatabase>
#include <QFontMetrics>
#include <QFontMetricsF>
#include <algorithm>
#include <cmath>
#include <map>
#include <tuple>

namespace tavrol::qt {

int toPixels(int twips)
{
    return static_cast<int>(std::lround(static_cast<double>(twips) / kTwipsPerPixel));
}

QRect toPixels(const Rect& twips)
{
    return { toPixels(twips.left), toPixels(twips.top), toPixels(twips.width), toPixels(twips.height) };
}

QString toDisplayText(std::string_view utf8)
{
    QString text = QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
    text.remove(QLatin1Char('\r'));
    return text;
}

std::string toModelText(const QString& text)
{
    QString withBreaks = text;
    withBreaks.replace(QLatin1Char('\n'), QLatin1String("\r\n"));
    return withBreaks.toStdString();
}

namespace {

// The faces the layout is made for, each metric-compatible with the face the layout names (the
// fonts-liberation2 package), and what stands in for one that is missing: DejaVu, which every
// Linux desktop has, in its narrowest cut, drawn at a size at which it takes no more room.
struct LayoutFace {
    const char* named;
    const char* face;
    const char* standIn;
    // The layout face's metrics at 100 pixels, fixed by those of the face the layout names: the
    // width of kReference, regular and bold, and the height above and below the baseline.
    double width;
    double boldWidth;
    double ascent;
    double descent;
};

const QString kReference
    = QStringLiteral("Programming Commands: the number keys 0-9, MC MR worst fudge CANCEL Button 5");

constexpr LayoutFace kLayoutFaces[] = {
    { "Courier New", "Liberation Mono", "DejaVu Sans Mono", 4560, 4560, 83.25, 30.03 },
    { "MS Sans Serif", "Liberation Sans", "DejaVu Sans Condensed", 3886, 4119, 90.53, 21.19 },
    { "MS Serif", "Liberation Serif", "DejaVu Serif Condensed", 3582, 3806, 89.11, 21.63 },
};

// Controls that name no face use the window's default dialog font: MS Sans Serif 8 pt.
const LayoutFace* layoutFace(const std::string& named)
{
    const QString face = named.empty() ? QStringLiteral("MS Sans Serif") : QString::fromStdString(named);
    for (const LayoutFace& layout : kLayoutFaces)
        if (face.compare(QLatin1String(layout.named), Qt::CaseInsensitive) == 0)
            return &layout;
    return nullptr;
}

// The largest size, at most the wanted one, at which `font` is drawn no wider and no taller than
// the layout's face at the wanted size. It is measured as drawn: at small sizes hinting rounds
// letters and lines to whole pixels. The first guess comes from the faces' proportions.
double fittedPoints(QFont font, const LayoutFace& layout)
{
    const double wanted = font.pointSizeF();
    const double layoutWidth = font.bold() ? layout.boldWidth : layout.width;
    const double pixels = wanted * QFontMetricsF(font).fontDpi() / 72;
    const double widest = layoutWidth * pixels / 100;
    const int tallest = qRound(layout.ascent * pixels / 100) + qRound(layout.descent * pixels / 100);
    QFont large = font;
    large.setPixelSize(100);
    const QFontMetricsF design(large);
    double points = wanted
        * std::min({ 1.0, layoutWidth / design.horizontalAdvance(kReference),
            (layout.ascent + layout.descent) / design.height() });
    for (int step = 0; step < 20; ++step, points *= 0.98) {
        font.setPointSizeF(points);
        if (QFontMetricsF(font).horizontalAdvance(kReference) <= widest && QFontMetrics(font).height() <= tallest)
            break;
    }
    return points;
}

// Where the layout's face is missing, its stand-in at the size that fits; the same font asked
// for again is worked out once.
QFont standIn(QFont font, const LayoutFace& layout)
{
    static std::map<std::tuple<const LayoutFace*, double, bool>, double> fitted;
    font.setFamily(QString::fromLatin1(layout.standIn));
    const auto key = std::make_tuple(&layout, font.pointSizeF(), font.bold());
    auto found = fitted.find(key);
    if (found == fitted.end())
        found = fitted.emplace(key, fittedPoints(font, layout)).first;
    font.setPointSizeF(found->second);
    return font;
}

} // namespace

QFont toFont(const FontSpec& wanted)
{
    const LayoutFace* layout = layoutFace(wanted.face);
    QFont font(layout ? QString::fromLatin1(layout->face) : QString::fromStdString(wanted.face));
    font.setPointSizeF(wanted.points > 0 ? wanted.points : 8.0);
    font.setBold(wanted.bold);
    if (layout && !QFontDatabase::hasFamily(font.family()))
        return standIn(font, *layout);
    return font;
}

namespace {

QColor toQColor(const Color& color)
{
    return { color.r, color.g, color.b };
}

double luminance(const QColor& color)
{
    const auto linear = [](double channel) {
        return channel <= 0.03928 ? channel / 12.92 : std::pow((channel + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * linear(color.redF()) + 0.7152 * linear(color.greenF()) + 0.0722 * linear(color.blueF());
}

} // namespace

double contrastRatio(const QColor& one, const QColor& other)
{
    // Held in values: std::minmax of two temporaries hands back references to them.
    const double first = luminance(one);
    const double second = luminance(other);
    return (std::max(first, second) + 0.05) / (std::min(first, second) + 0.05);
}

QColor readableOn(const QColor& background, const QColor& preferred)
{
    constexpr double kReadable = 4.5;
    if (contrastRatio(background, preferred) >= kReadable)
        return preferred;
    const QColor black(Qt::black);
    const QColor white(Qt::white);
    return contrastRatio(background, black) >= contrastRatio(background, white) ? black : white;
}

void setReadableText(QPalette& palette, QPalette::ColorRole foreRole, const QColor& background)
{
    for (const QPalette::ColorGroup group : { QPalette::Active, QPalette::Inactive })
        palette.setColor(group, foreRole, readableOn(background, palette.color(group, foreRole)));
}

void applyColors(QPalette& palette, QPalette::ColorRole foreRole, QPalette::ColorRole backRole, const Style& style)
{
    switch (style.back.kind) {
    case Color::Kind::Default:
        break;
    case Color::Kind::Rgb:
        palette.setColor(backRole, toQColor(style.back));
        if (style.fore.isDefault())
            setReadableText(palette, foreRole, toQColor(style.back));
        break;
    case Color::Kind::SystemWindow:
        // The theme's window colour for text boxes, with the text colour that goes with it.
        for (const QPalette::ColorGroup group : { QPalette::Active, QPalette::Inactive, QPalette::Disabled }) {
            palette.setColor(group, backRole, palette.color(group, QPalette::Base));
            if (style.fore.isDefault())
                palette.setColor(group, foreRole, palette.color(group, QPalette::Text));
        }
        break;
    }
    if (!style.fore.isDefault())
        palette.setColor(foreRole, toQColor(style.fore));
}

} // namespace tavrol::qt
