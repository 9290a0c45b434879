#include "dialogs/file_chooser_rules.h"

#include <algorithm>

#include "codepage/text_files.h"
#include "platform/path_text.h"

namespace qor {

Text TrimBlanks(TextView text) {
  const std::size_t first = text.find_first_not_of(u' ');
  if (first == TextView::npos) return {};
  return Text(text.substr(first, text.find_last_not_of(u' ') - first + 1));
}

bool IsForbiddenNameChar(char16_t c) { return kForbiddenNameChars.find(c) != TextView::npos; }

bool HasForbiddenNameChar(TextView name) {
  for (std::size_t i = 0; i < name.size(); ++i) {
    if (IsByteEscape(name, i)) {
      i += 3;
    } else if (IsForbiddenNameChar(name[i])) {
      return true;
    }
  }
  return false;
}

std::filesystem::path WithTrailingSlash(const std::filesystem::path& folder) {
  const Bytes& bytes = folder.native();
  return bytes.empty() || bytes.back() != '/' ? Append(folder, "/") : folder;
}

std::optional<PathParts> SplitPath(const std::filesystem::path& path) {
  if (path.empty()) return std::nullopt;
  return PathParts{FolderOf(path), PathToText(NameOf(path))};
}

NewName MakeNewName(TextView typed, const std::function<bool(TextView)>& exists) {
  const Text s = TrimBlanks(typed);
  const int n = static_cast<int>(s.size());
  // d: 1-based position where the extension's dot stands; a dot followed by six or more
  // characters does not start an extension.
  const std::size_t dot = s.rfind(u'.');
  int d = dot == Text::npos ? 0 : static_cast<int>(dot) + 1;
  if (d < n - 5 || d < 1) d = n + 1;
  Text extension;
  int added = 0;
  if (d < n) {
    const TextView after = TextView(s).substr(static_cast<std::size_t>(d));
    extension = Concat(u".", after.substr(std::min(after.size(), after.find_first_not_of(u' '))));
  } else {
    extension = Text(kDefaultExtension);
    added = static_cast<int>(kDefaultExtension.size());
  }
  Text base = s.substr(0, static_cast<std::size_t>(d - 1));
  std::replace(base.begin(), base.end(), u'.', u' ');
  base = TrimBlanks(base);
  int start = static_cast<int>(base.size());
  if (base.empty()) {
    base = Text(kUnnamedBase);
    added += static_cast<int>(kUnnamedBase.size());
    start = 0;
  }
  NewName out{base + extension, start, added, false};
  if (exists && exists(out.name)) {
    out.name = base + Text(kConflictSuffix) + extension;
    out.sel_length += static_cast<int>(kConflictSuffix.size());
    out.conflict = true;
  }
  return out;
}

BomBox BomBoxForEntry(int entry) {
  const bool unicode = entry >= kEncodingUnicode && entry <= kEncodingUtf8;
  return {unicode, unicode};
}

EncodingPick EncodingPickForCode(EncodingCode code) {
  if (code >= kEncodingGbk && code <= kEncodingUtf8) return {code, code >= kEncodingUnicode};
  if (code >= kEncodingUnicodeNoBom && code <= kEncodingUtf8NoBom) {
    return {WithMark(code), false};
  }
  return {kEncodingUnicode, true};
}

EncodingCode CodeOfPick(bool open, int entry, bool bom) {
  if (entry < 0 || entry >= kEncodingEntries) entry = kEncodingAutomatic;
  const bool unmarked = !open && !bom && entry >= kEncodingUnicode && entry <= kEncodingUtf8;
  return static_cast<EncodingCode>(unmarked ? entry + kNoBomOffset : entry);
}

std::optional<FileChoice> AcceptChoice(bool open, const std::filesystem::path& folder,
                                       TextView selected, TextView typed, int entry, bool bom) {
  Text name;
  if (open) {
    name = Text(selected);
  } else {
    name = TrimBlanks(typed);
    if (HasForbiddenNameChar(name)) return std::nullopt;
    if (!name.empty() && name.find(u'.') == Text::npos) name += kDefaultExtension;
  }
  const Bytes bytes = TextToPath(name).native();
  if (bytes.empty() || bytes.find_first_of(std::string_view("/\0", 2)) != Bytes::npos) {
    return std::nullopt;
  }
  return FileChoice{Append(folder, bytes), CodeOfPick(open, entry, bom)};
}

std::filesystem::path FileInFolder(const std::filesystem::path& folder, TextView name) {
  return Append(folder, TextToPath(name).native());
}

Text DeleteQuestion(const std::filesystem::path& path) {
  return PathToText(path) + u"\r\n\r\n是否删除？\r\n\r\n(通常，硬盘文件进回收站，U盘文件直接删除)";
}

void FolderMemory::Changed(const Path& folder) {
  Path next = WithTrailingSlash(folder);  // before the view may change: it may be previous_
  previous_ = std::move(current_);
  current_ = std::move(next);
}

}  // namespace qor
