// How the toolkit-free model's measures, texts, fonts and colours become Qt's.
#pragma once

#include "platform/control.h"

#include <QFont>
#include <QPalette>
#include <QRect>
#include <QString>
#include <string_view>

namespace tavrol::qt {

inline constexpr int kTwipsPerPixel = 15;

// Twips to device-independent pixels, rounded to the nearest; Qt's high-DPI scaling does the rest.
int toPixels(int twips);
QRect toPixels(const Rect& twips);

// UTF-8 model text as shown by a widget: "\r\n" line breaks become "\n", no stray "\r" remains.
QString toDisplayText(std::string_view utf8);
// A widget's text back into the model: "\n" line breaks become "\r\n".
std::string toModelText(const QString& text);

// The face the model names as this machine draws it: a metric-compatible face where the layout
// is made for one (Liberation), or where that is missing a stand-in sized to take no more room.
QFont toFont(const FontSpec& wanted);

// The contrast of two colours as WCAG measures it, from 1:1 to 21:1.
double contrastRatio(const QColor& one, const QColor& other);

// The text colour for `background`: `preferred` (the theme's) when it contrasts at least 4.5:1
// with it, or else black or white, whichever contrasts more.
QColor readableOn(const QColor& background, const QColor& preferred);

// Gives `foreRole` a colour that reads on `background`, for an enabled control; a disabled one
// keeps the theme's dimmed text.
void setReadableText(QPalette& palette, QPalette::ColorRole foreRole, const QColor& background);

// Colours a control as the model says. A colour the model leaves to the platform follows the
// theme, and text on a background the model fixes is drawn so that it reads there, whatever the
// theme: the theme's light text on a dark theme would vanish on the dice list's light grey.
void applyColors(QPalette& palette, QPalette::ColorRole foreRole, QPalette::ColorRole backRole, const Style& style);

} // namespace tavrol::qt
