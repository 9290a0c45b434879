#pragma once
// Everything a command asks of the user goes through this interface: the window implements it
// with real modal widgets, tests with a script that records what was shown. A dialog that the
// user cancels, or that an implementation does not offer, gives nullopt.

#include <cstdint>
#include <filesystem>
#include <optional>
#include <vector>

#include "codepage/text_files.h"
#include "platform/text.h"

namespace qor {

// The file chooser's answer: a full path (the system's bytes) and an encoding code (0: automatic,
// or keep the file's).
struct FileChoice {
  std::filesystem::path path;
  EncodingCode pattern = kEncodingAutomatic;
};

// The pair dialogs' answer: side A, side B and the label the dialog composed.
struct PairChoice {
  std::int32_t a = 0;
  std::int32_t b = 0;
  Text say;
};

// The transform selector's answer: 0 URL, 1 QP, 2 Base64, 3 Base64(URL), -1 none; an LCID
// selector for the decoded bytes; the label.
struct TransformChoice {
  std::int16_t opr = -1;
  std::int32_t lcid = 0;
  Text say;
};

class Ui {
 public:
  virtual ~Ui() = default;

  // A message box with an OK button.
  virtual void ShowMessage(TextView text, TextView title = {}) = 0;
  // A question with Yes and No buttons; true only for Yes.
  virtual bool AskYesNo(TextView text, bool default_no = false) = 0;

  // The multi-line input box: title, maximum length, initial text (empty keeps the text of the
  // last use, unless clear is set). Gives the confirmed text.
  virtual std::optional<Text> AskInput(TextView /*title*/, int /*max_length*/, TextView /*initial*/,
                                       bool /*clear*/ = false) {
    return std::nullopt;
  }
  // The platform's one-line prompt.
  virtual std::optional<Text> AskLine(TextView /*prompt*/, TextView /*title*/,
                                      TextView /*initial*/) {
    return std::nullopt;
  }
  // The file chooser, to open (open = true) or to save the given path and encoding code.
  virtual std::optional<FileChoice> ChooseFile(bool /*open*/, const std::filesystem::path& /*path*/,
                                               EncodingCode /*pattern*/) {
    return std::nullopt;
  }
  // The code page pair dialog, the LCID pair dialog and the transform selector.
  virtual std::optional<PairChoice> ChooseCodePagePair() { return std::nullopt; }
  virtual std::optional<PairChoice> ChooseLcidPair() { return std::nullopt; }
  virtual std::optional<TransformChoice> ChooseTransform() { return std::nullopt; }

  // The system clipboard's text.
  virtual bool CanPaste() { return false; }
  virtual Text ClipboardText() { return {}; }
  virtual void SetClipboardText(TextView /*text*/) {}

  // The diagnosis of a text: the chain of labels the user chose to apply.
  virtual std::optional<std::vector<Text>> ChooseRepair(TextView /*text*/) { return std::nullopt; }

  // The system beep.
  virtual void Beep() {}
};

}  // namespace qor
