// The code page service against Windows' own conversion tables: every code the table decodes to
// a character, and every BMP code point but the surrogates. Differences must be listed, with
// their count and reason, in codepage_differences.inc.
//
// QOR_CODEPAGE_REPORT=1 prints every difference grouped in ranges; QOR_WRITE_DIGESTS=FILE writes
// codepage_digests.inc from the tables with the accepted differences in place.

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <map>

#include "codepage_differences.h"
#include "codepage_digest.h"
#include "codepage_sweep.h"
#include "support/test_support.h"
#include "winref_table.h"

namespace qor {
namespace {

// The pages that have a table: the code page dialog's, and the Windows pages 1254 to 1257.
constexpr int kTablePages[] = {936,   950,   932,   20932, 949,   1361, 20949, 874,  1258,
                               1252,  28591, 10000, 850,   437,   37,   500,   1250, 28592,
                               10029, 852,   1253,  28597, 10006, 737,  869,   1251, 28595,
                               10007, 866,   20866, 21866, 855,   1254, 1255,  1256, 1257};
// Pages without a table: their digests cover one pass over the whole BMP.
constexpr int kOtherPages[] = {54936, 52936, 50227, 20000, 50229, 50221, 50225, 65000, 65001};

struct Found {
  Direction direction;
  DifferenceKind kind;
  std::uint32_t code;
  std::string ours;
  std::string windows;
};

const char* KindName(DifferenceKind kind) {
  switch (kind) {
    case DifferenceKind::kNotDecoded:
      return "kNotDecoded";
    case DifferenceKind::kOtherCharacter:
      return "kOtherCharacter";
    case DifferenceKind::kNoBestFit:
      return "kNoBestFit";
    case DifferenceKind::kControlBestFit:
      return "kControlBestFit";
    case DifferenceKind::kExtraMapping:
      return "kExtraMapping";
    case DifferenceKind::kOtherBytes:
      return "kOtherBytes";
  }
  return "?";
}

bool IsControlCharacter(char32_t c) { return c < 0x20 || (c >= 0x7F && c <= 0x9F); }

std::string Units(TextView text) {
  std::string out;
  char buffer[12];
  for (const char16_t c : text) {
    std::snprintf(buffer, sizeof buffer, "%sU+%04X", out.empty() ? "" : " ", unsigned{c});
    out += buffer;
  }
  return out;
}

// The outcome of one page: what the service gives, and where it differs from the table.
struct PageResult {
  std::vector<TableCode> codes;
  std::vector<Text> decoded;   // the service's, per code
  std::vector<Bytes> encoded;  // the service's, per BMP code point but the surrogates
  std::vector<Found> found;
};

PageResult Compare(int code_page, const WinrefTable& table, bool sample) {
  PageResult result;
  result.codes = table.RealCodes();
  std::vector<char16_t> chars = BmpCharacters();
  if (sample) {  // under the sanitizers: every 23rd code and character
    std::vector<TableCode> codes;
    for (std::size_t i = 0; i < result.codes.size(); i += 23) codes.push_back(result.codes[i]);
    result.codes = codes;
    std::vector<char16_t> some;
    for (std::size_t i = 0; i < chars.size(); i += 23) some.push_back(chars[i]);
    chars = some;
  }
  std::vector<Bytes> code_bytes;
  for (const TableCode& code : result.codes) code_bytes.push_back(code.AsBytes());
  result.decoded = DecodeEach(code_page, code_bytes);
  for (std::size_t i = 0; i < result.codes.size(); ++i) {
    const Text windows(1, result.codes[i].value);
    if (result.decoded[i] == windows) continue;
    const DifferenceKind kind = result.decoded[i] == u"\uFFFD" ? DifferenceKind::kNotDecoded
                                                               : DifferenceKind::kOtherCharacter;
    result.found.push_back(
        {Direction::kDecode, kind, result.codes[i].code, Units(result.decoded[i]), Units(windows)});
  }

  result.encoded = EncodeEach(code_page, chars);
  const Bytes question = EncodeCodePage(u"?", code_page).value_or(Bytes());
  for (std::size_t i = 0; i < chars.size(); ++i) {
    const Bytes windows = table.Encode(chars[i]);
    const Bytes& ours = result.encoded[i];
    if (ours == windows) continue;
    const bool windows_none = windows == table.DefaultBytes() && chars[i] != u'?';
    DifferenceKind kind = DifferenceKind::kOtherBytes;
    if (windows_none) {
      kind = DifferenceKind::kExtraMapping;
    } else if (ours == question) {
      const bool onto_control =
          windows.size() == 1 &&
          IsControlCharacter(table.Decode(static_cast<unsigned char>(windows[0]), false));
      kind = onto_control && !IsControlCharacter(chars[i]) ? DifferenceKind::kControlBestFit
                                                           : DifferenceKind::kNoBestFit;
    }
    result.found.push_back({Direction::kEncode, kind, chars[i], ToHex(ours), ToHex(windows)});
  }
  return result;
}

// Prints the differences of a page as ranges of one kind, for writing the accepted list, or
// one a line when detailed.
void Report(int code_page, const PageResult& result, bool detailed) {
  if (detailed) {
    for (const Found& f : result.found) {
      std::printf("%d %s %s %04X %s / %s\n", code_page,
                  f.direction == Direction::kDecode ? "decode" : "encode", KindName(f.kind), f.code,
                  f.ours.c_str(), f.windows.c_str());
    }
    return;
  }
  std::size_t decode = 0;
  for (const Found& f : result.found) decode += f.direction == Direction::kDecode;
  std::printf("== %d: %zu codes, %zu decoding differences, %zu encoding differences\n", code_page,
              result.codes.size(), decode, result.found.size() - decode);
  std::map<std::pair<Direction, DifferenceKind>, std::vector<const Found*>> groups;
  for (const Found& f : result.found) groups[{f.direction, f.kind}].push_back(&f);
  for (const auto& [key, found] : groups) {
    std::printf("{%d, Direction::%s, DifferenceKind::%s, 0x%04X, 0x%04X, %zu, \"\"},  // %s / %s\n",
                code_page, key.first == Direction::kDecode ? "kDecode" : "kEncode",
                KindName(key.second), found.front()->code, found.back()->code, found.size(),
                found.front()->ours.c_str(), found.front()->windows.c_str());
  }
}

bool Sampled() {
#ifdef QOR_SANITIZED
  return true;
#else
  return false;
#endif
}

// Checks the differences of one page against the accepted list; returns the digests of the
// table with the accepted differences in place.
void CheckPage(int code_page, const WinrefTable& table, const PageResult& result) {
  std::vector<const AcceptedDifference*> accepted;
  for (const AcceptedDifference& a : kDifferences) {
    if (a.code_page == code_page) accepted.push_back(&a);
  }
  std::map<const AcceptedDifference*, std::size_t> counts;
  std::size_t unlisted = 0;
  for (const Found& f : result.found) {
    const AcceptedDifference* match = nullptr;
    for (const AcceptedDifference* a : accepted) {
      if (a->direction == f.direction && a->kind == f.kind && f.code >= a->first &&
          f.code <= a->last) {
        match = a;
        break;
      }
    }
    if (match) {
      ++counts[match];
    } else if (++unlisted <= 20) {
      ADD_FAILURE() << code_page
                    << (f.direction == Direction::kDecode ? " decoding " : " encoding ") << std::hex
                    << std::uppercase << f.code << ": here " << f.ours << ", Windows " << f.windows
                    << " (" << KindName(f.kind) << ", not listed)";
    }
  }
  EXPECT_EQ(unlisted, 0u) << code_page << ": differences not in codepage_differences.inc";
  if (Sampled()) return;  // the counts hold for the whole table only
  for (const AcceptedDifference* a : accepted) {
    EXPECT_EQ(counts[a], a->count) << code_page << " " << KindName(a->kind) << " " << std::hex
                                   << a->first << "-" << a->last << ": " << a->reason;
  }
  (void)table;
}

// The digests of the table with the accepted differences in place (the test has failed for any
// other difference).
Digests TableDigests(const WinrefTable& table, const PageResult& result) {
  std::vector<Text> decoded;
  for (std::size_t i = 0; i < result.codes.size(); ++i) {
    const Text windows(1, result.codes[i].value);
    decoded.push_back(result.decoded[i] != windows ? result.decoded[i] : windows);
  }
  std::vector<Bytes> encoded;
  const std::vector<char16_t> chars = BmpCharacters();
  for (std::size_t i = 0; i < chars.size(); ++i) {
    const Bytes windows = table.Encode(chars[i]);
    encoded.push_back(result.encoded[i] != windows ? result.encoded[i] : windows);
  }
  return {DigestOf(decoded), DigestOf(encoded)};
}

std::string CodeRanges(const PageResult& result) {
  std::vector<unsigned> codes;
  for (const TableCode& code : result.codes) codes.push_back(code.code);
  return FormatCodeRanges(codes);
}

TEST(CodePageConformance, EveryCodeAndCharacterAsWindowsOrListed) {
  if (!WinrefTable::Folder()) GTEST_SKIP() << "Windows' tables are not here (QOR_WINREF_DIR)";
  const char* report = std::getenv("QOR_CODEPAGE_REPORT");
  const char* write_to = std::getenv("QOR_WRITE_DIGESTS");
  std::string generated;
  for (const int code_page : kTablePages) {
    SCOPED_TRACE(code_page);
    const std::optional<WinrefTable> table = WinrefTable::Load(code_page);
    ASSERT_TRUE(table) << "no table for " << code_page;
    const PageResult result = Compare(code_page, *table, Sampled());
    if (report) Report(code_page, result, std::string(report) == "2");
    CheckPage(code_page, *table, result);
    if (Sampled()) continue;
    const std::string codes = CodeRanges(result);
    const Digests digests = TableDigests(*table, result);
    generated += FormatDigestEntry(code_page, codes, digests);
    if (write_to) continue;
    const CodePageDigest* kept = FindDigest(code_page);
    ASSERT_TRUE(kept) << code_page << " has no digest: write codepage_digests.inc again";
    EXPECT_EQ(kept->codes, codes) << "the table's codes changed";
    EXPECT_EQ(kept->decoded, digests.decoded) << "kept decoding digest is not the table's";
    EXPECT_EQ(kept->encoded, digests.encoded) << "kept encoding digest is not the table's";
  }
  if (!write_to || HasFailure()) return;
  for (const int code_page : kOtherPages) {
    generated += FormatDigestEntry(code_page, "", DigestService(code_page, {}));
  }
  std::ofstream(write_to)
      << "// Written by codepage_conformance_test with QOR_WRITE_DIGESTS set: code page, codes,\n"
         "// SHA-256 of the decoded codes, SHA-256 of the encoded BMP.\n"
      << generated;
}

}  // namespace
}  // namespace qor
