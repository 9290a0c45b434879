#include "codepage/byte_strings.h"

#include <algorithm>

namespace qor {

Bytes CharsToBytes(TextView text) {
  Bytes out(text.size(), '\0');
  std::transform(text.begin(), text.end(), out.begin(),
                 [](char16_t c) { return static_cast<char>(c & 0xFF); });
  return out;
}

Text BytesToChars(BytesView bytes) {
  Text out(bytes.size(), u'\0');
  std::transform(bytes.begin(), bytes.end(), out.begin(),
                 [](char b) { return static_cast<char16_t>(static_cast<unsigned char>(b)); });
  return out;
}

Bytes SwapBytePairs(BytesView bytes) {
  Bytes out(bytes);
  for (std::size_t k = 1; k < out.size(); k += 2) std::swap(out[k - 1], out[k]);
  return out;
}

Bytes TextToUtf16LeBytes(TextView text) {
  Bytes out(text.size() * 2, '\0');
  for (std::size_t k = 0; k < text.size(); ++k) {
    out[2 * k] = static_cast<char>(text[k] & 0xFF);
    out[2 * k + 1] = static_cast<char>(text[k] >> 8);
  }
  return out;
}

Text Utf16LeBytesToText(BytesView bytes) {
  Text out(bytes.size() / 2, u'\0');
  for (std::size_t k = 0; k < out.size(); ++k) {
    out[k] = static_cast<char16_t>(static_cast<unsigned char>(bytes[2 * k]) |
                                   (static_cast<unsigned char>(bytes[2 * k + 1]) << 8));
  }
  return out;
}

Bytes TextToUtf8Bytes(TextView text) {
  Bytes out;
  out.reserve(text.size() * 3);
  for (const char16_t unit : text) {
    const unsigned c = unit;
    if (c >= 0x800) {
      out += static_cast<char>(0xE0 + c / 4096);
      out += static_cast<char>(0x80 + c / 64 % 64);
      out += static_cast<char>(0x80 + c % 64);
    } else if (c >= 0x80) {
      out += static_cast<char>(0xC0 + c / 64);
      out += static_cast<char>(0x80 + c % 64);
    } else {
      out += static_cast<char>(c);
    }
  }
  return out;
}

Text Utf8BytesToText(BytesView bytes) {
  Text out;
  out.reserve(bytes.size());
  unsigned value = 0;
  int remaining = 2;
  const auto emit = [&out](unsigned v) { out += static_cast<char16_t>(v < 32 ? 32 : v); };
  for (const char ch : bytes) {
    const unsigned b = static_cast<unsigned char>(ch);
    if (b >= 0x80 && b <= 0xBF) {
      value = value * 64 + (b & 0x3F);
      if (--remaining <= 0) {
        emit(value);
        value = 0;
        remaining = 2;
      }
      continue;
    }
    if (value > 0) emit(value);
    if (b >= 0xE0) {
      value = b & 0x0F;
      remaining = 2;
    } else if (b >= 0xC0) {
      value = b & 0x1F;
      remaining = 1;
    } else {
      out += static_cast<char16_t>(b);
      value = 0;
      remaining = 2;
    }
  }
  return out;
}

void ZerosToSpaces(Text& text) { std::replace(text.begin(), text.end(), u'\0', u' '); }

void DropByteOrderMark(Text& text) {
  if (!text.empty() && text.front() == u'\uFEFF') text.erase(0, 1);
}

}  // namespace qor
