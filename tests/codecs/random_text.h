#pragma once
// Deterministic random inputs for the codec tests.

#include <cstdint>
#include <random>
#include <span>

#include "platform/text.h"

namespace qor {

class RandomText {
 public:
  explicit RandomText(std::uint32_t seed) : engine_(seed) {}

  // 0 .. n-1.
  std::size_t Below(std::size_t n) {
    return std::uniform_int_distribution<std::size_t>(0, n - 1)(engine_);
  }
  // count pieces, each one of the given pieces.
  Text Pieces(std::span<const Text> pieces, std::size_t count) {
    Text out;
    for (std::size_t k = 0; k < count; ++k) out += pieces[Below(pieces.size())];
    return out;
  }
  // length units of the BMP (surrogate halves included) for which keep is true.
  template <typename Keep>
  Text Bmp(std::size_t length, Keep keep) {
    Text out;
    while (out.size() < length) {
      const auto c = static_cast<char16_t>(Below(0x10000));
      if (keep(c)) out += c;
    }
    return out;
  }
  Bytes AnyBytes(std::size_t length) {
    Bytes out(length, '\0');
    for (char& b : out) b = static_cast<char>(Below(256));
    return out;
  }

 private:
  std::mt19937 engine_;
};

}  // namespace qor
