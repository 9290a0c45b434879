#pragma once
// The Edit menu's clipboard and selection commands: paste as original, select all, copy and
// paste. The text control is locked against typing, so pasting is a command that checks the
// length limit and records the result in the history.

#include "platform/text.h"
#include "session/session.h"

namespace qor {

inline constexpr TextView kEditsMenuCaption = u" 编辑 (&E)";
inline constexpr TextView kPasteOriginalCaption = u"粘贴作原始 [Ctrl+P]";
inline constexpr TextView kSelectAllCaption = u"全选 [Ctrl+A]";
inline constexpr TextView kCopyCaption = u"复制 [Ctrl+C]";
inline constexpr TextView kPasteCaption = u"粘贴 [Ctrl+V]";

// What the Edit menu enables when it opens.
struct EditMenuState {
  bool can_paste = false;      // paste and paste as original
  bool has_selection = false;  // copy, width and script, write garbled, delete, replace
};
[[nodiscard]] EditMenuState EditMenuOpening(Session& session);

// The clipboard's text replaces the text as a new, unsaved original without a file.
void PasteAsOriginal(Session& session);
// Selects the whole text and reports its length (a line break counts two).
void SelectAll(Session& session);
// The selection to the clipboard.
void CopySelection(Session& session);
// The clipboard's text replaces the selection, when the result fits.
void PasteClipboard(Session& session);

}  // namespace qor
