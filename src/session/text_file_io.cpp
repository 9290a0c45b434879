#include "session/text_file_io.h"

#include <algorithm>
#include <cerrno>
#include <string>

#include "codepage/text_files.h"

namespace qor {
namespace {

constexpr TextView kOpenFailed = u"打开 失败~ ";
constexpr TextView kSaveFailed = u"保存 失败~ ";
constexpr TextView kAttributesLabel = u"文件属性: ";
constexpr TextView kOverwriteQuestion = u"是否改写文件？";
constexpr TextView kBackupSuffix = u".bak";
constexpr TextView kNoCodePage = u"The code page of this encoding is not available";
constexpr std::size_t kChunk = 1 << 16;
constexpr int kTemporaryNames = 100;

Text Concat(TextView a, TextView b) {
  Text out(a);
  out += b;
  return out;
}

Text FolderOf(TextView path) {
  const std::size_t slash = path.rfind(u'/');
  return Text(slash == TextView::npos ? TextView() : path.substr(0, slash + 1));
}

Text Number(int n) {
  const std::string digits = std::to_string(n);
  return Text(digits.begin(), digits.end());
}

// Writes the bytes to a new hidden file in the path's folder and closes it; the file's path on
// success. A failed attempt leaves no file behind.
std::optional<Text> WriteTemporary(FileSystem& files, TextView path, BytesView bytes, Text& error) {
  const Text folder = FolderOf(path);
  for (int n = 1; n <= kTemporaryNames; ++n) {
    const Text candidate = folder + u".qor-save-" + Number(n) + u".tmp";
    const std::optional<FileStatus> status = files.Look(candidate, error);
    if (!status) return std::nullopt;
    if (status->kind != EntryKind::kNone) continue;
    std::unique_ptr<OpenFile> file = files.CreateNew(candidate, error);
    if (!file) return std::nullopt;
    Text ignored;
    if (!WriteFileBytes(*file, bytes, error)) {
      file->Close(ignored);
      files.Remove(candidate, ignored);
      return std::nullopt;
    }
    if (!file->Close(error)) {
      files.Remove(candidate, ignored);
      return std::nullopt;
    }
    return candidate;
  }
  error = DescribeError(EEXIST);
  return std::nullopt;
}

}  // namespace

Text PathMessage(TextView path, TextView text) {
  Text out(path);
  out += kBlankLine;
  out += text;
  return out;
}

std::optional<Bytes> ReadFileBytes(OpenFile& file, std::int64_t length, Text& error) {
  Bytes out;
  while (length > 0) {
    const std::size_t want = static_cast<std::size_t>(std::min<std::int64_t>(length, kChunk));
    std::optional<Bytes> chunk = file.Read(want, error);
    if (!chunk) return std::nullopt;
    out += *chunk;
    if (chunk->size() < want) break;
    length -= static_cast<std::int64_t>(want);
  }
  return out;
}

bool WriteFileBytes(OpenFile& file, BytesView bytes, Text& error) {
  for (std::size_t done = 0; done < bytes.size(); done += kChunk) {
    if (!file.Write(bytes.substr(done, kChunk), error)) return false;
  }
  return true;
}

std::optional<TextFile> ReadTextFile(TextView path, std::int16_t code, FileSystem& files, Ui& ui) {
  Text error;
  const auto fail = [&]() -> std::optional<TextFile> {
    ui.ShowMessage(PathMessage(path, Concat(kOpenFailed, error)));
    return std::nullopt;
  };
  std::unique_ptr<OpenFile> file = files.OpenForReading(path, error);
  if (!file) return fail();
  const std::optional<std::uint64_t> size = file->Size(error);
  if (!size) return fail();
  const std::optional<Bytes> bytes = ReadFileBytes(*file, static_cast<std::int64_t>(*size), error);
  if (!bytes) return fail();
  Text ignored;
  file->Close(ignored);  // everything is read; nothing was written that could be lost
  const std::int16_t settled = SettleEncoding(code, *bytes);
  std::optional<Text> text = DecodeTextFile(*bytes, settled);
  if (!text) {
    error = kNoCodePage;
    return fail();
  }
  return TextFile{*std::move(text), settled};
}

// The new bytes go to a temporary file first; only when they are complete is the old file moved
// to the ".bak" name and the new one put in its place. So a failure at any step, or a retry
// after one, leaves the previous contents at the path or in the ".bak" file.
std::optional<std::int16_t> WriteTextFile(TextView text, TextView path, std::int16_t code,
                                          FileSystem& files, Ui& ui) {
  const Text backup = Concat(path, kBackupSuffix);
  Text error;
  std::optional<Text> temporary;
  bool backed_up = false;
  const auto fail = [&]() -> std::optional<std::int16_t> {
    Text ignored;
    if (temporary) files.Remove(*temporary, ignored);
    if (backed_up) {
      const std::optional<FileStatus> now = files.Look(path, ignored);
      if (now && now->kind == EntryKind::kNone) files.Rename(backup, path, ignored);
    }
    ui.ShowMessage(PathMessage(path, Concat(kSaveFailed, error)));
    return std::nullopt;
  };

  const std::optional<FileStatus> old = files.Look(path, error);
  if (!old) return fail();
  if (old->kind == EntryKind::kFolder) {
    error = DescribeError(EISDIR);
    return fail();
  }
  if (old->kind == EntryKind::kOther) {
    error = kNotRegularFile;
    return fail();
  }
  const bool existing = old->kind == EntryKind::kFile;
  constexpr std::uint16_t kAsk = kAttributeReadOnly | kAttributeHidden | kAttributeSystem;
  if (existing && (old->attributes & kAsk)) {
    const Text question =
        PathMessage(path, Concat(kAttributesLabel, AttributeText(old->attributes))) +
        Text(kBlankLine) + Text(kOverwriteQuestion);
    if (!ui.AskYesNo(question)) return std::nullopt;
  }

  code = WritingEncoding(code);
  const std::optional<Bytes> bytes = EncodeTextFile(text, code);
  if (!bytes) {
    error = kNoCodePage;
    return fail();
  }
  temporary = WriteTemporary(files, path, *bytes, error);
  if (!temporary) return fail();

  if (existing) {
    const std::optional<FileStatus> old_backup = files.Look(backup, error);
    if (!old_backup) return fail();
    if (old_backup->kind == EntryKind::kFolder || old_backup->kind == EntryKind::kOther) {
      error = Concat(backup, u": ") + DescribeError(EISDIR);
      return fail();
    }
    if (old_backup->kind == EntryKind::kFile && !files.Remove(backup, error)) return fail();
    if (!files.Rename(path, backup, error)) return fail();
    backed_up = true;
  }
  if (!files.Rename(*temporary, path, error)) return fail();
  temporary.reset();
  if (existing) {
    if (!files.SetPermissions(path, old->permissions, error)) return fail();
    if (!files.Remove(backup, error)) return fail();
  }
  return code;
}

}  // namespace qor
