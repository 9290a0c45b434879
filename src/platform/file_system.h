#pragma once
// The file access of the file commands, behind an interface that tests replace. Like
// std::filesystem, every call reports a failure through an out parameter: here the platform's
// description of the error, which the commands show after the path.

#include <cstdint>
#include <memory>
#include <optional>

#include "platform/text.h"

namespace qor {

// File attribute flags, as the properties and the overwrite question name them. Here read-only
// means not writable and hidden a name that starts with "."; system and archive are never set.
inline constexpr std::uint16_t kAttributeReadOnly = 0x01;
inline constexpr std::uint16_t kAttributeHidden = 0x02;
inline constexpr std::uint16_t kAttributeSystem = 0x04;
inline constexpr std::uint16_t kAttributeArchive = 0x20;

enum class EntryKind { kNone, kFile, kFolder, kOther };

// What a path names.
struct FileStatus {
  EntryKind kind = EntryKind::kNone;
  Text name;                      // the entry's name as stored, without its folder
  std::uint64_t size = 0;         // bytes
  std::uint16_t attributes = 0;   // the flags above
  std::uint32_t permissions = 0;  // mode bits, put back on a file that replaces this one
  std::int64_t modified = 0;      // last change, seconds since 1970-01-01 UTC
};

// A file opened by FileSystem.
class OpenFile {
 public:
  virtual ~OpenFile() = default;
  // The file's length in bytes.
  virtual std::optional<std::uint64_t> Size(Text& error) = 0;
  // Up to `size` bytes from the current position; fewer only at the end of the file.
  virtual std::optional<Bytes> Read(std::size_t size, Text& error) = 0;
  // Writes all the bytes at the current position.
  virtual bool Write(BytesView bytes, Text& error) = 0;
  // Puts written data on the disk and closes; false when it may not have been stored.
  virtual bool Close(Text& error) = 0;
};

class FileSystem {
 public:
  virtual ~FileSystem() = default;
  // What is at the path (kind kNone when nothing is); nullopt when it cannot be looked at.
  virtual std::optional<FileStatus> Look(TextView path, Text& error) = 0;
  // Opens a regular file for reading.
  virtual std::unique_ptr<OpenFile> OpenForReading(TextView path, Text& error) = 0;
  // Creates a new file for writing; fails when anything exists at the path.
  virtual std::unique_ptr<OpenFile> CreateNew(TextView path, Text& error) = 0;
  // Renames a file; fails when anything exists at the destination.
  virtual bool Rename(TextView from, TextView to, Text& error) = 0;
  // Deletes a file (never a folder).
  virtual bool Remove(TextView path, Text& error) = 0;
  virtual bool SetPermissions(TextView path, std::uint32_t permissions, Text& error) = 0;
};

// The disk, through POSIX calls. Paths are text; on the disk they are UTF-8 whatever the
// locale, so every name the program can show can also be opened. Stateless and shared.
FileSystem& DiskFileSystem();

// The description of a failure to open anything but a regular file or a folder as a file.
inline constexpr TextView kNotRegularFile = u"Not a regular file";

// The platform's description of an errno value.
[[nodiscard]] Text DescribeError(int error_number);

}  // namespace qor
