#include "session/clipboard_commands.h"

#include <string>

#include "catalogue/caption.h"

namespace qor {
namespace {

constexpr TextView kPasteTooLong = u"粘贴 拒绝~ 文本过长";

}  // namespace

EditMenuState EditMenuOpening(Session& session) {
  return {session.ui().CanPaste(), session.box().sel_length() > 0};
}

void PasteAsOriginal(Session& session) {
  if (!session.MayDiscardText()) return;
  Text text = session.ui().ClipboardText();
  if (text.size() > static_cast<std::size_t>(TextBox::kMaxLength)) {
    session.ui().ShowMessage(kPasteTooLong);
    return;
  }
  session.SetText(std::move(text));
  session.Select(session.box().position_count(), 0);  // the caret ends after the pasted text
  session.SetFile({}, kEncodingAutomatic);
  session.set_n_saved(Session::kNoEntry);
  session.ResetHistory(CaptionHead(kPasteOriginalCaption, kShortcutDelimiter));
  session.SetTitlePrefix(session.say());
}

void SelectAll(Session& session) {
  const int length = session.box().length();
  session.Select(0, length);
  session.SetSay(Concat(u"字符总数 ", IntegerText(length)));
}

void CopySelection(Session& session) {
  session.ui().SetClipboardText(session.box().SelectedText());
  session.SetSay(CaptionHead(kCopyCaption, kShortcutDelimiter));
}

void PasteClipboard(Session& session) {
  const Text text = session.ui().ClipboardText();
  if (session.LengthAfterInsert(text) > TextBox::kMaxLength) {
    session.ui().ShowMessage(kPasteTooLong);
    return;
  }
  // An empty clipboard pastes nothing: the selection stays, and the push says the text is the same.
  if (!text.empty()) session.ReplaceSelectedText(text);
  session.PushHistory(CaptionHead(kPasteCaption, kShortcutDelimiter));
}

}  // namespace qor
