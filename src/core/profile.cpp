#include "core/profile.h"

#include <algorithm>
#include <limits>
#include <utility>

#include "core/text.h"
#include "core/textfile.h"

namespace dustora {

namespace {

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

enum class Kind { Other, Section, Entry };

// What a line is: its name (trimmed, still Shift_JIS) and an entry's value
// (trimmed).
struct ParsedLine {
  Kind kind = Kind::Other;
  std::string_view name;
  std::string_view value;
};

ParsedLine Parse(std::string_view raw) {
  const std::string_view text = TrimBlanks(raw);
  if (text.empty()) return {};
  // Blanks and "=", "[" and "]" are never the second byte of a Shift_JIS
  // character, so the line can be split as bytes and its names decoded.
  if (text.front() == '[') {
    std::string_view name = text.substr(1);
    name = name.substr(0, name.find(']'));
    return {Kind::Section, TrimBlanks(name), {}};
  }
  const std::size_t equals = raw.find('=');
  if (equals == std::string_view::npos) return {};
  return {Kind::Entry, TrimBlanks(raw.substr(0, equals)), TrimBlanks(raw.substr(equals + 1))};
}

// Names are compared as decoded text without regard to ASCII case; the
// hash follows the same rule. A name of ASCII bytes decodes to itself.
std::uint32_t NameHash(std::string_view utf8, std::uint32_t seed) {
  std::uint32_t hash = 2166136261u ^ seed;
  for (const char c : utf8) {
    hash ^= static_cast<unsigned char>(AsciiLower(c));
    hash *= 16777619u;
  }
  return hash;
}

bool IsAscii(std::string_view bytes) {
  return std::all_of(bytes.begin(), bytes.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

std::uint32_t StoredNameHash(std::string_view name_bytes, std::uint32_t seed) {
  return IsAscii(name_bytes) ? NameHash(name_bytes, seed) : NameHash(sjis::Decode(name_bytes), seed);
}

bool NameIs(std::string_view name_bytes, std::string_view wanted) {
  wanted = TrimBlanks(wanted);
  if (IsAscii(name_bytes)) return EqualsIgnoringAsciiCase(name_bytes, wanted);
  return EqualsIgnoringAsciiCase(sjis::Decode(name_bytes), wanted);
}

// Keys are indexed per section: the section's line is part of the hash.
std::uint32_t KeySeed(std::uint32_t section) {
  return section * 2654435761u + 1;
}

std::string ValueText(std::string_view value) {
  value = value.substr(0, value.find('\0'));  // a value ends at a NUL byte
  value = value.substr(0, sjis::CutAtCharacter(value, kProfileValueLimit));
  return sjis::Decode(value);
}

}  // namespace

ProfileFile::ProfileFile(std::string path) : path_(std::move(path)) {}

ProfileFile ProfileFile::Load(std::string_view path) {
  FileSystem& fs = Fs();
  auto content = fs.ReadFile(path);
  if (!content.ok()) {
    ProfileFile empty{std::string(path)};
    // A file not there yet is an empty one; a folder in its place is not.
    const bool missing =
        (content.error.number == kErrFileNotFound || content.error.number == kErrPathNotFound) && !fs.AnythingAt(path);
    if (!missing) empty.load_error_ = content.error;
    return empty;
  }
  ProfileFile file{std::string(path)};
  sjis::FileBytes bytes = sjis::AsShiftJisFile(std::move(*content.value));
  file.bytes_ = std::move(bytes.bytes);
  file.replaced_characters_ = bytes.replaced;
  file.Index();
  return file;
}

ProfileFile ProfileFile::FromBytes(std::string path, std::string_view bytes) {
  ProfileFile file{std::move(path)};
  if (bytes.size() >= std::numeric_limits<Offset>::max()) {
    file.load_error_ = TooLargeError(file.path_);
    return file;
  }
  file.bytes_ = bytes;
  file.Index();
  return file;
}

void ProfileFile::Index() {
  std::size_t section_count = 0;
  std::size_t key_count = 0;
  ForEachLine(bytes_, [&](std::size_t, std::string_view line) {
    const Kind kind = Parse(line).kind;
    section_count += kind == Kind::Section;
    key_count += kind == Kind::Entry && section_count > 0;  // entries before any section are in none
  });
  sections_.reserve(section_count);
  section_lines_.reserve(section_count);
  keys_.reserve(key_count);
  std::optional<Offset> section;
  ForEachLine(bytes_, [&](std::size_t at, std::string_view line) {
    const auto offset = static_cast<Offset>(at);
    const ParsedLine parsed = Parse(line);
    if (parsed.kind == Kind::Section) {
      section = offset;
      sections_.push_back({StoredNameHash(parsed.name, 0), offset});
      section_lines_.push_back(offset);
    } else if (parsed.kind == Kind::Entry && section) {
      keys_.push_back({StoredNameHash(parsed.name, KeySeed(*section)), offset});
    }
  });
  std::sort(sections_.begin(), sections_.end());
  std::sort(keys_.begin(), keys_.end());
}

std::string_view ProfileFile::LineAt(Offset offset) const {
  const std::string_view bytes = bytes_;
  const std::size_t end = bytes.find_first_of("\r\n", offset);
  return bytes.substr(offset, end == std::string_view::npos ? std::string_view::npos : end - offset);
}

std::string_view ProfileFile::CurrentLine(Offset offset) const {
  const auto replaced = replaced_.find(offset);
  return replaced != replaced_.end() ? std::string_view(replaced->second) : LineAt(offset);
}

std::optional<ProfileFile::Offset> ProfileFile::FindSection(std::string_view section) const {
  const std::uint32_t hash = NameHash(TrimBlanks(section), 0);
  for (auto it = std::lower_bound(sections_.begin(), sections_.end(), Named{hash, 0});
       it != sections_.end() && it->hash == hash; ++it) {
    if (NameIs(Parse(LineAt(it->line)).name, section)) return it->line;
  }
  return std::nullopt;
}

ProfileFile::Offset ProfileFile::SectionEnd(Offset section) const {
  const auto next = std::upper_bound(section_lines_.begin(), section_lines_.end(), section);
  return next == section_lines_.end() ? static_cast<Offset>(bytes_.size()) : *next;
}

std::optional<ProfileFile::Offset> ProfileFile::FindKey(Offset section, std::string_view key) const {
  const std::uint32_t hash = NameHash(TrimBlanks(key), KeySeed(section));
  const Offset end = SectionEnd(section);
  for (auto it = std::lower_bound(keys_.begin(), keys_.end(), Named{hash, 0}); it != keys_.end() && it->hash == hash;
       ++it) {
    if (it->line > section && it->line < end && NameIs(Parse(LineAt(it->line)).name, key)) return it->line;
  }
  return std::nullopt;
}

ProfileFile::Offset ProfileFile::LastEntry(Offset section) const {
  Offset last = section;
  const std::string_view block = std::string_view(bytes_).substr(section, SectionEnd(section) - section);
  ForEachLine(block, [&](std::size_t at, std::string_view line) {
    if (at > 0 && Parse(line).kind == Kind::Entry) last = static_cast<Offset>(section + at);
  });
  return last;
}

const std::string* ProfileFile::FindWritten(const std::vector<std::string>& lines, std::size_t skip,
                                            std::string_view key) {
  for (std::size_t i = skip; i < lines.size(); ++i) {
    const ParsedLine parsed = Parse(lines[i]);
    if (parsed.kind == Kind::Entry && NameIs(parsed.name, key)) return &lines[i];
  }
  return nullptr;
}

std::string* ProfileFile::FindWritten(std::vector<std::string>& lines, std::size_t skip, std::string_view key) {
  return const_cast<std::string*>(FindWritten(std::as_const(lines), skip, key));
}

const std::vector<std::string>* ProfileFile::FindNewSection(std::string_view section) const {
  for (const std::vector<std::string>& lines : new_sections_) {
    if (NameIs(Parse(lines.front()).name, section)) return &lines;
  }
  return nullptr;
}

std::vector<std::string>* ProfileFile::FindNewSection(std::string_view section) {
  return const_cast<std::vector<std::string>*>(std::as_const(*this).FindNewSection(section));
}

bool ProfileFile::HasSection(std::string_view section) const {
  return FindSection(section) || FindNewSection(section);
}

std::optional<std::string_view> ProfileFile::EntryLine(std::string_view section, std::string_view key) const {
  if (const auto at = FindSection(section)) {
    if (const auto line = FindKey(*at, key)) return CurrentLine(*line);
    const auto added = added_.find(*at);
    if (added == added_.end()) return std::nullopt;
    const std::string* line = FindWritten(added->second.lines, 0, key);
    return line ? std::optional<std::string_view>(*line) : std::nullopt;
  }
  const std::vector<std::string>* lines = FindNewSection(section);
  const std::string* line = lines ? FindWritten(*lines, 1, key) : nullptr;
  return line ? std::optional<std::string_view>(*line) : std::nullopt;
}

std::string ProfileFile::Read(std::string_view section, std::string_view key) const {
  const std::optional<std::string_view> line = EntryLine(section, key);
  return line ? ValueText(Parse(*line).value) : std::string();
}

bool ProfileFile::HasKey(std::string_view section, std::string_view key) const {
  return EntryLine(section, key).has_value();
}

std::vector<std::string> ProfileFile::Keys(std::string_view section) const {
  std::vector<std::string> keys;
  const auto take = [&keys](std::string_view line) {
    if (const ParsedLine parsed = Parse(line); parsed.kind == Kind::Entry) keys.push_back(sjis::Decode(parsed.name));
  };
  if (const auto at = FindSection(section)) {
    const std::string_view block = std::string_view(bytes_).substr(*at, SectionEnd(*at) - *at);
    ForEachLine(block, [&](std::size_t offset, std::string_view) {
      if (offset > 0) take(CurrentLine(static_cast<Offset>(*at + offset)));
    });
    if (const auto added = added_.find(*at); added != added_.end()) {
      for (const std::string& line : added->second.lines) take(line);
    }
  } else if (const std::vector<std::string>* lines = FindNewSection(section)) {
    for (std::size_t i = 1; i < lines->size(); ++i) take((*lines)[i]);
  }
  return keys;
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

  std::string entry = key_bytes.bytes + "=" + value_bytes.bytes;
  changed_ = true;
  std::vector<std::string>* lines = nullptr;
  std::size_t skip = 0;
  if (const auto at = FindSection(section)) {
    if (const auto line = FindKey(*at, key)) {
      replaced_[*line] = std::move(entry);
      return std::nullopt;
    }
    auto added = added_.find(*at);
    if (added == added_.end()) added = added_.emplace(*at, Added{LastEntry(*at), {}}).first;
    lines = &added->second.lines;
  } else if ((lines = FindNewSection(section))) {
    skip = 1;
  } else {
    new_sections_.push_back({"[" + section_bytes.bytes + "]", std::move(entry)});
    return std::nullopt;
  }
  if (std::string* line = FindWritten(*lines, skip, key)) {
    *line = std::move(entry);
  } else {
    lines->push_back(std::move(entry));
  }
  return std::nullopt;
}

std::string ProfileFile::Bytes() const {
  std::map<Offset, const std::vector<std::string>*> after;
  for (const auto& [section, added] : added_) after.emplace(added.anchor, &added.lines);
  std::string bytes;
  bytes.reserve(bytes_.size() + bytes_.size() / 8 + 64);
  const auto append = [&bytes](std::string_view line) {
    bytes += line;
    bytes += "\r\n";
  };
  auto replaced = replaced_.begin();
  auto next_after = after.begin();
  ForEachLine(bytes_, [&](std::size_t at, std::string_view line) {
    if (replaced != replaced_.end() && replaced->first == at) {
      append((replaced++)->second);
    } else {
      append(line);
    }
    if (next_after != after.end() && next_after->first == at) {
      for (const std::string& added : *(next_after++)->second) append(added);
    }
  });
  for (const std::vector<std::string>& lines : new_sections_) {
    for (const std::string& line : lines) append(line);
  }
  return bytes;
}

std::string ProfileFile::BytesWithout(const EntryFilter& drop_entry, const SectionFilter& drop_if_empty) const {
  std::string kept;
  std::optional<std::string> section;  // the name of the section the lines are in
  std::string held;                    // the lines of a section that goes if it stays empty
  bool holding = false;
  bool held_line = false;  // a line other than blanks under the held section's name
  const auto release = [&] {
    if (holding && held_line) kept += held;
    held.clear();
    holding = false;
  };
  ForEachLine(Bytes(), [&](std::size_t, std::string_view line) {
    const ParsedLine parsed = Parse(line);
    if (parsed.kind == Kind::Section) {
      release();
      section = sjis::Decode(parsed.name);
      holding = drop_if_empty(*section);
      held_line = false;
    } else if (parsed.kind == Kind::Entry && section && drop_entry(*section, sjis::Decode(parsed.name))) {
      return;
    } else if (!TrimBlanks(line).empty()) {
      held_line = true;
    }
    std::string& to = holding ? held : kept;
    to += line;
    to += "\r\n";
  });
  release();
  return kept;
}

FileError ProfileFile::Save() const {
  if (refused_) return UnstorableError(*refused_);
  if (load_error_) return load_error_;
  return Fs().ReplaceFile(path_, Bytes());
}

}  // namespace dustora
