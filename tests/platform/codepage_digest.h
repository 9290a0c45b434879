#pragma once
// Digests of the code page service's output, kept in the repository so that a clone without
// Windows' tables still checks every code exactly. The conformance test writes them (see
// codepage_conformance_test.cpp) and the digest test compares the service with them.

#include <string>
#include <vector>

#include "codepage_sweep.h"
#include "sha256.h"

namespace qor {

struct CodePageDigest {
  int code_page;
  // Table pages: the codes Windows decodes to a character, as hex ranges "00-7F 8140-817E".
  // Other pages: empty, and the digests cover one encoding of the whole BMP and its decoding.
  const char* codes;
  const char* decoded;  // SHA-256 of the decoded text of every code, in code order
  const char* encoded;  // SHA-256 of the bytes of every BMP code point but the surrogates
};

// Ranges "A-B C D-E" as the list of codes; a code below 0x100 is one byte.
inline std::vector<Bytes> ParseCodeRanges(const std::string& ranges) {
  std::vector<Bytes> out;
  std::size_t i = 0;
  while (i < ranges.size()) {
    if (ranges[i] == ' ') {
      ++i;
      continue;
    }
    std::size_t used = 0;
    const unsigned long first = std::stoul(ranges.substr(i), &used, 16);
    i += used;
    unsigned long last = first;
    if (i < ranges.size() && ranges[i] == '-') {
      last = std::stoul(ranges.substr(i + 1), &used, 16);
      i += 1 + used;
    }
    for (unsigned long code = first; code <= last; ++code) {
      if (code < 0x100) {
        out.push_back(Bytes(1, static_cast<char>(code)));
      } else {
        out.push_back(Bytes{static_cast<char>(code >> 8), static_cast<char>(code & 0xFF)});
      }
    }
  }
  return out;
}

// The inverse of ParseCodeRanges over codes in increasing order.
inline std::string FormatCodeRanges(const std::vector<unsigned>& codes) {
  std::string out;
  char buffer[16];
  for (std::size_t i = 0; i < codes.size();) {
    std::size_t j = i;
    while (j + 1 < codes.size() && codes[j + 1] == codes[j] + 1) ++j;
    const char* format = codes[i] < 0x100 ? "%02X" : "%04X";
    std::snprintf(buffer, sizeof buffer, format, codes[i]);
    if (!out.empty()) out += ' ';
    out += buffer;
    if (j > i) {
      std::snprintf(buffer, sizeof buffer, codes[j] < 0x100 ? "-%02X" : "-%04X", codes[j]);
      out += buffer;
    }
    i = j + 1;
  }
  return out;
}

template <typename Pieces>
std::string DigestOf(const Pieces& pieces) {
  Sha256 sha;
  for (const auto& piece : pieces) sha.Add(piece);
  return sha.Hex();
}

// Every BMP code point but the surrogates, as one text.
inline Text BmpText() {
  const std::vector<char16_t> chars = BmpCharacters();
  return Text(chars.begin(), chars.end());
}

struct Digests {
  std::string decoded;
  std::string encoded;
};

// The digests of what the service gives: for a page with codes, each code decoded and each BMP
// code point encoded on its own; for a page without, the whole BMP encoded as one text and
// those bytes decoded again.
inline Digests DigestService(int code_page, const std::vector<Bytes>& codes) {
  if (codes.empty()) {
    const Bytes bytes = EncodeCodePage(BmpText(), code_page).value_or(Bytes());
    const Text text = DecodeCodePage(bytes, code_page).value_or(Text());
    return {DigestOf(std::vector<Text>{text}), DigestOf(std::vector<Bytes>{bytes})};
  }
  return {DigestOf(DecodeEach(code_page, codes)), DigestOf(EncodeEach(code_page, BmpCharacters()))};
}

// One entry of codepage_digests.inc, its literals wrapped at 100 columns.
inline std::string FormatDigestEntry(int code_page, const std::string& codes,
                                     const Digests& digests) {
  std::string out = "{" + std::to_string(code_page) + ",\n";
  std::string line = "    \"";
  for (std::size_t i = 0; i < codes.size(); ++i) {
    line += codes[i];
    if (line.size() >= 92 && codes[i] == ' ') {
      out += line + "\"\n";
      line = "    \"";
    }
  }
  out += line + "\",\n";
  out += "    \"" + digests.decoded + "\",\n";
  out += "    \"" + digests.encoded + "\"},\n";
  return out;
}

inline constexpr CodePageDigest kDigests[] = {
#include "codepage_digests.inc"
};

inline const CodePageDigest* FindDigest(int code_page) {
  for (const CodePageDigest& digest : kDigests) {
    if (digest.code_page == code_page) return &digest;
  }
  return nullptr;
}

}  // namespace qor
