#pragma once
// The file access of the file commands, behind an interface that tests replace. Like
// std::filesystem, every call reports a failure through an out parameter: here the platform's
// description of the error, which the commands show after the path.

#include <cstdint>
#include <filesystem>
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

// What a path names; a symbolic link is followed, and its own target reported.
struct FileStatus {
  EntryKind kind = EntryKind::kNone;
  Text name;                      // the entry's name without its folder, as shown
  std::uint64_t size = 0;         // bytes
  std::uint16_t attributes = 0;   // the flags above
  std::uint32_t permissions = 0;  // mode bits, put back on a file that replaces this one
  std::int64_t modified = 0;      // last change, seconds since 1970-01-01 UTC
  std::uint64_t links = 0;        // names the file has (hard links)
  std::uint32_t owner = 0;        // user and group ids
  std::uint32_t group = 0;
  // When the path itself is a symbolic link: its target as written in it (relative to the
  // link's folder unless it starts with "/"). The rest describes what the link resolves to.
  std::optional<std::filesystem::path> link;
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

// Paths are the system's bytes (see platform/path_text.h for how they are shown).
class FileSystem {
 public:
  using Path = std::filesystem::path;

  virtual ~FileSystem() = default;
  // What is at the path (kind kNone when nothing is); nullopt when it cannot be looked at.
  virtual std::optional<FileStatus> Look(const Path& path, Text& error) = 0;
  // Opens a regular file for reading.
  virtual std::unique_ptr<OpenFile> OpenForReading(const Path& path, Text& error) = 0;
  // Creates a new file for writing; fails when anything exists at the path.
  virtual std::unique_ptr<OpenFile> CreateNew(const Path& path, Text& error) = 0;
  // Opens an existing regular file for writing and empties it; its other names see the change.
  virtual std::unique_ptr<OpenFile> OpenToOverwrite(const Path& path, Text& error) = 0;
  // Renames a file; fails when anything exists at the destination.
  virtual bool Rename(const Path& from, const Path& to, Text& error) = 0;
  // Deletes a file (never a folder).
  virtual bool Remove(const Path& path, Text& error) = 0;
  virtual bool SetPermissions(const Path& path, std::uint32_t permissions, Text& error) = 0;
  // Gives the file another owner and group; fails where the process may not.
  virtual bool SetOwner(const Path& path, std::uint32_t owner, std::uint32_t group,
                        Text& error) = 0;
  // Puts the folder's entries (names made, renamed or removed) on the disk.
  virtual bool SyncFolder(const Path& folder, Text& error) = 0;
};

// The disk, through POSIX calls. Stateless and shared.
FileSystem& DiskFileSystem();

// The description of a failure to open anything but a regular file or a folder as a file.
inline constexpr TextView kNotRegularFile = u"Not a regular file";

// The platform's description of an errno value.
[[nodiscard]] Text DescribeError(int error_number);

}  // namespace qor
