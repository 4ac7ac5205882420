// What every reader's fuzz target shares: a file system of files in memory,
// so the readers run whole (decoding, checks, reports) on the fuzzer's
// bytes without a disk.
#pragma once

#include <cstdlib>
#include <map>
#include <string>
#include <string_view>

#include "core/errors.h"
#include "core/filesystem.h"
#include "core/report.h"

namespace dustora::fuzz {

// Files by path; folders exist implicitly. Reads and replaces are whole, as
// the real file system's are.
class MemoryFileSystem : public FileSystem {
 public:
  MemoryFileSystem() { SetFileSystem(this); }
  ~MemoryFileSystem() override { SetFileSystem(nullptr); }
  MemoryFileSystem(const MemoryFileSystem&) = delete;
  MemoryFileSystem& operator=(const MemoryFileSystem&) = delete;

  std::map<std::string, std::string, std::less<>> files;

  bool FileExists(std::string_view path) override { return files.find(path) != files.end(); }
  bool FolderExists(std::string_view) override { return true; }
  bool AnythingAt(std::string_view path) override { return FileExists(path); }
  FileError CreateFolder(std::string_view) override { return std::nullopt; }
  FileError CopyFile(std::string_view from, std::string_view to) override {
    const auto found = files.find(from);
    if (found == files.end()) return Error::Of(kErrFileNotFound);
    files[std::string(to)] = found->second;
    return std::nullopt;
  }
  FileError CopyFolder(std::string_view, std::string_view) override { return std::nullopt; }
  std::vector<std::string> ListFiles(std::string_view) override { return {}; }
  std::vector<std::string> ListFolders(std::string_view) override { return {}; }
  FileError Rename(std::string_view from, std::string_view to) override {
    const auto found = files.find(from);
    if (found == files.end()) return Error::Of(kErrFileNotFound);
    std::string bytes = std::move(found->second);
    files.erase(found);
    files[std::string(to)] = std::move(bytes);
    return std::nullopt;
  }
  FileError Remove(std::string_view path) override {
    const auto found = files.find(path);
    if (found == files.end()) return Error::Of(kErrFileNotFound);
    files.erase(found);
    return std::nullopt;
  }
  FsResult<std::string> ReadFile(std::string_view path) override {
    const auto found = files.find(path);
    if (found == files.end()) return {std::nullopt, Error::Of(kErrFileNotFound)};
    if (found->second.size() > kReadLimit) return {std::nullopt, TooLargeError(path)};
    return {found->second, {}};
  }
  FileError ReplaceFile(std::string_view path, std::string_view bytes) override {
    files[std::string(path)] = std::string(bytes);
    return std::nullopt;
  }
  // No links in memory: a path names itself.
  std::string ResolveLinks(std::string_view path) override { return std::string(path); }
  bool SameFile(std::string_view a, std::string_view b) override { return a == b && FileExists(a); }
};

// Stops the run: a reader broke one of its promises.
[[noreturn]] inline void Broken() {
  std::abort();
}

}  // namespace dustora::fuzz
