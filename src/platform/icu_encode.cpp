// Encoding through ICU with best fit (ICU's fallbacks) and "?" for the rest.

#include <unicode/ucnv_cb.h>

#include "platform/codepage_engines.h"
#include "platform/icu_converter.h"

namespace qor {
namespace {

struct SubstituteContext {
  ConversionCounts* counts;
  bool per_unit;  // one "?" for each unit of a supplementary character, as Windows writes
};

// The stock callback silently drops default-ignorable characters (U+200B, U+FEFF…); Windows
// writes "?" for them, so this one writes the substitute for everything it is given.
void WriteSubstitute(const void* context, UConverterFromUnicodeArgs* args, const UChar*, int32_t,
                     UChar32 code_point, UConverterCallbackReason reason, UErrorCode* err) {
  if (reason > UCNV_IRREGULAR) return;  // reset, close, clone
  const auto* sub = static_cast<const SubstituteContext*>(context);
  const int times = sub->per_unit && code_point > 0xFFFF ? 2 : 1;
  for (int i = 0; i < times; ++i) {
    *err = U_ZERO_ERROR;
    ucnv_cbFromUWriteSub(args, 0, err);
  }
  if (sub->counts) sub->counts->substituted += times;
}

// Windows writes JIS X 0212 in EUC-JP as lead and trail less 0x80 where ICU writes 8F lead
// trail; rewrites ICU's output, which is well formed. ICU's rows F3 and F4 (IBM's extensions)
// are not Windows' and become "?".
void ToTwoByteJisX0212(Bytes& bytes, std::size_t from, ConversionCounts* counts) {
  std::size_t out = from;
  for (std::size_t i = from; i < bytes.size();) {
    const auto b = static_cast<unsigned char>(bytes[i]);
    if (b == 0x8F && i + 2 < bytes.size()) {
      const auto lead = static_cast<unsigned char>(bytes[i + 1]);
      if (IsIbmJisX0212Row(lead)) {
        bytes[out++] = '?';
        if (counts) ++counts->substituted;
      } else {
        bytes[out++] = static_cast<char>(lead);
        bytes[out++] = static_cast<char>(bytes[i + 2] & 0x7F);
      }
      i += 3;
      continue;
    }
    const std::size_t length = (b >= 0xA1 && b <= 0xFE) || b == 0x8E ? 2 : 1;
    for (std::size_t k = 0; k < length && i < bytes.size(); ++k) bytes[out++] = bytes[i++];
  }
  bytes.resize(out);
}

// ICU's HZ output opens with "~}" before ASCII and leaves GB mode open at the end; an HZ text
// starts in ASCII and returns to it, as Windows writes it.
void TidyHzShifts(Bytes& bytes) {
  if (bytes.starts_with("~}")) bytes.erase(0, 2);
  bool gb = false;
  for (std::size_t i = 0; i < bytes.size();) {
    if (bytes[i] == '~' && i + 1 < bytes.size()) {
      if (bytes[i + 1] == '{') gb = true;
      if (bytes[i + 1] == '}') gb = false;
      i += 2;
    } else {
      i += gb ? 2 : 1;
    }
  }
  if (gb) bytes += "~}";
}

bool EncodeRun(UConverter* converter, TextView run, Bytes& out, bool jis_x_0212_two_byte,
               ConversionCounts* counts) {
  const std::size_t from = out.size();
  // Room for what most runs need; ISO-2022's designations and UTF-7's shifts can take more,
  // which the loop below grows into.
  out.resize(from + run.size() * ucnv_getMaxCharSize(converter) + 16);
  std::size_t written = from;
  const UChar* source = run.data();
  while (true) {
    char* target = out.data() + written;
    UErrorCode err = U_ZERO_ERROR;
    ucnv_fromUnicode(converter, &target, out.data() + out.size(), &source, run.data() + run.size(),
                     nullptr, true, &err);
    written = target - out.data();
    if (err == U_BUFFER_OVERFLOW_ERROR) {
      out.resize(out.size() * 2);
      continue;
    }
    if (U_FAILURE(err)) return false;
    break;
  }
  out.resize(written);
  if (jis_x_0212_two_byte) ToTwoByteJisX0212(out, from, counts);
  return true;
}

}  // namespace

std::optional<Bytes> EncodeWithIcu(const CodePageProfile& profile, TextView text,
                                   ConversionCounts* counts) {
  const PooledConverter converter(profile.conversion->converter, ConverterUse::kEncode);
  if (!converter) return std::nullopt;
  UErrorCode err = U_ZERO_ERROR;
  ucnv_setFallback(converter.get(), true);
  // Unicode forms write U+FFFD for a lone surrogate; the rest "?".
  const UChar substitute = profile.conversion->unicode ? u'\uFFFD' : u'?';
  ucnv_setSubstString(converter.get(), &substitute, 1, &err);
  const SubstituteContext context{counts, !profile.conversion->unicode};
  ucnv_setFromUCallBack(converter.get(), WriteSubstitute, &context, nullptr, nullptr, &err);
  if (U_FAILURE(err)) return std::nullopt;
  Bytes out;
  out.reserve(text.size() * 2);
  const bool ok = EncodeAroundSpecials(profile, text, out, counts, [&](TextView run, Bytes& to) {
    return EncodeRun(converter.get(), run, to, profile.conversion->two_byte_jis_x_0212, counts);
  });
  if (!ok) return std::nullopt;
  if (profile.conversion->hz) TidyHzShifts(out);
  return out;
}

}  // namespace qor
