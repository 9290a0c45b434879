#include "codecs/hex_escapes.h"

#include <gtest/gtest.h>

#include "codepage/byte_strings.h"
#include "codepage/reinterpret.h"
#include "random_text.h"
#include "support/test_support.h"

namespace qor {
namespace {

constexpr LcidSelector kGb = kLcidChineseSimplified, kBig5 = kLcidChineseTraditional,
                       kLatin1 = kLcidLatin1, kUtf8 = kLcidUtf8;

struct Case {
  int mode;
  LcidSelector selector;
  Text in;
  Text out;
};

TEST(DecodeHexEscapes, Examples) {
  const int url = kUrlEncoding, qp = kQuotedPrintable;
  const Case cases[] = {
      {url, kGb, u"work%2Easp%3Fs%3D%B5%E7%C4%D4", u"work.asp?s=电脑"},
      {url, kUtf8, u"%E4%B8%AD%e6%96%87", u"中文"},
      {url, kBig5, u"%A4%A4%A4%E5", u"中文"},
      {url, kLatin1, u"caf%E9", u"café"},
      {qp, kGb, u"=D6=A7=B3=D6ASCII=C2=EB", u"支持ASCII码"},
      // A plain ASCII trail byte after an escaped lead byte, under an LCID only.
      {url, kGb, u"%81A", u"丄"},
      {url, kGb, u"%81%41B", u"丄B"},
      {url, kGb, u"%D6%D0A", u"中A"},
      // "+" is a space before decoding; malformed escapes stay.
      {url, kGb, u"a+b", u"a b"},
      {url, kGb, u"a%2Bb", u"a+b"},
      {url, kGb, u"100%", u"100%"},
      {url, kGb, u"%4", u"%4"},
      {url, kGb, u"%ZZ", u"%ZZ"},
      {url, kGb, u"%%41%4x%", u"%A%4x%"},
      {url, kGb, u"%00", u" "},
      // Soft line breaks, with CR LF, CR or LF; at most one space or TAB before the break.
      {qp, kGb, u"abc=\r\ndef", u"abcdef"},
      {qp, kGb, u"abc=\ndef=\rghi", u"abcdefghi"},
      {qp, kGb, u"a= \r\nb=\t\nc=  \r\nd", u"abc=  \r\nd"},
      {qp, kGb, u"=D6=\r\n=D0", u"中"},
      {qp, kLatin1, u"x=bc", u"x\u00BC"},
      {qp, kGb, u"a=b", u"a=b"},
      {qp, kGb, u"a=3D=3d", u"a=="},
      {qp, kGb, u"a+b", u"a+b"},
      {url, kGb, u"a=41", u"a=41"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(DecodeHexEscapes(c.in, c.selector, c.mode), c.out)
        << c.mode << " " << c.selector << " " << Show(c.in);
  }
  // Without an LCID there is no trail rule: the byte alone, then the "A".
  EXPECT_EQ(DecodeHexEscapes(u"%81A", kUtf8, kUrlEncoding),
            *DecodeBySelector("\x81", kUtf8) + u"A");
  EXPECT_EQ(DecodeHexEscapes(u"%81A", kLatin1, kUrlEncoding), u"\u0081A");
}

TEST(DecodeHexEscapes, UnsupportedSelectorsAndEmptyText) {
  for (const std::int32_t other : {-2, -3, -5, 99999, 0x7FFFFFFF}) {
    const LcidSelector selector{other};
    EXPECT_EQ(DecodeHexEscapes(u"%41", selector, kUrlEncoding), u"") << selector;
    EXPECT_EQ(DecodeHexEscapes(u"plain", selector, kQuotedPrintable), u"") << selector;
  }
  EXPECT_EQ(DecodeHexEscapes(u"", kGb, kUrlEncoding), u"");
}

// The reference: prepare, then read the text left to right; a run is a maximal sequence of
// complete escapes, where an escaped lead byte may be followed by one plain trail character.
Text ReferenceDecode(TextView text, LcidSelector selector, int mode) {
  const bool url = mode == kUrlEncoding;
  const char16_t escape = url ? u'%' : u'=';
  Text s;
  if (url) {
    for (const char16_t c : text) s += c == u'+' ? u' ' : c;
  } else {
    s = Text(text);
    for (const TextView lead : {u"=", u"= ", u"=\t"}) {
      Text next;
      for (std::size_t i = 0; i < s.size();) {
        std::size_t after = i + lead.size();
        if (s.compare(i, lead.size(), lead) == 0 && after < s.size() &&
            (s[after] == u'\r' || s[after] == u'\n')) {
          i = after + (s[after] == u'\r' && after + 1 < s.size() && s[after + 1] == u'\n' ? 2 : 1);
        } else {
          next += s[i++];
        }
      }
      s = next;
    }
  }
  const auto hex = [](char16_t c) {
    return (c >= u'0' && c <= u'9') || (c >= u'A' && c <= u'F') || (c >= u'a' && c <= u'f');
  };
  const auto escape_at = [&](std::size_t i) {
    return i + 2 < s.size() && s[i] == escape && hex(s[i + 1]) && hex(s[i + 2]);
  };
  Text out;
  for (std::size_t i = 0; i < s.size();) {
    if (!escape_at(i)) {
      out += s[i++];
      continue;
    }
    Bytes run;
    bool lead = false;
    while (true) {
      if (escape_at(i)) {
        const auto byte = static_cast<unsigned char>(
            std::stoi(std::string{char(s[i + 1]), char(s[i + 2])}, nullptr, 16));
        run += static_cast<char>(byte);
        lead = selector.value >= 1 && byte >= 0x81 && byte <= 0xFE && !lead;
        i += 3;
      } else if (lead && i < s.size() && s[i] != escape && s[i] >= 0x21 && s[i] <= 0x7E) {
        run += static_cast<char>(s[i++]);
        lead = false;
      } else {
        break;
      }
    }
    Text decoded = *DecodeBySelector(run, selector);
    ZerosToSpaces(decoded);
    out += decoded;
  }
  return out;
}

const Text kPieces[] = {u"%",   u"=",   u"%4",  u"=4",  u"1",   u"A",    u"f",     u"G",    u"%81",
                        u"=81", u"%D6", u"=D0", u"%A4", u"%E4", u"%B8",  u"%AD",   u"%00",  u"+",
                        u"@",   u" ",   u"\t",  u"\r",  u"\n",  u"\r\n", u"=\r\n", u"= \n", u"中",
                        u"~",   u"%7F", u"%1A", u"%1C", u"%5C", u"%A1"};

TEST(DecodeHexEscapes, AgreesWithTheReferenceOnRandomText) {
  RandomText random(4);
  for (int round = 0; round < 2000; ++round) {
    const Text text = random.Pieces(kPieces, 1 + random.Below(20));
    for (const int mode : {kUrlEncoding, kQuotedPrintable}) {
      for (const LcidSelector selector : {kGb, kBig5, kUtf8, kLatin1, LcidSelector{1041}}) {
        ASSERT_EQ(DecodeHexEscapes(text, selector, mode), ReferenceDecode(text, selector, mode))
            << mode << " " << selector << " " << Show(text);
      }
    }
  }
}

// Cut inside soft breaks, escapes and lead/trail pairs: each part decodes as the reference says.
TEST(DecodeHexEscapes, EverySplitPoint) {
  const Text texts[] = {u"=D6=D0=CE=C4=\r\n=B2=E2 = \r\nx=3D=81@=\n=81A",
                        u"%D6%D0%81A%81%41+%E4%B8%AD%4", u"a%%81Bc%FF%FE%FE%81=%81%"};
  for (const Text& text : texts) {
    for (std::size_t cut = 0; cut <= text.size(); ++cut) {
      for (const Text& part : {text.substr(0, cut), text.substr(cut)}) {
        for (const int mode : {kUrlEncoding, kQuotedPrintable}) {
          for (const LcidSelector selector : {kGb, kUtf8}) {
            if (part.empty()) continue;
            EXPECT_EQ(DecodeHexEscapes(part, selector, mode), ReferenceDecode(part, selector, mode))
                << Show(part);
          }
        }
      }
    }
  }
}

TEST(EncodeQuotedPrintable, Examples) {
  EXPECT_EQ(EncodeQuotedPrintable(u"a=b", false), u"a=3Db");
  EXPECT_EQ(EncodeQuotedPrintable(u"\t", false), u"=09");
  EXPECT_EQ(EncodeQuotedPrintable(u"\r\n", false), u"=0D=0A");
  EXPECT_EQ(EncodeQuotedPrintable(u"电", false), u"=B5=E7");
  EXPECT_EQ(EncodeQuotedPrintable(u"电", true), u"=E7=94=B5");
  EXPECT_EQ(EncodeQuotedPrintable(Text(u"\0\x1F\x7F ~", 5), false), u"=00=1F=7F ~");
  EXPECT_EQ(EncodeQuotedPrintable(u"", false), u"");
}

TEST(EncodeQuotedPrintable, SoftBreaksKeepLinesAt76) {
  // 26 three-character tokens: 25 on the first line (75 characters), then the soft break.
  const Text text(13, u'电');
  const Text encoded = EncodeQuotedPrintable(text, false);
  Text expected;
  for (int k = 0; k < 12; ++k) expected += u"=B5=E7";
  expected += u"=B5=\r\n=E7";
  EXPECT_EQ(encoded, expected);
  // Exactly 75 plain characters need no break; the 76th starts a new line.
  EXPECT_EQ(EncodeQuotedPrintable(Text(75, u'a'), false), Text(75, u'a'));
  EXPECT_EQ(EncodeQuotedPrintable(Text(76, u'a'), false), Text(75, u'a') + u"=\r\na");
  // On any text every line, "=" included, is at most 76 characters.
  RandomText random(5);
  const Text line =
      EncodeQuotedPrintable(random.Bmp(3000, [](char16_t c) { return c < 0xD800; }), true);
  std::size_t start = 0;
  for (std::size_t end; (end = line.find(u"\r\n", start)) != Text::npos; start = end + 2) {
    EXPECT_LE(end - start, 76u);
    EXPECT_EQ(line[end - 1], u'=');
  }
  EXPECT_LE(line.size() - start, 76u);
}

// Domain: UTF-8 of any BMP text without U+0000 (which decodes to a space); GBK of text made of
// ASCII and characters that code page 936 encodes and decodes back.
TEST(EncodeQuotedPrintable, DecodesBack) {
  RandomText random(6);
  for (int round = 0; round < 200; ++round) {
    const Text text = random.Bmp(random.Below(200), [](char16_t c) { return c != 0; });
    EXPECT_EQ(DecodeHexEscapes(EncodeQuotedPrintable(text, true), kUtf8, kQuotedPrintable), text)
        << Show(text);
  }
  for (int round = 0; round < 200; ++round) {
    Text text;
    while (text.size() < 100) {
      const Bytes code = random.Below(3)
                             ? Bytes{char(0x81 + random.Below(126)), char(0x40 + random.Below(191))}
                             : Bytes(1, char(1 + random.Below(127)));
      const std::optional<Text> c = DecodeBySelector(code, kGb);
      if (c && c->size() == 1 && EncodeBySelector(*c, kGb) == code) text += *c;
    }
    EXPECT_EQ(DecodeHexEscapes(EncodeQuotedPrintable(text, false), kGb, kQuotedPrintable), text)
        << Show(text);
  }
}

TEST(DecodeHexEscapes, LongRunsOfEscapeCharacters) {
  EXPECT_EQ(DecodeHexEscapes(Text(16383, u'%'), kGb, kUrlEncoding), Text(16383, u'%'));
  EXPECT_EQ(DecodeHexEscapes(Text(16383, u'='), kGb, kQuotedPrintable), Text(16383, u'='));
  EXPECT_EQ(DecodeHexEscapes(Text(16383, u'+'), kGb, kUrlEncoding), Text(16383, u' '));
}

}  // namespace
}  // namespace qor
