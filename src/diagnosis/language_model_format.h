#pragma once
// The stored form of the character language model, little-endian throughout:
//
//   magic "QORCLM01"
//   u32 V, the vocabulary size (at most 65535); u32 G, the number of groups
//   V × u32       the vocabulary: code points in ascending order, the edge (0) first
//   G × group:
//     char[8]     its name, padded with zeros
//     f32         log of the background's share of its unigram model
//     u32 U       how many characters it saw; u32 P, how many pairs it keeps
//     U × u16     their vocabulary indices, ascending
//     U × u16     -log P(c) of each, scaled
//     U × u16     -log of each one's back-off weight as the previous character, scaled
//     P × u32     pair keys, previous index << 16 | index, ascending
//     P × u16     -log P(c | previous) of each, scaled
//
// Scaled values are nats × kModelScale rounded. A pair the table lacks costs the back-off
// weight of the previous character plus the unigram cost of the next.

#include <cstdint>
#include <string_view>

namespace qor {

inline constexpr std::string_view kModelMagic = "QORCLM01";
inline constexpr double kModelScale = 256.0;
inline constexpr std::size_t kModelNameSize = 8;

}  // namespace qor
