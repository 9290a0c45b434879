#pragma once
// The file chooser's rules, apart from its widgets: the name box, accepting, the encoding
// choice, the new-name generator and the folder memory.

#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>

#include "platform/text.h"
#include "session/ui.h"

namespace qor {

inline constexpr TextView kUnnamedBase = u"!未起名";
inline constexpr TextView kDefaultExtension = u".txt";
inline constexpr TextView kConflictSuffix = u"_2";
inline constexpr TextView kUnnamedFile = u"!未起名.txt";
// Characters that may not be typed into the name box, and what the user is told.
inline constexpr TextView kForbiddenNameChars = u"\"*/:<>?\\|";
inline constexpr TextView kForbiddenNameMessage = u"文件名里不能有 英文的 \" * / : < > ? \\ |";
inline constexpr TextView kBadPathQuestion = u"路径有错，是否自动撤消？";
inline constexpr TextView kFolderFailed = u"路径转换 失败~ ";
inline constexpr TextView kDeleteFailed = u"删除 失败~ ";
// Entry 0 of the encoding list; entries 1 to 6 are the names of codes 1 to 6.
inline constexpr TextView kAutomaticChoice = u"自动选择";
inline constexpr int kEncodingEntries = 7;

// The text without leading and trailing blanks.
[[nodiscard]] Text TrimBlanks(TextView text);

[[nodiscard]] bool IsForbiddenNameChar(char16_t c);

// Whether a name holds a forbidden character; the "\xHH" of a shown name's bytes do not count.
[[nodiscard]] bool HasForbiddenNameChar(TextView name);

// The folder with one trailing "/".
[[nodiscard]] std::filesystem::path WithTrailingSlash(const std::filesystem::path& folder);

// A remembered full path split at its last "/": the folder with its "/" and the name as shown.
struct PathParts {
  std::filesystem::path folder;
  Text name;
};
[[nodiscard]] std::optional<PathParts> SplitPath(const std::filesystem::path& path);

// A free name proposed from the typed one, and the part of it that was made up (selected in
// the name box so that the user can type over it).
struct NewName {
  Text name;
  int sel_start = 0;
  int sel_length = 0;
  bool conflict = false;  // the plain name was taken; the proposal carries "_2"
};
// `exists` tells whether a file of a name exists in the current folder.
[[nodiscard]] NewName MakeNewName(TextView typed, const std::function<bool(TextView)>& exists);

// The state of the BOM check box for an entry of the encoding list, in save mode.
struct BomBox {
  bool checked = false;
  bool enabled = false;
};
[[nodiscard]] BomBox BomBoxForEntry(int entry);

// The encoding list entry and BOM box that offer a code when saving (anything but 1..9 offers
// Unicode with a mark).
struct EncodingPick {
  int entry = 0;
  bool bom = false;
};
[[nodiscard]] EncodingPick EncodingPickForCode(EncodingCode code);

// The code of the user's choice: the entry, plus 3 in save mode for Unicode, Unicode BE and
// UTF-8 without the mark.
[[nodiscard]] EncodingCode CodeOfPick(bool open, int entry, bool bom);

// What accepting gives: the folder followed by the selected list entry (open mode) or the
// trimmed name box with ".txt" added where it has no dot (save mode), names as shown read back
// into their bytes. nullopt keeps the dialog open: nothing selected, a blank name, (pasted)
// forbidden characters, or escaped bytes that would leave the folder.
[[nodiscard]] std::optional<FileChoice> AcceptChoice(bool open, const std::filesystem::path& folder,
                                                     TextView selected, TextView typed, int entry,
                                                     bool bom);

// The file a shown name names in a folder.
[[nodiscard]] std::filesystem::path FileInFolder(const std::filesystem::path& folder,
                                                 TextView name);

// The question before a file is deleted.
[[nodiscard]] Text DeleteQuestion(const std::filesystem::path& path);

// The folder the list shows and the one shown before the last change, for "后退".
class FolderMemory {
 public:
  using Path = std::filesystem::path;
  const Path& current() const { return current_; }
  const Path& previous() const { return previous_; }
  // The list's folder changed.
  void Changed(const Path& folder);
  void SetPrevious(const Path& folder) { previous_ = folder; }

 private:
  Path current_;
  Path previous_;
};

}  // namespace qor
