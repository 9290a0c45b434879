#include "platform/wtf8.h"

#include <cstdint>
#include <cstring>

namespace qor {

bool CopyAscii8(const unsigned char* p, char16_t*& out) {
  std::uint64_t word;
  std::memcpy(&word, p, 8);
  if (word & 0x8080808080808080ULL) return false;
  for (int k = 0; k < 8; ++k) out[k] = p[k];
  out += 8;
  return true;
}

void AppendUnits(Text& out, char32_t c) {
  if (c < 0x10000) {
    out += static_cast<char16_t>(c);
  } else {
    out += static_cast<char16_t>(0xD800 + ((c - 0x10000) >> 10));
    out += static_cast<char16_t>(0xDC00 + ((c - 0x10000) & 0x3FF));
  }
}

std::size_t DecodeUtf8Sequence(BytesView bytes, std::size_t i, char32_t& c) {
  const auto b = [&](std::size_t k) { return static_cast<unsigned char>(bytes[i + k]); };
  const std::size_t left = bytes.size() - i;
  const unsigned char lead = b(0);
  std::size_t len;
  char32_t min;
  if (lead < 0x80) {
    c = lead;
    return 1;
  } else if (lead >= 0xC2 && lead <= 0xDF) {
    len = 2, c = lead & 0x1F, min = 0x80;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    len = 3, c = lead & 0x0F, min = 0x800;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    len = 4, c = lead & 0x07, min = 0x10000;
  } else {
    return 0;
  }
  if (left < len) return 0;
  for (std::size_t k = 1; k < len; ++k) {
    if ((b(k) & 0xC0) != 0x80) return 0;
    c = (c << 6) | (b(k) & 0x3F);
  }
  return (c < min || c > 0x10FFFF) ? 0 : len;
}

namespace {

// Writes a code point's bytes at out; the bytes written.
std::size_t PutCodePoint(char* out, char32_t c) {
  if (c < 0x80) return out[0] = static_cast<char>(c), 1;
  if (c < 0x800) {
    out[0] = static_cast<char>(0xC0 | (c >> 6));
    out[1] = static_cast<char>(0x80 | (c & 0x3F));
    return 2;
  }
  if (c < 0x10000) {
    out[0] = static_cast<char>(0xE0 | (c >> 12));
    out[1] = static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out[2] = static_cast<char>(0x80 | (c & 0x3F));
    return 3;
  }
  out[0] = static_cast<char>(0xF0 | (c >> 18));
  out[1] = static_cast<char>(0x80 | ((c >> 12) & 0x3F));
  out[2] = static_cast<char>(0x80 | ((c >> 6) & 0x3F));
  out[3] = static_cast<char>(0x80 | (c & 0x3F));
  return 4;
}

bool IsContinuation(unsigned char b) { return (b & 0xC0) == 0x80; }

// The common sequences read directly: ASCII, and two and three bytes that are valid (a lone
// surrogate's three-byte form included); the bytes used, 0 to leave it to DecodeUtf8Sequence.
std::size_t ReadCommon(const unsigned char* p, std::size_t left, char16_t*& out) {
  const unsigned char lead = p[0];
  if (lead < 0x80) return *out++ = lead, 1;
  if (lead >= 0xC2 && lead <= 0xDF && left >= 2 && IsContinuation(p[1])) {
    *out++ = static_cast<char16_t>(((lead & 0x1Fu) << 6) | (p[1] & 0x3Fu));
    return 2;
  }
  if (lead >= 0xE0 && lead <= 0xEF && left >= 3 && IsContinuation(p[1]) && IsContinuation(p[2])) {
    const unsigned c = ((lead & 0x0Fu) << 12) | ((p[1] & 0x3Fu) << 6) | (p[2] & 0x3Fu);
    if (c < 0x800) return 0;
    *out++ = static_cast<char16_t>(c);
    return 3;
  }
  return 0;
}

}  // namespace

Bytes EncodeWtf8(TextView text) {
  Bytes out(text.size() * 3, '\0');
  char* o = out.data();
  for (std::size_t i = 0; i < text.size(); ++i) {
    char32_t c = text[i];
    if (c >= 0xD800 && c <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 &&
        text[i + 1] <= 0xDFFF) {
      c = 0x10000 + ((c - 0xD800) << 10) + (text[i + 1] - 0xDC00);
      ++i;
    }
    o += PutCodePoint(o, c);
  }
  out.resize(static_cast<std::size_t>(o - out.data()));
  return out;
}

std::optional<Text> DecodeWtf8(BytesView bytes, std::size_t* error_offset) {
  Text out(bytes.size(), u'\0');  // never more units than bytes
  char16_t* o = out.data();
  const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
  for (std::size_t i = 0; i < bytes.size();) {
    if (i + 8 <= bytes.size() && CopyAscii8(p + i, o)) {
      i += 8;
      continue;
    }
    if (const std::size_t used = ReadCommon(p + i, bytes.size() - i, o)) {
      i += used;
      continue;
    }
    char32_t c;
    const std::size_t len = DecodeUtf8Sequence(bytes, i, c);
    if (len == 0) {
      if (error_offset) *error_offset = i;
      return std::nullopt;
    }
    if (c >= 0x10000) {
      *o++ = static_cast<char16_t>(0xD800 + ((c - 0x10000) >> 10));
      *o++ = static_cast<char16_t>(0xDC00 + ((c - 0x10000) & 0x3FF));
    } else {
      *o++ = static_cast<char16_t>(c);
    }
    i += len;
  }
  out.resize(static_cast<std::size_t>(o - out.data()));
  return out;
}

Text Utf8ToText(BytesView bytes) {
  Text out;
  out.reserve(bytes.size());
  for (std::size_t i = 0; i < bytes.size();) {
    char32_t c;
    const std::size_t len = DecodeUtf8Sequence(bytes, i, c);
    if (len == 0) {
      out += u'\uFFFD';
      ++i;
    } else {
      AppendUnits(out, c);
      i += len;
    }
  }
  return out;
}

}  // namespace qor
