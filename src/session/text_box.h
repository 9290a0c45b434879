#pragma once
// The model of the main text control: the exact text (line breaks as they came: CR LF, CR or
// LF) and a selection. Positions (caret, selection start and length) count a line break as one,
// the way the window shows it; lengths of the text count every unit.

#include "platform/text.h"

namespace qor {

// The number of positions of a text: each line break (CR LF, CR or LF) counts one.
int CountPositions(TextView text);
// The text with each line break as one LF: one unit per position.
Text OneUnitLineBreaks(TextView text);

class TextBox {
 public:
  static constexpr int kMaxLength = 16383;

  const Text& text() const { return text_; }
  // Replaces the whole text; the caret goes to the start.
  void SetText(Text text);
  // Units of the exact text (CR LF counts two).
  int length() const { return static_cast<int>(text_.size()); }
  // Positions of the text (a line break counts one).
  int position_count() const { return CountPositions(text_); }

  int sel_start() const { return sel_start_; }
  int sel_length() const { return sel_length_; }
  // Moves the caret (clamped to the text) and empties the selection.
  void SetSelStart(int start);
  // Selects from the caret; clamped at the end of the text.
  void SetSelLength(int length);
  void Select(int start, int length);

  // The exact units of the selection (a CR LF stays CR LF).
  Text SelectedText() const;
  // Replaces the selection; the caret ends after the new text and nothing is selected.
  void ReplaceSelectedText(TextView text);

  // Conversions between positions and indices of the exact text.
  int ToIndex(int position) const;
  int ToPosition(int index) const;
  // The text with each line break as one LF: what the window shows, one unit per position.
  Text ViewText() const { return OneUnitLineBreaks(text_); }

 private:
  Text text_;
  int sel_start_ = 0;
  int sel_length_ = 0;
};

}  // namespace qor
