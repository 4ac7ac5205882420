// A fresh folder for a test, removed with everything in it afterwards.
#pragma once

#include <string>
#include <string_view>

namespace dustora::testing {

class TempFolder {
 public:
  TempFolder();
  ~TempFolder();
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  const std::string& path() const { return path_; }
  std::string Join(std::string_view name) const;
  // Writes a file below the folder (parents created) and returns its path.
  std::string Write(std::string_view name, std::string_view bytes) const;
  // The bytes of a file below the folder; empty when missing.
  std::string Read(std::string_view name) const;

 private:
  std::string path_;
};

}  // namespace dustora::testing
