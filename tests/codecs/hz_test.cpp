#include "codecs/hz.h"

#include <gtest/gtest.h>

#include "codepage/conversions.h"
#include "random_text.h"
#include "support/test_support.h"

namespace qor {
namespace {

TEST(DecodeHz, Examples) {
  const std::pair<Text, Text> cases[] = {
      {u"~{V;V'3V~}ASCII~{Bk5DO5M3~}", u"只支持ASCII码的系统"},
      {u"a~~b", u"a~b"},
      {u"a~xb", u"a~xb"},
      {u"abc~", u"abc"},
      {u"~{V;V", u"只"},  // an unfinished pair is dropped
      {u"~{V;\r\nV'", u"只\r\nV'"},
      {u"~{V;\nV'", u"只\nV'"},
      {u"~{V;\rV'", u"只\rV'"},
      {u"a~\r\nb", u"ab"},
      {u"a~\nb~ \r\nc~\t\rd", u"abcd"},
      {u"a~  \r\nb", u"a~  \r\nb"},
      {u"~{V;~\r\nV'~}", u"只支"},  // a soft break inside GB mode
      {u"~{V~\n;~}", u"只"},        // even between the two bytes of a pair
      {u"~{V;中V'", u"只中V'"},     // a non-ASCII character ends GB mode
      {u"~{V;~}~{V'~}", u"只支"},
      {u"~}~{~}", u"~}"},
      // "~~" before a line break is a "~" at the end of a line, not a soft break.
      {u"a~~\r\nb", u"a~\r\nb"},
      {u"a~~~\r\nb", u"a~b"},
  };
  for (const auto& [in, out] : cases) EXPECT_EQ(DecodeHz(in), out) << Show(in);
  EXPECT_EQ(DecodeHz(u""), u"");
}

TEST(EncodeHz, Examples) {
  EXPECT_EQ(EncodeHz(u"只支持ASCII码的系统"), u"~{V;V'3V~}ASCII~{Bk5DO5M3~}");
  EXPECT_EQ(EncodeHz(u"a~b"), u"a~~b");
  EXPECT_EQ(EncodeHz(u"只a"), u"~{V;~}a");
  EXPECT_EQ(EncodeHz(u"a只"), u"a~{V;~}");
  EXPECT_EQ(EncodeHz(u"丂"), u"丂");  // GBK only (0x8140)
  EXPECT_EQ(EncodeHz(u"只丂只"), u"~{V;~}丂~{V;~}");
  EXPECT_EQ(EncodeHz(u"只\r\n支"), u"~{V;~}\r\n~{V'~}");
  EXPECT_EQ(EncodeHz(u"한\xD800€"), u"한\xD800€");
  // The user-defined code 0xFEFD (U+E4C4) as a pair would be "~}": it stays outside GB mode.
  EXPECT_EQ(EncodeHz(u"\uE4C4a"), u"\uE4C4a");
  EXPECT_EQ(DecodeHz(EncodeHz(u"只\uE4C4\uE4C3")), u"只\uE4C4\uE4C3");
  EXPECT_EQ(EncodeHz(u""), u"");
}

// The reference: every character's code and every pair's character from a conversion of its
// own; the rules read off one character at a time.
std::uint16_t Code(char16_t c) {
  if (c >= 0xD800 && c <= 0xDFFF) return '?';
  const Bytes b = TextToCodePage(TextView(&c, 1), 936);
  if (b.size() == 1) return static_cast<unsigned char>(b[0]);
  return static_cast<std::uint16_t>(static_cast<unsigned char>(b[0]) << 8 |
                                    static_cast<unsigned char>(b[1]));
}

char16_t PairChar(int lead, int trail) {
  const bool valid = lead >= 0x81 && lead <= 0xFE && trail <= 0xFE;
  const char bytes[2] = {static_cast<char>(lead), static_cast<char>(trail)};
  const Text c = valid ? CodePageToText(BytesView(bytes, 2), 936) : Text();
  return c.size() == 1 ? c[0] : u'\uFFFD';
}

std::size_t SoftBreak(TextView s, std::size_t i) {
  if (s[i] != u'~') return 0;
  std::size_t k = i + 1;
  if (k < s.size() && (s[k] == u' ' || s[k] == u'\t')) ++k;
  if (s.substr(k, 2) == u"\r\n") return k + 2 - i;
  if (k < s.size() && (s[k] == u'\r' || s[k] == u'\n')) return k + 1 - i;
  return 0;
}

Text ReferenceDecode(TextView s) {
  Text out;
  bool gb = false;
  int pending = 0;
  for (std::size_t i = 0; i < s.size(); ++i) {
    const bool second_tilde = !gb && pending == '~';
    if (!second_tilde && SoftBreak(s, i)) {
      i += SoftBreak(s, i) - 1;
      continue;
    }
    const int c = static_cast<std::int16_t>(Code(s[i]));
    if (!gb && pending == '~') {
      pending = 0;
      if (c == '{') gb = true;
      if (c == '~') out += u'~';
      if (c != '{' && c != '~') out += Text(u"~") + s[i];
    } else if (!gb) {
      if (c == '~')
        pending = '~';
      else
        out += s[i];
    } else if (c < 0 || c >= 128 || c == '\r' || c == '\n') {
      gb = false;
      pending = 0;
      out += s[i];
    } else if (pending == '~' && c == '}') {
      gb = false;
      pending = 0;
    } else if (pending == 0) {
      pending = c;
    } else {
      out += PairChar(pending + 128, c + 128);
      pending = 0;
    }
  }
  return out;
}

const Text kPieces[] = {u"~",  u"{",    u"}",       u"~{", u"~}",     u"~~",   u"V",     u";",
                        u"A",  u"\x7F", Text(1, 0), u" ",  u"\t",     u"\r",   u"\n",    u"\r\n",
                        u"只", u"中",   u"€",       u"한", u"\xD800", u"\x80", u"\u02DC"};

TEST(DecodeHz, AgreesWithTheReferenceOnRandomText) {
  RandomText random(11);
  for (int round = 0; round < 3000; ++round) {
    const Text text = random.Pieces(kPieces, random.Below(30));
    ASSERT_EQ(DecodeHz(text), ReferenceDecode(text)) << Show(text);
  }
}

TEST(DecodeHz, EverySplitPoint) {
  const Text texts[] = {u"~{V;V'3V~}ASCII~{Bk5DO5M3~}", u"a~~\r\nb~\r\nc~{V;~ \r\nV'\r\nx~}y~",
                        u"~{V;中~~}~}~{~\n~}"};
  for (const Text& text : texts) {
    for (std::size_t cut = 0; cut <= text.size(); ++cut) {
      for (const Text& part : {text.substr(0, cut), text.substr(cut)}) {
        EXPECT_EQ(DecodeHz(part), ReferenceDecode(part)) << Show(part);
      }
    }
  }
}

// Domain: GB2312 characters (both bytes 0xA1..0xFE, lead up to 0xF7), ASCII with "~" and line
// breaks of every kind.
TEST(Hz, DecodesWhatItEncodes) {
  RandomText random(12);
  Text gb2312;
  for (int lead = 0xA1; lead <= 0xF7; ++lead) {
    for (int trail = 0xA1; trail <= 0xFE; ++trail) {
      const char bytes[2] = {static_cast<char>(lead), static_cast<char>(trail)};
      const Text c = CodePageToText(BytesView(bytes, 2), 936);
      if (c.size() == 1 && TextToCodePage(c, 936) == BytesView(bytes, 2)) gb2312 += c;
    }
  }
  ASSERT_GT(gb2312.size(), 7000u);
  for (int round = 0; round < 500; ++round) {
    Text text;
    for (std::size_t k = random.Below(40); k > 0; --k) {
      switch (random.Below(4)) {
        case 0:
          text += static_cast<char16_t>(0x20 + random.Below(0x5F));
          break;
        case 1:
          text += Text(u"~\r\n\n\r{}").substr(random.Below(7), 1);
          break;
        default:
          text += gb2312[random.Below(gb2312.size())];
      }
    }
    ASSERT_EQ(DecodeHz(EncodeHz(text)), text) << Show(text) << "\n" << Show(EncodeHz(text));
  }
}

TEST(DecodeHz, LongRunsOfEscapes) {
  EXPECT_EQ(DecodeHz(Text(16383, u'~')), Text(8191, u'~'));
  // After the first "~{" each "~{" is a pair of GB mode (0xFE 0xFB, a user-defined code).
  Text opens;
  while (opens.size() < 16384) opens += u"~{";
  EXPECT_EQ(DecodeHz(opens).size(), 8191u);
  // Characters without a code are "?" bytes in GB mode: 8191 pairs 0xBF 0xBF.
  EXPECT_EQ(DecodeHz(u"~{" + Text(16382, u'한')), Text(8191, u'靠'));
}

}  // namespace
}  // namespace qor
