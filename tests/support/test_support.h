#pragma once
// Helpers shared by the tests: readable text and byte literals, and a scripted Ui.

#include <deque>
#include <filesystem>
#include <ostream>
#include <string>
#include <vector>

#include "codepage/selectors.h"
#include "platform/text.h"
#include "session/ui.h"

namespace qor {

// Selectors in messages, as their numbers.
inline std::ostream& operator<<(std::ostream& out, LcidSelector selector) {
  return out << selector.value;
}
inline std::ostream& operator<<(std::ostream& out, CodePageSelector selector) {
  return out << selector.value;
}

// Bytes from hex pairs separated by blanks: "E4 B8 AD".
Bytes Hex(std::string_view hex);
// Bytes as hex pairs separated by blanks, for messages.
std::string ToHex(BytesView bytes);
// Text from UTF-8 (test sources are UTF-8).
Text T(std::string_view utf8);
// Text as UTF-8 with U+XXXX escapes for controls and lone surrogates, for messages.
std::string Show(TextView text);

// A Ui that records every message and answers from a script: each kind of question takes the
// next answer of its queue, and an empty queue answers No or Cancel.
class ScriptedUi : public Ui {
 public:
  struct Shown {
    Text text;
    Text title;
    bool question = false;
    bool default_no = false;
  };
  // What the file chooser was asked for.
  struct FileRequest {
    bool open = true;
    std::filesystem::path path;
    EncodingCode pattern = kEncodingAutomatic;
  };

  void ShowMessage(TextView text, TextView title = {}) override;
  bool AskYesNo(TextView text, bool default_no = false) override;
  // Records the title and the initial text, "<clear>" for a box cleared.
  std::optional<Text> AskInput(TextView title, int max_length, TextView initial,
                               bool clear = false) override;
  std::optional<Text> AskLine(TextView prompt, TextView title, TextView initial) override;
  std::optional<FileChoice> ChooseFile(bool open, const std::filesystem::path& path,
                                       EncodingCode pattern) override;
  std::optional<PairChoice> ChooseCodePagePair() override { return Next(code_page_pairs); }
  std::optional<PairChoice> ChooseLcidPair() override { return Next(lcid_pairs); }
  std::optional<TransformChoice> ChooseTransform() override { return Next(transforms); }
  std::optional<std::vector<Text>> ChooseRepair(TextView text) override {
    diagnosed.push_back(Text(text));
    return Next(repairs);
  }
  bool CanPaste() override { return clipboard.has_value(); }
  Text ClipboardText() override { return clipboard.value_or(Text()); }
  void SetClipboardText(TextView text) override { clipboard = Text(text); }
  void Beep() override { ++beeps; }

  // Every message and question, in order.
  std::vector<Shown> shown;
  // Texts of the messages only.
  std::vector<Text> Messages() const;

  std::deque<bool> answers;
  std::deque<std::optional<Text>> inputs;  // AskInput and AskLine
  std::deque<std::optional<FileChoice>> files;
  std::vector<FileRequest> file_requests;
  std::deque<std::optional<PairChoice>> code_page_pairs;
  std::deque<std::optional<PairChoice>> lcid_pairs;
  std::deque<std::optional<TransformChoice>> transforms;
  std::deque<std::optional<std::vector<Text>>> repairs;
  std::vector<Text> diagnosed;  // the texts ChooseRepair was asked about
  std::optional<Text> clipboard;
  int beeps = 0;

 private:
  template <typename T>
  static std::optional<T> Next(std::deque<std::optional<T>>& queue) {
    std::optional<T> answer;
    if (!queue.empty()) {
      answer.swap(queue.front());
      queue.pop_front();
    }
    return answer;
  }
};

}  // namespace qor
