// Numeric references and HTML entities on full texts; the HTML fragment also through the literal
// way (one replace-all pass per tag and entity) that the decoder's two scans replace.

#include <benchmark/benchmark.h>

#include "../tests/codecs/literal_references.h"
#include "codecs/numeric_references.h"
#include "escape_inputs.h"

namespace qor {
namespace {

// An HTML fragment dense in entities, numeric references and tags.
const Text& HtmlFragment() {
  static const Text text = FullText(
      u"<p>&lt;b&gt;Caf&eacute; &amp; cr&egrave;me&lt;/b&gt;&nbsp;&copy;2024 &#x53EF;&#25511;"
      u" &ldquo;quoted&rdquo; &hellip; &alpha;&beta;&gamma; &rarr; &euro;100<br>\r\n");
  return text;
}

void BM_DecodeHtmlReferences(benchmark::State& state) {
  for (auto _ : state) benchmark::DoNotOptimize(DecodeNumericReferences(HtmlFragment(), 0));
}
BENCHMARK(BM_DecodeHtmlReferences)->Unit(benchmark::kMicrosecond);

void BM_DecodeHtmlReferencesLiterally(benchmark::State& state) {
  for (auto _ : state) benchmark::DoNotOptimize(literal::NumericReferences(HtmlFragment(), 0));
}
BENCHMARK(BM_DecodeHtmlReferencesLiterally)->Unit(benchmark::kMicrosecond);

void BM_DecodeBackslashReferences(benchmark::State& state) {
  const Text text = FullText(u"\\u4E71\\u7801 fix \\x28ok\\x29 ");
  for (auto _ : state) benchmark::DoNotOptimize(DecodeNumericReferences(text, 1));
}
BENCHMARK(BM_DecodeBackslashReferences)->Unit(benchmark::kMicrosecond);

void BM_DecodePercentReferences(benchmark::State& state) {
  const Text text = FullText(u"%u4E71%u7801%20fix%28ok%29");
  for (auto _ : state) benchmark::DoNotOptimize(DecodeNumericReferences(text, 2));
}
BENCHMARK(BM_DecodePercentReferences)->Unit(benchmark::kMicrosecond);

void BM_EncodeNumericReferences(benchmark::State& state) {
  const Text text = FullText(kChineseSample);
  for (auto _ : state) benchmark::DoNotOptimize(EncodeNumericReferences(text, false));
}
BENCHMARK(BM_EncodeNumericReferences)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace qor
