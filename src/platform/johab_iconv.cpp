// Johab (1361), which ICU lacks, through glibc iconv. iconv has no substitution: at every
// invalid sequence or unmappable character this code writes the replacement and resumes.

#include <iconv.h>

#include <algorithm>
#include <cerrno>
#include <memory>

#include "platform/codepage_engines.h"

namespace qor {
namespace {

struct IconvCloser {
  void operator()(void* cd) const { iconv_close(static_cast<iconv_t>(cd)); }
};
using Iconv = std::unique_ptr<void, IconvCloser>;

Iconv OpenIconv(const char* to, const char* from) {
  const iconv_t cd = iconv_open(to, from);
  if (cd == reinterpret_cast<iconv_t>(-1)) return nullptr;
  return Iconv(cd);
}

bool IsJohabLead(unsigned char b) {
  return (b >= 0x84 && b <= 0xD3) || (b >= 0xD8 && b <= 0xDE) || (b >= 0xE0 && b <= 0xF9);
}

bool IsJohabTrail(unsigned char b) { return (b >= 0x31 && b <= 0x7E) || (b >= 0x81 && b <= 0xFE); }

// glibc reads 5C as the won sign, and no other code as that; Windows keeps 5C a backslash. The
// walk below patches 5C as a code of its own; this catches the 5C that follows an invalid lead
// byte.
void BackslashForWon(Text& text, std::size_t from) {
  std::replace(text.begin() + from, text.end(), u'\u20A9', u'\\');
}

// Appends iconv's UTF-16LE output to text.
void AppendUtf16Le(Text& text, const char* bytes, std::size_t size) {
  for (std::size_t i = 0; i + 1 < size; i += 2) {
    text += static_cast<char16_t>(static_cast<unsigned char>(bytes[i]) |
                                  static_cast<unsigned char>(bytes[i + 1]) << 8);
  }
}

// Decodes bytes that hold no patched code, appending to out.
bool DecodeRun(const CodePageProfile& profile, iconv_t cd, BytesView bytes, Text& out,
               ConversionCounts* counts) {
  std::string buffer(2 * bytes.size() + 16, '\0');
  char* in = const_cast<char*>(bytes.data());
  std::size_t in_left = bytes.size();
  while (in_left > 0) {
    char* target = buffer.data();
    std::size_t target_left = buffer.size();
    const std::size_t result = iconv(cd, &in, &in_left, &target, &target_left);
    const int error = errno;
    const std::size_t from = out.size();
    AppendUtf16Le(out, buffer.data(), target - buffer.data());
    BackslashForWon(out, from);
    if (result != static_cast<std::size_t>(-1)) break;
    if (error == E2BIG) continue;
    if (error != EILSEQ && error != EINVAL) return false;
    // iconv stops at the first byte of the sequence without saying how long it is: a lead
    // byte with one more byte makes a two-byte sequence.
    const BytesView rest(in, in_left);
    const bool pair = in_left >= 2 && IsJohabLead(static_cast<unsigned char>(in[0]));
    const ResolvedSequence resolved = ResolveInvalidSequence(profile, rest, pair ? 2 : 1);
    out += resolved.character;
    if (resolved.invalid && counts) ++counts->invalid;
    in += resolved.length;
    in_left -= resolved.length;
    iconv(cd, nullptr, nullptr, nullptr, nullptr);
  }
  return true;
}

}  // namespace

std::optional<Text> DecodeJohab(const CodePageProfile& profile, BytesView bytes,
                                ConversionCounts* counts) {
  Iconv cd = OpenIconv("UTF-16LE", profile.conversion->converter);
  if (!cd) return std::nullopt;
  Text out;
  out.reserve(bytes.size());
  // iconv decodes some codes otherwise than Windows (5C as the won sign, lone jamo as
  // compatibility jamo): walk the codes and decode the patched ones here.
  std::size_t run = 0;
  for (std::size_t i = 0; i < bytes.size();) {
    const auto first = static_cast<unsigned char>(bytes[i]);
    const bool pair = IsJohabLead(first) && i + 1 < bytes.size() &&
                      IsJohabTrail(static_cast<unsigned char>(bytes[i + 1]));
    const auto code = static_cast<std::uint16_t>(
        pair ? first << 8 | static_cast<unsigned char>(bytes[i + 1]) : first);
    const std::size_t length = pair ? 2 : 1;
    if (const auto* patch = profile.FindDecodePatch(code)) {
      if (!DecodeRun(profile, static_cast<iconv_t>(cd.get()), bytes.substr(run, i - run), out,
                     counts)) {
        return std::nullopt;
      }
      out += patch->character;
      run = i + length;
    }
    i += length;
  }
  if (!DecodeRun(profile, static_cast<iconv_t>(cd.get()), bytes.substr(run), out, counts)) {
    return std::nullopt;
  }
  return out;
}

std::optional<Bytes> EncodeJohab(const CodePageProfile& profile, TextView text,
                                 ConversionCounts* counts) {
  Iconv cd = OpenIconv(profile.conversion->converter, "UTF-16LE");
  if (!cd) return std::nullopt;
  Bytes out;
  out.reserve(text.size() * 2);
  const auto encode_run = [&](TextView run, Bytes& to) {
    std::string units(2 * run.size(), '\0');
    for (std::size_t i = 0; i < run.size(); ++i) {
      units[2 * i] = static_cast<char>(run[i] & 0xFF);
      units[2 * i + 1] = static_cast<char>(run[i] >> 8);
    }
    char* in = units.data();
    std::size_t in_left = units.size();
    std::string buffer(2 * run.size() + 16, '\0');
    while (true) {
      char* target = buffer.data();
      std::size_t target_left = buffer.size();
      const std::size_t result =
          iconv(static_cast<iconv_t>(cd.get()), &in, &in_left, &target, &target_left);
      const int error = errno;
      to.append(buffer.data(), target - buffer.data());
      if (result != static_cast<std::size_t>(-1)) break;
      if (error == E2BIG) continue;
      if (error != EILSEQ && error != EINVAL) return false;
      // An unmappable character or a lone surrogate: one "?" per unit, as the ICU pages.
      const char16_t unit = static_cast<char16_t>(static_cast<unsigned char>(in[0]) |
                                                  static_cast<unsigned char>(in[1]) << 8);
      std::size_t units_taken = 1;
      if (unit >= 0xD800 && unit <= 0xDBFF && in_left >= 4) {
        const char16_t next = static_cast<char16_t>(static_cast<unsigned char>(in[2]) |
                                                    static_cast<unsigned char>(in[3]) << 8);
        if (next >= 0xDC00 && next <= 0xDFFF) units_taken = 2;
      }
      to.append(units_taken, '?');
      if (counts) counts->substituted += units_taken;
      in += 2 * units_taken;
      in_left -= 2 * units_taken;
      iconv(static_cast<iconv_t>(cd.get()), nullptr, nullptr, nullptr, nullptr);
    }
    return true;
  };
  if (!EncodeAroundSpecials(profile, text, out, counts, encode_run)) return std::nullopt;
  return out;
}

}  // namespace qor
