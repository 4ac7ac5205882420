// File and folder operations behind one seam, so tests can put failures in
// their way. Paths are UTF-8 texts with "/" separators.
#pragma once

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "core/errors.h"

namespace dustora {

// What a file operation returns: the error it failed with, or nullopt when
// it succeeded, so `if (const FileError failed = ...)` is the failure's
// branch and `EXPECT_FALSE(file.Save())` expects no error. One that is
// dropped unread is a warning.
class [[nodiscard]] FileError : public std::optional<Error> {
 public:
  using std::optional<Error>::optional;
  FileError(std::optional<Error> error) : std::optional<Error>(std::move(error)) {}  // NOLINT: converts
};

template <typename T>
struct [[nodiscard]] FsResult {
  std::optional<T> value;
  Error error;  // meaningful when value is empty
  bool ok() const { return value.has_value(); }
};

// The largest file a reader takes whole: a bigger one is refused with
// TooLargeError before it is read.
inline constexpr std::uintmax_t kReadLimit = std::uintmax_t{16} * 1024 * 1024;
// The errors that say what happened to one file, and name it once.
// 7 "ファイルが大きすぎます(16MBまで): path"
[[nodiscard]] Error TooLargeError(std::string_view path);
// 53 "ファイルが見つかりません: path"; 76 with the same text when its folder
// is missing too.
[[nodiscard]] Error MissingFileError(std::string_view path, bool folder_missing = false);
// 53 "フォルダーは開けません: path"
[[nodiscard]] Error FolderNotFileError(std::string_view path);
// Why a path that names no ordinary file cannot be opened: a folder, or
// nothing at all.
[[nodiscard]] Error NoFileError(std::string_view path);
// The error of reading (or writing) the file at `path` that failed with the
// OS error code `errno_value`: a missing file and a refused permission name
// the file ("読み取りの許可がありません: path", "書き込みの許可がありません:
// path", both 70); other failures keep their number's description.
[[nodiscard]] Error FileErrorOfErrno(int errno_value, std::string_view path, bool writing);

[[nodiscard]] std::filesystem::path ToPath(std::string_view utf8);
[[nodiscard]] std::string FromPath(const std::filesystem::path& path);
// Folder + "/" + name.
[[nodiscard]] std::string JoinPath(std::string_view folder, std::string_view name);
// The last part of a path: the file name without its folder.
[[nodiscard]] std::string FileNameOf(std::string_view path);
// `path` as a file named in `beside` means it: a relative path from the
// folder of `beside`, never from the current folder. An absolute path, or
// any when `beside` is empty, stays as it is.
[[nodiscard]] std::string PathBeside(std::string_view beside, std::string_view path);

// A hidden file is one whose name begins with ".".
[[nodiscard]] bool IsHiddenName(std::string_view name);
// The listing order of file names: code points with ASCII letters compared
// without case, then with case.
[[nodiscard]] bool FileNameLess(std::string_view a, std::string_view b);

class FileSystem {
 public:
  virtual ~FileSystem() = default;

  // An ordinary file that is not hidden.
  [[nodiscard]] virtual bool FileExists(std::string_view path) = 0;
  [[nodiscard]] virtual bool FolderExists(std::string_view path) = 0;
  // Whether anything stands at the path: a file of any kind, hidden or not,
  // or a folder.
  [[nodiscard]] virtual bool AnythingAt(std::string_view path) = 0;
  // Creates one folder; its parent must exist.
  virtual FileError CreateFolder(std::string_view path) = 0;
  // Copies a file, overwriting the target.
  virtual FileError CopyFile(std::string_view from, std::string_view to) = 0;
  // Copies a folder's whole content (files and subfolders) into `to`,
  // overwriting.
  virtual FileError CopyFolder(std::string_view from, std::string_view to) = 0;
  // Names of the folder's ordinary, not hidden files / subfolders, in listing
  // order; empty when the folder cannot be read.
  [[nodiscard]] virtual std::vector<std::string> ListFiles(std::string_view folder) = 0;
  [[nodiscard]] virtual std::vector<std::string> ListFolders(std::string_view folder) = 0;
  virtual FileError Rename(std::string_view from, std::string_view to) = 0;
  virtual FileError Remove(std::string_view path) = 0;
  // The whole content of a file; a file over kReadLimit fails with
  // TooLargeError and is not read.
  virtual FsResult<std::string> ReadFile(std::string_view path) = 0;
  // Replaces (or creates) a file as one step: the bytes go to a temporary
  // file in the same folder (readable by the user alone until it is
  // complete), which is flushed, synced, given the target's mode (a new
  // file's: 0666 less the umask) and renamed over the target. Through a
  // link, the file it names is replaced and the link stays. On failure the
  // previous file stays as it was.
  virtual FileError ReplaceFile(std::string_view path, std::string_view bytes) = 0;
  // The path with the links at its end followed: the file that reading or
  // replacing it reaches (which need not exist yet).
  [[nodiscard]] virtual std::string ResolveLinks(std::string_view path) = 0;
  // Whether two paths name the same existing file (device and inode, links
  // followed).
  [[nodiscard]] virtual bool SameFile(std::string_view a, std::string_view b) = 0;
};

// The low-level steps of ReplaceFile, replaceable by tests to simulate a
// full disk or an I/O error. Each returns 0 or an errno value.
struct WriteSteps {
  std::function<int(std::FILE*, std::string_view)> write;
  std::function<int(std::FILE*)> sync;
};
[[nodiscard]] WriteSteps StandardWriteSteps();

// The real file system, through std::filesystem and the C library.
class RealFileSystem : public FileSystem {
 public:
  RealFileSystem();
  explicit RealFileSystem(WriteSteps steps);

  bool FileExists(std::string_view path) override;
  bool FolderExists(std::string_view path) override;
  bool AnythingAt(std::string_view path) override;
  FileError CreateFolder(std::string_view path) override;
  FileError CopyFile(std::string_view from, std::string_view to) override;
  FileError CopyFolder(std::string_view from, std::string_view to) override;
  std::vector<std::string> ListFiles(std::string_view folder) override;
  std::vector<std::string> ListFolders(std::string_view folder) override;
  FileError Rename(std::string_view from, std::string_view to) override;
  FileError Remove(std::string_view path) override;
  FsResult<std::string> ReadFile(std::string_view path) override;
  FileError ReplaceFile(std::string_view path, std::string_view bytes) override;
  std::string ResolveLinks(std::string_view path) override;
  bool SameFile(std::string_view a, std::string_view b) override;

 private:
  WriteSteps steps_;
};

// The file system every routine uses.
[[nodiscard]] FileSystem& Fs();
// Replaces it (tests); nullptr restores the real one.
void SetFileSystem(FileSystem* fs);

}  // namespace dustora
