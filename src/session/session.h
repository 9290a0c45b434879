#pragma once
// The editing session of one window: the text, its history ring (the original and the eight
// newest results), the saved marker, the file identity and the command frame.

#include <array>
#include <cstdint>
#include <filesystem>

#include "catalogue/step.h"
#include "catalogue/step_runner.h"
#include "platform/text.h"
#include "session/text_box.h"
#include "session/ui.h"

namespace qor {

// What changed, for the window to redraw only that.
enum SessionChange : unsigned {
  kTextChanged = 1,
  kSelectionChanged = 2,
  kSayChanged = 4,
  kHistoryButtonsChanged = 8,
  kTitleChanged = 16,
};

class SessionListener {
 public:
  virtual ~SessionListener() = default;
  virtual void SessionChanged(unsigned changes) = 0;
};

// The four history steps, by the index of their button.
enum HistoryStep : int {
  kBackToOriginal = 0,
  kUndo = 1,
  kRedo = 2,
  kToNewest = 3,
};

inline constexpr TextView kProductName = u"QOR";
inline constexpr TextView kTitleTail = u"  ~QOR";
// After a label: a command refused because the text is already at the maximum length.
inline constexpr TextView kTextTooLong = u" 拒绝~ 文本过长";

class Session {
 public:
  static constexpr int kRingSize = 8;
  // Entry indices besides the ring slots 0..7: the original, and none (a saved marker that no
  // entry holds).
  static constexpr int kOriginal = -1;
  static constexpr int kNoEntry = -2;

  explicit Session(Ui& ui) : ui_(ui) {}
  Session(const Session&) = delete;
  Session& operator=(const Session&) = delete;

  void SetListener(SessionListener* listener) { listener_ = listener; }
  Ui& ui() { return ui_; }

  // The text control. The window writes the user's caret moves into mutable_box() directly;
  // everything else changes it through the session, which tells the listener.
  const TextBox& box() const { return box_; }
  TextBox& mutable_box() { return box_; }
  void SetText(Text text);
  void Select(int start, int length);

  const Text& say() const { return say_; }
  void SetSay(TextView say);
  // "QOR", or a prefix followed by the title tail.
  Text title() const;
  void SetTitlePrefix(TextView prefix);

  // History ring.
  void PushHistory(TextView label);
  void ResetHistory(TextView label);
  void StepHistory(int step);
  bool CanGoBack() const { return n_cur_ >= 0; }
  bool CanGoForward() const { return n_cur_ != n_new_; }
  bool MayDiscardText();
  bool IsSaved() const { return n_cur_ == n_saved_; }
  int n_cur() const { return n_cur_; }
  int n_old() const { return n_old_; }
  int n_saved() const { return n_saved_; }
  void set_n_saved(int n_saved) { n_saved_ = n_saved; }
  // The label stored with an entry (kOriginal, or 0..7 a ring slot).
  const Text& EntryLabel(int index) const { return entry(index).label; }

  // The file last opened or saved (the path as the user chose it), and its encoding code.
  const std::filesystem::path& file() const { return file_; }
  EncodingCode file_pattern() const { return file_pattern_; }
  void SetFile(std::filesystem::path path, EncodingCode pattern);

  // The remembered search key, line breaks as single units.
  const Text& seek_key() const { return seek_key_; }
  void set_seek_key(Text key) { seek_key_ = std::move(key); }

  // Replaces the selection and selects the new text.
  void ReplaceSelection(TextView text);
  // Replaces the selection; the caret ends after the new text and nothing is selected.
  void ReplaceSelectedText(TextView text);
  // The length of the whole text if the selection were replaced by the new text.
  int LengthAfterInsert(TextView text) const;

  // The command frame: pre-check, source, the step run on it, post-check, "未改动" for no
  // result, put in, push. The frame is the step's own unless given.
  void RunStep(const Step& step) { RunStep(step, step.frame); }
  void RunStep(const Step& step, Frame frame);

 private:
  struct Entry {
    Text text;
    int sel_start = 0;
    int sel_length = 0;
    Text label;
  };

  Entry& entry(int index) { return entries_[index + 1]; }
  const Entry& entry(int index) const { return entries_[index + 1]; }
  void RestoreEntry();
  void Notify(unsigned changes);

  Ui& ui_;
  SessionListener* listener_ = nullptr;
  TextBox box_;
  Text say_;
  Text title_prefix_;
  std::array<Entry, kRingSize + 1> entries_;  // [0] is the original, index kOriginal
  int n_cur_ = kOriginal;
  int n_old_ = kOriginal;
  int n_new_ = kOriginal;
  int n_saved_ = kOriginal;
  std::filesystem::path file_;
  EncodingCode file_pattern_ = kEncodingAutomatic;
  Text seek_key_;
};

}  // namespace qor
