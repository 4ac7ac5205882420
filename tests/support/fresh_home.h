// Points the fake desktop at a new home folder, with its documents and
// application-data roots made, and at a program folder.
#pragma once

#include <filesystem>

#include "core/filesystem.h"
#include "settings/folders.h"
#include "support/fake_platform.h"
#include "support/temp_folder.h"

namespace dustora::testing {

inline void UseFreshHome(FakePlatform& platform, const TempFolder& home, const TempFolder& program) {
  platform.documents_folder = home.Join("Documents");
  platform.appdata_folder = home.Join("share");
  platform.program_folder = program.path();
  std::filesystem::create_directories(ToPath(platform.documents_folder));
  std::filesystem::create_directories(ToPath(platform.appdata_folder));
}

// The same places as values, for the routines below the windows.
inline DesktopPlaces FreshPlaces(const TempFolder& home, const TempFolder& program) {
  const DesktopPlaces places{home.Join("Documents"), home.Join("share"), program.path()};
  std::filesystem::create_directories(ToPath(places.documents));
  std::filesystem::create_directories(ToPath(places.application_data));
  return places;
}

}  // namespace dustora::testing
