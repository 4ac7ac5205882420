// The per-user folders: the data folder under the application-data folder
// and the document folder under the documents folder, and the first-run copy
// of the shipped files into them.
#pragma once

#include <string>

namespace dustora {

struct AppFolders {
  std::string documents_root;
  std::string document_maker_folder;  // documents root + "/Tessaloom"
  std::string document_folder;        // + "/ダストーラ"
  std::string appdata_root;
  std::string data_maker_folder;  // application-data root + "/Tessaloom"
  std::string data_folder;        // + "/Dustora"
};

// Works out the folders from the platform's special folders.
void GetSpecialFolder(AppFolders& folders);
// Creates the missing folders, parents first; reports the first failure.
void MakeSpecialFolder(const AppFolders& folders);
// Copies the shipped holiday.csv, noneterm.csv, img folder and sample.dsc
// from the program folder where they are not there yet.
void AppDataFilesCopy(const AppFolders& folders);

}  // namespace dustora
