// Diagnosis of a full text (16,383 units): clean, garbled once, garbled twice. The window keeps
// this under 100 ms so that the dialog opens without a wait.

#include <benchmark/benchmark.h>

#include "codepage/conversions.h"
#include "codepage/reinterpret.h"
#include "diagnosis/diagnose.h"

namespace qor {
namespace {

constexpr std::size_t kFullText = 16383;

// Chinese sentences with ASCII words and punctuation, cut to the full length after garbling.
Text FullText(std::int32_t written, std::int32_t read, bool twice) {
  const Text lines[] = {
      u"无法打开文件“%s”：权限不够。\n",
      u"Usage: qor-cli fix [-i FILE] —— 自动诊断乱码并给出最可能的修复。\n",
      u"正在下载软件包列表，请稍候……已完成 42%\n",
      u"配置文件中的选项 --color 已被弃用，请改用 --colour。\n",
      u"服务器返回了无效的响应，连接已关闭。\n",
  };
  Text text;
  for (std::size_t k = 0; text.size() < 2 * kFullText; ++k) text += lines[k % 5];
  if (written != read) text = Reinterpret(text, written, read);
  if (twice) text = Reinterpret(text, kLcidUtf8, 1033);
  // Cut after a line break so that no character is cut in half.
  text.resize(text.rfind(u'\n', kFullText - 1) + 1);
  return text;
}

void Run(benchmark::State& state, const Text& text) {
  for (auto _ : state) benchmark::DoNotOptimize(Diagnose(text));
  state.counters["units"] = static_cast<double>(text.size());
}

void BM_DiagnoseClean(benchmark::State& state) { Run(state, FullText(0, 0, false)); }
BENCHMARK(BM_DiagnoseClean)->Unit(benchmark::kMillisecond);

// UTF-8 read as GBK.
void BM_DiagnoseOneLayer(benchmark::State& state) { Run(state, FullText(kLcidUtf8, 2052, false)); }
BENCHMARK(BM_DiagnoseOneLayer)->Unit(benchmark::kMillisecond);

// UTF-8 read as GBK, that saved as UTF-8 and read as Western.
void BM_DiagnoseTwoLayers(benchmark::State& state) { Run(state, FullText(kLcidUtf8, 2052, true)); }
BENCHMARK(BM_DiagnoseTwoLayers)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace qor
