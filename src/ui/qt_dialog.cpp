#include "ui/qt_dialog.h"

#include "ui/qt_text.h"

namespace dustora {

std::string QtDialog::DialogName() const {
  return FromQt(dialog_.objectName());
}

}  // namespace dustora
