// URL and quoted-printable decoding of full texts, and the quoted-printable encoder.

#include <benchmark/benchmark.h>

#include "codecs/hex_escapes.h"
#include "escape_inputs.h"

namespace qor {
namespace {

// A whole text of %XX escapes: one long run.
void BM_DecodeUrlGbAllEscapes(benchmark::State& state) {
  const Text text = FullText(u"%C2%D2%C2%EB%D0%DE%B8%B4");
  for (auto _ : state)
    benchmark::DoNotOptimize(DecodeHexEscapes(text, kLcidChineseSimplified, kUrlEncoding));
}
BENCHMARK(BM_DecodeUrlGbAllEscapes)->Unit(benchmark::kMicrosecond);

// Query strings: many short runs between plain characters.
void BM_DecodeUrlGbQueries(benchmark::State& state) {
  const Text text = FullText(u"work%2Easp%3Fs%3D%B5%E7%C4%D4+%81A&n=1\r\n");
  for (auto _ : state)
    benchmark::DoNotOptimize(DecodeHexEscapes(text, kLcidChineseSimplified, kUrlEncoding));
}
BENCHMARK(BM_DecodeUrlGbQueries)->Unit(benchmark::kMicrosecond);

void BM_DecodeUrlUtf8Queries(benchmark::State& state) {
  const Text text = FullText(u"search?q=%E4%B9%B1%E7%A0%81+fix&page=2\r\n");
  for (auto _ : state) benchmark::DoNotOptimize(DecodeHexEscapes(text, kLcidUtf8, kUrlEncoding));
}
BENCHMARK(BM_DecodeUrlUtf8Queries)->Unit(benchmark::kMicrosecond);

// A mail body as the encoder writes it: soft breaks every 76 characters.
void BM_DecodeQuotedPrintableGb(benchmark::State& state) {
  const Text text = FullText(EncodeQuotedPrintable(FullText(kChineseSample), false));
  for (auto _ : state)
    benchmark::DoNotOptimize(DecodeHexEscapes(text, kLcidChineseSimplified, kQuotedPrintable));
}
BENCHMARK(BM_DecodeQuotedPrintableGb)->Unit(benchmark::kMicrosecond);

void BM_DecodeQuotedPrintableUtf8(benchmark::State& state) {
  const Text text = FullText(EncodeQuotedPrintable(FullText(kChineseSample), true));
  for (auto _ : state)
    benchmark::DoNotOptimize(DecodeHexEscapes(text, kLcidUtf8, kQuotedPrintable));
}
BENCHMARK(BM_DecodeQuotedPrintableUtf8)->Unit(benchmark::kMicrosecond);

// The encoder on as much text as the window can hold of its result (3 characters per byte).
void BM_EncodeQuotedPrintableGb(benchmark::State& state) {
  const Text text = FullText(kChineseSample).substr(0, kFullText / 3);
  for (auto _ : state) benchmark::DoNotOptimize(EncodeQuotedPrintable(text, false));
}
BENCHMARK(BM_EncodeQuotedPrintableGb)->Unit(benchmark::kMicrosecond);

void BM_EncodeQuotedPrintableUtf8Full(benchmark::State& state) {
  const Text text = FullText(kChineseSample);
  for (auto _ : state) benchmark::DoNotOptimize(EncodeQuotedPrintable(text, true));
}
BENCHMARK(BM_EncodeQuotedPrintableUtf8Full)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace qor
