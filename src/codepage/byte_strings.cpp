#include "codepage/byte_strings.h"

#include <algorithm>

#include "platform/wtf8.h"

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

namespace {

bool IsContinuation(unsigned char b) { return (b & 0xC0) == 0x80; }

// The program's UTF-8 reading as a machine of one byte at a time: `value` gathers a sequence,
// `remaining` counts the continuation bytes it still takes.
struct Utf8Reader {
  char16_t* out;
  unsigned value = 0;
  int remaining = 2;

  void Emit(unsigned v) { *out++ = static_cast<char16_t>(v < 32 ? 32 : v); }
  bool Idle() const { return value == 0 && remaining == 2; }

  void Byte(unsigned b) {
    if (b >= 0x80 && b <= 0xBF) {
      value = value * 64 + (b & 0x3F);
      if (--remaining <= 0) Emit(value), value = 0, remaining = 2;
      return;
    }
    if (value > 0) Emit(value);
    if (b >= 0xE0) {
      value = b & 0x0F, remaining = 2;
    } else if (b >= 0xC0) {
      value = b & 0x1F, remaining = 1;
    } else {
      *out++ = static_cast<char16_t>(b);
      value = 0, remaining = 2;
    }
  }

  // From the idle state, whole sequences give what the machine would give byte by byte: ASCII
  // as itself, two and three bytes as their value. The bytes used; 0 when none fits.
  std::size_t Run(const unsigned char* p, std::size_t left) {
    const unsigned char lead = p[0];
    if (lead < 0x80) return *out++ = lead, 1;
    if (lead >= 0xC0 && lead <= 0xDF && left >= 2 && IsContinuation(p[1])) {
      return Emit(((lead & 0x1Fu) << 6) | (p[1] & 0x3Fu)), 2;
    }
    if (lead >= 0xE0 && left >= 3 && IsContinuation(p[1]) && IsContinuation(p[2])) {
      return Emit(((lead & 0x0Fu) << 12) | ((p[1] & 0x3Fu) << 6) | (p[2] & 0x3Fu)), 3;
    }
    return 0;
  }
};

}  // namespace

Text Utf8BytesToText(BytesView bytes) {
  Text out(bytes.size(), u'\0');
  Utf8Reader reader{out.data()};
  const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
  const std::size_t n = bytes.size();
  for (std::size_t i = 0; i < n;) {
    if (reader.Idle()) {
      if (i + 8 <= n && CopyAscii8(p + i, reader.out)) {
        i += 8;
        continue;
      }
      if (const std::size_t used = reader.Run(p + i, n - i)) {
        i += used;
        continue;
      }
    }
    reader.Byte(p[i++]);
  }
  out.resize(static_cast<std::size_t>(reader.out - out.data()));
  return out;
}

void ZerosToSpaces(Text& text) { std::replace(text.begin(), text.end(), u'\0', u' '); }

void DropByteOrderMark(Text& text) {
  if (!text.empty() && text.front() == u'\uFEFF') text.erase(0, 1);
}

}  // namespace qor
