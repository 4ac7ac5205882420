// Modules loaded while the program runs, so that what only some runs need
// (the iCalendar export's library) is loaded by those runs alone.
#pragma once

#include <memory>
#include <string>
#include <variant>

namespace dustora {

// A loaded module; closed when the object goes.
class LoadedModule {
 public:
  // The module at `path` (UTF-8), or why it cannot be loaded.
  [[nodiscard]] static std::variant<std::unique_ptr<LoadedModule>, std::string> Open(const std::string& path);
  ~LoadedModule();
  LoadedModule(const LoadedModule&) = delete;
  LoadedModule& operator=(const LoadedModule&) = delete;

  // The address of `symbol`, or why it cannot be had.
  [[nodiscard]] std::variant<void*, std::string> Symbol(const char* symbol) const;
  const std::string& path() const { return path_; }

 private:
  LoadedModule(void* handle, std::string path) : handle_(handle), path_(std::move(path)) {}

  void* handle_;
  std::string path_;
};

}  // namespace dustora
