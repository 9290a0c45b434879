// Reinterpretation of a full text (16,383 units of mixed Chinese and ASCII), and the program's
// own UTF-8 decoder against ICU's.

#include <benchmark/benchmark.h>
#include <unicode/ucnv.h>

#include "codepage/byte_strings.h"
#include "codepage/conversions.h"
#include "codepage/reinterpret.h"

namespace qor {
namespace {

constexpr std::size_t kFullText = 16383;

// Chinese sentences with ASCII words and punctuation, repeated to the full length.
Text MixedText() {
  const Text sample = u"乱码修复 QOR repairs garbled text: 中文、English 和数字 12345。\r\n";
  Text text;
  while (text.size() < kFullText) text += sample;
  text.resize(kFullText);
  return text;
}

void BM_ReinterpretGbToUtf8(benchmark::State& state) {
  // The garbled form: UTF-8 bytes read as GBK.
  const Text garbled = Reinterpret(MixedText(), kLcidUtf8, kLcidChineseSimplified);
  for (auto _ : state)
    benchmark::DoNotOptimize(Reinterpret(garbled, kLcidChineseSimplified, kLcidUtf8));
}
BENCHMARK(BM_ReinterpretGbToUtf8)->Unit(benchmark::kMillisecond);

void BM_ReinterpretEngToGb(benchmark::State& state) {
  const Text garbled = Reinterpret(MixedText(), kLcidChineseSimplified, kLcidEnglish);
  for (auto _ : state)
    benchmark::DoNotOptimize(Reinterpret(garbled, kLcidEnglish, kLcidChineseSimplified));
}
BENCHMARK(BM_ReinterpretEngToGb)->Unit(benchmark::kMillisecond);

void BM_Utf8BytesToText(benchmark::State& state) {
  const Bytes bytes = TextToUtf8Bytes(MixedText());
  for (auto _ : state) benchmark::DoNotOptimize(Utf8BytesToText(bytes));
}
BENCHMARK(BM_Utf8BytesToText)->Unit(benchmark::kMicrosecond);

void BM_IcuUtf8ToText(benchmark::State& state) {
  const Bytes bytes = TextToUtf8Bytes(MixedText());
  UErrorCode err = U_ZERO_ERROR;
  UConverter* cnv = ucnv_open("UTF-8", &err);
  Text out(bytes.size(), u'\0');
  for (auto _ : state) {
    err = U_ZERO_ERROR;
    benchmark::DoNotOptimize(ucnv_toUChars(cnv, out.data(), static_cast<int32_t>(out.size()),
                                           bytes.data(), static_cast<int32_t>(bytes.size()), &err));
  }
  ucnv_close(cnv);
}
BENCHMARK(BM_IcuUtf8ToText)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace qor
