#pragma once
// The Windows code pages this program converts, each with the converter that does the work and
// the traits that decide how its errors and special bytes are handled.

#include <cstdint>

namespace qor {

enum class CodePageEngine {
  kSingleByte,  // one byte per character, stateless (ICU)
  kMultiByte,   // lead and trail bytes, stateless (ICU): the invalid-sequence rule applies
  kStateful,    // shift states or a Unicode form (ICU): ICU's own error handling
  kJohab,       // glibc iconv
};

// How one code page converts: its converter, the engine that drives it and its traits.
struct CodePageConversion {
  int code_page;
  const char* converter;  // the ICU converter name, or the iconv charset for kJohab
  CodePageEngine engine;
  // kMultiByte, kJohab: the bytes of 0x80 and above that can follow a lead byte.
  std::uint8_t trail_first = 0;
  std::uint8_t trail_last = 0;
  // IBM tables swap the controls 1A, 1C and 7F; Windows does not.
  bool rotated_controls = false;
  // A Unicode form: a lone surrogate becomes U+FFFD's bytes, not "?".
  bool unicode = false;
  // HZ: ICU's encoder opens with a stray "~}" and leaves GB mode open at the end, and its
  // decoder replaces a control byte in GB mode (a line break) by U+FFFD.
  bool hz = false;
  // EUC-JP as Windows writes it: JIS X 0212 as lead A1-FE and trail 21-7E, not 8F lead trail.
  bool two_byte_jis_x_0212 = false;
};

// How this program converts a code page; nullptr when it does not.
[[nodiscard]] const CodePageConversion* FindCodePage(int code_page);

// Every code page this program converts, in no particular order.
[[nodiscard]] const CodePageConversion* CodePagesBegin();
[[nodiscard]] const CodePageConversion* CodePagesEnd();

}  // namespace qor
