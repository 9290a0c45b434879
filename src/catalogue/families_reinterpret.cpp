// Reinterpretation commands: the fixed A--B pairs of the second decoding menu, and the pairs
// the LCID and code page dialogs compose (typed numbers or names from their tables).

#include "catalogue/caption.h"
#include "catalogue/catalogue.h"
#include "catalogue/parameter_labels.h"
#include "codepage/conversions.h"
#include "codepage/reinterpret.h"
#include "codepage/selector_tables.h"
#include "platform/codepage_catalog.h"

namespace qor {
namespace {

struct FixedPair {
  int index;
  const char16_t* caption;
  bool checked;
  LcidSelector a;
  LcidSelector b;
};

constexpr FixedPair kChgA2B[] = {
    {0, u"GB--Big5 ：英文通顺,中文不通,排列不紧密,多日文", true, {2052}, {1028}},
    {1, u"GB--日文 ：英文通顺,中文不通,多单人旁,句中 丄,句尾 丅", false, {2052}, {1041}},
    {2, u"GB--韩文 ：英文通顺,中文不通,多简体字,隔几字有一空格", false, {2052}, {1042}},
    {3, u"GB--俄文 ：英文通顺,中文不通,稍密,间有问号", false, {2052}, {1049}},
    {4, u"GB--UTF8 ：英文通顺,中文不通,稍密,间有 € ,或开头有 锘", true, {2052}, kLcidUtf8},
    {6, u"Big5--GB ：英文通顺,中文不通,句中有ㄛ﹜ㄩ,句尾有﹝", true, {1028}, {2052}},
    {7, u"Big5--韩文 ：英文通顺,中文不通,多繁体字,隔几字有一空格", false, {1028}, {1042}},
    {8, u"日文--GB ：英文通顺,中文不通,繁体,多半角日文片假名", false, {1041}, {2052}},
    {9, u"韩文--GB ：英文通顺,中文不通,繁体,多繁复韩文", false, {1042}, {2052}},
    {10, u"俄文--GB ：英文通顺,无中文,多变形附点的俄文字母", false, {1049}, {2052}},
    {12, u"Eng--GB ：英文通顺,无中文,多变形附点的拉丁字母", true, {1033}, {2052}},
    {13, u"Eng--Big5 ：同上类似", false, {1033}, {1028}},
    {14, u"Eng--UTF8 ：同上类似,而且多方框", false, {1033}, kLcidUtf8},
    {15, u"ULE--UBE ：全文不通,多方框,兼有空格和韩文", false, kLcidUtf16Le, kLcidUtf16Be},
};

// The code pages CJK mojibake passes through: GBK, GB18030, Big5, Shift-JIS, Korean, Western,
// Cyrillic, Latin-1, UTF-8 and UTF-16.
bool IsCjkMojibakePage(int code_page) {
  for (const int page : {936, 54936, 950, 932, 949, 1252, 1251, 28591, 65001, 1200, 1201}) {
    if (code_page == page) return true;
  }
  return false;
}

// Code pages that no LCID stands for: GB18030, and ICU's own Latin-1 and UTF-8.
bool HasNoLcid(int code_page) {
  return code_page == 54936 || code_page == 28591 || code_page == 65001;
}

std::vector<int> CodePagesOf(std::optional<int> a, std::optional<int> b) {
  if (!a || !b) return {};
  return {*a, *b};
}

bool IsUtf16(int code_page) { return code_page == 1200 || code_page == 1201; }

// Encoded character by character and decoded without shift states.
bool IsStateless(int code_page) {
  if (IsUtf16(code_page) || code_page == 65001) return true;
  const CodePageConversion* conversion = FindCodePage(code_page);
  return conversion && conversion->engine != CodePageEngine::kStateful;
}

// A pair can be cut after a line feed when both sides are stateless: a line feed's bytes are
// below 0x30 under every such page (0x0A, EBCDIC's 0x25, UTF-16's 0x0A 0x00), and such a byte
// ends any multi-byte sequence, since trail bytes start at 0x30 and an invalid sequence swallows
// no byte that can start a character. UTF-16 is read in pairs of bytes, so only from UTF-16.
Cut PairCut(const std::vector<int>& code_pages) {
  if (code_pages.size() != 2) return Cut::kNowhere;
  const int a = code_pages[0], b = code_pages[1];
  const bool aligned = !IsUtf16(b) || IsUtf16(a);
  return IsStateless(a) && IsStateless(b) && aligned ? Cut::kAfterLineFeed : Cut::kNowhere;
}

// How the pairs of one kind of selector run.
template <class Selector>
struct PairKind {
  Text (*run)(TextView, Selector, Selector, ConversionCounts*);
  std::optional<int> (*code_page)(Selector);
  // Whether diagnosis chains a named pair between these code pages.
  bool (*chainable)(int, int);
};

// LCID pairs between CJK mojibake pages chain.
bool LcidPairChains(int a, int b) { return IsCjkMojibakePage(a) && IsCjkMojibakePage(b); }

// A code page pair chains where one of its sides has no LCID: the others repeat an LCID pair.
bool CodePagePairChains(int a, int b) {
  return LcidPairChains(a, b) && (HasNoLcid(a) || HasNoLcid(b));
}

const PairKind<LcidSelector> kLcidPairs{Reinterpret, CodePageOfLcidSelector, LcidPairChains};
const PairKind<CodePageSelector> kCodePagePairs{ConvertCodePage, CodePageOfSelector,
                                                CodePagePairChains};

// The pair a--b of a kind under a label; `named` pairs may chain.
template <class Selector>
Step PairStep(Text label, const PairKind<Selector>& kind, Selector a, Selector b, bool named) {
  Step step{std::move(label), [run = kind.run, a, b](TextView text, ConversionCounts& counts) {
              return run(text, a, b, &counts);
            }};
  step.code_pages = CodePagesOf(kind.code_page(a), kind.code_page(b));
  step.cut = PairCut(step.code_pages);
  step.chainable =
      named && !step.code_pages.empty() && kind.chainable(step.code_pages[0], step.code_pages[1]);
  return step;
}

// The numbers of a label or a table, as the kind's selectors.
template <class Selector>
Step PairStep(Text label, const PairKind<Selector>& kind, std::int32_t a, std::int32_t b,
              bool named) {
  return PairStep(std::move(label), kind, Selector{a}, Selector{b}, named);
}

template <class Selector>
Family TypedFamily(TextView prefix, TextView note, const PairKind<Selector>& kind) {
  Family family;
  family.grammar = Text(prefix) + u"(A)--(B)";
  family.note = Text(note);
  family.parse = [prefix = Text(prefix), &kind](TextView label) -> std::optional<Step> {
    const auto pair = ParseTypedPairLabel(label, prefix);
    if (!pair) return std::nullopt;
    return PairStep(Text(label), kind, pair->first, pair->second, false);
  };
  return family;
}

// "A<separator>B" with A and B display names of the table.
template <class Selector>
Family NamedFamily(SelectorTable table, TextView separator, const PairKind<Selector>& kind) {
  Family family;
  family.grammar = JoinLabel(u"A", separator, u"B");
  family.note = u"A, B:";
  for (const SelectorEntry& entry : table) family.note.append(u" ").append(entry.name);
  family.parse = [table, separator = Text(separator),
                  &kind](TextView label) -> std::optional<Step> {
    for (const SelectorEntry& a : table) {
      if (label.substr(0, a.name.size()) != a.name) continue;
      const TextView rest = label.substr(a.name.size());
      if (rest.substr(0, separator.size()) != separator) continue;
      if (const auto b = FindSelector(table, rest.substr(separator.size()))) {
        return PairStep(Text(label), kind, a.value, *b, true);
      }
    }
    return std::nullopt;
  };
  family.repairs = [table, separator = Text(separator), &kind] {
    std::vector<Step> steps;
    for (const SelectorEntry& a : table) {
      for (const SelectorEntry& b : table) {
        if (a.value == b.value) continue;
        steps.push_back(
            PairStep(JoinLabel(a.name, separator, b.name), kind, a.value, b.value, true));
      }
    }
    return steps;
  };
  return family;
}

}  // namespace

void AddReinterpretFamilies(std::vector<Family>& families) {
  for (const FixedPair& pair : kChgA2B) {
    families.push_back(FixedFamily({"mnuChgA2B", pair.index, pair.caption, pair.checked},
                                   PairStep(CaptionHead(pair.caption, kDescriptionDelimiter),
                                            kLcidPairs, pair.a, pair.b, false)));
  }
  families.push_back(TypedFamily(
      kLcidTypedPrefix, u"A, B: LCIDs, or -1 Latin1, -2 ULE, -3 UBE, -4 UTF8", kLcidPairs));
  families.push_back(TypedFamily(kCodePageTypedPrefix,
                                 u"A, B: code page numbers, or -2 for the text's own UTF-16LE",
                                 kCodePagePairs));
  families.push_back(NamedFamily(LcidTable(), kLcidNameSeparator, kLcidPairs));
  families.push_back(NamedFamily(CodePageTable(), kCodePageNameSeparator, kCodePagePairs));
}

}  // namespace qor
