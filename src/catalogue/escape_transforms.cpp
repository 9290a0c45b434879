#include "catalogue/escape_transforms.h"

#include "codecs/base64.h"
#include "codecs/hex_escapes.h"

namespace qor {
namespace {

constexpr EscapeTransform kTransforms[] = {
    {u"URL", EscapeDecoder::kHexEscapes, kUrlEncoding},
    {u"QP", EscapeDecoder::kHexEscapes, kQuotedPrintable},
    {u"Base64", EscapeDecoder::kBase64Text, kBase64Standard},
    {u"Base64(URL)", EscapeDecoder::kBase64Text, kBase64Star},
};

}  // namespace

std::span<const EscapeTransform> EscapeTransforms() { return kTransforms; }

Text DecodeEscapes(const EscapeTransform& transform, TextView text, LcidSelector lcid) {
  switch (transform.decoder) {
    case EscapeDecoder::kHexEscapes:
      return DecodeHexEscapes(text, lcid, transform.mode);
    case EscapeDecoder::kBase64Text:
      return DecodeBase64Text(text, lcid, transform.mode);
  }
  return {};
}

}  // namespace qor
