// The settings of a new settings file, as the first start reads them.
#pragma once

#include "settings/settings.h"

namespace dustora::testing {

inline AppSettings DefaultSettings() {
  ProfileFile file = DefaultSettingsFile("");
  HolidayMyIni(file);
  AppSettings settings;
  CalendarDocument document;
  Report report;
  ReadSettings(file, kLoadSettingsTag, settings, document, report);
  return settings;
}

}  // namespace dustora::testing
