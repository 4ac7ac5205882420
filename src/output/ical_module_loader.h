// Loading the module dustora-ical: once a run, on its first export, and
// closed at exit.
#pragma once

#include <memory>
#include <string>
#include <variant>

#include "core/module.h"
#include "output/ical_module.h"

namespace dustora {

// The module loaded and its serialiser made; the serialiser is deleted
// before the module is closed.
class ICalModule {
 public:
  // The module at `path`, its interface checked; or why it cannot be had.
  [[nodiscard]] static std::variant<std::unique_ptr<ICalModule>, std::string> Load(const std::string& path);

  const ICalSerializer& serializer() const { return *serializer_; }

 private:
  ICalModule(std::unique_ptr<LoadedModule> module, std::unique_ptr<ICalSerializer> serializer)
      : module_(std::move(module)), serializer_(std::move(serializer)) {}

  // In this order, so that the serialiser goes first.
  std::unique_ptr<LoadedModule> module_;
  std::unique_ptr<ICalSerializer> serializer_;
};

// The run's serialiser: the module next to the program, else in the module
// folder seen from the program's folder (which the build tree mirrors),
// loaded on the first call from any thread and closed when the program
// ends; or why it cannot be had.
[[nodiscard]] std::variant<const ICalSerializer*, std::string> RunICalSerializer();

}  // namespace dustora
