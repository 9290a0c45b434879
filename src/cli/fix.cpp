#include "cli/fix.h"

#include <cstdio>
#include <ostream>

#include "cli/cli.h"
#include "cli/labels.h"
#include "cli/text_io.h"
#include "diagnosis/diagnose.h"
#include "platform/wtf8.h"

namespace qor {
namespace {

std::string Score(double score) {
  char buffer[32];
  std::snprintf(buffer, sizeof buffer, "%+.1f", score);
  return buffer;
}

Text FirstLine(const Text& text) { return text.substr(0, text.find_first_of(u"\r\n")); }

// rank, score, chain, explanation and the result's first line, one candidate a line.
void PrintListing(const Diagnosis& diagnosis, std::ostream& out) {
  for (std::size_t k = 0; k < diagnosis.candidates.size(); ++k) {
    const Candidate& c = diagnosis.candidates[k];
    out << k + 1 << '\t' << Score(c.score) << '\t' << ChainWords(c.chain) << '\t'
        << EncodeWtf8(c.explanation) << '\t' << EncodeWtf8(FirstLine(c.result)) << '\n';
  }
  out.flush();
}

void Explain(const Candidate& best, std::ostream& err) {
  err << "qor-cli apply -- " << ChainWords(best.chain) << '\n'
      << EncodeWtf8(best.explanation) << '\n';
}

}  // namespace

int Fix(const Options& options, std::istream& in, std::ostream& out, std::ostream& err) {
  if (options.operands.size() > 1) {
    err << "qor-cli: fix takes no labels\n";
    return kExitUsage;
  }
  int status = kExitOk;
  const std::optional<Text> text = ReadInput(options, in, err, status);
  if (!text) return status;
  DiagnosisOptions diagnosis_options;
  diagnosis_options.max_candidates = options.top.value_or(1);
  const Diagnosis diagnosis = Diagnose(*text, diagnosis_options);
  if (options.top) PrintListing(diagnosis, out);
  if (!diagnosis.NeedsRepair()) {
    err << "无需修复\n";
    return kExitNoResult;
  }
  if (options.top) return kExitOk;
  if (options.explain) Explain(diagnosis.candidates.front(), err);
  return WriteOutput(options, diagnosis.candidates.front().result, out, err);
}

}  // namespace qor
