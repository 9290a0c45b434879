// Diagnosis of any text, lone surrogates and controls included: it never crashes, the text as
// it is is always a candidate, and each candidate's chain replays to its result.

#include <cstdlib>

#include "diagnosis/diagnose.h"
#include "fuzz_input.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  qor::FuzzInput input(data, size);
  const qor::Text text = input.RestAsText();
  qor::DiagnosisOptions options;
  options.max_candidates = 4;
  options.sample_units = 64;  // small samples so that the fuzzer also meets the confirmation
  const qor::Diagnosis diagnosis = qor::Diagnose(text, options);
  bool as_is = false;
  for (const qor::Candidate& candidate : diagnosis.candidates) {
    as_is = as_is || (candidate.chain.empty() && candidate.result == text);
    qor::Text replay = text;
    for (const qor::Text& label : candidate.chain) {
      replay = qor::RunStep(*qor::Catalogue::Get().Find(label), replay).result;
    }
    if (replay != candidate.result) std::abort();
  }
  if (!as_is && diagnosis.candidates.size() < options.max_candidates) std::abort();
  return 0;
}
