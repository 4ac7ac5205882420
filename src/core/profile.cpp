#include "core/profile.h"

#include "core/text.h"
#include "core/textfile.h"

namespace dustora {

namespace {

constexpr std::size_t npos = std::string::npos;

std::string WithoutLineBreaks(std::string_view value) {
  std::string out;
  out.reserve(value.size());
  for (std::size_t i = 0; i < value.size(); ++i) {
    if (value[i] == '\r' || value[i] == '\n') {
      if (value[i] == '\r' && i + 1 < value.size() && value[i + 1] == '\n') ++i;
      out += ' ';
    } else {
      out += value[i];
    }
  }
  return out;
}

bool NameMatches(const std::string& stored, std::string_view wanted) {
  return EqualsIgnoringAsciiCase(stored, TrimBlanks(wanted));
}

}  // namespace

ProfileFile::ProfileFile(std::string path) : path_(std::move(path)) {}

ProfileFile ProfileFile::Load(std::string_view path) {
  FileSystem& fs = Fs();
  auto content = fs.ReadFile(path);
  if (!content.ok()) {
    ProfileFile empty{std::string(path)};
    if (content.error.number != kErrFileNotFound && content.error.number != kErrPathNotFound) {
      empty.load_error_ = content.error;
    }
    return empty;
  }
  return FromBytes(std::string(path), *content.value);
}

ProfileFile ProfileFile::FromBytes(std::string path, std::string_view bytes) {
  ProfileFile file{std::move(path)};
  for (std::string& line : SplitLines(bytes)) file.lines_.push_back(Parse(std::move(line)));
  return file;
}

ProfileFile::Line ProfileFile::Parse(std::string raw) {
  Line line;
  line.raw = std::move(raw);
  const std::string_view text = TrimBlanks(line.raw);
  if (text.empty()) return line;
  // Blanks and "=", "[" and "]" are never the second byte of a Shift_JIS
  // character, so the line can be split as bytes and its names decoded.
  if (text.front() == '[') {
    std::string_view name = text.substr(1);
    const std::size_t close = name.find(']');
    if (close != npos) name = name.substr(0, close);
    line.kind = Kind::Section;
    line.name = sjis::Decode(TrimBlanks(name));
    return line;
  }
  const std::size_t equals = line.raw.find('=');
  if (equals == npos) return line;
  line.kind = Kind::Entry;
  line.name = sjis::Decode(TrimBlanks(std::string_view(line.raw).substr(0, equals)));
  const std::string_view value = TrimBlanks(std::string_view(line.raw).substr(equals + 1));
  line.value_begin = value.empty() ? line.raw.size() : static_cast<std::size_t>(value.data() - line.raw.data());
  line.value_end = line.value_begin + value.size();
  return line;
}

std::size_t ProfileFile::FindSection(std::string_view section) const {
  for (std::size_t i = 0; i < lines_.size(); ++i) {
    if (lines_[i].kind == Kind::Section && NameMatches(lines_[i].name, section)) return i;
  }
  return npos;
}

std::size_t ProfileFile::SectionEnd(std::size_t section_line) const {
  std::size_t i = section_line + 1;
  while (i < lines_.size() && lines_[i].kind != Kind::Section) ++i;
  return i;
}

bool ProfileFile::HasSection(std::string_view section) const {
  return FindSection(section) != npos;
}

std::string ProfileFile::Read(std::string_view section, std::string_view key) const {
  const std::size_t at = FindSection(section);
  if (at == npos) return {};
  const std::size_t end = SectionEnd(at);
  for (std::size_t i = at + 1; i < end; ++i) {
    const Line& line = lines_[i];
    if (line.kind != Kind::Entry || !NameMatches(line.name, key)) continue;
    std::string_view value = std::string_view(line.raw).substr(line.value_begin, line.value_end - line.value_begin);
    value = value.substr(0, value.find('\0'));  // a value ends at a NUL byte
    value = value.substr(0, sjis::CutAtCharacter(value, kProfileValueLimit));
    return sjis::Decode(value);
  }
  return {};
}

std::optional<sjis::Unencodable> ProfileFile::Write(std::string_view section, std::string_view key,
                                                    std::string_view value) {
  const sjis::EncodeResult section_bytes = sjis::Encode(TrimBlanks(section));
  const sjis::EncodeResult key_bytes = sjis::Encode(TrimBlanks(key));
  const sjis::EncodeResult value_bytes = sjis::Encode(WithoutLineBreaks(value));
  for (const sjis::EncodeResult* encoded : {&section_bytes, &key_bytes, &value_bytes}) {
    if (encoded->ok()) continue;
    if (!refused_) refused_ = encoded->error;
    return encoded->error;
  }

  Line entry = Parse(key_bytes.bytes + "=" + value_bytes.bytes);
  changed_ = true;
  std::size_t at = FindSection(section);
  if (at == npos) {
    lines_.push_back(Parse("[" + section_bytes.bytes + "]"));
    lines_.push_back(std::move(entry));
    return std::nullopt;
  }
  const std::size_t end = SectionEnd(at);
  std::size_t insert_at = at + 1;
  for (std::size_t i = at + 1; i < end; ++i) {
    if (lines_[i].kind != Kind::Entry) continue;
    if (NameMatches(lines_[i].name, key)) {
      lines_[i] = std::move(entry);
      return std::nullopt;
    }
    insert_at = i + 1;
  }
  lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(insert_at), std::move(entry));
  return std::nullopt;
}

std::string ProfileFile::Bytes() const {
  std::size_t size = 0;
  for (const Line& line : lines_) size += line.raw.size() + 2;
  std::string bytes;
  bytes.reserve(size);
  for (const Line& line : lines_) {
    bytes += line.raw;
    bytes += "\r\n";
  }
  return bytes;
}

FsStatus ProfileFile::Save() const {
  if (refused_) return UnstorableError(*refused_);
  if (load_error_) return load_error_;
  return Fs().ReplaceFile(path_, Bytes());
}

std::string ReadProfileValue(std::string_view path, std::string_view section, std::string_view key) {
  return ProfileFile::Load(path).Read(section, key);
}

bool WriteProfileValue(std::string_view path, std::string_view section, std::string_view key, std::string_view value) {
  ProfileFile file = ProfileFile::Load(path);
  if (file.Write(section, key, value)) return false;
  return !file.Save();
}

}  // namespace dustora
