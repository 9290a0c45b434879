#pragma once
// The four transforms of the transform selector and the escape decoder each one runs.

#include <cstdint>
#include <span>

#include "codepage/selectors.h"
#include "platform/text.h"

namespace qor {

enum class EscapeDecoder {
  kHexEscapes,  // DecodeHexEscapes: mode 1 URL ("%XX", "+" a space), 0 quoted-printable
  kBase64Text,  // DecodeBase64Text: variant 0 the standard alphabet, 1 "Base64(URL)"
};

struct EscapeTransform {
  TextView name;  // as listed and as the label begins: "URL", "QP", "Base64", "Base64(URL)"
  EscapeDecoder decoder;
  std::int16_t mode;  // the decoder's mode or variant
};

// By transform index: 0 URL, 1 QP, 2 Base64, 3 Base64(URL).
[[nodiscard]] std::span<const EscapeTransform> EscapeTransforms();

// Runs the transform's decoder on the text, the decoded bytes read under the LCID selector.
// Any failure gives the empty string.
[[nodiscard]] Text DecodeEscapes(const EscapeTransform& transform, TextView text,
                                 LcidSelector lcid);

}  // namespace qor
