#pragma once
// QOR's engine as a library: repairs garbled Chinese text (bytes written under one encoding and
// read under another, or text still in an escape format such as URL encoding or Base64).
//
// Text goes in and out as UTF-8; a lone surrogate (which a UTF-16 text may hold) travels as its
// three-byte form, so nothing is lost. Every function may be called from many threads at once:
// the engine keeps no shared state that a call changes. C++17 or later.

#include <cstddef>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#define QOR_API __attribute__((visibility("default")))

namespace qor {

// Text that is not UTF-8. what() gives the byte offset of the first invalid sequence.
class QOR_API InvalidUtf8 : public std::invalid_argument {
 public:
  explicit InvalidUtf8(std::size_t offset);
  ~InvalidUtf8() override;
  std::size_t offset() const noexcept { return offset_; }

 private:
  std::size_t offset_;
};

// A label that names no transform. what() names the closest known labels.
class QOR_API UnknownLabel : public std::invalid_argument {
 public:
  UnknownLabel(std::string label, std::vector<std::string> closest);
  ~UnknownLabel() override;
  const std::string& label() const noexcept { return label_; }
  const std::vector<std::string>& closest() const noexcept { return closest_; }

 private:
  std::string label_;
  std::vector<std::string> closest_;
};

// A transform failed with an error (out of memory, a library fault). what() is "label：why".
class QOR_API TransformFailed : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
  ~TransformFailed() override;
};

// The most plausible repair of a text; the text itself when it reads well as it is.
// Throws InvalidUtf8, TransformFailed.
[[nodiscard]] QOR_API std::string Fix(std::string_view utf8);

// One way to read a text: the transforms applied, what they gave and how plausible it reads.
struct RepairCandidate {
  std::vector<std::string> chain;  // the labels of the steps in order; empty for the text as it is
  std::string result;              // the whole text after the steps
  double score = 0;  // how much more plausible than the text as it is, in nats a character
  std::size_t substituted = 0;  // characters a code page lacked, lost as "?" on the way
  std::size_t invalid = 0;      // byte sequences that did not decode, lost on the way
  std::string explanation;      // one line: what the result is made of, what was lost

  std::size_t lost() const { return substituted + invalid; }
};

// Up to `top` candidates, best first: the repairs that read better than the text (those without
// loss first), then the text as it is, then the rest. Apply(text, candidate.chain) replays one.
// Throws InvalidUtf8, TransformFailed.
[[nodiscard]] QOR_API std::vector<RepairCandidate> Diagnose(std::string_view utf8,
                                                            std::size_t top = 5);

// What applying transforms gave.
struct Applied {
  std::string text;        // the result; empty when a step gave none
  std::string stopped_at;  // the label of the step that gave no result ("未改动"), else empty
  std::size_t substituted = 0;  // characters a code page lacked, written as "?"
  std::size_t invalid = 0;      // byte sequences that did not decode

  explicit operator bool() const { return stopped_at.empty(); }
};

// Applies transforms in order to the whole text, each named by its label exactly as Labels()
// and the program's history write it ("Eng--GB", "URL--UTF8", "Code Page: (936)--(65001)").
// No labels give the text as it is. Every label is checked before the first step runs.
// Throws InvalidUtf8, UnknownLabel, TransformFailed.
[[nodiscard]] QOR_API Applied Apply(std::string_view utf8, const std::vector<std::string>& labels);

// A label that Apply takes, or the pattern of a family of them.
struct TransformLabel {
  std::string label;        // "Eng--GB"; a pattern: "LCID: (A)--(B)", "A--B"
  std::string description;  // the menu caption, or for a pattern what its parameters may be
  bool pattern = false;     // a pattern, whose parameters a label fills in: "LCID: (1041)--(2052)"
};

// Every label that Apply takes, and every pattern, in menu order.
[[nodiscard]] QOR_API std::vector<TransformLabel> Labels();

// A conversion's result and what it could not hold.
struct Converted {
  std::string data;
  std::size_t substituted = 0;  // characters the code page lacks, written as "?"
  std::size_t invalid = 0;      // invalid byte sequences, each read as U+FFFD
};

// Bytes in a Windows code page (936 GBK, 950 Big5, 932 Shift-JIS, 1252, 65001 UTF-8, 1200
// UTF-16LE…) as UTF-8 text. Throws std::invalid_argument for a code page not supported here.
[[nodiscard]] QOR_API Converted CodePageToUtf8(std::string_view bytes, int code_page);
// UTF-8 text as bytes in a Windows code page, with Windows' best fits.
// Throws InvalidUtf8, and std::invalid_argument for a code page not supported here.
[[nodiscard]] QOR_API Converted Utf8ToCodePage(std::string_view utf8, int code_page);

}  // namespace qor
