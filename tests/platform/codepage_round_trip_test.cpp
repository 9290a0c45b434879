// Every single byte and every two-byte code that decodes to a character re-encodes to the same
// bytes, except the codes Windows itself maps one way: duplicates whose character Windows
// writes with another code.

#include <gtest/gtest.h>

#include <map>

#include "codepage_sweep.h"
#include "support/test_support.h"

namespace qor {
namespace {

struct OneWay {
  int code_page;
  std::uint16_t first;  // lead * 256 + trail
  std::uint16_t last;
  std::size_t count;
  const char* reason;
};

constexpr OneWay kOneWay[] = {
    {950, 0xA2A4, 0xA2A7, 4, "box drawing that the ETEN rows have too (F9F9, F9E9-F9EB)"},
    {950, 0xA2CC, 0xA2CE, 2, "十 and 卅, written with A451 and A4CA"},
    {950, 0xF9FA, 0xF9FD, 4, "ETEN rounded corners that row A2 has too (A27E, A2A1-A2A3)"},
    {932, 0x8790, 0x879C, 9, "NEC row 13 symbols that row 2 has too (≒ ≡ ∫ √ ⊥ ∠ ∵ ∩ ∪)"},
    {932, 0xED40, 0xEEFC, 374, "NEC-selected IBM extensions, written with FA40-FC4B"},
    {932, 0xFA4A, 0xFA5B, 15, "IBM Roman numerals and symbols that NEC row 13 or row 2 has"},
};

TEST(CodePageRoundTrip, CodesReencodeToThemselves) {
#ifdef QOR_SANITIZED
  const int step = 5;  // a sample of the lead bytes
#else
  const int step = 1;
#endif
  for (const int code_page : {936, 950, 949, 932, 1252}) {
    SCOPED_TRACE(code_page);
    std::vector<Bytes> codes;
    for (int b = 0; b < 0x100; ++b) codes.push_back(Bytes(1, static_cast<char>(b)));
    for (int lead = 0x80; lead < 0x100; lead += step) {
      for (int trail = 0; trail < 0x100; ++trail) {
        codes.push_back(Bytes{static_cast<char>(lead), static_cast<char>(trail)});
      }
    }
    const std::vector<Text> decoded = DecodeEach(code_page, codes);
    std::vector<Bytes> characters;  // the codes that decode to one character
    std::vector<char16_t> units;
    for (std::size_t i = 0; i < codes.size(); ++i) {
      if (decoded[i].size() == 1 && decoded[i][0] != u'\uFFFD') {
        characters.push_back(codes[i]);
        units.push_back(decoded[i][0]);
      }
    }
    EXPECT_GT(characters.size(), 200u);
    const std::vector<Bytes> encoded = EncodeEach(code_page, units);
    std::map<const OneWay*, std::size_t> one_way;
    for (std::size_t i = 0; i < characters.size(); ++i) {
      if (encoded[i] == characters[i]) continue;
      const Bytes& code = characters[i];
      const auto number =
          static_cast<std::uint16_t>(code.size() == 2 ? static_cast<unsigned char>(code[0]) << 8 |
                                                            static_cast<unsigned char>(code[1])
                                                      : static_cast<unsigned char>(code[0]));
      const OneWay* listed = nullptr;
      for (const OneWay& entry : kOneWay) {
        if (entry.code_page == code_page && number >= entry.first && number <= entry.last) {
          listed = &entry;
        }
      }
      if (listed) {
        ++one_way[listed];
      } else {
        ADD_FAILURE() << ToHex(code) << " decodes to " << Show(Text(1, units[i]))
                      << " which encodes to " << ToHex(encoded[i]);
      }
    }
    if (step != 1) continue;
    for (const OneWay& entry : kOneWay) {
      if (entry.code_page == code_page) {
        EXPECT_EQ(one_way[&entry], entry.count) << entry.reason;
      }
    }
  }
}

}  // namespace
}  // namespace qor
