// The settings of a new settings file, as the first start reads them.
#pragma once

#include "settings/settings.h"
#include "support/fake_platform.h"

namespace dustora::testing {

inline AppSettings DefaultSettings() {
  FakePlatform platform;
  ProfileFile file = DefaultSettingsFile("");
  HolidayMyIni(file);
  AppSettings settings;
  CalendarDocument document;
  ReadSettings(file, "GetInitial", settings, document);
  return settings;
}

}  // namespace dustora::testing
