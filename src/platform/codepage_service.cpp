#include "platform/codepage_service.h"

#include "platform/codepage_engines.h"
#include "platform/codepage_profile.h"

namespace qor {

bool IsCodePageSupported(int code_page) { return FindProfile(code_page) != nullptr; }

std::optional<Text> DecodeCodePage(BytesView bytes, int code_page, ConversionCounts* counts) {
  const CodePageProfile* profile = FindProfile(code_page);
  if (!profile) return std::nullopt;
  switch (profile->conversion->engine) {
    case CodePageEngine::kSingleByte:
      return DecodeSingleByte(*profile, bytes, counts);
    case CodePageEngine::kJohab:
      return DecodeJohab(*profile, bytes, counts);
    case CodePageEngine::kMultiByte:
    case CodePageEngine::kStateful:
      break;
  }
  return DecodeWithIcu(*profile, bytes, counts);
}

std::optional<Bytes> EncodeCodePage(TextView text, int code_page, ConversionCounts* counts) {
  const CodePageProfile* profile = FindProfile(code_page);
  if (!profile) return std::nullopt;
  if (profile->conversion->engine == CodePageEngine::kJohab)
    return EncodeJohab(*profile, text, counts);
  return EncodeWithIcu(*profile, text, counts);
}

}  // namespace qor
