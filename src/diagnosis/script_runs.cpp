#include "diagnosis/script_runs.h"

namespace qor {
namespace {

enum class Script { kNone, kLatin, kGreek, kCyrillic, kHebrew, kArabic, kThai, kCjk, kOther };

Script ScriptOf(char32_t c) {
  if ((c >= U'a' && c <= U'z') || (c >= U'A' && c <= U'Z')) return Script::kLatin;
  if (c < 0xC0) return Script::kNone;
  if (c <= 0x24F && c != 0xD7 && c != 0xF7) return Script::kLatin;
  if (c >= 0x1E00 && c <= 0x1EFF) return Script::kLatin;
  if (c >= 0x370 && c <= 0x3FF) return Script::kGreek;
  if (c >= 0x400 && c <= 0x52F) return Script::kCyrillic;
  if (c >= 0x590 && c <= 0x5FF) return Script::kHebrew;
  if (c >= 0x600 && c <= 0x6FF) return Script::kArabic;
  if (c >= 0xE00 && c <= 0xE7F) return Script::kThai;
  const bool cjk = (c >= 0x1100 && c <= 0x11FF) || (c >= 0x2E80 && c <= 0x9FFF) ||
                   (c >= 0xAC00 && c <= 0xD7AF) || (c >= 0xF900 && c <= 0xFAFF) ||
                   (c >= 0xFF00 && c <= 0xFFEF) || (c >= 0x20000 && c <= 0x3FFFF);
  if (cjk) return Script::kCjk;
  if (c >= 0x2000 && c <= 0x2BFF) return Script::kNone;  // punctuation, symbols, arrows
  return Script::kOther;
}

}  // namespace

std::vector<ScriptRun> ScriptRuns(std::u32string_view text) {
  std::vector<ScriptRun> runs{{0, text.size()}};
  Script current = Script::kNone;
  for (std::size_t k = 0; k < text.size(); ++k) {
    const Script script = ScriptOf(text[k]);
    if (script == Script::kNone || script == current) continue;
    if (current != Script::kNone) {
      runs.back().end = k;
      runs.push_back({k, text.size()});
    }
    current = script;
  }
  return runs;
}

}  // namespace qor
