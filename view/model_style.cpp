#include "view/model_style.h"

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

void applyColor(QPalette& palette, QPalette::ColorRole role, const Color& color)
{
    switch (color.kind) {
    case Color::Kind::Default:
        return;
    case Color::Kind::Rgb:
        palette.setColor(role, QColor(color.r, color.g, color.b));
        return;
    case Color::Kind::SystemWindow:
        palette.setColor(role, palette.color(QPalette::Base));
        return;
    }
}

} // namespace tavrol::qt
