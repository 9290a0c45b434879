#pragma once
// Conversions between text and bytes named by an LCID or a code page number.

#include <cstdint>
#include <optional>

#include "codepage/selectors.h"
#include "platform/codepage_service.h"
#include "platform/text.h"

namespace qor {

// The code page an LCID selector stands for: an LCID's ANSI code page, or 28591, 1200, 1201 and
// 65001 for Latin1, ULE, UBE and UTF8; nullopt for an LCID the platform lacks.
[[nodiscard]] std::optional<int> CodePageOfLcidSelector(LcidSelector lcid);
// The code page a code page selector stands for: 1200 for the text's own UTF-16LE; nullopt for
// another negative selector.
[[nodiscard]] std::optional<int> CodePageOfSelector(CodePageSelector selector);

// Text to bytes in the ANSI code page of an LCID; nullopt for an LCID the platform lacks and for
// the negative selectors.
[[nodiscard]] std::optional<Bytes> TextToLocaleBytes(TextView text, LcidSelector lcid,
                                                     ConversionCounts* counts = nullptr);
// Bytes in the ANSI code page of an LCID to text; nullopt for an LCID the platform lacks.
[[nodiscard]] std::optional<Text> LocaleBytesToText(BytesView bytes, LcidSelector lcid,
                                                    ConversionCounts* counts = nullptr);

// Text to bytes in a code page; empty on any failure.
[[nodiscard]] Bytes TextToCodePage(TextView text, std::int32_t code_page,
                                   ConversionCounts* counts = nullptr);
// Bytes in a code page to text; empty on any failure.
[[nodiscard]] Text CodePageToText(BytesView bytes, std::int32_t code_page,
                                  ConversionCounts* counts = nullptr);

// The text's bytes under code page selector a, read under selector b; a leading U+FEFF is
// removed and U+0000 become spaces. Empty on any failure.
[[nodiscard]] Text ConvertCodePage(TextView text, CodePageSelector a, CodePageSelector b,
                                   ConversionCounts* counts = nullptr);

}  // namespace qor
