#include "diagnosis/mojibake_signs.h"

namespace qor {
namespace {

// The characters Windows-1252 shows for the bytes 0x80..0x9F.
constexpr char16_t kWindows1252High[32] = {
    0x20AC, 0x81,   0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x8D,   0x017D, 0x8F,   0x90,   0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x9D,   0x017E, 0x0178};

// Whether a character is what Windows-1252 or Latin-1 shows for a UTF-8 trail byte (0x80..0xBF).
bool IsTrailShown(char16_t c) {
  if (c >= 0x80 && c <= 0xBF) return true;
  for (const char16_t shown : kWindows1252High) {
    if (c == shown) return true;
  }
  return false;
}

// How many trail bytes a UTF-8 lead byte shown as Latin-1 (0xC2..0xF4) wants; 0 for another.
std::size_t TrailsOfLead(char16_t c) {
  if (c >= 0xC2 && c <= 0xDF) return 1;
  if (c >= 0xE0 && c <= 0xEF) return 2;
  if (c >= 0xF0 && c <= 0xF4) return 3;
  return 0;
}

bool IsControl(char16_t c) {
  return (c < 0x20 && c != u'\t' && c != u'\n' && c != u'\r') || (c >= 0x7F && c <= 0x9F);
}

void CountUtf8AsSingleByte(TextView text, MojibakeSigns& signs) {
  for (std::size_t i = 0; i < text.size(); ++i) {
    const std::size_t trails = TrailsOfLead(text[i]);
    if (trails == 0) continue;
    std::size_t k = 1;
    while (k <= trails && i + k < text.size() && IsTrailShown(text[i + k])) ++k;
    if (k > trails) {
      ++signs.utf8_as_single_byte;
      signs.utf8_units += trails + 1;
      for (k = 1; k <= trails; ++k) signs.utf8_controls += IsControl(text[i + k]);
      i += trails;
    }
  }
}

std::size_t CountOccurrences(TextView text, TextView what) {
  std::size_t count = 0;
  for (std::size_t at = text.find(what); at != TextView::npos; at = text.find(what, at + 1)) {
    ++count;
  }
  return count;
}

// What an ASCII character (space to "~") reads as with its UTF-16 bytes swapped; U+4E00 "一"
// is too common to count.
bool IsSwappedAscii(char16_t c) {
  return (c & 0xFF) == 0 && (c >> 8) >= 0x20 && (c >> 8) < 0x7F && c != 0x4E00;
}

bool IsWordPart(char16_t c) {
  return (c >= u'0' && c <= u'9') || (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z') ||
         c == u'_' || c == u')';
}

std::size_t CountDesignators(TextView text) {
  // Each begins with "$"; most texts have none.
  if (text.find(u'$') == TextView::npos) return 0;
  std::size_t count = 0;
  for (std::size_t i = 0; i + 2 < text.size(); ++i) {
    const char16_t middle = text[i + 1], final = text[i + 2];
    // Not "$(CC)" or "$(D)" of a makefile or a shell: a designator's final ends a word.
    const bool word_goes_on = i + 3 < text.size() && IsWordPart(text[i + 3]);
    if (text[i] == u'$' && (middle == u'(' || middle == u')' || middle == u'*' || middle == u'+') &&
        final >= u'@' && final <= u'Z' && !word_goes_on) {
      ++count;
    }
  }
  // ISO-2022-JP: "$B" or "$@" into the double-byte set, "(B" or "(J" back to ASCII.
  const std::size_t into = CountOccurrences(text, u"$B") + CountOccurrences(text, u"$@");
  if (into == 0) return count;
  const std::size_t back = CountOccurrences(text, u"(B") + CountOccurrences(text, u"(J");
  return count + (back > 0 ? into : 0);
}

}  // namespace

double MojibakeSigns::Cost() const {
  return 4.0 * utf8_as_single_byte + 8.0 * replacement + 10.0 * controls + 3.0 * swapped +
         4.0 * lost_runs + 8.0 * designators;
}

MojibakeSigns FindMojibakeSigns(TextView text) {
  MojibakeSigns signs;
  CountUtf8AsSingleByte(text, signs);
  signs.designators = CountDesignators(text);
  signs.replacement = CountOccurrences(text, u"锟斤拷");
  std::size_t swapped = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char16_t c = text[i];
    signs.controls += IsControl(c);
    signs.replacement += c == u'\uFFFD';
    // Swapped ASCII comes in runs ("匀夀一伀"); alone, U+5F00 and U+6700 are common ideographs.
    swapped += IsSwappedAscii(c) && ((i > 0 && IsSwappedAscii(text[i - 1])) ||
                                     (i + 1 < text.size() && IsSwappedAscii(text[i + 1])));
    if (c == u'?' && i + 1 < text.size() && text[i + 1] == u'?' &&
        (i == 0 || text[i - 1] != u'?')) {
      ++signs.lost_runs;
    }
  }
  signs.swapped = swapped >= 3 ? swapped : 0;
  return signs;
}

}  // namespace qor
