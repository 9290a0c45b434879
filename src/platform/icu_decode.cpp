// Decoding through ICU. Multi-byte pages stop at every invalid sequence and resume where
// Windows would; stateful pages (ISO-2022, HZ, UTF-7, UTF-8) keep ICU's own resumption and get
// one U+FFFD per invalid sequence from a callback.

#include <unicode/ucnv_cb.h>

#include <vector>

#include "platform/codepage_engines.h"
#include "platform/icu_converter.h"

namespace qor {
namespace {

bool IsConversionError(UErrorCode err) {
  return err == U_INVALID_CHAR_FOUND || err == U_ILLEGAL_CHAR_FOUND ||
         err == U_TRUNCATED_CHAR_FOUND;
}

struct ReplacementContext {
  ConversionCounts* counts;
  bool keep_controls;  // HZ: a control byte in GB mode (a line break) stays itself
};

// The stock callback writes U+001A for one-byte errors on some converters; this one always
// writes one U+FFFD and keeps ICU's consumption.
void WriteReplacement(const void* context, UConverterToUnicodeArgs* args, const char* bytes,
                      int32_t length, UConverterCallbackReason reason, UErrorCode* err) {
  if (reason > UCNV_IRREGULAR) return;  // reset, close, clone
  *err = U_ZERO_ERROR;
  const auto* replacement = static_cast<const ReplacementContext*>(context);
  if (replacement->keep_controls && length == 1 && static_cast<unsigned char>(bytes[0]) < 0x20) {
    const UChar control = static_cast<unsigned char>(bytes[0]);
    ucnv_cbToUWriteUChars(args, &control, 1, 0, err);
    return;
  }
  const UChar character = u'\uFFFD';
  ucnv_cbToUWriteUChars(args, &character, 1, 0, err);
  if (replacement->counts) ++replacement->counts->invalid;
}

// The character of "8F lead trail+80", ICU's three-byte form of a JIS X 0212 code.
std::optional<char16_t> DecodeJisX0212(UConverter* converter, unsigned char lead,
                                       unsigned char trail) {
  const char bytes[3] = {'\x8F', static_cast<char>(lead), static_cast<char>(trail | 0x80)};
  ucnv_reset(converter);
  UChar out[2];
  UChar* target = out;
  const char* source = bytes;
  UErrorCode err = U_ZERO_ERROR;
  ucnv_toUnicode(converter, &target, out + 2, &source, bytes + 3, nullptr, true, &err);
  ucnv_reset(converter);
  if (U_FAILURE(err) || target != out + 1) return std::nullopt;
  return out[0];
}

// ICU's table rotates the controls 1A, 1C and 7F; put them back where Windows has them.
void UnrotateControls(Text& text) {
  for (char16_t& c : text) {
    if (c == 0x1C) {
      c = 0x1A;
    } else if (c == 0x7F) {
      c = 0x1C;
    } else if (c == 0x1A) {
      c = 0x7F;
    }
  }
}

std::optional<Text> DecodeStateful(const CodePageProfile& profile, UConverter* converter,
                                   BytesView bytes, ConversionCounts* counts) {
  UErrorCode err = U_ZERO_ERROR;
  const ReplacementContext context{counts, profile.conversion->hz};
  ucnv_setToUCallBack(converter, WriteReplacement, &context, nullptr, nullptr, &err);
  Text out(bytes.size() + 1, u'\0');
  const char* source = bytes.data();
  std::size_t written = 0;
  while (true) {
    UChar* target = out.data() + written;
    err = U_ZERO_ERROR;
    ucnv_toUnicode(converter, &target, out.data() + out.size(), &source,
                   bytes.data() + bytes.size(), nullptr, true, &err);
    written = target - out.data();
    if (err != U_BUFFER_OVERFLOW_ERROR) break;
    out.resize(out.size() * 2);
  }
  if (U_FAILURE(err)) return std::nullopt;
  out.resize(written);
  return out;
}

// Where Windows decodes a code to another character than ICU does: finds the units ICU made
// from a patched code (their source offsets say which bytes they came from).
void PatchConverterCharacters(const CodePageProfile& profile, BytesView source, char16_t* units,
                              std::size_t count, const int32_t* offsets) {
  for (std::size_t k = 0; k < count; ++k) {
    for (const CodePageProfile::DecodePatch& patch : profile.decode_patches) {
      if (patch.converter_char != units[k]) continue;
      if (offsets[k] < 0) continue;
      const std::size_t at = static_cast<std::size_t>(offsets[k]);
      const bool two = patch.code > 0xFF;
      if (at + two >= source.size()) continue;
      const auto first = static_cast<unsigned char>(source[at]);
      const bool same = two ? (first == patch.code >> 8 &&
                               static_cast<unsigned char>(source[at + 1]) == (patch.code & 0xFF))
                            : first == patch.code;
      if (same) units[k] = patch.character;
    }
  }
}

std::optional<Text> DecodeMultiByte(const CodePageProfile& profile, UConverter* converter,
                                    BytesView bytes, ConversionCounts* counts) {
  UErrorCode err = U_ZERO_ERROR;
  ucnv_setToUCallBack(converter, UCNV_TO_U_CALLBACK_STOP, nullptr, nullptr, nullptr, &err);
  // At most one unit per byte: ICU's characters take as many bytes as units or more, and each
  // replacement takes at least one byte.
  Text out(bytes.size() + 1, u'\0');
  const char* source = bytes.data();
  const char* const end = bytes.data() + bytes.size();
  std::size_t written = 0;
  std::vector<int32_t> offsets;
  while (true) {
    UChar* target = out.data() + written;
    const std::size_t target_start = written;
    const char* const call_source = source;
    if (profile.patches_converter_characters) offsets.resize(out.size() - written);
    err = U_ZERO_ERROR;
    ucnv_toUnicode(converter, &target, out.data() + out.size(), &source, end,
                   offsets.empty() ? nullptr : offsets.data(), true, &err);
    written = target - out.data();
    if (!offsets.empty()) {
      PatchConverterCharacters(profile, BytesView(call_source, end - call_source),
                               out.data() + target_start, written - target_start, offsets.data());
    }
    if (err == U_BUFFER_OVERFLOW_ERROR) {
      out.resize(out.size() * 2);
      continue;
    }
    if (U_SUCCESS(err)) break;
    if (!IsConversionError(err)) return std::nullopt;
    char rejected[32];
    std::int8_t rejected_length = sizeof rejected;
    UErrorCode info_err = U_ZERO_ERROR;
    ucnv_getInvalidChars(converter, rejected, &rejected_length, &info_err);
    ucnv_reset(converter);
    if (U_FAILURE(info_err) || rejected_length < 1 || rejected_length > source - bytes.data()) {
      return std::nullopt;
    }
    const char* start = source - rejected_length;
    const BytesView rest(start, end - start);
    ResolvedSequence resolved = ResolveInvalidSequence(profile, rest, rejected_length);
    if (resolved.invalid && profile.conversion->two_byte_jis_x_0212 && rest.size() >= 2) {
      const auto lead = static_cast<unsigned char>(rest[0]);
      const auto trail = static_cast<unsigned char>(rest[1]);
      if (lead >= 0xA1 && lead <= 0xFE && trail >= 0x21 && trail <= 0x7E &&
          !IsIbmJisX0212Row(lead)) {
        if (const auto c = DecodeJisX0212(converter, lead, trail)) resolved = {*c, 2, false};
      }
    }
    if (written == out.size()) out.resize(out.size() * 2);
    out[written++] = resolved.character;
    if (resolved.invalid && counts) ++counts->invalid;
    source = start + resolved.length;
  }
  out.resize(written);
  if (profile.conversion->rotated_controls) UnrotateControls(out);
  return out;
}

}  // namespace

ResolvedSequence ResolveInvalidSequence(const CodePageProfile& profile, BytesView rest,
                                        std::size_t rejected) {
  const auto first = static_cast<unsigned char>(rest[0]);
  if (const auto* patch = profile.FindDecodePatch(first)) return {patch->character, 1, false};
  if (rest.size() >= 2) {
    const auto second = static_cast<unsigned char>(rest[1]);
    const auto code = static_cast<std::uint16_t>(first << 8 | second);
    if (const auto* patch = profile.FindDecodePatch(code)) return {patch->character, 2, false};
    // A lead byte and a byte that does not complete a code: the second byte is taken along
    // only when it is a trail byte of 0x80 or more, so that no byte that can start a character
    // is lost.
    if (rejected == 2) {
      const bool trail =
          second >= profile.conversion->trail_first && second <= profile.conversion->trail_last;
      return {u'\uFFFD', trail ? 2u : 1u, true};
    }
  }
  return {u'\uFFFD', std::min(rejected, rest.size()), true};
}

std::optional<Text> DecodeWithIcu(const CodePageProfile& profile, BytesView bytes,
                                  ConversionCounts* counts) {
  const PooledConverter converter(profile.conversion->converter, ConverterUse::kDecode);
  if (!converter) return std::nullopt;
  if (profile.conversion->engine == CodePageEngine::kMultiByte) {
    return DecodeMultiByte(profile, converter.get(), bytes, counts);
  }
  return DecodeStateful(profile, converter.get(), bytes, counts);
}

std::optional<Text> DecodeSingleByte(const CodePageProfile& profile, BytesView bytes,
                                     ConversionCounts* counts) {
  Text out(bytes.size(), u'\0');
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    const char32_t c = profile.bytes[static_cast<unsigned char>(bytes[i])];
    if (c == kNoCharacter) {
      out[i] = u'\uFFFD';
      if (counts) ++counts->invalid;
    } else {
      out[i] = static_cast<char16_t>(c);
    }
  }
  return out;
}

}  // namespace qor
