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

}  // namespace qor
