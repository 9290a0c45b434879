#pragma once
// The two kinds of number that name the sides of a reinterpretation. Each is a type of its own,
// so that an LCID selector is never passed where a code page selector is meant, nor a plain
// number where either is.

#include <cstdint>

namespace qor {

// An LCID (0 or more: text and bytes in its ANSI code page), or one of the negative selectors
// below.
struct LcidSelector {
  std::int32_t value = 0;
  friend constexpr bool operator==(LcidSelector, LcidSelector) = default;
};

inline constexpr LcidSelector kLcidLatin1{-1};
inline constexpr LcidSelector kLcidUtf16Le{-2};
inline constexpr LcidSelector kLcidUtf16Be{-3};
inline constexpr LcidSelector kLcidUtf8{-4};
inline constexpr LcidSelector kLcidEnglish{1033};             // code page 1252
inline constexpr LcidSelector kLcidChineseSimplified{2052};   // code page 936, GBK
inline constexpr LcidSelector kLcidChineseTraditional{1028};  // code page 950, Big5

// A code page number (0 or more), or the text's own UTF-16LE below.
struct CodePageSelector {
  std::int32_t value = 0;
  friend constexpr bool operator==(CodePageSelector, CodePageSelector) = default;
};

inline constexpr CodePageSelector kCodePageOwnUtf16{-2};

}  // namespace qor
