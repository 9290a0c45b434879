#pragma once
// Helpers of the file tests: a temporary folder on the disk, and a file system that makes
// chosen calls fail.

#include <filesystem>
#include <functional>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "platform/file_system.h"
#include "platform/text.h"

namespace qor {

// A new empty folder in memory (/dev/shm) or under the system's temporary folder, removed with
// everything in it. Names inside it are paths relative to it: u"a.txt", or bytes such as
// "\xC4\xE3.txt" for a name that is not UTF-8.
class TempFolder {
 public:
  using Path = std::filesystem::path;

  TempFolder();
  ~TempFolder();
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  // The folder's path with a trailing "/".
  const Path& path() const { return path_; }
  // The path of a name inside the folder.
  Path operator/(const Path& name) const;

  void Write(const Path& name, BytesView bytes) const;
  // The file's bytes; nullopt when it does not exist.
  std::optional<Bytes> Read(const Path& name) const;
  bool Exists(const Path& name) const;
  // The names in the folder (or a folder inside it) as shown, sorted.
  std::vector<Text> Names(const Path& sub = {}) const;
  // The names in the folder as bytes, sorted.
  std::vector<Bytes> NameBytes(const Path& sub = {}) const;
  void MakeFolder(const Path& name) const;
  void Chmod(const Path& name, unsigned mode) const;
  unsigned Mode(const Path& name) const;
  // The file's inode, number of names, owner and group.
  struct Identity {
    std::uint64_t inode = 0;
    std::uint64_t links = 0;
    unsigned owner = 0;
    unsigned group = 0;
  };
  Identity IdentityOf(const Path& name) const;
  void Symlink(const Path& target, const Path& name) const;
  void HardLink(const Path& existing, const Path& name) const;
  // Whether the name is a symbolic link.
  bool IsLink(const Path& name) const;

 private:
  Path path_;
};

// Passes every call to another file system, numbering the calls from 1 (those of the files it
// opens included), and fails the chosen ones with the platform's description of EIO; a failed
// write stores half of its bytes first, as a full disk does.
class FaultyFileSystem : public FileSystem {
 public:
  explicit FaultyFileSystem(FileSystem& inner) : inner_(inner) {}

  // Fails call n; with `from_then_on`, every later call too.
  void FailCall(int n, bool from_then_on = false);
  // Runs before every call with its name ("Look", "Rename", "Write"…) and path, if any.
  std::function<void(const std::string& call, const Path& path)> before_call;

  int calls() const { return calls_; }
  // The names of the calls so far, in order.
  const std::vector<std::string>& log() const { return log_; }
  // The description a failed call leaves.
  static Text FailureDescription();

  std::optional<FileStatus> Look(const Path& path, Text& error) override;
  std::unique_ptr<OpenFile> OpenForReading(const Path& path, Text& error) override;
  std::unique_ptr<OpenFile> CreateNew(const Path& path, Text& error) override;
  std::unique_ptr<OpenFile> OpenToOverwrite(const Path& path, Text& error) override;
  bool Rename(const Path& from, const Path& to, Text& error) override;
  bool Remove(const Path& path, Text& error) override;
  bool SetPermissions(const Path& path, std::uint32_t permissions, Text& error) override;
  bool SetOwner(const Path& path, std::uint32_t owner, std::uint32_t group, Text& error) override;
  bool SyncFolder(const Path& folder, Text& error) override;

  // Counts a call; false when it is to fail (the error is then set).
  bool Pass(const std::string& call, const Path& path, Text& error);
  // SetOwner fails with EPERM, as for a process that may not give a file to another user.
  bool refuse_owner = false;

 private:
  FileSystem& inner_;
  int calls_ = 0;
  std::set<int> failing_;
  int failing_from_ = 0;  // 0: none
  std::vector<std::string> log_;
};

}  // namespace qor
