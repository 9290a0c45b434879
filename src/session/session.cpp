#include "session/session.h"

namespace qor {
namespace {

constexpr TextView kResultTooLong = u" 失败~ 结果文本过长";
constexpr TextView kSelectionTooLong = u" 拒绝~ 选取文本过长";
constexpr TextView kDiscardQuestion = u"当前文本未保存，是否清空？";

}  // namespace

void Session::Notify(unsigned changes) {
  if (listener_) listener_->SessionChanged(changes);
}

void Session::SetText(Text text) {
  box_.SetText(std::move(text));
  Notify(kTextChanged | kSelectionChanged);
}

void Session::Select(int start, int length) {
  box_.Select(start, length);
  Notify(kSelectionChanged);
}

void Session::SetSay(TextView say) {
  say_ = Text(say);
  Notify(kSayChanged);
}

Text Session::title() const {
  return title_prefix_.empty() ? Text(kProductName) : Concat(title_prefix_, kTitleTail);
}

void Session::SetTitlePrefix(TextView prefix) {
  title_prefix_ = Text(prefix);
  Notify(kTitleChanged);
}

void Session::SetFile(std::filesystem::path path, EncodingCode pattern) {
  file_ = std::move(path);
  file_pattern_ = pattern;
}

void Session::PushHistory(TextView label) {
  Entry& shown = entry(n_cur_);
  if (box_.text() == shown.text) {
    shown.sel_start = box_.sel_start();
    shown.sel_length = box_.sel_length();
    if (!label.empty()) SetSay(kSameText);
    return;
  }
  if (n_cur_ < 0) {
    n_cur_ = n_old_ = n_new_ = 0;
  } else {
    n_cur_ = (n_cur_ + 1) % kRingSize;
    if (n_cur_ == n_old_) n_old_ = (n_old_ + 1) % kRingSize;
    n_new_ = n_cur_;
  }
  if (n_cur_ == n_saved_) n_saved_ = kNoEntry;
  entry(n_cur_) = Entry{box_.text(), box_.sel_start(), box_.sel_length(), Text(label)};
  say_ = Text(label);
  Notify(kSayChanged | kHistoryButtonsChanged);
}

void Session::ResetHistory(TextView label) {
  n_cur_ = n_old_ = n_new_ = kOriginal;
  for (int i = 0; i < kRingSize; ++i) entry(i) = Entry{};
  entry(kOriginal) = Entry{box_.text(), box_.sel_start(), box_.sel_length(), Text(label)};
  say_ = Text(label);
  Notify(kSayChanged | kHistoryButtonsChanged);
}

void Session::StepHistory(int step) {
  switch (step) {
    case kBackToOriginal:
      if (!CanGoBack()) return;
      n_cur_ = kOriginal;
      break;
    case kUndo:
      if (!CanGoBack()) return;
      n_cur_ = n_cur_ == n_old_ ? kOriginal : (n_cur_ + kRingSize - 1) % kRingSize;
      break;
    case kRedo:
      if (!CanGoForward()) return;
      n_cur_ = n_cur_ < 0 ? n_old_ : (n_cur_ + 1) % kRingSize;
      break;
    case kToNewest:
      if (!CanGoForward()) return;
      n_cur_ = n_new_;
      break;
    default:
      return;
  }
  RestoreEntry();
}

void Session::RestoreEntry() {
  const Entry& shown = entry(n_cur_);
  box_.SetText(shown.text);
  box_.Select(shown.sel_start, shown.sel_length);
  say_ = shown.label;
  Notify(kTextChanged | kSelectionChanged | kSayChanged | kHistoryButtonsChanged);
}

bool Session::MayDiscardText() { return IsSaved() || ui_.AskYesNo(kDiscardQuestion); }

void Session::ReplaceSelection(TextView text) {
  const int start = box_.sel_start();
  box_.ReplaceSelectedText(text);
  const int n = box_.sel_start() - start;
  if (n >= 0) box_.Select(start, n);
  Notify(kTextChanged | kSelectionChanged);
}

void Session::ReplaceSelectedText(TextView text) {
  box_.ReplaceSelectedText(text);
  Notify(kTextChanged | kSelectionChanged);
}

int Session::LengthAfterInsert(TextView text) const {
  return box_.length() - static_cast<int>(box_.SelectedText().size()) +
         static_cast<int>(text.size());
}

void Session::RunStep(const Step& step, Frame frame) {
  constexpr int kMax = TextBox::kMaxLength;
  const int selected = static_cast<int>(box_.SelectedText().size());
  switch (frame.pre_check) {
    case PreCheck::kSelectionGrowth:
      if (kMax - (box_.length() - selected) < 3 * selected) {
        ui_.ShowMessage(Concat(step.label, kSelectionTooLong));
        return;
      }
      break;
    case PreCheck::kTextLength:
      if (box_.length() >= kMax) {
        ui_.ShowMessage(Concat(step.label, kTextTooLong));
        return;
      }
      break;
    case PreCheck::kNone:
      break;
  }

  bool whole = false;
  switch (frame.source) {
    case Source::kWholeText:
      whole = true;
      break;
    case Source::kSelectionOrWhole:
      whole = box_.sel_length() < 2;
      break;
    case Source::kCaretToEnd:
      box_.SetSelLength(box_.length());
      Notify(kSelectionChanged);
      break;
    case Source::kSelection:
      break;
  }
  const Text source = whole ? box_.text() : box_.SelectedText();
  const int room = whole ? kMax : kMax - (box_.length() - static_cast<int>(source.size()));

  Text result = qor::RunStep(step, source).result;
  if (static_cast<int>(result.size()) > room) {
    ui_.ShowMessage(Concat(step.label, kResultTooLong));
    return;
  }
  if (result.empty()) {
    if (frame.source == Source::kCaretToEnd) Select(box_.sel_start(), 0);
    SetSay(kUnchanged);
    return;
  }
  if (whole) {
    SetText(std::move(result));
  } else if (frame.source == Source::kCaretToEnd) {
    const int caret = box_.sel_start();
    ReplaceSelectedText(result);
    Select(caret, 0);
  } else {
    ReplaceSelection(result);
  }
  PushHistory(step.label);
}

}  // namespace qor
