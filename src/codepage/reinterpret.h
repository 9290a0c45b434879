#pragma once
// Reinterpretation: the text encoded under one LCID selector, the bytes decoded under another.

#include <cstdint>
#include <optional>

#include "codepage/selectors.h"
#include "platform/codepage_service.h"
#include "platform/text.h"

namespace qor {

// Text to bytes by an LCID selector (an LCID, or -1 Latin1, -2 ULE, -3 UBE, -4 UTF8);
// nullopt for an unsupported selector.
[[nodiscard]] std::optional<Bytes> EncodeBySelector(TextView text, LcidSelector selector,
                                                    ConversionCounts* counts = nullptr);
// Bytes to text by an LCID selector; an odd final byte under ULE or UBE is dropped.
[[nodiscard]] std::optional<Text> DecodeBySelector(BytesView bytes, LcidSelector selector,
                                                   ConversionCounts* counts = nullptr);

// Encodes under a, decodes under b, drops a leading U+FEFF and turns U+0000 into spaces.
// Empty for an empty text and on any failure.
[[nodiscard]] Text Reinterpret(TextView text, LcidSelector a, LcidSelector b,
                               ConversionCounts* counts = nullptr);

}  // namespace qor
