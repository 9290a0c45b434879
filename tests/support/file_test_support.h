#pragma once
// Helpers of the file tests: a temporary folder on the disk, and a file system that makes
// chosen calls fail.

#include <functional>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "platform/file_system.h"
#include "platform/text.h"

namespace qor {

// A new empty folder in memory (/dev/shm) or under the system's temporary folder, removed with
// everything in it.
class TempFolder {
 public:
  TempFolder();
  ~TempFolder();
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  // The folder's path with a trailing "/".
  const Text& path() const { return path_; }
  // The path of a name inside the folder.
  Text operator/(TextView name) const { return path_ + Text(name); }

  void Write(TextView name, BytesView bytes) const;
  // The file's bytes; nullopt when it does not exist.
  std::optional<Bytes> Read(TextView name) const;
  bool Exists(TextView name) const;
  // The names in the folder, sorted.
  std::vector<Text> Names() const;
  void MakeFolder(TextView name) const;
  void Chmod(TextView name, unsigned mode) const;
  unsigned Mode(TextView name) const;

 private:
  Text path_;
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
  std::function<void(const std::string& call, TextView path)> before_call;

  int calls() const { return calls_; }
  // The names of the calls so far, in order.
  const std::vector<std::string>& log() const { return log_; }
  // The description a failed call leaves.
  static Text FailureDescription();

  std::optional<FileStatus> Look(TextView path, Text& error) override;
  std::unique_ptr<OpenFile> OpenForReading(TextView path, Text& error) override;
  std::unique_ptr<OpenFile> CreateNew(TextView path, Text& error) override;
  bool Rename(TextView from, TextView to, Text& error) override;
  bool Remove(TextView path, Text& error) override;
  bool SetPermissions(TextView path, std::uint32_t permissions, Text& error) override;

  // Counts a call; false when it is to fail (the error is then set).
  bool Pass(const std::string& call, TextView path, Text& error);

 private:
  FileSystem& inner_;
  int calls_ = 0;
  std::set<int> failing_;
  int failing_from_ = 0;  // 0: none
  std::vector<std::string> log_;
};

}  // namespace qor
