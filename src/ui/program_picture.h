// A picture of the program drawn for its splash and version windows.
#pragma once

#include <QPixmap>

namespace dustora {

QPixmap ProgramPicture(int size);

}  // namespace dustora
