#include "support/file_test_support.h"

#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>

#include "platform/path_text.h"
#include "platform/wtf8.h"

namespace qor {
namespace {

using Path = std::filesystem::path;

class FaultyFile : public OpenFile {
 public:
  FaultyFile(FaultyFileSystem& owner, std::unique_ptr<OpenFile> inner)
      : owner_(owner), inner_(std::move(inner)) {}

  std::optional<std::uint64_t> Size(Text& error) override {
    if (!owner_.Pass("Size", {}, error)) return std::nullopt;
    return inner_->Size(error);
  }
  std::optional<Bytes> Read(std::size_t size, Text& error) override {
    if (!owner_.Pass("Read", {}, error)) return std::nullopt;
    return inner_->Read(size, error);
  }
  bool Write(BytesView bytes, Text& error) override {
    if (!owner_.Pass("Write", {}, error)) {
      Text ignored;
      inner_->Write(bytes.substr(0, bytes.size() / 2), ignored);
      return false;
    }
    return inner_->Write(bytes, error);
  }
  bool Close(Text& error) override {
    if (!owner_.Pass("Close", {}, error)) {
      Text ignored;
      inner_->Close(ignored);
      return false;
    }
    return inner_->Close(error);
  }

 private:
  FaultyFileSystem& owner_;
  std::unique_ptr<OpenFile> inner_;
};

}  // namespace

TempFolder::TempFolder() {
  // In memory where the system offers it: a save syncs its file to the disk, and the fault
  // tests make thousands of saves.
  const std::filesystem::path memory = "/dev/shm";
  const std::filesystem::path base =
      ::access(memory.c_str(), W_OK) == 0 ? memory : std::filesystem::temp_directory_path();
  std::string buffer = (base / "qor-test-XXXXXX").string();
  if (!::mkdtemp(buffer.data())) throw std::runtime_error("mkdtemp failed");
  path_ = buffer + "/";
}

TempFolder::Path TempFolder::operator/(const Path& name) const {
  return Append(path_, name.native());
}

TempFolder::~TempFolder() {
  std::error_code ignored;
  // Folders made read-only by a test must be writable again to be emptied.
  for (auto it = std::filesystem::recursive_directory_iterator(path_, ignored);
       it != std::filesystem::recursive_directory_iterator(); it.increment(ignored)) {
    if (it->is_directory(ignored)) {
      std::filesystem::permissions(it->path(), std::filesystem::perms::owner_all,
                                   std::filesystem::perm_options::add, ignored);
    }
  }
  std::filesystem::remove_all(path_, ignored);
}

void TempFolder::Write(const Path& name, BytesView bytes) const {
  std::ofstream file(*this / name, std::ios::binary | std::ios::trunc);
  file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

std::optional<Bytes> TempFolder::Read(const Path& name) const {
  std::ifstream file(*this / name, std::ios::binary);
  if (!file) return std::nullopt;
  return Bytes(std::istreambuf_iterator<char>(file), {});
}

bool TempFolder::Exists(const Path& name) const {
  std::error_code ignored;
  return std::filesystem::exists(std::filesystem::symlink_status(*this / name, ignored));
}

std::vector<Text> TempFolder::Names(const Path& sub) const {
  std::vector<Text> names;
  for (const Bytes& name : NameBytes(sub)) names.push_back(PathToText(name));
  std::sort(names.begin(), names.end());
  return names;
}

std::vector<Bytes> TempFolder::NameBytes(const Path& sub) const {
  std::vector<Bytes> names;
  for (const auto& entry : std::filesystem::directory_iterator(*this / sub)) {
    names.push_back(entry.path().filename().native());
  }
  std::sort(names.begin(), names.end());
  return names;
}

void TempFolder::MakeFolder(const Path& name) const {
  std::filesystem::create_directories(*this / name);
}

void TempFolder::Chmod(const Path& name, unsigned mode) const {
  ::chmod((*this / name).c_str(), mode);
}

unsigned TempFolder::Mode(const Path& name) const {
  struct stat st {};
  ::stat((*this / name).c_str(), &st);
  return st.st_mode & 07777;
}

TempFolder::Identity TempFolder::IdentityOf(const Path& name) const {
  struct stat st {};
  ::stat((*this / name).c_str(), &st);
  return {st.st_ino, st.st_nlink, st.st_uid, st.st_gid};
}

void TempFolder::Symlink(const Path& target, const Path& name) const {
  std::filesystem::create_symlink(target, *this / name);
}

void TempFolder::HardLink(const Path& existing, const Path& name) const {
  std::filesystem::create_hard_link(*this / existing, *this / name);
}

bool TempFolder::IsLink(const Path& name) const {
  std::error_code ignored;
  return std::filesystem::is_symlink(*this / name, ignored);
}

void FaultyFileSystem::FailCall(int n, bool from_then_on) {
  if (from_then_on) {
    failing_from_ = n;
  } else {
    failing_.insert(n);
  }
}

Text FaultyFileSystem::FailureDescription() { return DescribeError(EIO); }

bool FaultyFileSystem::Pass(const std::string& call, const Path& path, Text& error) {
  ++calls_;
  log_.push_back(call);
  if (before_call) before_call(call, path);
  if (failing_.count(calls_) || (failing_from_ > 0 && calls_ >= failing_from_)) {
    error = FailureDescription();
    return false;
  }
  return true;
}

std::optional<FileStatus> FaultyFileSystem::Look(const Path& path, Text& error) {
  if (!Pass("Look", path, error)) return std::nullopt;
  return inner_.Look(path, error);
}

std::unique_ptr<OpenFile> FaultyFileSystem::OpenForReading(const Path& path, Text& error) {
  if (!Pass("OpenForReading", path, error)) return nullptr;
  std::unique_ptr<OpenFile> file = inner_.OpenForReading(path, error);
  if (!file) return nullptr;
  return std::make_unique<FaultyFile>(*this, std::move(file));
}

std::unique_ptr<OpenFile> FaultyFileSystem::CreateNew(const Path& path, Text& error) {
  if (!Pass("CreateNew", path, error)) return nullptr;
  std::unique_ptr<OpenFile> file = inner_.CreateNew(path, error);
  if (!file) return nullptr;
  return std::make_unique<FaultyFile>(*this, std::move(file));
}

std::unique_ptr<OpenFile> FaultyFileSystem::OpenToOverwrite(const Path& path, Text& error) {
  if (!Pass("OpenToOverwrite", path, error)) return nullptr;
  std::unique_ptr<OpenFile> file = inner_.OpenToOverwrite(path, error);
  if (!file) return nullptr;
  return std::make_unique<FaultyFile>(*this, std::move(file));
}

bool FaultyFileSystem::Rename(const Path& from, const Path& to, Text& error) {
  return Pass("Rename", from, error) && inner_.Rename(from, to, error);
}

bool FaultyFileSystem::Remove(const Path& path, Text& error) {
  return Pass("Remove", path, error) && inner_.Remove(path, error);
}

bool FaultyFileSystem::SetPermissions(const Path& path, std::uint32_t permissions, Text& error) {
  return Pass("SetPermissions", path, error) && inner_.SetPermissions(path, permissions, error);
}

bool FaultyFileSystem::SetOwner(const Path& path, std::uint32_t owner, std::uint32_t group,
                                Text& error) {
  if (!Pass("SetOwner", path, error)) return false;
  if (refuse_owner) {
    error = DescribeError(EPERM);
    return false;
  }
  return inner_.SetOwner(path, owner, group, error);
}

bool FaultyFileSystem::SyncFolder(const Path& folder, Text& error) {
  return Pass("SyncFolder", folder, error) && inner_.SyncFolder(folder, error);
}

}  // namespace qor
