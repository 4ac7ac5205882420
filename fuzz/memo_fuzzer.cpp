// Feeds arbitrary bytes to the memo reader (as the main window and the
// editor read it). Once saved (the first save may put "?" where the bytes
// could not be decoded), a memo saved and read again is the text it was,
// with the one more line end every save adds.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "core/encoding.h"
#include "fuzz_support.h"
#include "tables/memo.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace dustora;
  constexpr std::string_view kPath = "/docs/area.mmo";
  Report report;
  fuzz::MemoryFileSystem files;
  files.files[std::string(kPath)] = std::string(reinterpret_cast<const char*>(data), size);
  CalendarDocument document;
  TieMemo(document, std::string(kPath));
  std::string memo_text;
  ReadMemoText(document, memo_text, report);
  const MemoRead first = ReadMemoFile(kPath, "fuzz", report);
  if (first.status != MemoRead::Status::Read) return 0;
  if (WriteMemoFile(kPath, first.text)) return 0;  // a character Shift_JIS cannot hold
  // Shift_JIS bytes that happen to be UTF-8 as well are read as UTF-8.
  if (sjis::IsUtf8File(files.files[std::string(kPath)])) return 0;
  const MemoRead saved = ReadMemoFile(kPath, "fuzz", report);
  if (saved.status != MemoRead::Status::Read || WriteMemoFile(kPath, saved.text)) fuzz::Broken();
  if (sjis::IsUtf8File(files.files[std::string(kPath)])) return 0;
  const MemoRead again = ReadMemoFile(kPath, "fuzz", report);
  if (again.status != MemoRead::Status::Read || again.text != saved.text + "\r\n") fuzz::Broken();
  return 0;
}
