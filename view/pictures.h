// The pictures the program draws itself: the tape key's printer (on and off) and the window icon.
#pragma once

#include <QIcon>
#include <QPixmap>
#include <QString>
#include <string>

namespace tavrol::qt {

inline constexpr int kTogglePictureSize = 25;

// The copy built into the program of "printon.bmp" or "printoff.bmp" (any case, any folder);
// a null pixmap for any other name.
QPixmap builtInPicture(const QString& fileName);

// What a picture key shows for its model's `picture`: "" is the built-in tape-off picture;
// a name is looked up in the working folder first, then among the built-in copies; a null
// pixmap when neither has it.
QPixmap loadTogglePicture(const std::string& picture);

// A die on a calculator, 32 x 32.
QIcon applicationIcon();

} // namespace tavrol::qt
