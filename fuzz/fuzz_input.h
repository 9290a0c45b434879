#pragma once
// Splits a fuzzer's bytes into the arguments of the function under test.

#include <cstddef>
#include <cstdint>
#include <cstring>

#include "platform/text.h"

namespace qor {

class FuzzInput {
 public:
  FuzzInput(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}

  // A 32-bit value from the next four bytes (zero when they run out).
  std::int32_t Int32() {
    std::uint32_t value = 0;
    for (int i = 0; i < 4 && pos_ < size_; ++i) value = value << 8 | data_[pos_++];
    return static_cast<std::int32_t>(value);
  }
  // One byte (zero when they run out).
  std::uint8_t Byte() { return pos_ < size_ ? data_[pos_++] : 0; }
  // The rest as bytes.
  Bytes RestAsBytes() { return Bytes(reinterpret_cast<const char*>(data_ + pos_), size_ - pos_); }
  // The rest as UTF-16 units, two bytes each (any unit, lone surrogates included).
  Text RestAsText() {
    Text text((size_ - pos_) / 2, u'\0');
    std::memcpy(text.data(), data_ + pos_, text.size() * 2);
    pos_ = size_;
    return text;
  }

 private:
  const std::uint8_t* data_;
  std::size_t size_;
  std::size_t pos_ = 0;
};

}  // namespace qor
