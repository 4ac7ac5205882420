// A picture of the program drawn for its splash and version windows, its
// windows' icon and the desktop's icon files.
#pragma once

#include <QIcon>
#include <QPainter>
#include <QPixmap>
#include <array>

namespace dustora {

// The application id of the desktop files (entry, icon, metainfo, MIME
// type package), which the program also gives Qt as its desktop file name.
inline constexpr char kDesktopId[] = "jp.dustora.Dustora";

// The sizes of the icon in the hicolor theme.
inline constexpr std::array<int, 8> kIconSizes = {16, 22, 24, 32, 48, 64, 128, 256};

// Paints the picture on a square of `size` from the painter's origin.
void PaintProgramPicture(QPainter& painter, int size);
QPixmap ProgramPicture(int size);
// The picture at every icon size.
QIcon ProgramIcon();

}  // namespace dustora
