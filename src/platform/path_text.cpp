#include "platform/path_text.h"

#include <algorithm>

#include "platform/wtf8.h"

namespace qor {
namespace {

constexpr char kHexDigits[] = "0123456789ABCDEF";

bool Readable(char32_t c) {
  const bool control = c < 0x20 || (c >= 0x7F && c <= 0x9F);
  const bool surrogate = c >= 0xD800 && c <= 0xDFFF;
  return !control && !surrogate && c != U'\\';
}

void AppendEscape(Text& out, unsigned char byte) {
  out += u"\\x";
  out += static_cast<char16_t>(kHexDigits[byte >> 4]);
  out += static_cast<char16_t>(kHexDigits[byte & 0x0F]);
}

int HexValue(char16_t c) {
  if (c >= u'0' && c <= u'9') return c - u'0';
  if (c >= u'A' && c <= u'F') return c - u'A' + 10;
  if (c >= u'a' && c <= u'f') return c - u'a' + 10;
  return -1;
}

}  // namespace

Text PathToText(const std::filesystem::path& path) {
  const BytesView bytes = path.native();
  Text out;
  out.reserve(bytes.size());
  for (std::size_t i = 0; i < bytes.size();) {
    char32_t c = 0;
    const std::size_t length = DecodeUtf8Sequence(bytes, i, c);
    if (length > 0 && Readable(c)) {
      AppendUnits(out, c);
      i += length;
      continue;
    }
    // An invalid byte alone; a valid but unreadable character with all its bytes.
    for (const std::size_t end = i + std::max<std::size_t>(length, 1); i < end; ++i) {
      AppendEscape(out, static_cast<unsigned char>(bytes[i]));
    }
  }
  return out;
}

bool IsByteEscape(TextView text, std::size_t at) {
  return at + 3 < text.size() && text[at] == u'\\' && text[at + 1] == u'x' &&
         HexValue(text[at + 2]) >= 0 && HexValue(text[at + 3]) >= 0;
}

std::filesystem::path TextToPath(TextView text) {
  Bytes out;
  std::size_t plain = 0;  // start of the text not yet written
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (!IsByteEscape(text, i)) continue;
    out += EncodeWtf8(text.substr(plain, i - plain));
    out += static_cast<char>(HexValue(text[i + 2]) * 16 + HexValue(text[i + 3]));
    i += 3;
    plain = i + 1;
  }
  out += EncodeWtf8(text.substr(plain));
  return out;
}

std::filesystem::path FolderOf(const std::filesystem::path& path) {
  const std::size_t slash = path.native().rfind('/');
  return slash == Bytes::npos ? Bytes() : path.native().substr(0, slash + 1);
}

std::filesystem::path NameOf(const std::filesystem::path& path) {
  const std::size_t slash = path.native().rfind('/');
  return slash == Bytes::npos ? path.native() : path.native().substr(slash + 1);
}

std::filesystem::path Append(const std::filesystem::path& path, BytesView tail) {
  Bytes out = path.native();
  out += tail;
  return out;
}

}  // namespace qor
