#pragma once
// Reads the Windows-format code page tables (c_NNN.nls) that the conformance test compares the
// code page service with. The folder is $QOR_WINREF_DIR, else $QOR_SOURCE_DIR/../shared/winref.

#include <array>
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>
#include <vector>

#include "platform/text.h"

namespace qor {

// A code as a number: a single byte b, or lead and trail as lead * 256 + trail.
struct TableCode {
  std::uint16_t code = 0;
  bool two_bytes = false;
  char16_t value = 0;  // what Windows decodes it to

  Bytes AsBytes() const {
    if (!two_bytes) return Bytes(1, static_cast<char>(code));
    return Bytes{static_cast<char>(code >> 8), static_cast<char>(code & 0xFF)};
  }
};

class WinrefTable {
 public:
  // The table of a code page; nullopt when the folder or the file is missing or malformed.
  static std::optional<WinrefTable> Load(int code_page) {
    const std::optional<std::string> dir = Folder();
    if (!dir) return std::nullopt;
    const std::string name =
        *dir + (code_page < 100 ? "/c_0" : "/c_") + std::to_string(code_page) + ".nls";
    std::ifstream in(name, std::ios::binary);
    if (!in) return std::nullopt;
    const std::string data((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    WinrefTable table;
    if (!table.Parse(data) || table.code_page_ != code_page) return std::nullopt;
    return table;
  }

  // The folder of the tables, when it exists.
  static std::optional<std::string> Folder() {
    std::string dir;
    if (const char* env = std::getenv("QOR_WINREF_DIR"); env && *env) {
      dir = env;
    } else if (const char* source = std::getenv("QOR_SOURCE_DIR"); source && *source) {
      dir = std::string(source) + "/../shared/winref";
    } else {
      return std::nullopt;
    }
    if (!std::ifstream(dir + "/c_1252.nls")) return std::nullopt;
    return dir;
  }

  bool IsLead(int byte) const { return lead_offset_[byte] != 0; }
  bool two_byte() const { return max_bytes_ == 2; }
  char16_t Decode(std::uint16_t code, bool two_bytes) const {
    if (!two_bytes) return single_[code];
    return Word(pairs_base_ + lead_offset_[code >> 8] + (code & 0xFF));
  }
  // The bytes Windows writes for a BMP code point (a best fit where they decode to another).
  Bytes Encode(char16_t c) const {
    const std::uint16_t v = wide_[c];
    if (v > 0xFF) return Bytes{static_cast<char>(v >> 8), static_cast<char>(v & 0xFF)};
    return Bytes(1, static_cast<char>(v));
  }
  // The bytes written for a character the code page lacks.
  Bytes DefaultBytes() const { return Bytes(1, static_cast<char>(default_byte_)); }

  // Every code that decodes to a character, in code order.
  std::vector<TableCode> RealCodes() const {
    std::vector<TableCode> out;
    for (int b = 0; b < 256; ++b) {
      if (!IsLead(b)) {
        AddIfReal(out, static_cast<std::uint16_t>(b), false);
        continue;
      }
      for (int t = 0; t < 256; ++t) AddIfReal(out, static_cast<std::uint16_t>(b << 8 | t), true);
    }
    return out;
  }

 private:
  void AddIfReal(std::vector<TableCode>& out, std::uint16_t code, bool two_bytes) const {
    const TableCode entry{code, two_bytes, Decode(code, two_bytes)};
    if (entry.value != unicode_default_ || Encode(entry.value) == entry.AsBytes()) {
      out.push_back(entry);
    }
  }

  std::uint16_t Word(std::size_t i) const {
    if (2 * i + 1 >= data_.size()) return 0;
    return static_cast<std::uint16_t>(static_cast<unsigned char>(data_[2 * i]) |
                                      static_cast<unsigned char>(data_[2 * i + 1]) << 8);
  }

  bool Parse(const std::string& data) {
    data_ = data;
    const std::size_t header = Word(0);
    code_page_ = Word(1);
    max_bytes_ = Word(2);
    default_byte_ = Word(3);
    unicode_default_ = Word(4);
    std::size_t p = header;
    const std::size_t wide = p + Word(p) + 1;
    ++p;
    for (int b = 0; b < 256; ++b) single_[b] = Word(p + b);
    p += 256;
    if (Word(p)) p += 256;  // glyph table of the OEM pages
    ++p;
    lead_offset_.fill(0);
    if (Word(p)) {
      pairs_base_ = p + 1;
      for (int b = 0; b < 256; ++b) lead_offset_[b] = Word(p + 1 + b);
    }
    wide_.resize(65536);
    for (std::size_t c = 0; c < 65536; ++c) {
      if (max_bytes_ == 2) {
        wide_[c] = Word(wide + c);
      } else {
        const std::size_t at = 2 * wide + c;
        wide_[c] = at < data_.size() ? static_cast<unsigned char>(data_[at]) : 0;
      }
    }
    return 2 * wide + (max_bytes_ == 2 ? 2 : 1) * 65536 <= data_.size();
  }

  std::string data_;
  int code_page_ = 0;
  int max_bytes_ = 1;
  std::uint16_t default_byte_ = 0x3F;
  char16_t unicode_default_ = u'?';
  std::array<char16_t, 256> single_{};
  std::array<std::uint16_t, 256> lead_offset_{};
  std::size_t pairs_base_ = 0;
  std::vector<std::uint16_t> wide_;
};

}  // namespace qor
