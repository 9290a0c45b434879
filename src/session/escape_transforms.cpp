#include "session/escape_transforms.h"

namespace qor {
namespace {

constexpr EscapeTransform kTransforms[] = {
    {u"URL", EscapeDecoder::kHexEscapes, 1},
    {u"QP", EscapeDecoder::kHexEscapes, 0},
    {u"Base64", EscapeDecoder::kBase64Text, 0},
    {u"Base64(URL)", EscapeDecoder::kBase64Text, 1},
};

}  // namespace

std::span<const EscapeTransform> EscapeTransforms() { return kTransforms; }

Text DecodeEscapes(const EscapeTransform& transform, TextView text, std::int32_t lcid) {
  // The one place that calls the escape decoders; switch it on with kEscapeDecodersLinked once
  // they are built:
  //   case EscapeDecoder::kHexEscapes: return DecodeHexEscapes(text, lcid, transform.mode);
  //   case EscapeDecoder::kBase64Text: return DecodeBase64Text(text, lcid, transform.mode);
  static_cast<void>(transform);
  static_cast<void>(text);
  static_cast<void>(lcid);
  return {};
}

}  // namespace qor
