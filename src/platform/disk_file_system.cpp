#include <fcntl.h>
#include <stdio.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <system_error>

#include "platform/file_system.h"
#include "platform/path_text.h"
#include "platform/wtf8.h"

namespace qor {
namespace {

using Path = FileSystem::Path;

// The bytes of a file name; nullopt for a name the system cannot take (empty, or a NUL inside).
const char* NativePath(const Path& path, Text& error) {
  const std::string& bytes = path.native();
  if (bytes.empty() || bytes.find('\0') != std::string::npos) {
    error = DescribeError(bytes.empty() ? ENOENT : EINVAL);
    return nullptr;
  }
  return bytes.c_str();
}

// Stores the description of the error; false, the result of a call that failed.
bool Fail(Text& error, int error_number = errno) {
  error = DescribeError(error_number);
  return false;
}

// The target written in a symbolic link.
std::optional<Path> LinkTarget(const char* native, Text& error) {
  std::string target(256, '\0');
  for (;;) {
    const ssize_t n = ::readlink(native, target.data(), target.size());
    if (n < 0) {
      Fail(error);
      return std::nullopt;
    }
    if (static_cast<std::size_t>(n) < target.size()) {
      target.resize(static_cast<std::size_t>(n));
      return target;
    }
    target.resize(target.size() * 2);
  }
}

// Syncs a written file; file systems that cannot sync (EINVAL, EROFS) have nothing to lose.
bool Sync(int fd) { return ::fsync(fd) == 0 || errno == EINVAL || errno == EROFS; }

class DiskFile : public OpenFile {
 public:
  DiskFile(int fd, bool writing) : fd_(fd), writing_(writing) {}
  ~DiskFile() override {
    if (fd_ >= 0) ::close(fd_);
  }

  std::optional<std::uint64_t> Size(Text& error) override {
    struct stat st;
    if (::fstat(fd_, &st) != 0) {
      Fail(error);
      return std::nullopt;
    }
    return static_cast<std::uint64_t>(st.st_size);
  }

  std::optional<Bytes> Read(std::size_t size, Text& error) override {
    Bytes out(size, '\0');
    std::size_t got = 0;
    while (got < size) {
      const ssize_t n = ::read(fd_, out.data() + got, size - got);
      if (n < 0 && errno == EINTR) continue;
      if (n < 0) {
        Fail(error);
        return std::nullopt;
      }
      if (n == 0) break;
      got += static_cast<std::size_t>(n);
    }
    out.resize(got);
    return out;
  }

  bool Write(BytesView bytes, Text& error) override {
    while (!bytes.empty()) {
      const ssize_t n = ::write(fd_, bytes.data(), bytes.size());
      if (n < 0 && errno == EINTR) continue;
      if (n < 0) return Fail(error);
      bytes.remove_prefix(static_cast<std::size_t>(n));
    }
    return true;
  }

  bool Truncate(Text& error) { return ::ftruncate(fd_, 0) == 0 || Fail(error); }

  bool Close(Text& error) override {
    // A file that replaces another must be on the disk before the rename makes it the file.
    const bool synced = !writing_ || Sync(fd_);
    const int sync_error = errno;
    const bool closed = ::close(fd_) == 0;
    fd_ = -1;
    if (!synced) return Fail(error, sync_error);
    return closed || Fail(error);
  }

 private:
  int fd_;
  bool writing_;
};

// Opens a regular file for reading (O_RDONLY) or writing (O_WRONLY).
std::unique_ptr<DiskFile> OpenRegular(const Path& path, int access, Text& error) {
  const char* native = NativePath(path, error);
  if (!native) return nullptr;
  // Non-blocking, so that a named pipe chosen by mistake does not hang the window.
  const int fd = ::open(native, access | O_CLOEXEC | O_NOCTTY | O_NONBLOCK);
  if (fd < 0) {
    Fail(error);
    return nullptr;
  }
  auto file = std::make_unique<DiskFile>(fd, access != O_RDONLY);
  struct stat st;
  if (::fstat(fd, &st) != 0) {
    Fail(error);
    return nullptr;
  }
  if (S_ISDIR(st.st_mode)) {
    Fail(error, EISDIR);
    return nullptr;
  }
  if (!S_ISREG(st.st_mode)) {
    error = kNotRegularFile;
    return nullptr;
  }
  ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
  return file;
}

class DiskFileSystemImpl : public FileSystem {
 public:
  std::optional<FileStatus> Look(const Path& path, Text& error) override {
    const char* native = NativePath(path, error);
    if (!native) return std::nullopt;
    FileStatus status;
    status.name = PathToText(NameOf(path));
    struct stat st;
    if (::lstat(native, &st) != 0) {
      if (errno == ENOENT || errno == ENOTDIR) return status;
      Fail(error);
      return std::nullopt;
    }
    if (S_ISLNK(st.st_mode)) {
      status.link = LinkTarget(native, error);
      if (!status.link) return std::nullopt;
      if (::stat(native, &st) != 0) {
        if (errno == ENOENT || errno == ENOTDIR) return status;  // a dangling link
        Fail(error);
        return std::nullopt;
      }
    }
    status.kind = S_ISREG(st.st_mode)   ? EntryKind::kFile
                  : S_ISDIR(st.st_mode) ? EntryKind::kFolder
                                        : EntryKind::kOther;
    status.size = static_cast<std::uint64_t>(st.st_size);
    status.permissions = st.st_mode & 07777;
    status.modified = st.st_mtim.tv_sec;
    status.links = st.st_nlink;
    status.owner = st.st_uid;
    status.group = st.st_gid;
    // Not writable by anyone, or not by this user (root may write anything, but a file nobody
    // may write is still meant to stay as it is).
    if ((st.st_mode & 0222) == 0 || ::access(native, W_OK) != 0) {
      status.attributes |= kAttributeReadOnly;
    }
    if (!status.name.empty() && status.name.front() == u'.') {
      status.attributes |= kAttributeHidden;
    }
    return status;
  }

  std::unique_ptr<OpenFile> OpenForReading(const Path& path, Text& error) override {
    return OpenRegular(path, O_RDONLY, error);
  }

  std::unique_ptr<OpenFile> OpenToOverwrite(const Path& path, Text& error) override {
    std::unique_ptr<DiskFile> file = OpenRegular(path, O_WRONLY, error);
    if (file && !file->Truncate(error)) return nullptr;
    return file;
  }

  std::unique_ptr<OpenFile> CreateNew(const Path& path, Text& error) override {
    const char* native = NativePath(path, error);
    if (!native) return nullptr;
    const int fd = ::open(native, O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOCTTY, 0666);
    if (fd < 0) {
      Fail(error);
      return nullptr;
    }
    return std::make_unique<DiskFile>(fd, true);
  }

  bool Rename(const Path& from, const Path& to, Text& error) override {
    const char* source = NativePath(from, error);
    const char* target = source ? NativePath(to, error) : nullptr;
    if (!target) return false;
    if (::renameat2(AT_FDCWD, source, AT_FDCWD, target, RENAME_NOREPLACE) == 0) {
      return true;
    }
    if (errno != EINVAL && errno != ENOSYS) return Fail(error);
    // A file system without the no-replace flag: check, then rename.
    struct stat st;
    if (::lstat(target, &st) == 0) return Fail(error, EEXIST);
    return ::rename(source, target) == 0 || Fail(error);
  }

  bool Remove(const Path& path, Text& error) override {
    const char* native = NativePath(path, error);
    return native && (::unlink(native) == 0 || Fail(error));
  }

  bool SetPermissions(const Path& path, std::uint32_t permissions, Text& error) override {
    const char* native = NativePath(path, error);
    return native && (::chmod(native, static_cast<mode_t>(permissions)) == 0 || Fail(error));
  }

  bool SetOwner(const Path& path, std::uint32_t owner, std::uint32_t group, Text& error) override {
    const char* native = NativePath(path, error);
    return native && (::lchown(native, owner, group) == 0 || Fail(error));
  }

  bool SyncFolder(const Path& folder, Text& error) override {
    const Path target = folder.empty() ? Path(".") : folder;
    const char* native = NativePath(target, error);
    if (!native) return false;
    const int fd = ::open(native, O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return Fail(error);
    const bool synced = Sync(fd);
    const int sync_error = errno;
    ::close(fd);
    return synced || Fail(error, sync_error);
  }
};

}  // namespace

FileSystem& DiskFileSystem() {
  static DiskFileSystemImpl disk;
  return disk;
}

Text DescribeError(int error_number) {
  return Utf8ToText(std::generic_category().message(error_number));
}

}  // namespace qor
