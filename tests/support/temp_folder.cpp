#include "support/temp_folder.h"

#include <atomic>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <system_error>

#include "core/filesystem.h"

namespace dustora::testing {

namespace fs = std::filesystem;

TempFolder::TempFolder() {
  std::random_device random;
  const fs::path base = fs::temp_directory_path();
  for (;;) {
    const fs::path candidate = base / ("dustora-test-" + std::to_string(random()));
    std::error_code ec;
    if (fs::create_directory(candidate, ec)) {
      path_ = FromPath(candidate);
      return;
    }
  }
}

TempFolder::~TempFolder() {
  std::error_code ec;
  // Give back write permission that a test took away, then remove.
  for (auto it = fs::recursive_directory_iterator(ToPath(path_), ec); !ec && it != fs::recursive_directory_iterator();
       it.increment(ec)) {
    fs::permissions(it->path(), fs::perms::owner_all, fs::perm_options::add, ec);
  }
  fs::remove_all(ToPath(path_), ec);
}

std::string TempFolder::Join(std::string_view name) const {
  return JoinPath(path_, name);
}

std::string TempFolder::Write(std::string_view name, std::string_view bytes) const {
  std::string path = Join(name);
  std::error_code ec;
  fs::create_directories(ToPath(path).parent_path(), ec);
  std::ofstream out(ToPath(path), std::ios::binary);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  return path;
}

std::string TempFolder::Read(std::string_view name) const {
  std::ifstream in(ToPath(Join(name)), std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

}  // namespace dustora::testing
