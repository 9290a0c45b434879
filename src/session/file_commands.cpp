#include "session/file_commands.h"

#include <cerrno>

#include "catalogue/caption.h"
#include "codepage/text_files.h"
#include "platform/path_text.h"
#include "platform/user_locale.h"
#include "session/text_file_io.h"

namespace qor {
namespace {

constexpr TextView kFileMissing = u"打开 失败~ 文件不存在";
constexpr TextView kReopenQuestion = u"文件已经打开，是否重新打开作原始？";
constexpr TextView kFileTooLarge = u"打开 拒绝~ 文件过大";
constexpr TextView kOpenedTextTooLong = u"打开 失败~ 文本过长";
constexpr TextView kOverwriteQuestion = u"文件已经存在。是否改写文件？";
constexpr TextView kPropertiesTitle = u"当前文件属性";
constexpr TextView kPropertiesFailed = u"属性读取 失败~ ";

Text Label(TextView caption) { return CaptionHead(caption, kAccessKeyDelimiter); }

// The regular file at the path, with its name as stored; nullopt when there is none.
std::optional<FileStatus> LookUpFile(FileSystem& files, const std::filesystem::path& path) {
  Text error;
  std::optional<FileStatus> status = files.Look(path, error);
  if (!status || status->kind != EntryKind::kFile) return std::nullopt;
  return status;
}

}  // namespace

FileMenuState FileMenuOpening(const Session& session) {
  return {session.IsSaved(), !session.file().empty()};
}

void ClearAsOriginal(Session& session) {
  if (!session.MayDiscardText()) return;
  session.SetText(Text());
  session.SetFile({}, kEncodingAutomatic);
  session.set_n_saved(Session::kOriginal);
  session.ResetHistory(Label(kClearCaption));
  session.SetTitlePrefix(session.say());
}

void OpenAsOriginal(Session& session, FileSystem& files) {
  if (!session.MayDiscardText()) return;
  Ui& ui = session.ui();
  const std::optional<FileChoice> choice = ui.ChooseFile(true, {}, kEncodingAutomatic);
  if (!choice || choice->path.empty()) return;
  const std::filesystem::path& path = choice->path;
  const std::optional<FileStatus> status = LookUpFile(files, path);
  if (!status) {
    ui.ShowMessage(PathMessage(path, kFileMissing));
    return;
  }
  // Paths are compared byte for byte: names differing in letter case are different files here.
  if (path.native() == session.file().native() && session.IsSaved() &&
      !ui.AskYesNo(PathMessage(path, kReopenQuestion))) {
    return;
  }
  if (status->size > kLargestOpenedFile) {
    ui.ShowMessage(PathMessage(path, kFileTooLarge));
    return;
  }
  std::optional<TextFile> file = ReadTextFile(path, choice->pattern, files, ui);
  if (!file) return;
  if (file->text.size() > static_cast<std::size_t>(TextBox::kMaxLength)) {
    ui.ShowMessage(PathMessage(path, kOpenedTextTooLong));
    return;
  }
  session.SetText(std::move(file->text));
  session.SetFile(path, file->code);
  session.set_n_saved(Session::kOriginal);
  session.ResetHistory(Label(kOpenCaption));
  session.SetTitlePrefix(status->name);
}

void SaveToFile(Session& session, FileSystem& files) {
  Ui& ui = session.ui();
  const std::optional<FileChoice> choice =
      ui.ChooseFile(false, session.file(), session.file_pattern());
  if (!choice || choice->path.empty()) return;
  const std::filesystem::path& path = choice->path;
  // Compared byte for byte, as the system names files.
  if (path.native() != session.file().native() && LookUpFile(files, path) &&
      !ui.AskYesNo(PathMessage(path, kOverwriteQuestion))) {
    return;
  }
  const EncodingCode code = choice->pattern < 1 ? session.file_pattern() : choice->pattern;
  const std::optional<EncodingCode> written =
      WriteTextFile(session.box().text(), path, code, files, ui);
  if (!written) return;
  session.SetFile(path, *written);
  session.set_n_saved(session.n_cur());
  session.SetSay(Label(kSaveCaption));
  const std::optional<FileStatus> saved = LookUpFile(files, path);
  session.SetTitlePrefix(saved ? saved->name : PathToText(NameOf(path)));
}

void ShowFileProperties(Session& session, FileSystem& files) {
  const std::filesystem::path& path = session.file();
  if (path.empty()) return;
  Text error;
  std::optional<FileStatus> status = files.Look(path, error);
  if (status && status->kind != EntryKind::kFile) {
    error = status->kind == EntryKind::kNone     ? DescribeError(ENOENT)
            : status->kind == EntryKind::kFolder ? DescribeError(EISDIR)
                                                 : Text(kNotRegularFile);
    status.reset();
  }
  if (!status) {
    session.ui().ShowMessage(PathMessage(path, Text(kPropertiesFailed) + error));
    return;
  }
  Text text = Concat(u"文件路径= ", PathToText(path));
  text += Text(kBlankLine) + u"文件属性= " + AttributeText(status->attributes);
  text += Text(kBlankLine) + u"文件大小= " + FormatGroupedNumber(status->size) + u" 字节";
  text += Text(kBlankLine) + u"修改时间= " + FormatDateTime(status->modified);
  text += Text(kBlankLine) + u"编码格式= " + EncodingName(session.file_pattern());
  session.ui().ShowMessage(text, Text(kPropertiesTitle) + Text(kTitleTail));
}

void StartNewWindow(const std::function<void()>& save_settings,
                    const std::function<bool()>& start_process) {
  if (save_settings) save_settings();
  if (start_process) start_process();
}

}  // namespace qor
