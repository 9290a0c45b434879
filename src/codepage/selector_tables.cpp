#include "codepage/selector_tables.h"

#include <limits>

namespace qor {
namespace {

std::vector<SelectorEntry> Build(const Text& text) {
  // The tables are constants; a failure here is a fault in them, caught by the tests.
  return ParseSelectorTable(text).value_or(std::vector<SelectorEntry>{});
}

// The eleven languages both lists begin with.
constexpr TextView kLanguagePairs =
    u"GB,2052,Big5,1028,日文,1041,韩文,1042,泰文,1054,越南文,1066,"
    u"Eng,1033,希腊文,1032,俄文,1049,阿拉伯文,1025,希伯莱文,1037";

}  // namespace

Text DecimalText(std::int32_t value) {
  const std::string digits = std::to_string(value);
  return Text(digits.begin(), digits.end());
}

std::optional<std::int32_t> ParseInt32(TextView text) {
  std::size_t i = 0;
  const auto blank = [&](std::size_t k) { return text[k] == u' ' || text[k] == u'\t'; };
  while (i < text.size() && blank(i)) ++i;
  std::size_t end = text.size();
  while (end > i && blank(end - 1)) --end;
  bool negative = false;
  if (i < end && (text[i] == u'-' || text[i] == u'+')) negative = text[i++] == u'-';
  if (i == end) return std::nullopt;
  std::int64_t value = 0;
  for (; i < end; ++i) {
    if (text[i] < u'0' || text[i] > u'9') return std::nullopt;
    value = value * 10 + (text[i] - u'0');
    if (value > std::int64_t{std::numeric_limits<std::int32_t>::max()} + 1) return std::nullopt;
  }
  value = negative ? -value : value;
  if (value > std::numeric_limits<std::int32_t>::max()) return std::nullopt;
  return static_cast<std::int32_t>(value);
}

std::optional<std::vector<SelectorEntry>> ParseSelectorTable(TextView text) {
  std::vector<Text> pieces(1);
  for (const char16_t c : text) {
    if (c == u',') {
      pieces.emplace_back();
    } else {
      pieces.back() += c;
    }
  }
  if (pieces.size() % 2 != 0) return std::nullopt;
  std::vector<SelectorEntry> out;
  for (std::size_t k = 0; k < pieces.size(); k += 2) {
    const std::optional<std::int32_t> value = ParseInt32(pieces[k + 1]);
    if (!value) return std::nullopt;
    out.push_back({pieces[k], *value});
  }
  return out;
}

const std::vector<SelectorEntry>& CodePageTable() {
  static const std::vector<SelectorEntry> table = Build(
      u"中文简(GBK),936,中文简(GB18030),54936,中文简(HZ),52936,中文简(ISO-2022),50227,"
      u"中文繁(Big5),950,中文繁(CNS),20000,中文繁(ISO-2022),50229,"
      u"日文(Shift-JIS),932,日文(EUC),20932,日文(ISO-2022),50221,"
      u"韩文(KS),949,韩文(Johab),1361,韩文(Wansung),20949,韩文(ISO-2022),50225,"
      u"泰文(Windows),874,越南文(Windows),1258,"
      u"西欧(Windows),1252,西欧(ISO),28591,西欧(Mac),10000,西欧(DOS),850,OEM 美国,437,"
      u"IBM EBCDIC 美国,37,IBM EBCDIC 国际,500,"
      u"中欧(Windows),1250,中欧(ISO),28592,中欧(Mac),10029,中欧(DOS),852,"
      u"希腊文(Windows),1253,希腊文(ISO),28597,希腊文(Mac),10006,希腊文(DOS),737,"
      u"现代希腊文(DOS),869,"
      u"西里尔(Windows),1251,西里尔(ISO),28595,西里尔(Mac),10007,西里尔(DOS),866,"
      u"西里尔(KOI8-R),20866,西里尔(KOI8-U),21866,OEM 西里尔,855,"
      u"(=)," +
      DecimalText(-2) + u",Unicode(UTF-7),65000,Unicode(UTF-8),65001");
  return table;
}

const std::vector<SelectorEntry>& LcidTable() {
  static const std::vector<SelectorEntry> table =
      Build(Text(kLanguagePairs) + u",Latin1," + DecimalText(-1) + u",ULE," + DecimalText(-2) +
            u",UBE," + DecimalText(-3) + u",UTF8," + DecimalText(-4));
  return table;
}

const std::vector<SelectorEntry>& TransformLanguageTable() {
  // The LCID table without ULE and UBE: escaped bytes are never UTF-16 text.
  static const std::vector<SelectorEntry> table = [] {
    std::vector<SelectorEntry> languages;
    for (const SelectorEntry& entry : LcidTable()) {
      if (entry.value != -2 && entry.value != -3) languages.push_back(entry);
    }
    return languages;
  }();
  return table;
}

std::optional<std::int32_t> FindSelector(const std::vector<SelectorEntry>& table, TextView name) {
  for (const SelectorEntry& entry : table) {
    if (entry.name == name) return entry.value;
  }
  return std::nullopt;
}

}  // namespace qor
