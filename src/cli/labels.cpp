#include "cli/labels.h"

#include "catalogue/catalogue.h"
#include "catalogue/nearest_labels.h"
#include "catalogue/parameter_labels.h"
#include "cli/encodings.h"
#include "platform/wtf8.h"

namespace qor {
namespace {

void SayUnknown(const std::string& label, const std::optional<Text>& wanted, std::ostream& err) {
  err << "qor-cli: unknown label \"" << label << "\"";
  if (wanted) {
    err << "; closest known:";
    for (const Text& close : ClosestLabels(*wanted)) err << " \"" << EncodeWtf8(close) << '"';
  }
  err << '\n';
}

// "windows-1252--utf-8": the code page pair of two charset labels, as "Code Page: (1252)--(65001)".
std::optional<Step> CharsetPairStep(const std::string& label) {
  const std::size_t dashes = label.find("--");
  if (dashes == std::string::npos) return std::nullopt;
  const std::optional<int> a = PairCodePage(label.substr(0, dashes));
  const std::optional<int> b = PairCodePage(label.substr(dashes + 2));
  if (!a || !b) return std::nullopt;
  return Catalogue::Get().Find(TypedPairLabel(kCodePageTypedPrefix, *a, *b));
}

}  // namespace

std::optional<std::vector<Step>> FindSteps(const std::vector<std::string>& labels,
                                           std::ostream& err) {
  std::vector<Step> steps;
  for (const std::string& label : labels) {
    const std::optional<Text> wanted = DecodeWtf8(label);
    std::optional<Step> step = wanted ? Catalogue::Get().Find(*wanted) : std::nullopt;
    if (!step) step = CharsetPairStep(label);
    if (!step) {
      SayUnknown(label, wanted, err);
      return std::nullopt;
    }
    steps.push_back(std::move(*step));
  }
  return steps;
}

std::vector<Text> ClosestLabels(TextView label) {
  return NearestLabels(label, Catalogue::Get().Grammars(), 3);
}

std::string ShellWord(TextView label) {
  std::string word = "'";
  for (const char c : EncodeWtf8(label))
    word += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return word + "'";
}

std::string ChainWords(const std::vector<Text>& chain) {
  if (chain.empty()) return "（原文）";
  std::string words;
  for (const Text& label : chain) words += (words.empty() ? "" : " ") + ShellWord(label);
  return words;
}

}  // namespace qor
