#include "platform/codepage_profile.h"

#include <iconv.h>
#include <unicode/uset.h>

#include <algorithm>
#include <map>
#include <memory>
#include <mutex>

#include "platform/codepage_patches.h"
#include "platform/icu_converter.h"

namespace qor {
namespace {

// The character of one byte sequence alone, or kNoCharacter when it is not a whole character.
char32_t DecodeAlone(UConverter* converter, BytesView bytes) {
  ucnv_reset(converter);
  UChar out[4];
  UChar* target = out;
  const char* source = bytes.data();
  UErrorCode err = U_ZERO_ERROR;
  ucnv_toUnicode(converter, &target, out + 4, &source, bytes.data() + bytes.size(), nullptr, true,
                 &err);
  ucnv_reset(converter);
  if (U_FAILURE(err) || target - out != 1) return kNoCharacter;
  return out[0];
}

// Characters whose only mapping is a fallback onto a control byte: no best fit writes a
// control for a character that is none (936 would send U+FFE9 to ESC, the OEM pages arrows to
// ESC and line feeds).
std::vector<char16_t> FallbacksOntoControls(UConverter* converter,
                                            const std::array<char32_t, 256>& byte_meaning) {
  std::vector<char16_t> out;
  UErrorCode err = U_ZERO_ERROR;
  std::unique_ptr<USet, decltype(&uset_close)> fallbacks(uset_openEmpty(), &uset_close);
  std::unique_ptr<USet, decltype(&uset_close)> round_trips(uset_openEmpty(), &uset_close);
  ucnv_getUnicodeSet(converter, fallbacks.get(), UCNV_ROUNDTRIP_AND_FALLBACK_SET, &err);
  ucnv_getUnicodeSet(converter, round_trips.get(), UCNV_ROUNDTRIP_SET, &err);
  if (U_FAILURE(err)) return out;
  uset_removeAll(fallbacks.get(), round_trips.get());
  ucnv_setFallback(converter, true);
  UErrorCode sub_err = U_ZERO_ERROR;
  ucnv_setFromUCallBack(converter, UCNV_FROM_U_CALLBACK_STOP, nullptr, nullptr, nullptr, &sub_err);
  const std::int32_t ranges = uset_getItemCount(fallbacks.get());
  for (std::int32_t i = 0; i < ranges; ++i) {
    UChar32 first = 0;
    UChar32 last = 0;
    err = U_ZERO_ERROR;
    uset_getItem(fallbacks.get(), i, &first, &last, nullptr, 0, &err);
    for (UChar32 c = first; c <= std::min<UChar32>(last, 0xFFFF); ++c) {
      const UChar unit = static_cast<UChar>(c);
      char bytes[8];
      err = U_ZERO_ERROR;
      ucnv_resetFromUnicode(converter);
      const std::int32_t n = ucnv_fromUChars(converter, bytes, sizeof bytes, &unit, 1, &err);
      if (U_SUCCESS(err) && n == 1 &&
          IsControl(byte_meaning[static_cast<unsigned char>(bytes[0])])) {
        out.push_back(unit);
      }
    }
  }
  return out;
}

Bytes CodeBytes(std::uint16_t code) {
  if (code < 0x100) return Bytes(1, static_cast<char>(code));
  return Bytes{static_cast<char>(code >> 8), static_cast<char>(code & 0xFF)};
}

// What each character that is not left to the converter becomes (empty: "?").
using Specials = std::map<char16_t, Bytes>;

// The facts of an ICU converter: what each byte alone decodes to, where "?" is, the controls
// to put back, the fallbacks to refuse.
void ReadConverter(UConverter* converter, CodePageProfile& profile, Specials& special) {
  UErrorCode err = U_ZERO_ERROR;
  ucnv_setToUCallBack(converter, UCNV_TO_U_CALLBACK_STOP, nullptr, nullptr, nullptr, &err);
  std::array<char32_t, 256>& bytes = profile.bytes;
  for (int b = 0; b < 256; ++b) bytes[b] = DecodeAlone(converter, Bytes(1, static_cast<char>(b)));
  if (profile.conversion->rotated_controls) {
    for (const char c : {'\x1A', '\x1C', '\x7F'}) {
      bytes[static_cast<unsigned char>(c)] = static_cast<unsigned char>(c);
      special[static_cast<unsigned char>(c)] = Bytes(1, c);
    }
  }
  for (int b = 0; b < 256; ++b) {
    if (bytes[b] == u'?') profile.question = Bytes(1, static_cast<char>(b));
  }
  if (profile.conversion->engine != CodePageEngine::kStateful) {
    for (const char16_t c : FallbacksOntoControls(converter, bytes)) special[c] = Bytes();
  }
}

// Windows' own mappings where they differ from the converter's; these win over the rest.
void AddPatches(UConverter* converter, CodePageProfile& profile, Specials& special) {
  for (const CodePagePatch& patch : PatchesOf(profile.conversion->code_page)) {
    for (std::uint16_t k = 0; k < patch.count; ++k) {
      const auto code = static_cast<std::uint16_t>(patch.code + k);
      const auto c = static_cast<char16_t>(patch.character + k);
      if (patch.way == PatchWay::kBoth || patch.way == PatchWay::kDecode) {
        if (profile.conversion->engine == CodePageEngine::kSingleByte) {
          profile.bytes[code & 0xFF] = c;
        } else {
          const char32_t converter_char =
              converter ? DecodeAlone(converter, CodeBytes(code)) : kNoCharacter;
          profile.decode_patches.push_back({code, c, converter_char});
          profile.patches_converter_characters |= converter_char != kNoCharacter;
        }
      }
      if (patch.way == PatchWay::kBoth || patch.way == PatchWay::kEncode) {
        special[c] = CodeBytes(code);
      } else if (patch.way == PatchWay::kNoBestFit) {
        special[c] = Bytes();
      }
    }
  }
  std::sort(profile.decode_patches.begin(), profile.decode_patches.end(),
            [](const auto& a, const auto& b) { return a.code < b.code; });
}

// nullptr when the converter is missing from this system.
std::unique_ptr<CodePageProfile> BuildProfile(const CodePageConversion& conversion) {
  auto profile = std::make_unique<CodePageProfile>();
  profile->conversion = &conversion;
  Specials special;
  Converter converter;
  if (conversion.engine == CodePageEngine::kJohab) {
    const iconv_t probe = iconv_open("UTF-16LE", conversion.converter);
    if (probe == reinterpret_cast<iconv_t>(-1)) return nullptr;
    iconv_close(probe);
  } else {
    converter = OpenConverter(conversion.converter);
    if (!converter) return nullptr;
    ReadConverter(converter.get(), *profile, special);
  }
  AddPatches(converter.get(), *profile, special);
  for (auto& [c, bytes] : special) {
    profile->special.set(c);
    profile->special_bytes.emplace_back(c, std::move(bytes));
  }
  return profile;
}

struct Profiles {
  Profiles() : once(CodePagesEnd() - CodePagesBegin()), built(once.size()) {}
  std::vector<std::once_flag> once;
  std::vector<std::unique_ptr<CodePageProfile>> built;
};

}  // namespace

const CodePageProfile::DecodePatch* CodePageProfile::FindDecodePatch(std::uint16_t code) const {
  const auto it = std::lower_bound(
      decode_patches.begin(), decode_patches.end(), code,
      [](const DecodePatch& patch, std::uint16_t key) { return patch.code < key; });
  if (it == decode_patches.end() || it->code != code) return nullptr;
  return &*it;
}

const Bytes& CodePageProfile::SpecialBytes(char16_t c) const {
  static const Bytes kNone;
  const auto it = std::lower_bound(
      special_bytes.begin(), special_bytes.end(), c,
      [](const std::pair<char16_t, Bytes>& entry, char16_t key) { return entry.first < key; });
  if (it == special_bytes.end() || it->first != c) return kNone;
  return it->second;
}

const CodePageProfile* FindProfile(int code_page) {
  const CodePageConversion* conversion = FindCodePage(code_page);
  if (!conversion) return nullptr;
  static Profiles profiles;
  const std::size_t index = conversion - CodePagesBegin();
  std::call_once(profiles.once[index], [&] { profiles.built[index] = BuildProfile(*conversion); });
  return profiles.built[index].get();
}

}  // namespace qor
