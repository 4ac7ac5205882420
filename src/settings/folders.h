// The per-user folders: the data folder under the application-data folder
// and the document folder under the documents folder, and the first-run copy
// of the shipped files into them.
#pragma once

#include <string>

#include "core/report.h"

namespace dustora {

// The places of the desktop the folders are made from: its documents and
// application-data folders, and the program's folder of shipped files.
struct DesktopPlaces {
  std::string documents;
  std::string application_data;
  std::string program;
};

struct AppFolders {
  std::string documents_root;
  std::string document_maker_folder;  // documents root + "/Tessaloom"
  std::string document_folder;        // + "/ダストーラ"
  std::string appdata_root;
  std::string data_maker_folder;  // application-data root + "/Tessaloom"
  std::string data_folder;        // + "/Dustora"
  std::string program_folder;     // the shipped files
};

// Works out the folders from the desktop's places.
void GetSpecialFolder(AppFolders& folders, const DesktopPlaces& places);
// Creates the missing folders, parents first; reports the first failure.
void MakeSpecialFolder(const AppFolders& folders, Report& report);
// Copies the shipped holiday.csv, noneterm.csv, img folder and sample.dsc
// from the program folder where they are not there yet.
void AppDataFilesCopy(const AppFolders& folders, Report& report);

}  // namespace dustora
