#include "view/model_style.h"

#include <QColor>
#include <algorithm>
#include <cmath>

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

QString substituteFace(const QString& face)
{
    static const struct {
        const char* wanted;
        const char* present;
    } kSubstitutes[] = {
        { "Courier New", "Liberation Mono" },
        { "MS Sans Serif", "Liberation Sans" },
        { "MS Serif", "Liberation Serif" },
    };
    for (const auto& substitute : kSubstitutes)
        if (face.compare(QLatin1String(substitute.wanted), Qt::CaseInsensitive) == 0)
            return QString::fromLatin1(substitute.present);
    return face;
}

QFont toFont(const FontSpec& wanted)
{
    // Controls that name no face use the window's default dialog font: Liberation Sans 8 pt.
    QFont font(
        wanted.face.empty() ? QStringLiteral("Liberation Sans") : substituteFace(QString::fromStdString(wanted.face)));
    font.setPointSizeF(wanted.points > 0 ? wanted.points : 8.0);
    font.setBold(wanted.bold);
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
    const auto [darker, lighter] = std::minmax(luminance(one), luminance(other));
    return (lighter + 0.05) / (darker + 0.05);
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
