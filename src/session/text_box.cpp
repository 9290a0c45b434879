#include "session/text_box.h"

#include <algorithm>

namespace qor {

int CountPositions(TextView text) {
  int positions = 0;
  for (std::size_t i = 0; i < text.size(); ++i, ++positions) {
    if (text[i] == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n') ++i;
  }
  return positions;
}

Text OneUnitLineBreaks(TextView text) {
  Text out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == u'\r') {
      if (i + 1 < text.size() && text[i + 1] == u'\n') ++i;
      out += u'\n';
    } else {
      out += text[i];
    }
  }
  return out;
}

void TextBox::SetText(Text text) {
  text_ = std::move(text);
  sel_start_ = 0;
  sel_length_ = 0;
}

void TextBox::SetSelStart(int start) {
  sel_start_ = std::clamp(start, 0, position_count());
  sel_length_ = 0;
}

void TextBox::SetSelLength(int length) {
  sel_length_ = std::clamp(length, 0, position_count() - sel_start_);
}

void TextBox::Select(int start, int length) {
  SetSelStart(start);
  SetSelLength(length);
}

Text TextBox::SelectedText() const {
  const int from = ToIndex(sel_start_);
  return text_.substr(from, ToIndex(sel_start_ + sel_length_) - from);
}

void TextBox::ReplaceSelectedText(TextView text) {
  const int from = ToIndex(sel_start_);
  const int to = ToIndex(sel_start_ + sel_length_);
  text_.replace(from, to - from, text);
  sel_start_ = ToPosition(from + static_cast<int>(text.size()));
  sel_length_ = 0;
}

int TextBox::ToIndex(int position) const {
  int index = 0;
  const int n = length();
  for (int p = 0; p < position && index < n; ++p) {
    index += (text_[index] == u'\r' && index + 1 < n && text_[index + 1] == u'\n') ? 2 : 1;
  }
  return index;
}

int TextBox::ToPosition(int index) const {
  // An index between CR and LF counts the line break as passed.
  return CountPositions(TextView(text_).substr(0, std::clamp(index, 0, length())));
}

}  // namespace qor
