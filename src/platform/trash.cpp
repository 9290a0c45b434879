#include "platform/trash.h"

#include <fcntl.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <ctime>
#include <optional>
#include <string>

#include "platform/file_system.h"
#include "platform/path_text.h"

namespace qor {
namespace {

using Path = std::filesystem::path;

// Names tried in a trash before giving up: "a.txt", "a.2.txt", "a.3.txt"…
constexpr int kTrashNames = 1000;

bool Fail(Text* error, int error_number = errno) {
  if (error) *error = DescribeError(error_number);
  return false;
}

std::optional<struct stat> StatOf(const Path& path) {
  struct stat st;
  if (::stat(path.c_str(), &st) != 0) return std::nullopt;
  return st;
}

// A folder of this user's only, made if it is missing; false when it cannot be had.
bool OwnFolder(const Path& folder) {
  std::error_code ignored;
  std::filesystem::create_directories(folder, ignored);
  struct stat st;
  if (::lstat(folder.c_str(), &st) != 0) return false;
  if (S_ISDIR(st.st_mode) && st.st_uid == ::getuid()) return true;
  errno = EACCES;
  return false;
}

// $XDG_DATA_HOME/Trash, or ~/.local/share/Trash.
std::optional<Path> HomeTrash() {
  const char* data = ::getenv("XDG_DATA_HOME");
  if (data && *data == '/') return Path(data) / "Trash";
  const char* home = ::getenv("HOME");
  if (!home || *home != '/') return std::nullopt;
  return Path(home) / ".local/share/Trash";
}

// The top folder of the volume that holds the folder.
Path VolumeTop(Path folder, dev_t device) {
  while (folder.has_relative_path()) {
    const std::optional<struct stat> parent = StatOf(folder.parent_path());
    if (!parent || parent->st_dev != device) break;
    folder = folder.parent_path();
  }
  return folder;
}

// The volume's trash: $top/.Trash/$uid where the administrator made $top/.Trash (a sticky
// folder, not a link), else $top/.Trash-$uid.
std::optional<Path> VolumeTrash(const Path& top) {
  const std::string uid = std::to_string(::getuid());
  struct stat st;
  const Path shared = top / ".Trash";
  if (::lstat(shared.c_str(), &st) == 0 && S_ISDIR(st.st_mode) && (st.st_mode & S_ISVTX)) {
    if (OwnFolder(shared / uid)) return shared / uid;
  }
  const Path own = top / (".Trash-" + uid);
  if (OwnFolder(own)) return own;
  return std::nullopt;
}

// The trash for a file on this device; nullopt when its volume has none.
std::optional<Path> TrashFor(const Path& file, dev_t device) {
  const std::optional<Path> home = HomeTrash();
  if (home && OwnFolder(*home)) {
    const std::optional<struct stat> st = StatOf(*home);
    if (st && st->st_dev == device) return home;
  }
  return VolumeTrash(VolumeTop(file.parent_path(), device));
}

// The path as the trash's info file writes it: URL-escaped bytes.
std::string EscapedPath(const std::string& path) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  std::string out;
  for (const unsigned char c : path) {
    const bool plain = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') ||
                       c == '/' || c == '-' || c == '_' || c == '.' || c == '~';
    if (plain) {
      out += static_cast<char>(c);
    } else {
      out += '%';
      out += kHex[c >> 4];
      out += kHex[c & 0x0F];
    }
  }
  return out;
}

std::string InfoText(const Path& file) {
  const std::time_t now = std::time(nullptr);
  struct tm local;
  char date[32] = "";
  if (::localtime_r(&now, &local)) std::strftime(date, sizeof date, "%Y-%m-%dT%H:%M:%S", &local);
  return "[Trash Info]\nPath=" + EscapedPath(file.native()) + "\nDeletionDate=" + date + "\n";
}

// The n-th name tried for a file in the trash: the name, then a number before its extension.
std::string TrashName(const Path& name, int n) {
  if (n == 1) return name.native();
  const std::string& bytes = name.native();
  const std::size_t dot = bytes.rfind('.');
  const std::size_t cut = dot == std::string::npos || dot == 0 ? bytes.size() : dot;
  return bytes.substr(0, cut) + "." + std::to_string(n) + bytes.substr(cut);
}

// Claims a name in the trash by making its info file; the name, or nullopt.
std::optional<std::string> ClaimName(const Path& trash, const Path& file) {
  const std::string info = InfoText(file);
  for (int n = 1; n <= kTrashNames; ++n) {
    const std::string name = TrashName(file.filename(), n);
    const Path info_path = trash / "info" / (name + ".trashinfo");
    const int fd = ::open(info_path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
    if (fd < 0 && errno == EEXIST) continue;
    if (fd < 0) return std::nullopt;
    const bool written = ::write(fd, info.data(), info.size()) == static_cast<ssize_t>(info.size());
    ::close(fd);
    if (written && ::access((trash / "files" / name).c_str(), F_OK) != 0) return name;
    ::unlink(info_path.c_str());
    if (!written) return std::nullopt;
  }
  return std::nullopt;
}

// Moves the file into the trash; false, with errno set, when it stays where it is.
bool MoveToTrash(const Path& trash, const Path& file) {
  if (!OwnFolder(trash / "files") || !OwnFolder(trash / "info")) return false;
  const std::optional<std::string> name = ClaimName(trash, file);
  if (!name) return false;
  if (::rename(file.c_str(), (trash / "files" / *name).c_str()) == 0) return true;
  const int error_number = errno;
  ::unlink((trash / "info" / (*name + ".trashinfo")).c_str());
  errno = error_number;
  return false;
}

}  // namespace

bool RecycleFile(const std::filesystem::path& path, Text* error) {
  std::error_code failure;
  const Path file = std::filesystem::absolute(path, failure);
  if (failure) return Fail(error, failure.value());
  const std::optional<struct stat> st = StatOf(file);
  if (!st) return Fail(error);
  if (!S_ISREG(st->st_mode)) return Fail(error, S_ISDIR(st->st_mode) ? EISDIR : ENOENT);
  const std::optional<Path> trash = TrashFor(file, st->st_dev);
  // A volume without a trash (a read-only top folder, say): the file is deleted.
  if (!trash) return ::unlink(file.c_str()) == 0 || Fail(error);
  return MoveToTrash(*trash, file) || Fail(error);
}

}  // namespace qor
