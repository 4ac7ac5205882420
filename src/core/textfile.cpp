#include "core/textfile.h"

#include "core/encoding.h"

namespace dustora {

std::vector<std::string> SplitLines(std::string_view text) {
  std::vector<std::string> lines;
  ForEachLine(text, [&lines](std::size_t, std::string_view line) { lines.emplace_back(line); });
  return lines;
}

FsResult<std::string> ReadTextFile(std::string_view path) {
  FsResult<std::string> bytes = Fs().ReadFile(path);
  if (!bytes.ok()) return bytes;
  std::string text = sjis::Decode(*bytes.value);
  std::erase(text, '\0');  // no NUL ever reaches a page or a table
  return {std::move(text), {}};
}

FsStatus WriteTextFile(std::string_view path, std::string_view utf8) {
  const sjis::EncodeResult encoded = sjis::Encode(utf8);
  if (!encoded.ok()) return UnstorableError(*encoded.error);
  return Fs().ReplaceFile(path, encoded.bytes);
}

}  // namespace dustora
