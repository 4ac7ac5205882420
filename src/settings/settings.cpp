#include "settings/settings.h"

namespace dustora {

AppSettings& Settings() {
  static AppSettings settings;
  return settings;
}

}  // namespace dustora
