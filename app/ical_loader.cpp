#include "app/ical_loader.h"

#include <algorithm>
#include <filesystem>
#include <iterator>
#include <new>

#include "core/desktop_paths.h"
#include "core/filesystem.h"
#include "core/module.h"
#include "output/ical_module.h"

namespace dustora {

std::variant<ICalSerializer, std::string> LoadICalModule() {
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
  const std::string path = FromPath(*found);
  const auto abi = ModuleSymbol(path, kICalModuleAbiSymbol);
  if (const auto* problem = std::get_if<std::string>(&abi)) return *problem;
  if (reinterpret_cast<ICalModuleAbi*>(std::get<void*>(abi))() != kICalModuleAbi) {
    return path + " belongs to another build of the program";
  }
  const auto entry = ModuleSymbol(path, kICalModuleEntrySymbol);
  if (const auto* problem = std::get_if<std::string>(&entry)) return *problem;
  auto* serialize = reinterpret_cast<ICalModuleEntry*>(std::get<void*>(entry));
  return ICalSerializer([serialize](const ICalCalendar& calendar) {
    std::string text;
    if (!serialize(&calendar, &text)) throw std::bad_alloc();
    return text;
  });
}

}  // namespace dustora
