// Base64 blocks of a full text, decoded under GBK and UTF-8, and the encoder.

#include <benchmark/benchmark.h>

#include "codecs/base64.h"
#include "escape_inputs.h"

namespace qor {
namespace {

void BM_DecodeBase64Gb(benchmark::State& state) {
  const Text text = FullText(EncodeBase64Text(FullText(kChineseSample), false));
  for (auto _ : state)
    benchmark::DoNotOptimize(DecodeBase64Text(text, kLcidChineseSimplified, kBase64Standard));
}
BENCHMARK(BM_DecodeBase64Gb)->Unit(benchmark::kMicrosecond);

void BM_DecodeBase64Utf8(benchmark::State& state) {
  const Text text = FullText(EncodeBase64Text(FullText(kChineseSample), true));
  for (auto _ : state) benchmark::DoNotOptimize(DecodeBase64Text(text, kLcidUtf8, kBase64Standard));
}
BENCHMARK(BM_DecodeBase64Utf8)->Unit(benchmark::kMicrosecond);

void BM_EncodeBase64Gb(benchmark::State& state) {
  const Text text = FullText(kChineseSample);
  for (auto _ : state) benchmark::DoNotOptimize(EncodeBase64Text(text, false));
}
BENCHMARK(BM_EncodeBase64Gb)->Unit(benchmark::kMicrosecond);

void BM_EncodeBase64Utf8(benchmark::State& state) {
  const Text text = FullText(kChineseSample);
  for (auto _ : state) benchmark::DoNotOptimize(EncodeBase64Text(text, true));
}
BENCHMARK(BM_EncodeBase64Utf8)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace qor
