// The program's own UTF-8 readers against ICU's on the window's longest text (16,383 units):
// Chinese text, Western text, and mojibake of Chinese read as Western.

#include <benchmark/benchmark.h>

#include "codepage/byte_strings.h"
#include "platform/codepage_service.h"
#include "platform/wtf8.h"

namespace qor {
namespace {

constexpr std::size_t kUnits = 16383;

Text Repeat(TextView unit) {
  Text out;
  while (out.size() < kUnits) out += unit;
  out.resize(kUnits);
  return out;
}

const Text& Sample(int kind) {
  static const Text samples[] = {
      Repeat(u"配置文件中的选项已被弃用，请改用新的选项。"),
      Repeat(u"Le serveur a renvoyé une réponse invalide. "),
      Repeat(u"ÅäÖÃÎÄ¼þÖÐµÄÑ¡ÏîÒÑ±»ÆúÓÃ£¬Çë¸ÄÓÃÐÂµÄÑ¡Ïî¡£"),
  };
  return samples[kind];
}

void BM_Utf8BytesToText(benchmark::State& state) {
  const Bytes bytes = TextToUtf8Bytes(Sample(static_cast<int>(state.range(0))));
  for (auto _ : state) benchmark::DoNotOptimize(Utf8BytesToText(bytes));
}
BENCHMARK(BM_Utf8BytesToText)->DenseRange(0, 2)->Unit(benchmark::kMicrosecond);

void BM_DecodeWtf8(benchmark::State& state) {
  const Bytes bytes = EncodeWtf8(Sample(static_cast<int>(state.range(0))));
  for (auto _ : state) benchmark::DoNotOptimize(DecodeWtf8(bytes));
}
BENCHMARK(BM_DecodeWtf8)->DenseRange(0, 2)->Unit(benchmark::kMicrosecond);

void BM_IcuUtf8(benchmark::State& state) {
  const Bytes bytes = EncodeWtf8(Sample(static_cast<int>(state.range(0))));
  for (auto _ : state) benchmark::DoNotOptimize(DecodeCodePage(bytes, 65001));
}
BENCHMARK(BM_IcuUtf8)->DenseRange(0, 2)->Unit(benchmark::kMicrosecond);

void BM_EncodeWtf8(benchmark::State& state) {
  const Text& text = Sample(static_cast<int>(state.range(0)));
  for (auto _ : state) benchmark::DoNotOptimize(EncodeWtf8(text));
}
BENCHMARK(BM_EncodeWtf8)->DenseRange(0, 2)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace qor
