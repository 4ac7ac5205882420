#include "settings/folders.h"

#include <array>

#include "core/filesystem.h"

namespace dustora {

namespace {

constexpr std::string_view kMakerFolder = "Tessaloom";
constexpr std::string_view kDocumentFolderName = "ダストーラ";
constexpr std::string_view kDataFolderName = "Dustora";

// Copies only when the source exists and the target does not.
FileError CopyWhenMissing(const std::string& from, const std::string& to) {
  FileSystem& fs = Fs();
  if (!fs.FileExists(from) || fs.FileExists(to)) return std::nullopt;
  return fs.CopyFile(from, to);
}

FileError CopyIcons(const std::string& program_folder, const std::string& data_folder) {
  FileSystem& fs = Fs();
  const std::string target = JoinPath(data_folder, "img");
  if (fs.FolderExists(target)) return std::nullopt;  // even when empty
  if (FileError failed = fs.CreateFolder(target)) return failed;
  const std::string source = JoinPath(program_folder, "img");
  if (!fs.FolderExists(source)) return std::nullopt;
  return fs.CopyFolder(source, target);
}

}  // namespace

void GetSpecialFolder(AppFolders& f, const DesktopPlaces& places) {
  f.documents_root = places.documents;
  f.document_maker_folder = JoinPath(f.documents_root, kMakerFolder);
  f.document_folder = JoinPath(f.document_maker_folder, kDocumentFolderName);
  f.appdata_root = places.application_data;
  f.data_maker_folder = JoinPath(f.appdata_root, kMakerFolder);
  f.data_folder = JoinPath(f.data_maker_folder, kDataFolderName);
  f.program_folder = places.program;
}

void MakeSpecialFolder(const AppFolders& f, Report& report) {
  FileSystem& fs = Fs();
  const std::array<std::pair<const std::string*, const std::string*>, 4> folders = {{
      {&f.documents_root, &f.document_maker_folder},
      {&f.documents_root, &f.document_folder},
      {&f.appdata_root, &f.data_maker_folder},
      {&f.appdata_root, &f.data_folder},
  }};
  for (const auto& [root, folder] : folders) {
    if (fs.FolderExists(*folder)) continue;
    // A root the desktop could not tell would put the folder at the top of
    // the file system; that is refused like a missing root.
    FileError failed = root->empty() ? FileError(Error::Of(kErrPathNotFound)) : fs.CreateFolder(*folder);
    if (failed) {
      report.FailUnexpectedly("MakeSpecialFolder", *failed);
      return;
    }
  }
}

void AppDataFilesCopy(const AppFolders& f, Report& report) {
  const std::string& program = f.program_folder;
  FileError failed = CopyWhenMissing(JoinPath(program, "holiday.csv"), JoinPath(f.data_folder, "holiday.csv"));
  if (!failed) failed = CopyWhenMissing(JoinPath(program, "noneterm.csv"), JoinPath(f.data_folder, "noneterm.csv"));
  if (!failed) failed = CopyIcons(program, f.data_folder);
  if (!failed) failed = CopyWhenMissing(JoinPath(program, "sample.dsc"), JoinPath(f.document_folder, "sample.dsc"));
  if (failed) report.FailUnexpectedly("AppDataFilesCopy", *failed);
}

}  // namespace dustora
