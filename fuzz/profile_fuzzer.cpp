// Feeds arbitrary bytes to the profile-file reader: parse, read, write,
// serialise and parse again. The written value must read back.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "core/encoding.h"
#include "core/profile.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  dustora::ProfileFile file = dustora::ProfileFile::FromBytes("fuzz.ini", bytes);
  (void)file.Read("Option", "SP");
  (void)file.Read("Category", "0");
  (void)file.HasSection("Title");
  // Section and key names taken from the input itself.
  const std::string_view head = bytes.substr(0, std::min<std::size_t>(bytes.size(), 8));
  const std::string name = dustora::sjis::Decode(head);
  (void)file.Read(name, name);
  if (!file.Write("Option", "SP", "1")) {
    const dustora::ProfileFile again = dustora::ProfileFile::FromBytes("fuzz.ini", file.Bytes());
    if (again.Read("Option", "SP") != "1") std::abort();
  }
  (void)dustora::sjis::Encode(dustora::sjis::Decode(bytes));
  return 0;
}
