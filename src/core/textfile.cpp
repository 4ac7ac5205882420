#include "core/textfile.h"

#include "core/encoding.h"

namespace dustora {

std::vector<std::string> SplitLines(std::string_view text) {
  std::vector<std::string> lines;
  ForEachLine(text, [&lines](std::size_t, std::string_view line) { lines.emplace_back(line); });
  return lines;
}

FsResult<std::string> ReadTextFile(std::string_view path, bool* replaced) {
  FsResult<std::string> bytes = Fs().ReadFile(path);
  if (!bytes.ok()) return bytes;
  const sjis::FileBytes file = sjis::AsShiftJisFile(std::move(*bytes.value));
  if (replaced) *replaced = file.replaced;
  std::string text = sjis::Decode(file.bytes);
  std::erase(text, '\0');  // no NUL ever reaches a page or a table
  return {std::move(text), {}};
}

void ReportReplacedCharacters(Report& report, std::string_view path, std::string_view title) {
  report.Say(ReportKind::Information, "Shift_JISで保存できない文字を?に置き換えました: " + FileNameOf(path),
             std::string(title));
}

FileError WriteTextFile(std::string_view path, std::string_view utf8) {
  const sjis::EncodeResult encoded = sjis::Encode(utf8);
  if (!encoded.ok()) return UnstorableError(*encoded.error);
  return Fs().ReplaceFile(path, encoded.bytes);
}

}  // namespace dustora
