// The code page service against the digests kept in codepage_digests.inc: every code Windows
// decodes to a character and every BMP code point, on every code page, without Windows' tables.

#include "codepage_digest.h"

#include <gtest/gtest.h>

#include <set>

#include "codepage/selector_tables.h"

namespace qor {
namespace {

TEST(Sha256, KnownAnswers) {
  const struct {
    std::string message;
    const char* digest;
  } cases[] = {
      {"", "e3b0c44298fc1c149afbf4c8996fb92427ae41e4649b934ca495991b7852b855"},
      {"abc", "ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad"},
      {"abcdbcdecdefdefgefghfghighijhijkijkljklmklmnlmnomnopnopq",
       "248d6a61d20638b8e5c026930c3e6039a33ce45964ff2167f6ecedd419db06c1"},
      {std::string(1000000, 'a'),
       "cdc76e5c9914fb9281a1c7e284d73e67f1809a48a497200e046d39ccc7112cd0"},
  };
  for (const auto& c : cases) {
    Sha256 sha;
    sha.Add(std::string_view(c.message));
    EXPECT_EQ(sha.Hex(), c.digest) << c.message.size() << " bytes";
  }
  // Pieces hash as their concatenation; text as UTF-16LE.
  Sha256 pieces;
  pieces.Add(std::u16string_view(u"ab"));
  pieces.Add(std::string_view("c\0", 2));
  Sha256 whole;
  whole.Add(std::string_view("a\0b\0c\0", 6));
  EXPECT_EQ(pieces.Hex(), whole.Hex());
}

TEST(CodePageDigests, CoverEveryCodePageOfTheDialog) {
  std::set<int> kept;
  for (const CodePageDigest& digest : kDigests) kept.insert(digest.code_page);
  for (const SelectorEntry& entry : CodePageTable()) {
    if (entry.value < 0) continue;  // "(=)"
    EXPECT_TRUE(kept.count(entry.value)) << entry.value;
    EXPECT_TRUE(IsCodePageSupported(entry.value)) << entry.value;
  }
  for (const int code_page : {1254, 1255, 1256, 1257}) EXPECT_TRUE(kept.count(code_page));
}

TEST(CodePageDigests, CodesAreWindowsCodes) {
  // The counts of Windows' real codes on the double-byte pages.
  const struct {
    int code_page;
    std::size_t codes;
  } cases[] = {{936, 24070}, {950, 19850}, {949, 17366}, {932, 9800}, {1252, 256}};
  for (const auto& c : cases) {
    EXPECT_EQ(ParseCodeRanges(FindDigest(c.code_page)->codes).size(), c.codes) << c.code_page;
  }
}

TEST(CodePageDigests, ServiceGivesTheKeptDigests) {
#ifdef QOR_SANITIZED
  const std::set<int> pages = {936, 932, 1361, 1252, 50221, 65000};  // a sample
#endif
  for (const CodePageDigest& kept : kDigests) {
#ifdef QOR_SANITIZED
    if (!pages.count(kept.code_page)) continue;
#endif
    SCOPED_TRACE(kept.code_page);
    const Digests digests = DigestService(kept.code_page, ParseCodeRanges(kept.codes));
    EXPECT_EQ(digests.decoded, kept.decoded) << "decoding changed";
    EXPECT_EQ(digests.encoded, kept.encoded) << "encoding changed";
  }
}

}  // namespace
}  // namespace qor
