// Saving a text file so that the previous contents are never lost: the new bytes go to a
// temporary file beside the file first; only when they are complete is the old file moved to
// the ".bak" name and the new one put in its place. So a failure at any step, or a retry after
// one, leaves the previous contents at the path or in the ".bak" file.

#include <cerrno>
#include <functional>
#include <string>

#include "codepage/text_files.h"
#include "platform/path_text.h"
#include "session/text_file_io.h"

namespace qor {
namespace {

using Path = std::filesystem::path;
using Fill = FileContents;

constexpr TextView kSaveFailed = u"保存 失败~ ";
constexpr TextView kAttributesLabel = u"文件属性: ";
constexpr TextView kOverwriteQuestion = u"是否改写文件？";
constexpr TextView kDanglingLink = u"The symbolic link leads to no file: ";
constexpr BytesView kBackupSuffix = ".bak";
constexpr std::size_t kCopyChunk = 1 << 16;
constexpr int kTemporaryNames = 100;
// As long a chain of symbolic links as the system itself follows.
constexpr int kMostLinks = 40;

// The file a save writes: the path resolved through any chain of symbolic links.
struct SaveTarget {
  Path file;
  FileStatus status;             // of `file`; kind kNone when there is none yet
  std::uint16_t attributes = 0;  // of the path as the user named it
  bool through_link = false;
};

std::optional<SaveTarget> ResolveLinks(FileSystem& files, const Path& path, Text& error) {
  SaveTarget target;
  target.file = path;
  for (int links = 0;; ++links) {
    std::optional<FileStatus> status = files.Look(target.file, error);
    if (!status) return std::nullopt;
    if (links == 0) target.attributes = status->attributes;
    if (!status->link) {
      target.status = *std::move(status);
      return target;
    }
    if (links == kMostLinks) {
      error = DescribeError(ELOOP);
      return std::nullopt;
    }
    // A relative target is relative to the link's folder, as the system reads it.
    const Bytes& to = status->link->native();
    target.file = to.starts_with('/') ? Path(to) : Append(FolderOf(target.file), to);
    target.through_link = true;
  }
}

// Why the resolved path cannot take the saved file; empty when it can.
Text Unsaveable(const SaveTarget& target) {
  switch (target.status.kind) {
    case EntryKind::kFolder:
      return DescribeError(EISDIR);
    case EntryKind::kOther:
      return Text(kNotRegularFile);
    case EntryKind::kNone:
      // Saving through a dangling link would put a new file where the user expects another.
      return target.through_link ? Text(kDanglingLink) + PathToText(target.file) : Text();
    case EntryKind::kFile:
      break;
  }
  return {};
}

// A read-only, hidden or system file is overwritten only after the user agrees.
bool MayOverwrite(const Path& path, std::uint16_t attributes, Ui& ui) {
  constexpr std::uint16_t kAsk = kAttributeReadOnly | kAttributeHidden | kAttributeSystem;
  if ((attributes & kAsk) == 0) return true;
  const Text question = PathMessage(path, Text(kAttributesLabel) + AttributeText(attributes)) +
                        Text(kBlankLine) + Text(kOverwriteQuestion);
  return ui.AskYesNo(question);
}

Fill WriteAll(BytesView bytes) {
  return [bytes](OpenFile& out, Text& error) { return WriteFileBytes(out, bytes, error); };
}

// Fills the file and closes it, which syncs it; a failed fill still closes it.
bool FillAndClose(OpenFile& out, const Fill& fill, Text& error) {
  if (fill(out, error)) return out.Close(error);
  Text ignored;
  out.Close(ignored);
  return false;
}

// The steps of one save into a file whose links are resolved. Each returns false after a
// failure, with its reason in the error, and the files repaired as far as they can be.
class Saver {
 public:
  Saver(FileSystem& files, Path file, Text& error)
      : files_(files),
        file_(std::move(file)),
        folder_(FolderOf(file_)),
        backup_(Append(file_, kBackupSuffix)),
        error_(error) {}

  // A file that did not exist: written beside its name, then renamed to it.
  bool SaveNew(const Fill& fill) {
    const std::optional<Path> temporary = WriteTemporary(fill);
    if (!temporary) return false;
    if (!files_.Rename(*temporary, file_, error_)) {
      Discard(*temporary);
      return false;
    }
    return files_.SyncFolder(folder_, error_);
  }

  // An existing file replaced by a new one with its owner, group and mode. nullopt, with
  // nothing changed, when the new file cannot have the old one's owner and group.
  std::optional<bool> Replace(const Fill& fill, const FileStatus& old) {
    const std::optional<Path> temporary = WriteTemporary(fill);
    if (!temporary) return false;
    Text ignored;
    if (!files_.SetOwner(*temporary, old.owner, old.group, ignored)) {
      Discard(*temporary);
      return std::nullopt;
    }
    // After the owner: changing it clears the set-user-id and set-group-id bits.
    if (!files_.SetPermissions(*temporary, old.permissions, error_) || !MoveToBackup(file_)) {
      Discard(*temporary);
      return false;
    }
    if (!files_.Rename(*temporary, file_, error_)) {
      Discard(*temporary);
      RestoreBackupName();
      return false;
    }
    // The rename on the disk too, before the old contents go.
    return files_.SyncFolder(folder_, error_) && files_.Remove(backup_, error_);
  }

  // An existing file written in place, so that all its names see the new contents and it keeps
  // its owner: a copy of it, as private as the file, goes to the backup first.
  bool Overwrite(const Fill& fill, const FileStatus& old) {
    const std::optional<Path> copy = WriteTemporary(CopyOf(file_));
    if (!copy) return false;
    if (!files_.SetPermissions(*copy, old.permissions, error_) || !MoveToBackup(*copy)) {
      Discard(*copy);
      return false;
    }
    // The backup's name on the disk before the file is emptied.
    if (!files_.SyncFolder(folder_, error_)) {
      Discard(backup_);
      return false;
    }
    std::unique_ptr<OpenFile> out = files_.OpenToOverwrite(file_, error_);
    if (!out) {
      Discard(backup_);  // the file is as it was
      return false;
    }
    if (!FillAndClose(*out, fill, error_)) {
      RestoreFromBackup();
      return false;
    }
    return files_.Remove(backup_, error_);
  }

 private:
  Fill CopyOf(const Path& from) {
    return [this, from](OpenFile& out, Text& error) {
      std::unique_ptr<OpenFile> in = files_.OpenForReading(from, error);
      if (!in) return false;
      for (;;) {
        const std::optional<Bytes> chunk = in->Read(kCopyChunk, error);
        if (!chunk) return false;
        if (chunk->empty()) return true;  // the end of the file
        if (!out.Write(*chunk, error)) return false;
      }
    };
  }

  // A new hidden file beside the file, filled and closed; a failed attempt leaves none.
  std::optional<Path> WriteTemporary(const Fill& fill) {
    for (int n = 1; n <= kTemporaryNames; ++n) {
      const Path candidate = Append(folder_, ".qor-save-" + std::to_string(n) + ".tmp");
      const std::optional<FileStatus> status = files_.Look(candidate, error_);
      if (!status) return std::nullopt;
      if (status->kind != EntryKind::kNone || status->link) continue;
      std::unique_ptr<OpenFile> out = files_.CreateNew(candidate, error_);
      if (!out) return std::nullopt;
      if (FillAndClose(*out, fill, error_)) return candidate;
      Discard(candidate);
      return std::nullopt;
    }
    error_ = DescribeError(EEXIST);
    return std::nullopt;
  }

  // Makes room for the backup (a stale one is removed) and renames `from` to it.
  bool MoveToBackup(const Path& from) {
    const std::optional<FileStatus> stale = files_.Look(backup_, error_);
    if (!stale) return false;
    if (stale->kind == EntryKind::kFolder || stale->kind == EntryKind::kOther) {
      error_ = PathToText(backup_) + u": " + DescribeError(EISDIR);
      return false;
    }
    const bool taken = stale->kind == EntryKind::kFile || stale->link;
    if (taken && !files_.Remove(backup_, error_)) return false;
    return files_.Rename(from, backup_, error_);
  }

  // Between the two renames: the old file goes back to its name if that is free.
  void RestoreBackupName() {
    Text ignored;
    const std::optional<FileStatus> now = files_.Look(file_, ignored);
    if (now && now->kind == EntryKind::kNone && !now->link) files_.Rename(backup_, file_, ignored);
  }

  // A write in place failed: the old contents go back from the backup, which stays if that
  // fails too.
  void RestoreFromBackup() {
    Text ignored;
    std::unique_ptr<OpenFile> out = files_.OpenToOverwrite(file_, ignored);
    if (out && FillAndClose(*out, CopyOf(backup_), ignored)) Discard(backup_);
  }

  void Discard(const Path& path) {
    Text ignored;
    files_.Remove(path, ignored);
  }

  FileSystem& files_;
  const Path file_;
  const Path folder_;
  const Path backup_;
  Text& error_;
};

bool Save(const SaveTarget& target, const Fill& fill, FileSystem& files, Text& error) {
  Saver saver(files, target.file, error);
  if (target.status.kind != EntryKind::kFile) return saver.SaveNew(fill);
  // A new file would take only one of several names.
  if (target.status.links > 1) return saver.Overwrite(fill, target.status);
  const std::optional<bool> replaced = saver.Replace(fill, target.status);
  return replaced ? *replaced : saver.Overwrite(fill, target.status);
}

// The save of WriteTextFile and WriteFile; `fill` is given nullopt when the contents cannot be
// had (the reason in the error).
std::optional<bool> SaveFile(const Path& path,
                             const std::function<std::optional<Fill>(Text&)>& contents,
                             FileSystem& files, Ui& ui) {
  Text error;
  const auto fail = [&]() -> std::optional<bool> {
    ui.ShowMessage(PathMessage(path, Text(kSaveFailed) + error));
    return std::nullopt;
  };
  const std::optional<SaveTarget> target = ResolveLinks(files, path, error);
  if (!target) return fail();
  error = Unsaveable(*target);
  if (!error.empty()) return fail();
  const bool existing = target->status.kind == EntryKind::kFile;
  if (existing && !MayOverwrite(path, target->attributes, ui)) return false;
  const std::optional<Fill> fill = contents(error);
  if (!fill || !Save(*target, *fill, files, error)) return fail();
  return true;
}

}  // namespace

std::optional<EncodingCode> WriteTextFile(TextView text, const Path& path, EncodingCode code,
                                          FileSystem& files, Ui& ui) {
  code = WritingEncoding(code);
  std::optional<Bytes> bytes;
  const auto contents = [&](Text& error) -> std::optional<Fill> {
    bytes = EncodeTextFile(text, code);
    if (!bytes) error = kNoCodePage;
    if (!bytes) return std::nullopt;
    return WriteAll(*bytes);
  };
  const std::optional<bool> saved = SaveFile(path, contents, files, ui);
  if (!saved || !*saved) return std::nullopt;
  return code;
}

bool WriteFile(const Path& path, const FileContents& fill, FileSystem& files, Ui& ui) {
  const auto contents = [&fill](Text&) -> std::optional<Fill> { return fill; };
  return SaveFile(path, contents, files, ui).value_or(false);
}

}  // namespace qor
