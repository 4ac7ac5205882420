// INI-style profile files (settings, documents) with the behaviour of the
// Windows profile functions, in Shift_JIS with CR LF line ends.
//
// A ProfileFile is loaded once, serves reads and takes writes in memory, and
// is saved with one atomic replace, so a save is all or nothing. Every line
// it does not change keeps its bytes. The file's bytes are kept as they are,
// with its sections and keys indexed once, so a file costs a few times its
// size and a lookup does not walk it.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
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

  // Reads the file; one saved as UTF-8 is converted (sjis::AsShiftJisFile),
  // so all of it is saved as Shift_JIS. A missing file is an empty profile; any other failure
  // (a folder in its place, a read error, a file over kReadLimit) also gives
  // an empty profile and is kept in load_error().
  [[nodiscard]] static ProfileFile Load(std::string_view path);
  // A profile of the given file content (for tests and fuzzing); content of
  // 4 GiB or more is refused as a file over kReadLimit is.
  [[nodiscard]] static ProfileFile FromBytes(std::string path, std::string_view bytes);

  [[nodiscard]] const std::string& path() const { return path_; }
  [[nodiscard]] const FileError& load_error() const { return load_error_; }
  // Whether the file was saved as UTF-8 and a character of it became "?"
  // (sjis::AsShiftJisFile).
  [[nodiscard]] bool replaced_characters() const { return replaced_characters_; }
  [[nodiscard]] bool changed() const { return changed_; }

  // The value of the first `key` in the first `section` (names compared
  // without regard to ASCII case, blanks around them ignored), up to its
  // first NUL byte and cut to 1023 bytes at a character boundary; empty
  // text when anything is missing.
  [[nodiscard]] std::string Read(std::string_view section, std::string_view key) const;
  [[nodiscard]] bool HasSection(std::string_view section) const;
  // Whether the first `section` has the key, even with an empty value.
  [[nodiscard]] bool HasKey(std::string_view section, std::string_view key) const;
  // The keys of the first `section` in file order, then those written to it.
  [[nodiscard]] std::vector<std::string> Keys(std::string_view section) const;

  // Sets a value: an existing key is replaced in place, a new key goes after
  // the last entry of its section, a new section at the end. Line breaks in
  // the value become blanks. Nothing changes when a text has a character
  // that Shift_JIS cannot hold; that character is returned, and remembered
  // so that Save() refuses to write the file.
  // (The answer may be left unread: Save() refuses what was refused.)
  std::optional<sjis::Unencodable> Write(std::string_view section, std::string_view key, std::string_view value);

  // The file content as it would be saved.
  [[nodiscard]] std::string Bytes() const;
  // That content without the entries `drop_entry` names (section and key
  // as text) and without each section `drop_if_empty` names that is left
  // with nothing but blank lines under its name. Lines before the first
  // section stay.
  using EntryFilter = std::function<bool(std::string_view section, std::string_view key)>;
  using SectionFilter = std::function<bool(std::string_view section)>;
  [[nodiscard]] std::string BytesWithout(const EntryFilter& drop_entry, const SectionFilter& drop_if_empty) const;
  // The first character a Write refused, if any.
  [[nodiscard]] const std::optional<sjis::Unencodable>& refused() const { return refused_; }
  // One atomic replace of the file. Fails with error 5 and writes nothing
  // when a Write was refused (UnstorableError).
  FileError Save() const;

 private:
  // Offsets of lines in bytes_. A file read from disk is far smaller than
  // 4 GiB (see kReadLimit).
  using Offset = std::uint32_t;
  // A section named in the file, or a key of a section.
  struct Named {
    std::uint32_t hash;
    Offset line;
    auto operator<=>(const Named&) const = default;
  };
  // Entries written to a section of the file that it did not have: they
  // follow the section's last entry (`anchor`), or the section line.
  struct Added {
    Offset anchor = 0;
    std::vector<std::string> lines;
  };

  void Index();
  std::string_view LineAt(Offset offset) const;
  // The line at `offset` as written now.
  std::string_view CurrentLine(Offset offset) const;
  // The first section line with the name, or nothing.
  std::optional<Offset> FindSection(std::string_view section) const;
  // The first entry of the section (by its line) with the key.
  std::optional<Offset> FindKey(Offset section, std::string_view key) const;
  // The block of a section: its line and the offset where the next section
  // (or the end) begins.
  Offset SectionEnd(Offset section) const;
  Offset LastEntry(Offset section) const;
  // The first written line (after `skip` lines) of `lines` that is an entry
  // with the key.
  static std::string* FindWritten(std::vector<std::string>& lines, std::size_t skip, std::string_view key);
  static const std::string* FindWritten(const std::vector<std::string>& lines, std::size_t skip, std::string_view key);
  // The line of the entry Read reads, as written now.
  std::optional<std::string_view> EntryLine(std::string_view section, std::string_view key) const;
  std::vector<std::string>* FindNewSection(std::string_view section);
  const std::vector<std::string>* FindNewSection(std::string_view section) const;

  std::string path_;
  // The file as it was read; lines are found by offset, never copied.
  std::string bytes_;
  std::vector<Named> sections_;        // by name hash, then line
  std::vector<Offset> section_lines_;  // in file order
  std::vector<Named> keys_;            // by hash of section line and key, then line
  // What writes changed: entries replaced in place, entries added to a
  // section of the file, and sections added at the end ("[name]" first).
  std::map<Offset, std::string> replaced_;
  std::map<Offset, Added> added_;  // by section line
  std::vector<std::vector<std::string>> new_sections_;
  FileError load_error_;
  std::optional<sjis::Unencodable> refused_;
  bool changed_ = false;
  bool replaced_characters_ = false;
};

}  // namespace dustora
