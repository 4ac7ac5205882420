#include "core/filesystem.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdint>
#include <random>
#include <system_error>

#ifdef _WIN32
#include <io.h>
#else
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

#include "core/text.h"

namespace fs = std::filesystem;

namespace dustora {

namespace {

Error ErrorOf(const std::error_code& ec, bool missing_is_folder = false) {
  const int value =
      ec.category() == std::generic_category() || ec.category() == std::system_category() ? ec.value() : EIO;
  return Error::Of(ErrorNumberOfErrno(value, missing_is_folder));
}

bool ParentFolderMissing(const fs::path& path) {
  std::error_code ec;
  const fs::path parent = path.parent_path();
  return !parent.empty() && !fs::is_directory(parent, ec);
}

// The error of a path that is not there: its folder or the file itself.
Error MissingError(const fs::path& path) {
  return MissingFileError(FromPath(path), ParentFolderMissing(path));
}

// The operation's error, none when `ec` holds none.
FileError FileErrorOf(const std::error_code& ec) {
  if (ec) return ErrorOf(ec, true);
  return std::nullopt;
}

std::vector<std::string> ListEntries(std::string_view folder, bool want_folders) {
  std::vector<std::string> names;
  std::error_code ec;
  fs::directory_iterator it(ToPath(folder), ec);
  if (ec) return names;
  for (const fs::directory_entry& entry : it) {
    std::error_code type_ec;
    const bool is_folder = entry.is_directory(type_ec);
    const bool is_file = entry.is_regular_file(type_ec);
    if (want_folders ? !is_folder : !is_file) continue;
    std::string name = FromPath(entry.path().filename());
    if (IsHiddenName(name)) continue;
    names.push_back(std::move(name));
  }
  std::sort(names.begin(), names.end(), [](const std::string& a, const std::string& b) { return FileNameLess(a, b); });
  return names;
}

FileSystem* g_override = nullptr;

// --- temporary files of a replace ---
//
// A replace writes ".NAME.tmp" + a random part beside NAME and renames it
// over NAME. The writer holds a lock on its temporary file until the rename,
// so a leftover of a writer that died (nobody holds it) can be told from a
// file being written, and removed.

#ifndef _WIN32
unsigned ProcessNumber() {
  return static_cast<unsigned>(::getpid());
}
#else
unsigned ProcessNumber() {
  return 0;
}
#endif

std::string RandomPart() {
  // Seeded afresh in every process: a forked copy must not repeat the names
  // its parent will use.
  thread_local std::mt19937_64 generator;
  thread_local unsigned seeded_for = 0;
  thread_local bool seeded = false;
  if (!seeded || seeded_for != ProcessNumber()) {
    std::random_device device;
    std::seed_seq seed{device(), device(),
                       static_cast<unsigned>(std::chrono::steady_clock::now().time_since_epoch().count()),
                       ProcessNumber()};
    generator.seed(seed);
    seeded_for = ProcessNumber();
    seeded = true;
  }
  static constexpr char kHex[] = "0123456789abcdef";
  const std::uint64_t value = generator();
  std::string part;
  for (int i = 0; i < 16; ++i) part += kHex[(value >> (4 * i)) & 0xF];
  return part;
}

std::string TemporaryPrefix(const fs::path& target) {
  return "." + FromPath(target.filename()) + ".tmp";
}

// A name a replace of `target` gave its temporary file: the prefix and
// 1 to 16 lower-case hexadecimal digits (older versions counted in decimal).
bool IsTemporaryName(std::string_view name, std::string_view prefix) {
  if (!name.starts_with(prefix)) return false;
  const std::string_view rest = name.substr(prefix.size());
  if (rest.empty() || rest.size() > 16) return false;
  return std::all_of(rest.begin(), rest.end(),
                     [](char ch) { return (ch >= '0' && ch <= '9') || (ch >= 'a' && ch <= 'f'); });
}

#ifndef _WIN32
// Takes this process's lock on an open file: waiting for it, or only when
// nobody holds it.
bool LockOpenFile(int fd, bool wait) {
  return ::flock(fd, LOCK_EX | (wait ? 0 : LOCK_NB)) == 0;
}
// Whether the path still names the open file.
bool PathNamesFile(int fd, const fs::path& path) {
  struct stat open_file {};
  struct stat named {};
  return ::fstat(fd, &open_file) == 0 && ::lstat(path.c_str(), &named) == 0 && open_file.st_dev == named.st_dev &&
         open_file.st_ino == named.st_ino;
}
#else
// Windows keeps a file that is open for writing from being removed.
bool LockOpenFile(int, bool) {
  return true;
}
bool PathNamesFile(int, const fs::path&) {
  return true;
}
#endif

// Removes the temporary files of earlier replaces of `target` that nobody
// holds any more.
void RemoveLeftovers(const fs::path& target) {
  const std::string prefix = TemporaryPrefix(target);
  const fs::path folder = target.parent_path().empty() ? fs::path(".") : target.parent_path();
  std::error_code ec;
  fs::directory_iterator it(folder, ec);
  if (ec) return;
  for (const fs::directory_entry& entry : it) {
    std::error_code type_ec;
    if (!entry.is_regular_file(type_ec) || entry.is_symlink(type_ec)) continue;
    if (!IsTemporaryName(FromPath(entry.path().filename()), prefix)) continue;
#ifndef _WIN32
    const int fd = ::open(entry.path().c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW);
    if (fd < 0) continue;
    if (LockOpenFile(fd, false) && PathNamesFile(fd, entry.path())) ::unlink(entry.path().c_str());
    ::close(fd);
#else
    fs::remove(entry.path(), type_ec);  // fails while a writer has it open
#endif
  }
}

std::FILE* OpenFile(const fs::path& path, const char* mode) {
#ifdef _WIN32
  const std::string narrow(mode);
  return ::_wfopen(path.c_str(), std::wstring(narrow.begin(), narrow.end()).c_str());
#else
  return std::fopen(path.c_str(), mode);
#endif
}

// A replace's temporary file, only ours to read until it gets the target's
// mode just before the rename.
std::FILE* CreateTemporary(const fs::path& path) {
#ifdef _WIN32
  return OpenFile(path, "wbx");
#else
  const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
  if (fd < 0) return nullptr;
  std::FILE* file = ::fdopen(fd, "wb");
  if (!file) ::close(fd);
  return file;
#endif
}

#ifndef _WIN32
// The mode a new file gets: 0666 less the umask. Setting the umask is the
// only portable way to read it, and not safe beside other threads, so it
// comes from /proc where that says it.
mode_t NewFileMode() {
  if (std::FILE* status = std::fopen("/proc/self/status", "re")) {
    char line[256];
    unsigned mask = 0;
    bool found = false;
    while (!found && std::fgets(line, sizeof line, status)) found = std::sscanf(line, "Umask: %o", &mask) == 1;
    std::fclose(status);
    if (found) return static_cast<mode_t>(0666 & ~mask);
  }
  const mode_t mask = ::umask(022);
  ::umask(mask);
  return static_cast<mode_t>(0666 & ~mask);
}
#endif

// The file a path names once the links at its end are followed (a link to
// a file not made yet names that file), as editors write through a link.
fs::path FollowLinks(fs::path path) {
  constexpr int kMostLinks = 40;  // as the system's own limit
  std::error_code ec;
  for (int hops = 0; hops < kMostLinks && fs::is_symlink(fs::symlink_status(path, ec)); ++hops) {
    const fs::path link = fs::read_symlink(path, ec);
    if (ec) break;
    path = link.is_absolute() ? link : path.parent_path() / link;
  }
  return path;
}

}  // namespace

Error TooLargeError(std::string_view path) {
  return Error::WithDescription(kErrOutOfMemory, "ファイルが大きすぎます(16MBまで): " + std::string(path));
}

Error MissingFileError(std::string_view path, bool folder_missing) {
  return Error::WithDescription(folder_missing ? kErrPathNotFound : kErrFileNotFound,
                                "ファイルが見つかりません: " + std::string(path));
}

Error FolderNotFileError(std::string_view path) {
  return Error::WithDescription(kErrFileNotFound, "フォルダーは開けません: " + std::string(path));
}

Error NoFileError(std::string_view path) {
  return Fs().FolderExists(path) ? FolderNotFileError(path) : MissingFileError(path);
}

Error FileErrorOfErrno(int errno_value, std::string_view path, bool writing) {
  switch (errno_value) {
    case ENOENT: return MissingFileError(path, ParentFolderMissing(ToPath(path)));
    case EISDIR: return FolderNotFileError(path);
    case EROFS:
    case ETXTBSY:
      if (!writing) break;
      [[fallthrough]];
    case EACCES:
    case EPERM:
      return Error::WithDescription(
          kErrPermissionDenied,
          std::string(writing ? "書き込みの許可がありません: " : "読み取りの許可がありません: ") + std::string(path));
    default: break;
  }
  return Error::Of(ErrorNumberOfErrno(errno_value));
}

fs::path ToPath(std::string_view utf8) {
  return fs::path(std::u8string(reinterpret_cast<const char8_t*>(utf8.data()), utf8.size()));
}

std::string FromPath(const fs::path& path) {
  const std::u8string text = path.generic_u8string();
  return std::string(reinterpret_cast<const char*>(text.data()), text.size());
}

std::string FileNameOf(std::string_view path) {
  return FromPath(ToPath(path).filename());
}

std::string PathBeside(std::string_view beside, std::string_view path) {
  const fs::path named = ToPath(path);
  if (beside.empty() || path.empty() || named.is_absolute()) return std::string(path);
  return FromPath((ToPath(beside).parent_path() / named).lexically_normal());
}

std::string JoinPath(std::string_view folder, std::string_view name) {
  std::string path(folder);
  path += '/';
  path += name;
  return path;
}

bool IsHiddenName(std::string_view name) {
  return !name.empty() && name.front() == '.';
}

bool FileNameLess(std::string_view a, std::string_view b) {
  // UTF-8 byte order is code point order.
  const std::size_t n = std::min(a.size(), b.size());
  for (std::size_t i = 0; i < n; ++i) {
    const auto ca = static_cast<unsigned char>(AsciiLower(a[i]));
    const auto cb = static_cast<unsigned char>(AsciiLower(b[i]));
    if (ca != cb) return ca < cb;
  }
  if (a.size() != b.size()) return a.size() < b.size();
  return a < b;
}

WriteSteps StandardWriteSteps() {
  WriteSteps steps;
  steps.write = [](std::FILE* file, std::string_view bytes) -> int {
    if (!bytes.empty() && std::fwrite(bytes.data(), 1, bytes.size(), file) != bytes.size()) return errno ? errno : EIO;
    return std::fflush(file) == 0 ? 0 : (errno ? errno : EIO);
  };
  steps.sync = [](std::FILE* file) -> int {
#ifdef _WIN32
    return _commit(_fileno(file)) == 0 ? 0 : (errno ? errno : EIO);
#else
    return ::fsync(fileno(file)) == 0 ? 0 : errno;
#endif
  };
  return steps;
}

RealFileSystem::RealFileSystem() : steps_(StandardWriteSteps()) {}
RealFileSystem::RealFileSystem(WriteSteps steps) : steps_(std::move(steps)) {}

bool RealFileSystem::FileExists(std::string_view path) {
  std::error_code ec;
  const fs::path p = ToPath(path);
  return fs::is_regular_file(p, ec) && !IsHiddenName(FromPath(p.filename()));
}

bool RealFileSystem::AnythingAt(std::string_view path) {
  std::error_code ec;
  return !path.empty() && fs::symlink_status(ToPath(path), ec).type() != fs::file_type::not_found && !ec;
}

bool RealFileSystem::FolderExists(std::string_view path) {
  std::error_code ec;
  return !path.empty() && fs::is_directory(ToPath(path), ec);
}

FileError RealFileSystem::CreateFolder(std::string_view path) {
  const fs::path p = ToPath(path);
  std::error_code ec;
  if (path.empty()) return Error::Of(kErrBadPathName);
  if (fs::is_directory(p, ec)) return std::nullopt;
  if (fs::exists(p, ec)) return Error::Of(kErrBadPathName);
  if (ParentFolderMissing(p)) return Error::Of(kErrPathNotFound);
  fs::create_directory(p, ec);
  return FileErrorOf(ec);
}

FileError RealFileSystem::CopyFile(std::string_view from, std::string_view to) {
  const fs::path source = ToPath(from);
  const fs::path target = ToPath(to);
  std::error_code ec;
  if (!fs::is_regular_file(source, ec)) return MissingError(source);
  if (ParentFolderMissing(target)) return Error::Of(kErrPathNotFound);
  fs::copy_file(source, target, fs::copy_options::overwrite_existing, ec);
  return FileErrorOf(ec);
}

FileError RealFileSystem::CopyFolder(std::string_view from, std::string_view to) {
  const fs::path source = ToPath(from);
  const fs::path target = ToPath(to);
  std::error_code ec;
  if (!fs::is_directory(source, ec)) return Error::Of(kErrPathNotFound);
  fs::copy(source, target, fs::copy_options::recursive | fs::copy_options::overwrite_existing, ec);
  return FileErrorOf(ec);
}

std::vector<std::string> RealFileSystem::ListFiles(std::string_view folder) {
  return ListEntries(folder, false);
}

std::vector<std::string> RealFileSystem::ListFolders(std::string_view folder) {
  return ListEntries(folder, true);
}

FileError RealFileSystem::Rename(std::string_view from, std::string_view to) {
  std::error_code ec;
  const fs::path source = ToPath(from);
  const fs::path target = ToPath(to);
  if (!fs::exists(source, ec)) return MissingError(source);
  if (fs::exists(target, ec)) return Error::Of(kErrBadPathName);
  fs::rename(source, target, ec);
  return FileErrorOf(ec);
}

FileError RealFileSystem::Remove(std::string_view path) {
  std::error_code ec;
  const fs::path p = ToPath(path);
  if (!fs::is_regular_file(p, ec)) return MissingError(p);
  fs::remove(p, ec);
  if (ec) return ErrorOf(ec);
  return std::nullopt;
}

std::string RealFileSystem::ResolveLinks(std::string_view path) {
  return FromPath(FollowLinks(ToPath(path)));
}

bool RealFileSystem::SameFile(std::string_view a, std::string_view b) {
  std::error_code ec;
  return !a.empty() && !b.empty() && fs::equivalent(ToPath(a), ToPath(b), ec) && !ec;
}

FsResult<std::string> RealFileSystem::ReadFile(std::string_view path) {
  const fs::path p = ToPath(path);
  std::error_code ec;
  if (fs::is_directory(p, ec)) return {std::nullopt, FolderNotFileError(path)};
  if (!fs::exists(p, ec)) return {std::nullopt, MissingError(p)};
  const std::uintmax_t size = fs::is_regular_file(p, ec) ? fs::file_size(p, ec) : 0;
  if (!ec && size > kReadLimit) return {std::nullopt, TooLargeError(path)};
  errno = 0;
  std::FILE* file = OpenFile(p, "rb");
  if (!file) return {std::nullopt, FileErrorOfErrno(errno ? errno : EIO, path, false)};
  std::string bytes;
  bytes.reserve(ec ? 0 : static_cast<std::size_t>(size));
  // The file may have grown, or be a device that never ends: read one byte
  // past the limit at most.
  char buffer[65536];
  std::size_t got = 0;
  while (bytes.size() <= kReadLimit &&
         (got = std::fread(buffer, 1, std::min<std::size_t>(sizeof buffer, kReadLimit + 1 - bytes.size()), file)) > 0) {
    bytes.append(buffer, got);
  }
  const bool failed = std::ferror(file) != 0;
  std::fclose(file);
  if (failed) return {std::nullopt, Error::Of(kErrDeviceIo)};
  if (bytes.size() > kReadLimit) return {std::nullopt, TooLargeError(path)};
  return {std::move(bytes), {}};
}

FileError RealFileSystem::ReplaceFile(std::string_view path, std::string_view bytes) {
  if (path.empty() || ToPath(path).filename().empty()) return Error::Of(kErrBadPathName);
  // A link stays a link: its file is replaced.
  const fs::path target = FollowLinks(ToPath(path));
  std::error_code ec;
  if (ParentFolderMissing(target)) return Error::Of(kErrPathNotFound);
  const fs::file_status status = fs::status(target, ec);
  const bool exists = fs::exists(status);
  if (exists && !fs::is_regular_file(status)) return Error::Of(kErrBadPathName);
  // A file its owner may not write is read-only, whoever we run as.
  if (exists && (status.permissions() & fs::perms::owner_write) == fs::perms::none) {
    return FileErrorOfErrno(EACCES, path, true);
  }

  // A new name each try; the file is ours once we hold its lock and the
  // name still leads to it (a cleaner may have removed it in between).
  fs::path temp;
  std::FILE* file = nullptr;
  for (int attempt = 0; attempt < 100 && !file; ++attempt) {
    temp = target.parent_path() / ToPath(TemporaryPrefix(target) + RandomPart());
    errno = 0;
    file = CreateTemporary(temp);
    if (!file) {
      if (errno != EEXIST) return FileErrorOfErrno(errno ? errno : EIO, path, true);
      continue;
    }
    if (!LockOpenFile(fileno(file), true) || !PathNamesFile(fileno(file), temp)) {
      std::fclose(file);
      file = nullptr;
    }
  }
  if (!file) return Error::Of(kErrBadPathName);

  int failure = steps_.write(file, bytes);
  if (failure == 0) failure = steps_.sync(file);
  if (failure == 0 && std::fflush(file) != 0) failure = errno ? errno : EIO;
    // The target's mode (a new file's from the umask) only now that the
    // content is complete, and before the name shows it.
#ifndef _WIN32
  const auto mode = exists ? static_cast<mode_t>(status.permissions() & fs::perms::mask) : NewFileMode();
  if (failure == 0 && ::fchmod(fileno(file), mode) != 0) failure = errno;
#else
  if (failure == 0 && exists) fs::permissions(temp, status.permissions(), ec);
#endif
#ifdef _WIN32
  // Windows renames no file that is open.
  if (std::fclose(file) != 0 && failure == 0) failure = errno ? errno : EIO;
  file = nullptr;
#endif
  if (failure == 0) {
    fs::rename(temp, target, ec);
    if (ec) failure = ec.value() ? ec.value() : EIO;
  }
  if (failure != 0) fs::remove(temp, ec);
  // Closing lets the lock go, after the rename or the removal.
  if (file) std::fclose(file);
  if (failure != 0) return FileErrorOfErrno(failure, path, true);
#ifndef _WIN32
  // Make the rename itself durable.
  const int dir = ::open(target.parent_path().empty() ? "." : target.parent_path().c_str(), O_RDONLY);
  if (dir >= 0) {
    ::fsync(dir);
    ::close(dir);
  }
#endif
  RemoveLeftovers(target);
  return std::nullopt;
}

FileSystem& Fs() {
  static RealFileSystem real;
  return g_override ? *g_override : real;
}

void SetFileSystem(FileSystem* fs) {
  g_override = fs;
}

}  // namespace dustora
