#include "dialogs/file_chooser_rules.h"

#include <algorithm>

#include "codepage/text_files.h"

namespace qor {

Text TrimBlanks(TextView text) {
  const std::size_t first = text.find_first_not_of(u' ');
  if (first == TextView::npos) return {};
  return Text(text.substr(first, text.find_last_not_of(u' ') - first + 1));
}

bool IsForbiddenNameChar(char16_t c) { return kForbiddenNameChars.find(c) != TextView::npos; }

Text WithTrailingSlash(TextView folder) {
  Text out(folder);
  if (out.empty() || out.back() != u'/') out += u'/';
  return out;
}

std::optional<PathParts> SplitPath(TextView path) {
  if (path.empty()) return std::nullopt;
  const std::size_t slash = path.rfind(u'/');
  if (slash == TextView::npos) return PathParts{Text(), Text(path)};
  return PathParts{Text(path.substr(0, slash + 1)), Text(path.substr(slash + 1))};
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
    extension = u"." + Text(after.substr(std::min(after.size(), after.find_first_not_of(u' '))));
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

EncodingPick EncodingPickForCode(std::int16_t code) {
  if (code >= kEncodingGbk && code <= kEncodingUtf8) return {code, code >= kEncodingUnicode};
  if (code >= kEncodingUnicodeNoBom && code <= kEncodingUtf8NoBom) {
    return {code - kNoBomOffset, false};
  }
  return {kEncodingUnicode, true};
}

std::int16_t CodeOfPick(bool open, int entry, bool bom) {
  if (entry < 0 || entry >= kEncodingEntries) entry = kEncodingAutomatic;
  const bool unmarked = !open && !bom && entry >= kEncodingUnicode && entry <= kEncodingUtf8;
  return static_cast<std::int16_t>(unmarked ? entry + kNoBomOffset : entry);
}

std::optional<FileChoice> AcceptChoice(bool open, TextView folder, TextView selected,
                                       TextView typed, int entry, bool bom) {
  Text name;
  if (open) {
    name = Text(selected);
  } else {
    name = TrimBlanks(typed);
    if (std::any_of(name.begin(), name.end(), IsForbiddenNameChar)) return std::nullopt;
    if (!name.empty() && name.find(u'.') == Text::npos) name += kDefaultExtension;
  }
  if (name.empty()) return std::nullopt;
  return FileChoice{Text(folder) + name, CodeOfPick(open, entry, bom)};
}

Text DeleteQuestion(TextView path) {
  return Text(path) + u"\r\n\r\n是否删除？\r\n\r\n(通常，硬盘文件进回收站，U盘文件直接删除)";
}

void FolderMemory::Changed(TextView folder) {
  Text next = WithTrailingSlash(folder);  // before the view may change: it may be previous_
  previous_ = std::move(current_);
  current_ = std::move(next);
}

}  // namespace qor
