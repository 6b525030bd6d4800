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

// The face the model names, or the nearest metric-compatible face this machine has.
QString substituteFace(const QString& face);
QFont toFont(const FontSpec& wanted);

// Sets `role` from a model colour; the default colour leaves the palette as it is.
void applyColor(QPalette& palette, QPalette::ColorRole role, const Color& color);

} // namespace tavrol::qt
