#include "core/textfile.h"

#include "core/encoding.h"

namespace dustora {

std::vector<std::string> SplitLines(std::string_view text) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t end = text.find_first_of("\r\n", start);
    if (end == std::string_view::npos) end = text.size();
    lines.emplace_back(text.substr(start, end - start));
    if (end + 1 < text.size() && text[end] == '\r' && text[end + 1] == '\n') ++end;
    start = end + 1;
  }
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
