#include "codepage/selector_tables.h"

#include <algorithm>
#include <array>
#include <limits>
#include <string>

#include "codepage/selectors.h"

namespace qor {
namespace {

template <std::size_t N, std::size_t M>
constexpr std::array<SelectorEntry, N + M> Join(const std::array<SelectorEntry, N>& a,
                                                const std::array<SelectorEntry, M>& b) {
  std::array<SelectorEntry, N + M> out{};
  std::copy(a.begin(), a.end(), out.begin());
  std::copy(b.begin(), b.end(), out.begin() + N);
  return out;
}

constexpr std::array<SelectorEntry, 42> kCodePages{{
    {u"中文简(GBK)", 936},        {u"中文简(GB18030)", 54936},
    {u"中文简(HZ)", 52936},       {u"中文简(ISO-2022)", 50227},
    {u"中文繁(Big5)", 950},       {u"中文繁(CNS)", 20000},
    {u"中文繁(ISO-2022)", 50229}, {u"日文(Shift-JIS)", 932},
    {u"日文(EUC)", 20932},        {u"日文(ISO-2022)", 50221},
    {u"韩文(KS)", 949},           {u"韩文(Johab)", 1361},
    {u"韩文(Wansung)", 20949},    {u"韩文(ISO-2022)", 50225},
    {u"泰文(Windows)", 874},      {u"越南文(Windows)", 1258},
    {u"西欧(Windows)", 1252},     {u"西欧(ISO)", 28591},
    {u"西欧(Mac)", 10000},        {u"西欧(DOS)", 850},
    {u"OEM 美国", 437},           {u"IBM EBCDIC 美国", 37},
    {u"IBM EBCDIC 国际", 500},    {u"中欧(Windows)", 1250},
    {u"中欧(ISO)", 28592},        {u"中欧(Mac)", 10029},
    {u"中欧(DOS)", 852},          {u"希腊文(Windows)", 1253},
    {u"希腊文(ISO)", 28597},      {u"希腊文(Mac)", 10006},
    {u"希腊文(DOS)", 737},        {u"现代希腊文(DOS)", 869},
    {u"西里尔(Windows)", 1251},   {u"西里尔(ISO)", 28595},
    {u"西里尔(Mac)", 10007},      {u"西里尔(DOS)", 866},
    {u"西里尔(KOI8-R)", 20866},   {u"西里尔(KOI8-U)", 21866},
    {u"OEM 西里尔", 855},         {u"(=)", kCodePageOwnUtf16.value},
    {u"Unicode(UTF-7)", 65000},   {u"Unicode(UTF-8)", 65001},
}};

// The eleven languages both LCID lists begin with.
constexpr std::array<SelectorEntry, 11> kLanguages{{
    {u"GB", 2052},
    {u"Big5", 1028},
    {u"日文", 1041},
    {u"韩文", 1042},
    {u"泰文", 1054},
    {u"越南文", 1066},
    {u"Eng", 1033},
    {u"希腊文", 1032},
    {u"俄文", 1049},
    {u"阿拉伯文", 1025},
    {u"希伯莱文", 1037},
}};

constexpr auto kLcids =
    Join(kLanguages, std::array<SelectorEntry, 4>{{{u"Latin1", kLcidLatin1.value},
                                                   {u"ULE", kLcidUtf16Le.value},
                                                   {u"UBE", kLcidUtf16Be.value},
                                                   {u"UTF8", kLcidUtf8.value}}});

// The LCID table without ULE and UBE: escaped bytes are never UTF-16 text.
constexpr auto kTransformLanguages = Join(
    kLanguages,
    std::array<SelectorEntry, 2>{{{u"Latin1", kLcidLatin1.value}, {u"UTF8", kLcidUtf8.value}}});

// No name twice in a table: the dialogs' labels name their entries.
constexpr bool NamesAreDistinct(SelectorTable table) {
  for (std::size_t i = 0; i < table.size(); ++i) {
    if (table[i].name.empty()) return false;
    for (std::size_t j = i + 1; j < table.size(); ++j) {
      if (table[i].name == table[j].name) return false;
    }
  }
  return true;
}
static_assert(NamesAreDistinct(kCodePages) && NamesAreDistinct(kLcids));

}  // namespace

SelectorTable CodePageTable() { return kCodePages; }
SelectorTable LcidTable() { return kLcids; }
SelectorTable TransformLanguageTable() { return kTransformLanguages; }

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

std::optional<std::int32_t> FindSelector(SelectorTable table, TextView name) {
  for (const SelectorEntry& entry : table) {
    if (entry.name == name) return entry.value;
  }
  return std::nullopt;
}

}  // namespace qor
