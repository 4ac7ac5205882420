#include "output/ical_module_loader.h"

#include <algorithm>
#include <filesystem>
#include <iterator>
#include <mutex>

#include "core/desktop_paths.h"
#include "core/filesystem.h"

namespace dustora {

std::variant<std::unique_ptr<ICalModule>, std::string> ICalModule::Load(const std::string& path) {
  auto opened = LoadedModule::Open(path);
  if (auto* problem = std::get_if<std::string>(&opened)) return std::move(*problem);
  std::unique_ptr<LoadedModule> module = std::move(std::get<std::unique_ptr<LoadedModule>>(opened));
  const auto factory = module->Symbol(kICalModuleFactorySymbol);
  if (const auto* problem = std::get_if<std::string>(&factory)) return *problem;
  std::unique_ptr<ICalSerializer> serializer(
      reinterpret_cast<ICalModuleFactory*>(std::get<void*>(factory))(kICalModuleInterface));
  if (!serializer) return path + " belongs to another build of the program";
  return std::unique_ptr<ICalModule>(new ICalModule(std::move(module), std::move(serializer)));
}

namespace {

std::variant<std::unique_ptr<ICalModule>, std::string> LoadRunModule() {
  const std::filesystem::path folder = ToPath(ExecutableFolder());
  if (folder.empty()) return std::string("the program's folder cannot be told");
  const std::filesystem::path places[] = {
      folder / DUSTORA_ICAL_MODULE, (folder / DUSTORA_MODULE_DIR_FROM_BIN / DUSTORA_ICAL_MODULE).lexically_normal()};
  std::error_code error;
  const auto found = std::find_if(std::begin(places), std::end(places),
                                  [&error](const std::filesystem::path& place) { return exists(place, error); });
  if (found == std::end(places)) {
    return std::string(DUSTORA_ICAL_MODULE) + " is in neither " + FromPath(places[0].parent_path()) + " nor " +
           FromPath(places[1].parent_path());
  }
  return ICalModule::Load(FromPath(*found));
}

}  // namespace

std::variant<const ICalSerializer*, std::string> RunICalSerializer() {
  // Destroyed at exit, which closes the module.
  static std::mutex mutex;
  static std::unique_ptr<ICalModule> loaded;
  const std::lock_guard<std::mutex> lock(mutex);
  if (!loaded) {
    auto attempt = LoadRunModule();
    if (auto* problem = std::get_if<std::string>(&attempt)) return std::move(*problem);
    loaded = std::move(std::get<std::unique_ptr<ICalModule>>(attempt));
  }
  return &loaded->serializer();
}

}  // namespace dustora
