#include "core/module.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <dlfcn.h>
#endif

#include "core/filesystem.h"

namespace dustora {

#ifdef _WIN32

std::variant<void*, std::string> ModuleSymbol(const std::string& path, const char* symbol) {
  HMODULE module = LoadLibraryW(ToPath(path).c_str());
  if (module == nullptr) return path + ": the module cannot be loaded (error " + std::to_string(GetLastError()) + ")";
  FARPROC address = GetProcAddress(module, symbol);
  if (address == nullptr) return path + ": " + symbol + " is missing";
  return reinterpret_cast<void*>(address);
}

#else

std::variant<void*, std::string> ModuleSymbol(const std::string& path, const char* symbol) {
  void* module = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (module == nullptr) {
    const char* why = dlerror();
    return why != nullptr ? std::string(why) : path + ": the module cannot be loaded";
  }
  dlerror();
  void* address = dlsym(module, symbol);
  if (address == nullptr) return path + ": " + symbol + " is missing";
  return address;
}

#endif

}  // namespace dustora
