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

// The line break that typed text takes: the first one found in the given texts, else CR LF. The
// input box gives CR LF; an LF or CR text keeps its own.
Text LineBreakOf(std::initializer_list<TextView> texts) {
  for (const TextView text : texts) {
    const std::size_t at = text.find_first_of(u"\r\n");
    if (at == TextView::npos) continue;
    return Text(text.substr(at, text.substr(at, 2) == u"\r\n" ? 2 : 1));
  }
  return u"\r\n";
}

Text WithLineBreaks(TextView text, TextView line_break) {
  Text out;
  for (const char16_t unit : OneUnitLineBreaks(text)) {
    if (unit == u'\n') {
      out.append(line_break);
    } else {
      out += unit;
    }
  }
  return out;
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
  const Text line_break = LineBreakOf({old, session.box().text()});
  FindText(session, old, kFindFirst);
  bool clear = false;
  for (;;) {
    // After a refused result the box starts empty.
    const std::optional<Text> typed =
        session.ui().AskInput(kReplaceTitle, kFindMaxLength, clear ? u"" : old, clear);
    if (!typed) return;
    const Text with = WithLineBreaks(*typed, line_break);
    if (with == old) {
      session.SetSay(u"未改动~ 新旧子字串相同");
      return;
    }
    Text replaced = qor::ReplaceAll(session.box().text(), old, with);
    if (replaced.size() <= static_cast<std::size_t>(TextBox::kMaxLength)) {
      const int start = session.box().sel_start();
      session.SetText(std::move(replaced));
      session.Select(start, CountPositions(with));
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
      text = WithLineBreaks(*typed, LineBreakOf({session.box().text()}));
      break;
    }
    case 2:
      text = u" ";
      break;
    case 3:
      text = u"\t";
      break;
    case 4:
      text = LineBreakOf({session.box().text()});
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
