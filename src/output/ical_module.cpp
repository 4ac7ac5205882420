// The module dustora-ical: the iCalendar serialiser on libical.
#include "output/ical_module.h"

#include <new>

#include "output/ical_text.h"

#ifdef _WIN32
#define DUSTORA_EXPORT __declspec(dllexport)
#else
#define DUSTORA_EXPORT __attribute__((visibility("default")))
#endif

namespace dustora {
namespace {

class LibicalSerializer final : public ICalSerializer {
 public:
  LibicalSerializer() = default;
  LibicalSerializer(const LibicalSerializer&) = delete;
  LibicalSerializer& operator=(const LibicalSerializer&) = delete;
  // The last thing before the module is closed.
  ~LibicalSerializer() override { ReleaseLibical(); }
  std::string Serialize(const ICalCalendar& calendar) const override { return SerializeICalendar(calendar); }
};

}  // namespace
}  // namespace dustora

extern "C" DUSTORA_EXPORT dustora::ICalSerializer* dustora_make_ical_serializer(int interface) {
  if (interface != dustora::kICalModuleInterface) return nullptr;
  return new (std::nothrow) dustora::LibicalSerializer();
}
