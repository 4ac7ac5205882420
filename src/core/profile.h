// INI-style profile files (settings, documents) with the behaviour of the
// Windows profile functions, in Shift_JIS with CR LF line ends.
//
// A ProfileFile is loaded once, serves reads and takes writes in memory, and
// is saved with one atomic replace, so a save is all or nothing. Every line
// it does not change keeps its bytes.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/encoding.h"
#include "core/filesystem.h"

namespace dustora {

// The longest value a read returns, in Shift_JIS bytes.
inline constexpr std::size_t kProfileValueLimit = 1023;

class ProfileFile {
 public:
  // An empty profile that will be saved to `path`.
  explicit ProfileFile(std::string path = {});

  // Reads the file. A missing file is an empty profile; any other failure
  // (a folder in its place, a read error) also gives an empty profile and is
  // kept in load_error().
  static ProfileFile Load(std::string_view path);
  // A profile of the given file content (for tests and fuzzing).
  static ProfileFile FromBytes(std::string path, std::string_view bytes);

  const std::string& path() const { return path_; }
  const FsStatus& load_error() const { return load_error_; }
  bool changed() const { return changed_; }

  // The value of the first `key` in the first `section` (names compared
  // without regard to ASCII case, blanks around them ignored), up to its
  // first NUL byte and cut to 1023 bytes at a character boundary; empty
  // text when anything is missing.
  std::string Read(std::string_view section, std::string_view key) const;
  bool HasSection(std::string_view section) const;

  // Sets a value: an existing key is replaced in place, a new key goes after
  // the last entry of its section, a new section at the end. Line breaks in
  // the value become blanks. Nothing changes when a text has a character
  // that Shift_JIS cannot hold; that character is returned, and remembered
  // so that Save() refuses to write the file.
  std::optional<sjis::Unencodable> Write(std::string_view section, std::string_view key, std::string_view value);

  // The file content as it would be saved.
  std::string Bytes() const;
  // The first character a Write refused, if any.
  const std::optional<sjis::Unencodable>& refused() const { return refused_; }
  // One atomic replace of the file. Fails with error 5 and writes nothing
  // when a Write was refused (UnstorableError).
  FsStatus Save() const;

 private:
  enum class Kind { Other, Section, Entry };
  struct Line {
    std::string raw;  // the line's bytes without its line end
    Kind kind = Kind::Other;
    std::string name;             // section name or key, decoded and trimmed
    std::size_t value_begin = 0;  // value bytes in raw, for entries
    std::size_t value_end = 0;
  };

  static Line Parse(std::string raw);
  // Index of the first section line named `section`, or npos.
  std::size_t FindSection(std::string_view section) const;
  // From a section line: one past its last line (the next section or end).
  std::size_t SectionEnd(std::size_t section_line) const;

  std::string path_;
  std::vector<Line> lines_;
  FsStatus load_error_;
  std::optional<sjis::Unencodable> refused_;
  bool changed_ = false;
};

// One-entry operations on top of ProfileFile.
std::string ReadProfileValue(std::string_view path, std::string_view section, std::string_view key);
// True on success: the file was saved with the value.
bool WriteProfileValue(std::string_view path, std::string_view section, std::string_view key, std::string_view value);

}  // namespace dustora
