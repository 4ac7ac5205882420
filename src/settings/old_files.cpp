#include "settings/old_files.h"

#include <cstddef>

#include "core/filesystem.h"

namespace dustora {

namespace {

char LowerAscii(char c) {
  return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

// Bytes of a multi-byte character are never ASCII, so comparing the last
// three bytes compares the last three characters.
bool EndsWithLower(std::string_view name, std::string_view ending) {
  if (name.size() < ending.size()) return false;
  const std::string_view tail = name.substr(name.size() - ending.size());
  for (std::size_t i = 0; i < ending.size(); ++i) {
    if (LowerAscii(tail[i]) != ending[i]) return false;
  }
  return true;
}

void SearchFolder(const std::string& folder, std::vector<std::string>& found) {
  std::size_t k = 0;  // this folder's files so far, all of them on top
  for (const std::string& name : Fs().ListFiles(folder)) {
    if (!IsOldFileName(name)) continue;
    found.insert(found.begin() + static_cast<std::ptrdiff_t>(k), JoinPath(folder, name));
    ++k;
  }
  for (const std::string& name : Fs().ListFolders(folder)) SearchFolder(JoinPath(folder, name), found);
}

}  // namespace

bool IsOldFileName(std::string_view name) {
  return EndsWithLower(name, "dsc") || EndsWithLower(name, "mmo");
}

std::vector<std::string> FindOldFiles(std::string_view program_folder) {
  std::vector<std::string> found;
  SearchFolder(std::string(program_folder), found);
  return found;
}

bool CopyOldFiles(const std::vector<std::string>& sources, std::string_view document_folder,
                  const std::function<void()>& after_each) {
  for (const std::string& source : sources) {
    const std::string target = JoinPath(document_folder, FileNameOf(source));
    if (Fs().FileExists(source) && !Fs().AnythingAt(target)) {
      if (Fs().CopyFile(source, target).has_value()) return false;
    }
    if (after_each) after_each();
  }
  return true;
}

}  // namespace dustora
