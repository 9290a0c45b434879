// The entity table and the fast tag and entity step.

#include <gtest/gtest.h>

#include <set>
#include <string>

#include "codecs/entity_replace.h"
#include "codecs/numeric_references.h"
#include "literal_references.h"
#include "random_text.h"
#include "support/test_support.h"

namespace qor {
namespace {

TEST(HtmlEntityTable, HoldsTheHtml401CharacterEntities) {
  const auto table = HtmlEntityTable();
  ASSERT_EQ(table.size(), 252u);  // 96 Latin-1, 124 symbols, 32 special
  const std::pair<std::string, char16_t> first[] = {
      {"quot", 34}, {"amp", 38}, {"lt", 60}, {"gt", 62}};
  for (std::size_t k = 0; k < 4; ++k) {
    EXPECT_EQ(table[k].name, first[k].first);
    EXPECT_EQ(table[k].code, first[k].second);
  }
  std::set<std::string> names;
  for (const HtmlEntity& entity : table) {
    EXPECT_TRUE(names.insert(entity.name).second) << entity.name;
  }
  EXPECT_EQ(names.count("apos"), 0u);
  // A sample from each of the three sets of HTML 4.01.
  const std::pair<const char*, char16_t> sample[] = {
      {"nbsp", 160},    {"iexcl", 161},   {"ordm", 186},     {"frac34", 190}, {"Atilde", 195},
      {"ETH", 208},     {"szlig", 223},   {"yuml", 255},     {"fnof", 402},   {"Alpha", 913},
      {"Omega", 937},   {"sigmaf", 962},  {"thetasym", 977}, {"upsih", 978},  {"piv", 982},
      {"bull", 8226},   {"oline", 8254},  {"weierp", 8472},  {"image", 8465}, {"alefsym", 8501},
      {"crarr", 8629},  {"lArr", 8656},   {"larr", 8592},    {"hArr", 8660},  {"forall", 8704},
      {"lowast", 8727}, {"there4", 8756}, {"sdot", 8901},    {"lceil", 8968}, {"rang", 9002},
      {"loz", 9674},    {"diams", 9830},  {"OElig", 338},    {"Yuml", 376},   {"circ", 710},
      {"tilde", 732},   {"zwnj", 8204},   {"rlm", 8207},     {"sbquo", 8218}, {"Dagger", 8225},
      {"dagger", 8224}, {"permil", 8240}, {"rsaquo", 8250},  {"euro", 8364},
  };
  for (const auto& [name, code] : sample) {
    bool found = false;
    for (const HtmlEntity& entity : table) {
      if (std::string(entity.name) == name) {
        EXPECT_EQ(entity.code, code) << name;
        found = true;
      }
    }
    EXPECT_TRUE(found) << name;
  }
}

// The tag and entity step of the HTML references: the tags "<hr>" "<br>" "<p>" "</p>" "<div>"
// "</div>" (any case) become CR LF, then each "&name;" of the table becomes its character.
Text TagsAndEntities(const Text& text) { return ReplaceEntities(ReplaceTags(text)); }

TEST(TagsAndEntities, EveryEntityDecodes) {
  for (const HtmlEntity& entity : HtmlEntityTable()) {
    const Text name = T(entity.name);
    EXPECT_EQ(TagsAndEntities(u"x&" + name + u";y"), Text(u"x").append(1, entity.code).append(u"y"))
        << entity.name;
    EXPECT_EQ(TagsAndEntities(u"&" + name), u"&" + name);
  }
}

// One scan per step gives what one replace-all pass per tag and entry, in table order, gives.
TEST(TagsAndEntities, AgreesWithOnePassPerEntry) {
  const Text pieces[] = {u"&",       u";",      u"amp",      u"&amp;",  u"amp;",   u"quot",
                         u"quot;",   u"lt",     u"gt;",      u"&lt;",   u"&quot;", u"thetasym",
                         u"thetasy", u"Agrave", u"agrave",   u"AGRAVE", u"sup2",   u"sup",
                         u"#",       u"x",      u"<br>",     u"<",      u"p>",     u"</DIV>",
                         u"中",      u"\r\n",   u" ",        u"euro",   u"lArr",   u"e",
                         u"&&",      u";;",     u"&amp;amp;"};
  RandomText random(3);
  for (int round = 0; round < 5000; ++round) {
    const Text text = random.Pieces(pieces, random.Below(30));
    ASSERT_EQ(TagsAndEntities(text), literal::NamedEntities(text)) << Show(text);
  }
}

}  // namespace
}  // namespace qor
