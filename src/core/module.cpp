#include "core/module.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <dlfcn.h>
#endif

#include "core/filesystem.h"

namespace dustora {

#ifdef _WIN32

std::variant<std::unique_ptr<LoadedModule>, std::string> LoadedModule::Open(const std::string& path) {
  HMODULE module = LoadLibraryW(ToPath(path).c_str());
  if (module == nullptr) return path + ": the module cannot be loaded (error " + std::to_string(GetLastError()) + ")";
  return std::unique_ptr<LoadedModule>(new LoadedModule(module, path));
}

LoadedModule::~LoadedModule() {
  FreeLibrary(static_cast<HMODULE>(handle_));
}

std::variant<void*, std::string> LoadedModule::Symbol(const char* symbol) const {
  FARPROC address = GetProcAddress(static_cast<HMODULE>(handle_), symbol);
  if (address == nullptr) return path_ + ": " + symbol + " is missing";
  return reinterpret_cast<void*>(address);
}

#else

std::variant<std::unique_ptr<LoadedModule>, std::string> LoadedModule::Open(const std::string& path) {
  void* module = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (module == nullptr) {
    const char* why = dlerror();
    return why != nullptr ? std::string(why) : path + ": the module cannot be loaded";
  }
  return std::unique_ptr<LoadedModule>(new LoadedModule(module, path));
}

LoadedModule::~LoadedModule() {
  dlclose(handle_);
}

std::variant<void*, std::string> LoadedModule::Symbol(const char* symbol) const {
  dlerror();
  void* address = dlsym(handle_, symbol);
  if (address == nullptr) return path_ + ": " + symbol + " is missing";
  return address;
}

#endif

}  // namespace dustora
