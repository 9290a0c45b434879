#include "codecs/numeric_references.h"

#include <gtest/gtest.h>

#include "literal_references.h"
#include "random_text.h"
#include "support/test_support.h"

namespace qor {
namespace {

struct Case {
  int mode;
  Text in;
  Text out;
};

TEST(DecodeNumericReferences, Examples) {
  const Case cases[] = {
      {0, u"&#x53EF; &#25511; &ordm;&Atilde;", u"可 控 ºÃ"},
      {0, u"&#X53ef;", u"可"},
      {1, u"\\u53EF\\u63A7\\x28\\x29", u"可控()"},
      {1, u"\\U53ef\\X41", u"可A"},
      {2, u"%u53EF%u63A7%28%29", u"可控()"},
      {2, u"%U53EF", u"可"},
      // Digit limits: 4 hex, 2 hex, 5 decimal.
      {0, u"&#x1F600;",
       u"\u1F60"
       u"0;"},
      {0, u"&#123456;",
       u"\u3039"
       u"6;"},
      {1, u"\\x414", u"A4"},
      // Zero, no digits and values beyond U+FFFF give one space.
      {0, u"&#0;", u" "},
      {0, u"&#x;", u" "},
      {0, u"&#70000;", u" "},
      {2, u"100%", u"100 "},
      {2, u"50% off", u"50  off"},
      {2, u"%user", u" ser"},
      {1, u"\\u", u" "},
      // One terminator is swallowed, in mode 0 only; a partial reference emits what it read.
      {0, u"&#65;;", u"A;"},
      {0, u"&#65", u"A"},
      {1, u"\\u0041;", u"A;"},
      {0, u"&#x4G;", u"\u0004G;"},
      {0, u"a;b", u"a;b"},
      // Entities and tags: "quot" has its pass before "amp", the rest after; tags go first.
      {0, u"&amp;lt;", u"<"},
      {0, u"&amp;quot;", u"&quot;"},
      {0, u"&amp;#65;", u"&#65;"},
      {0, u"&lt;br&gt;", u"<br>"},
      {0, u"a<BR>b<br/>c</Div>", u"a\r\nb<br/>c\r\n"},
      {0, u"&Agrave;&agrave;&AGRAVE;&lArr;&larr;", u"Àà&AGRAVE;⇐←"},
      {0, u"&apos;&nbsp &nbsp;", u"&apos;&nbsp \u00A0"},
      // U+0000 is dropped, but ends a reference first.
      {2, Text(u"a\0b", 3), u"ab"},
      {2,
       Text(u"%4\0"
            u"1",
            4),
       u"\u0004"
       u"1"},
      // The markers the decoder uses inside are ordinary characters of the text.
      {0, u"\u9485\u9963\u8BA0", u"\u9485\u9963\u8BA0"},
      {1,
       u"\u9485"
       u"41\u9963",
       u"\u9485"
       u"41\u9963"},
      {2,
       u"%41\u8BA0"
       u"12",
       u"A\u8BA0"
       u"12"},
      {0, u"\u9485;\u8BA0;", u"\u9485;\u8BA0;"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(DecodeNumericReferences(c.in, c.mode), c.out) << c.mode << " " << Show(c.in);
  }
}

TEST(DecodeNumericReferences, EmptyTextAndUnknownModeGiveNothing) {
  for (const int mode : {0, 1, 2}) EXPECT_EQ(DecodeNumericReferences(u"", mode), u"");
  for (const int mode : {-1, 3, 100}) EXPECT_EQ(DecodeNumericReferences(u"abc", mode), u"");
}

// The fast decoder against the literal one on texts dense in introducers, digits, terminators,
// entities and tags. The literal one sees the marker characters as introducers after ";" (the
// decoder keeps them as text), so the random texts leave them out; the examples cover them.
TEST(DecodeNumericReferences, AgreesWithLiteralDecodingOnRandomText) {
  const Text pieces[] = {u"&",    u"#",   u"x",   u"X",       u";",    u"\\",     u"u",
                         u"U",    u"%",   u"0",   u"9",       u"4",    u"F",      u"a",
                         u"g",    u"&#",  u"&#x", u"&amp;",   u"&lt;", u"&quot;", u"amp;",
                         u"<br>", u"<P>", u"中",  Text(1, 0), u"\r\n", u"&euro",  u"sup2;"};
  RandomText random(1);
  for (int round = 0; round < 3000; ++round) {
    const Text text = random.Pieces(pieces, random.Below(24));
    for (const int mode : {0, 1, 2}) {
      ASSERT_EQ(DecodeNumericReferences(text, mode), literal::NumericReferences(text, mode))
          << mode << " " << Show(text);
    }
  }
}

TEST(EncodeNumericReferences, Examples) {
  EXPECT_EQ(EncodeNumericReferences(u"aé可", false), u"a&#xE9;&#x53EF;");
  EXPECT_EQ(EncodeNumericReferences(u"aé可", true), u"a&#233;&#21487;");
  EXPECT_EQ(EncodeNumericReferences(u"\u0080\uFFFF\xD800", false), u"&#x80;&#xFFFF;&#xD800;");
  EXPECT_EQ(EncodeNumericReferences(u"\uFFFF", true), u"&#65535;");
  EXPECT_EQ(EncodeNumericReferences(u"plain ASCII\x7F&#;", true), u"plain ASCII\x7F&#;");
  EXPECT_EQ(EncodeNumericReferences(u"", true), u"");
}

// Domain: any BMP units (surrogate halves and the marker characters included) but U+0000, "&"
// and "<", which could start a reference, entity or tag of their own.
TEST(EncodeNumericReferences, DecodesBackInBothForms) {
  RandomText random(2);
  for (int round = 0; round < 200; ++round) {
    const Text text =
        random.Bmp(random.Below(64), [](char16_t c) { return c != 0 && c != u'&' && c != u'<'; });
    for (const bool decimal : {false, true}) {
      EXPECT_EQ(DecodeNumericReferences(EncodeNumericReferences(text, decimal), kHtmlReferences),
                text)
          << Show(text);
    }
  }
}

// Long runs of introducers alone: every one becomes a space, in linear time.
TEST(DecodeNumericReferences, RunsOfIntroducersAlone) {
  EXPECT_EQ(DecodeNumericReferences(Text(16383, u'%'), kPercentReferences), Text(16383, u' '));
  EXPECT_EQ(DecodeNumericReferences(Text(16383, u'&'), kHtmlReferences), Text(16383, u'&'));
  Text amps;
  while (amps.size() < 16383) amps += u"&#";
  EXPECT_EQ(DecodeNumericReferences(amps, kHtmlReferences), Text(amps.size() / 2, u' '));
}

}  // namespace
}  // namespace qor
