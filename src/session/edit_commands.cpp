#include "session/edit_commands.h"

#include <cstdio>

#include "catalogue/caption.h"
#include "platform/codepage_service.h"

namespace qor {
namespace {

constexpr TextView kFindTitle = u"查找子字串";
constexpr TextView kReplaceTitle = u"替换子字串";
constexpr TextView kInsertTitle = u"插入子字串";
constexpr int kFindMaxLength = 100;
constexpr int kInsertMaxLength = 300;
constexpr int kSystemAnsiCodePage = 936;

Text Hex(unsigned value) {
  char buffer[8];
  std::snprintf(buffer, sizeof buffer, "%X", value & 0xFFFF);
  return Text(buffer, buffer + std::char_traits<char>::length(buffer));
}

Text ReplaceEvery(TextView text, TextView old, TextView with) {
  Text out;
  std::size_t from = 0;
  for (std::size_t at; (at = text.find(old, from)) != TextView::npos; from = at + old.size()) {
    out.append(text.substr(from, at - from)).append(with);
  }
  return out.append(text.substr(from));
}

// The code of a unit in the system's ANSI code page: lead × 256 + trail for two bytes.
unsigned AnsiCode(char16_t unit) {
  const std::optional<Bytes> bytes = EncodeCodePage(TextView(&unit, 1), kSystemAnsiCodePage);
  if (!bytes || bytes->empty()) return u'?';
  unsigned code = 0;
  for (const char b : *bytes) code = code * 256 + static_cast<unsigned char>(b);
  return code;
}

}  // namespace

bool FindText(Session& session, TextView key, int direction) {
  const Text wanted = OneUnitLineBreaks(key);
  const Text text = session.box().ViewText();
  std::size_t at = Text::npos;
  if (!wanted.empty()) {
    const std::size_t start = session.box().sel_start();
    switch (direction) {
      case kFindFirst:
        at = text.find(wanted);
        break;
      case kFindBackward:
        if (start >= wanted.size()) at = text.rfind(wanted, start - wanted.size());
        break;
      case kFindForward:
        at = text.find(wanted, start + session.box().sel_length());
        break;
      default:
        break;
    }
  }
  if (at == Text::npos) {
    session.ui().Beep();
    return false;
  }
  session.Select(static_cast<int>(at), static_cast<int>(wanted.size()));
  return true;
}

void SeekNew(Session& session) {
  const std::optional<Text> typed =
      session.ui().AskInput(kFindTitle, kFindMaxLength, session.seek_key());
  if (!typed || typed->empty()) return;
  session.set_seek_key(OneUnitLineBreaks(*typed));
  if (FindText(session, session.seek_key(), kFindFirst)) session.PushHistory(u"");
}

void SeekAgain(Session& session, int direction) {
  if (session.box().sel_length() > 0) {
    session.set_seek_key(OneUnitLineBreaks(session.box().SelectedText()));
  }
  if (FindText(session, session.seek_key(), direction)) session.PushHistory(u"");
}

void ReplaceAll(Session& session) {
  if (session.box().sel_length() == 0) return;
  const Text old = session.box().SelectedText();
  FindText(session, old, kFindFirst);
  bool clear = false;
  for (;;) {
    const std::optional<Text> typed =
        session.ui().AskInput(kReplaceTitle, kFindMaxLength, old, clear);
    if (!typed) return;
    if (*typed == old) {
      session.SetSay(u"未改动~ 新旧子字串相同");
      return;
    }
    Text replaced = ReplaceEvery(session.box().text(), old, *typed);
    if (replaced.size() <= static_cast<std::size_t>(TextBox::kMaxLength)) {
      const int start = session.box().sel_start();
      session.SetText(std::move(replaced));
      session.Select(start, CountPositions(*typed));
      session.PushHistory(CaptionHead(kReplaceCaption, kShortcutDelimiter));
      return;
    }
    session.ui().ShowMessage(u"替换 失败~ 结果文本过长");
    clear = true;
  }
}

void InsertText(Session& session, int index) {
  Text text;
  switch (index) {
    case 0:
      if (session.box().sel_length() == 0) return;
      break;
    case 1: {
      std::optional<Text> typed = session.ui().AskInput(kInsertTitle, kInsertMaxLength, u"");
      if (!typed || typed->empty()) return;
      text = std::move(*typed);
      break;
    }
    case 2:
      text = u" ";
      break;
    case 3:
      text = u"\t";
      break;
    case 4:
      text = u"\r\n";
      break;
    default:
      return;
  }
  if (session.LengthAfterInsert(text) > TextBox::kMaxLength) {
    session.ui().ShowMessage(u"改动 失败~ 结果文本过长");
    return;
  }
  session.ReplaceSelectedText(text);
  session.PushHistory(CaptionHead(kInsertCaptions[index], kShortcutDelimiter));
}

void SayCode(Session& session) {
  session.Select(session.box().sel_start(), 1);
  const Text selected = session.box().SelectedText();
  if (selected.empty()) return;
  const char16_t unit = selected.front();
  const bool line_end = unit >= 10 && unit <= 13;
  session.SetSay(u"\"" + Text(1, line_end ? u' ' : unit) + u"\" U=" + Hex(unit) + u" GB=" +
                 Hex(AnsiCode(unit)));
}

}  // namespace qor
