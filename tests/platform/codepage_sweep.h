#pragma once
// Converts many codes or characters each on its own, in large batches: the items are joined by a
// line feed, converted in one call, and split again. A batch that does not split into as many
// pieces as it has items (an item that converts to the separator, or one that merges with its
// neighbour) is converted item by item instead. Only for code pages without shift states.

#include <cstddef>
#include <vector>

#include "platform/codepage_service.h"
#include "platform/text.h"

namespace qor {

inline constexpr std::size_t kSweepBatch = 512;

// The decoded text of each byte sequence.
inline std::vector<Text> DecodeEach(int code_page, const std::vector<Bytes>& codes) {
  std::vector<Text> out;
  const std::optional<Text> separator = DecodeCodePage("\n", code_page);
  const bool batched = separator && separator->size() == 1;
  for (std::size_t start = 0; start < codes.size(); start += kSweepBatch) {
    const std::size_t end = std::min(codes.size(), start + kSweepBatch);
    if (batched) {
      Bytes joined;
      for (std::size_t i = start; i < end; ++i) (i > start ? joined += '\n' : joined) += codes[i];
      const Text text = DecodeCodePage(joined, code_page).value_or(Text());
      std::vector<Text> pieces(1);
      for (const char16_t c : text)
        c == (*separator)[0] ? pieces.emplace_back() : pieces.back() += c;
      if (pieces.size() == end - start) {
        for (Text& piece : pieces) out.push_back(std::move(piece));
        continue;
      }
    }
    for (std::size_t i = start; i < end; ++i) {
      out.push_back(DecodeCodePage(codes[i], code_page).value_or(Text()));
    }
  }
  return out;
}

// The bytes of each character.
inline std::vector<Bytes> EncodeEach(int code_page, const std::vector<char16_t>& chars) {
  std::vector<Bytes> out;
  const std::optional<Bytes> separator = EncodeCodePage(u"\n", code_page);
  const bool batched = separator && separator->size() == 1;
  for (std::size_t start = 0; start < chars.size(); start += kSweepBatch) {
    const std::size_t end = std::min(chars.size(), start + kSweepBatch);
    if (batched) {
      Text joined;
      for (std::size_t i = start; i < end; ++i) (i > start ? joined += u'\n' : joined) += chars[i];
      const Bytes bytes = EncodeCodePage(joined, code_page).value_or(Bytes());
      std::vector<Bytes> pieces(1);
      for (const char b : bytes) b == (*separator)[0] ? pieces.emplace_back() : pieces.back() += b;
      if (pieces.size() == end - start) {
        for (Bytes& piece : pieces) out.push_back(std::move(piece));
        continue;
      }
    }
    for (std::size_t i = start; i < end; ++i) {
      out.push_back(EncodeCodePage(Text(1, chars[i]), code_page).value_or(Bytes()));
    }
  }
  return out;
}

// Every BMP code point but the surrogates, in order.
inline std::vector<char16_t> BmpCharacters() {
  std::vector<char16_t> out;
  for (char32_t c = 0; c < 0x10000; ++c) {
    if (c < 0xD800 || c > 0xDFFF) out.push_back(static_cast<char16_t>(c));
  }
  return out;
}

}  // namespace qor
