// The code page service on its worst inputs: bytes that are all invalid sequences (each one
// restarts the converter) and text that alternates with characters the converter must not see.
// Both must stay linear in the length.

#include <benchmark/benchmark.h>

#include "platform/codepage_service.h"

namespace qor {
namespace {

Bytes Repeat(BytesView unit, std::size_t size) {
  Bytes out;
  while (out.size() < size) out += unit;
  out.resize(size);
  return out;
}

struct InvalidInput {
  int code_page;
  const char* unit;  // one invalid sequence and what follows it
};

// 949: an ASCII byte after a lead byte; 950: a non-trail high byte after a lead byte; 932: an
// unassigned pair; 1361: iconv; 20932: a lead byte with a byte that is not a JIS X 0212 trail;
// 65001 and 52936: ICU's own callback.
constexpr InvalidInput kInvalid[] = {
    {949, "\xC9\x41"},  {950, "\xA4\x81"},   {932, "\x85\x40"}, {936, "\xD6\x0A"},
    {1361, "\x84\x0A"}, {20932, "\xA1\x0A"}, {65001, "\x80"},   {52936, "~x"},
};

void BM_DecodeInvalid(benchmark::State& state) {
  const InvalidInput& input = kInvalid[state.range(0)];
  const Bytes bytes = Repeat(input.unit, state.range(1));
  for (auto _ : state) benchmark::DoNotOptimize(DecodeCodePage(bytes, input.code_page));
  state.SetLabel(std::to_string(input.code_page));
  state.SetComplexityN(state.range(1));
}
BENCHMARK(BM_DecodeInvalid)
    ->ArgsProduct({benchmark::CreateDenseRange(0, std::size(kInvalid) - 1, 1),
                   {4096, 16383, 65536}})
    ->Unit(benchmark::kMillisecond);

// The full text of a window, 16,383 units.
void BM_EncodeAlternatingSpecials(benchmark::State& state) {
  // 932: U+2014 is refused (Windows writes "?"), U+0080 is one of Windows' own single bytes.
  Text text;
  while (text.size() < 16383) text += u"a\u2014b\u0080";
  text.resize(16383);
  for (auto _ : state) benchmark::DoNotOptimize(EncodeCodePage(text, 932));
}
BENCHMARK(BM_EncodeAlternatingSpecials)->Unit(benchmark::kMillisecond);

void BM_EncodeUnmappable(benchmark::State& state) {
  const Text text(16383, u'\uAC00');  // Hangul into Western: every unit a "?"
  for (auto _ : state) benchmark::DoNotOptimize(EncodeCodePage(text, 1252));
}
BENCHMARK(BM_EncodeUnmappable)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace qor
