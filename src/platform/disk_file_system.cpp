#include <fcntl.h>
#include <stdio.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <system_error>

#include "platform/file_system.h"
#include "platform/wtf8.h"

namespace qor {
namespace {

// Text as the bytes of a file name; nullopt for a name the system cannot take (a NUL inside).
std::optional<std::string> NativePath(TextView path, Text& error) {
  if (path.empty() || path.find(u'\0') != TextView::npos) {
    error = DescribeError(path.empty() ? ENOENT : EINVAL);
    return std::nullopt;
  }
  return EncodeWtf8(path);
}

// Stores the description of the error and gives the failed result of the call.
struct Failure {
  template <typename T>
  operator T() const {
    return T{};
  }
};
Failure Fail(Text& error, int error_number = errno) {
  error = DescribeError(error_number);
  return {};
}

Text LastComponent(TextView path) {
  const std::size_t slash = path.rfind(u'/');
  return Text(slash == TextView::npos ? path : path.substr(slash + 1));
}

class DiskFile : public OpenFile {
 public:
  DiskFile(int fd, bool writing) : fd_(fd), writing_(writing) {}
  ~DiskFile() override {
    if (fd_ >= 0) ::close(fd_);
  }

  std::optional<std::uint64_t> Size(Text& error) override {
    struct stat st;
    if (::fstat(fd_, &st) != 0) return Fail(error);
    return static_cast<std::uint64_t>(st.st_size);
  }

  std::optional<Bytes> Read(std::size_t size, Text& error) override {
    Bytes out(size, '\0');
    std::size_t got = 0;
    while (got < size) {
      const ssize_t n = ::read(fd_, out.data() + got, size - got);
      if (n < 0 && errno == EINTR) continue;
      if (n < 0) return Fail(error);
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

  bool Close(Text& error) override {
    // A file that replaces another must be on the disk before the rename makes it the file.
    const bool synced = !writing_ || ::fsync(fd_) == 0 || errno == EINVAL || errno == EROFS;
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

class DiskFileSystemImpl : public FileSystem {
 public:
  std::optional<FileStatus> Look(TextView path, Text& error) override {
    const auto native = NativePath(path, error);
    if (!native) return std::nullopt;
    FileStatus status;
    status.name = LastComponent(path);
    struct stat st;
    if (::stat(native->c_str(), &st) != 0) {
      if (errno == ENOENT || errno == ENOTDIR) return status;
      return Fail(error);
    }
    status.kind = S_ISREG(st.st_mode)   ? EntryKind::kFile
                  : S_ISDIR(st.st_mode) ? EntryKind::kFolder
                                        : EntryKind::kOther;
    status.size = static_cast<std::uint64_t>(st.st_size);
    status.permissions = st.st_mode & 07777;
    status.modified = st.st_mtim.tv_sec;
    // Not writable by anyone, or not by this user (root may write anything, but a file nobody
    // may write is still meant to stay as it is).
    if ((st.st_mode & 0222) == 0 || ::access(native->c_str(), W_OK) != 0) {
      status.attributes |= kAttributeReadOnly;
    }
    if (!status.name.empty() && status.name.front() == u'.') {
      status.attributes |= kAttributeHidden;
    }
    return status;
  }

  std::unique_ptr<OpenFile> OpenForReading(TextView path, Text& error) override {
    const auto native = NativePath(path, error);
    if (!native) return nullptr;
    // Non-blocking, so that a named pipe chosen by mistake does not hang the window.
    const int fd = ::open(native->c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK);
    if (fd < 0) return Fail(error);
    auto file = std::make_unique<DiskFile>(fd, false);
    struct stat st;
    if (::fstat(fd, &st) != 0) return Fail(error);
    if (S_ISDIR(st.st_mode)) return Fail(error, EISDIR);
    if (!S_ISREG(st.st_mode)) {
      error = kNotRegularFile;
      return nullptr;
    }
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    return file;
  }

  std::unique_ptr<OpenFile> CreateNew(TextView path, Text& error) override {
    const auto native = NativePath(path, error);
    if (!native) return nullptr;
    const int fd =
        ::open(native->c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOCTTY, 0666);
    if (fd < 0) return Fail(error);
    return std::make_unique<DiskFile>(fd, true);
  }

  bool Rename(TextView from, TextView to, Text& error) override {
    const auto source = NativePath(from, error);
    const auto target = source ? NativePath(to, error) : std::nullopt;
    if (!target) return false;
    if (::renameat2(AT_FDCWD, source->c_str(), AT_FDCWD, target->c_str(), RENAME_NOREPLACE) == 0) {
      return true;
    }
    if (errno != EINVAL && errno != ENOSYS) return Fail(error);
    // A file system without the no-replace flag: check, then rename.
    struct stat st;
    if (::lstat(target->c_str(), &st) == 0) return Fail(error, EEXIST);
    return ::rename(source->c_str(), target->c_str()) == 0 || Fail(error);
  }

  bool Remove(TextView path, Text& error) override {
    const auto native = NativePath(path, error);
    return native && (::unlink(native->c_str()) == 0 || Fail(error));
  }

  bool SetPermissions(TextView path, std::uint32_t permissions, Text& error) override {
    const auto native = NativePath(path, error);
    return native &&
           (::chmod(native->c_str(), static_cast<mode_t>(permissions)) == 0 || Fail(error));
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
