// UTF-7 and HZ texts of full length, both ways.

#include <benchmark/benchmark.h>

#include "codecs/hz.h"
#include "codecs/utf7.h"
#include "escape_inputs.h"

namespace qor {
namespace {

void BM_DecodeUtf7(benchmark::State& state) {
  const Text text = FullText(EncodeUtf7(FullText(kChineseSample)));
  for (auto _ : state) benchmark::DoNotOptimize(DecodeUtf7(text));
}
BENCHMARK(BM_DecodeUtf7)->Unit(benchmark::kMicrosecond);

void BM_EncodeUtf7(benchmark::State& state) {
  const Text text = FullText(kChineseSample);
  for (auto _ : state) benchmark::DoNotOptimize(EncodeUtf7(text));
}
BENCHMARK(BM_EncodeUtf7)->Unit(benchmark::kMicrosecond);

void BM_DecodeHz(benchmark::State& state) {
  const Text text = FullText(EncodeHz(FullText(kChineseSample)));
  for (auto _ : state) benchmark::DoNotOptimize(DecodeHz(text));
}
BENCHMARK(BM_DecodeHz)->Unit(benchmark::kMicrosecond);

// Chinese text without ASCII: one long stretch of GB mode.
void BM_DecodeHzAllChinese(benchmark::State& state) {
  const Text text = FullText(EncodeHz(FullText(u"乱码修复中文汉字测试")));
  for (auto _ : state) benchmark::DoNotOptimize(DecodeHz(text));
}
BENCHMARK(BM_DecodeHzAllChinese)->Unit(benchmark::kMicrosecond);

void BM_EncodeHz(benchmark::State& state) {
  const Text text = FullText(kChineseSample);
  for (auto _ : state) benchmark::DoNotOptimize(EncodeHz(text));
}
BENCHMARK(BM_EncodeHz)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace qor
