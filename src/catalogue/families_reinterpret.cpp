// Reinterpretation commands: the fixed A--B pairs of the second decoding menu, and the pairs
// the LCID and code page dialogs compose (typed numbers or names from their tables).

#include "catalogue/caption.h"
#include "catalogue/catalogue.h"
#include "catalogue/parameter_labels.h"
#include "codepage/conversions.h"
#include "codepage/reinterpret.h"
#include "codepage/selector_tables.h"

namespace qor {
namespace {

struct FixedPair {
  int index;
  const char16_t* caption;
  bool checked;
  std::int32_t a;
  std::int32_t b;
};

constexpr FixedPair kChgA2B[] = {
    {0, u"GB--Big5 ：英文通顺,中文不通,排列不紧密,多日文", true, 2052, 1028},
    {1, u"GB--日文 ：英文通顺,中文不通,多单人旁,句中 丄,句尾 丅", false, 2052, 1041},
    {2, u"GB--韩文 ：英文通顺,中文不通,多简体字,隔几字有一空格", false, 2052, 1042},
    {3, u"GB--俄文 ：英文通顺,中文不通,稍密,间有问号", false, 2052, 1049},
    {4, u"GB--UTF8 ：英文通顺,中文不通,稍密,间有 € ,或开头有 锘", true, 2052, kLcidUtf8},
    {6, u"Big5--GB ：英文通顺,中文不通,句中有ㄛ﹜ㄩ,句尾有﹝", true, 1028, 2052},
    {7, u"Big5--韩文 ：英文通顺,中文不通,多繁体字,隔几字有一空格", false, 1028, 1042},
    {8, u"日文--GB ：英文通顺,中文不通,繁体,多半角日文片假名", false, 1041, 2052},
    {9, u"韩文--GB ：英文通顺,中文不通,繁体,多繁复韩文", false, 1042, 2052},
    {10, u"俄文--GB ：英文通顺,无中文,多变形附点的俄文字母", false, 1049, 2052},
    {12, u"Eng--GB ：英文通顺,无中文,多变形附点的拉丁字母", true, 1033, 2052},
    {13, u"Eng--Big5 ：同上类似", false, 1033, 1028},
    {14, u"Eng--UTF8 ：同上类似,而且多方框", false, 1033, kLcidUtf8},
    {15, u"ULE--UBE ：全文不通,多方框,兼有空格和韩文", false, kLcidUtf16Le, kLcidUtf16Be},
};

CountingTransform ReinterpretBy(std::int32_t a, std::int32_t b) {
  return
      [a, b](TextView text, ConversionCounts* counts) { return Reinterpret(text, a, b, counts); };
}

CountingTransform ConvertBy(std::int32_t a, std::int32_t b) {
  return [a, b](TextView text, ConversionCounts* counts) {
    return ConvertCodePage(text, a, b, counts);
  };
}

Family TypedFamily(TextView prefix, TextView note,
                   CountingTransform (*make)(std::int32_t, std::int32_t)) {
  Family family;
  family.grammar = Text(prefix) + u"(A)--(B)";
  family.note = Text(note);
  family.parse = [prefix = Text(prefix), make](TextView label) -> std::optional<Step> {
    const auto pair = ParseTypedPairLabel(label, prefix);
    if (!pair) return std::nullopt;
    return CountingStep(Text(label), make(pair->first, pair->second));
  };
  return family;
}

// "A<separator>B" with A and B display names of the table.
Family NamedFamily(const std::vector<SelectorEntry>& table, TextView separator,
                   CountingTransform (*make)(std::int32_t, std::int32_t)) {
  Family family;
  family.grammar = JoinLabel(u"A", separator, u"B");
  family.note = u"A, B:";
  for (const SelectorEntry& entry : table) family.note += u" " + entry.name;
  family.parse = [&table, separator = Text(separator),
                  make](TextView label) -> std::optional<Step> {
    for (const SelectorEntry& a : table) {
      if (label.substr(0, a.name.size()) != a.name) continue;
      const TextView rest = label.substr(a.name.size());
      if (rest.substr(0, separator.size()) != separator) continue;
      if (const auto b = FindSelector(table, rest.substr(separator.size()))) {
        return CountingStep(Text(label), make(a.value, *b));
      }
    }
    return std::nullopt;
  };
  family.repairs = [&table, separator = Text(separator)] {
    std::vector<Text> labels;
    for (const SelectorEntry& a : table) {
      for (const SelectorEntry& b : table) {
        if (a.value != b.value) labels.push_back(JoinLabel(a.name, separator, b.name));
      }
    }
    return labels;
  };
  return family;
}

}  // namespace

void AddReinterpretFamilies(std::vector<Family>& families) {
  for (const FixedPair& pair : kChgA2B) {
    families.push_back(FixedFamily({"mnuChgA2B", pair.index, pair.caption, pair.checked},
                                   CountingStep(CaptionHead(pair.caption, kDescriptionDelimiter),
                                                ReinterpretBy(pair.a, pair.b))));
  }
  families.push_back(TypedFamily(
      kLcidTypedPrefix, u"A, B: LCIDs, or -1 Latin1, -2 ULE, -3 UBE, -4 UTF8", ReinterpretBy));
  families.push_back(TypedFamily(kCodePageTypedPrefix,
                                 u"A, B: code page numbers, or -2 for the text's own UTF-16LE",
                                 ConvertBy));
  families.push_back(NamedFamily(LcidTable(), kLcidNameSeparator, ReinterpretBy));
  families.push_back(NamedFamily(CodePageTable(), kCodePageNameSeparator, ConvertBy));
}

}  // namespace qor
