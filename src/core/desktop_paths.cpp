#include "core/desktop_paths.h"

#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <system_error>

#include "core/filesystem.h"
#include "core/text.h"

#ifdef _WIN32
#include <windows.h>
#endif

namespace dustora {

namespace {

std::string WithoutTrailingSeparator(std::string path) {
  while (path.size() > 1 && (path.back() == '/' || path.back() == '\\')) path.pop_back();
  return path;
}

bool IsAbsolute(std::string_view path) {
  return !path.empty() && ToPath(path).is_absolute();
}

// XDG_DOCUMENTS_DIR from a user-dirs.dirs file: a line
// XDG_DOCUMENTS_DIR="$HOME/Documents" (quoted, "$HOME/" or absolute).
std::optional<std::string> UserDirsDocuments(std::string_view content, std::string_view home) {
  std::size_t start = 0;
  while (start <= content.size()) {
    std::size_t end = content.find('\n', start);
    if (end == std::string_view::npos) end = content.size();
    std::string_view line = TrimBlanks(content.substr(start, end - start));
    start = end + 1;
    constexpr std::string_view kKey = "XDG_DOCUMENTS_DIR=";
    if (!line.starts_with(kKey)) continue;
    line.remove_prefix(kKey.size());
    if (line.size() < 2 || line.front() != '"' || line.back() != '"') continue;
    std::string value(line.substr(1, line.size() - 2));
    if (value.starts_with("$HOME")) {
      if (home.empty()) continue;
      value = std::string(home) + value.substr(5);
    }
    if (IsAbsolute(value)) return WithoutTrailingSeparator(value);
  }
  return std::nullopt;
}

}  // namespace

EnvironmentLookup ProcessEnvironment() {
  return [](std::string_view name) -> std::optional<std::string> {
    const char* value = std::getenv(std::string(name).c_str());
    if (!value) return std::nullopt;
    return std::string(value);
  };
}

std::string DesktopFolderPath(SpecialFolder folder, const EnvironmentLookup& environment) {
  const std::string home = WithoutTrailingSeparator(environment("HOME").value_or(""));
  const bool home_ok = IsAbsolute(home);
  if (folder == SpecialFolder::ApplicationData) {
    const auto data_home = environment("XDG_DATA_HOME");
    if (data_home && IsAbsolute(*data_home)) return WithoutTrailingSeparator(*data_home);
    return home_ok ? home + "/.local/share" : std::string();
  }
  std::string config = environment("XDG_CONFIG_HOME").value_or("");
  if (!IsAbsolute(config)) config = home_ok ? home + "/.config" : std::string();
  if (!config.empty()) {
    const auto content = Fs().ReadFile(WithoutTrailingSeparator(config) + "/user-dirs.dirs");
    if (content.ok()) {
      if (auto documents = UserDirsDocuments(*content.value, home_ok ? home : std::string())) return *documents;
    }
  }
  return home_ok ? home + "/Documents" : std::string();
}

Date LocalToday() {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
#ifdef _WIN32
  localtime_s(&local, &now);
#else
  localtime_r(&now, &local);
#endif
  return Date{local.tm_year + 1900, local.tm_mon + 1, local.tm_mday};
}

std::string ExecutableFolder() {
  std::error_code ec;
#ifdef _WIN32
  wchar_t buffer[32768];
  const DWORD n = GetModuleFileNameW(nullptr, buffer, 32768);
  if (n == 0 || n >= 32768) return {};
  return FromPath(std::filesystem::path(std::wstring(buffer, n)).parent_path());
#else
  const std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe", ec);
  if (ec) return {};
  return FromPath(exe.parent_path());
#endif
}

std::string ProgramFolderFor(std::string_view executable_folder) {
  const std::filesystem::path folder = ToPath(executable_folder);
  if (folder.filename() == "bin") {
    const std::filesystem::path shared = folder.parent_path() / "share" / "dustora";
    std::error_code ec;
    if (std::filesystem::is_directory(shared, ec)) return FromPath(shared);
  }
  return std::string(executable_folder);
}

}  // namespace dustora
