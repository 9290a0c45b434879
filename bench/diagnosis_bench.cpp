// Diagnosis of a full text (16,383 units): clean, garbled once, garbled twice, which should take
// at most 50 ms so that a window shows the candidates without a wait; and of 40-character
// lines, clean and garbled, which should take at most 0.2 ms, as qor-cli streams records
// through it (20,000 lines a second on two cores, a tenth of them garbled).

#include <benchmark/benchmark.h>

#include <iterator>
#include <vector>

#include "codepage/conversions.h"
#include "codepage/reinterpret.h"
#include "diagnosis/diagnose.h"

namespace qor {
namespace {

constexpr std::size_t kFullText = 16383;

// Chinese sentences with ASCII words and punctuation, garbled by reading their UTF-8 bytes as GBK
// (twice: that text's UTF-8 read as Western again), then cut to the full length at a line break.
// Only lines that the garbling keeps intact, so that one repair chain undoes the whole text.
Text FullText(int layers) {
  const Text lines[] = {
      u"无法打开文件 %s：权限不够\n",
      u"Usage: qor-cli fix [-i FILE] 自动诊断乱码并给出最可能的修复\n",
      u"正在下载软件包列表，请稍候\n",
      u"配置文件中的选项 --color 已被弃用，请改用 --colour\n",
      u"服务器返回了无效的响应，连接已关闭\n",
      u"最后一行的汉字也要修好\n",
  };
  const auto garble = [layers](TextView line) {
    Text text(line);
    if (layers >= 1) text = Reinterpret(text, kLcidUtf8, kLcidChineseSimplified);
    if (layers >= 2) text = Reinterpret(text, kLcidUtf8, kLcidEnglish);
    return text;
  };
  const auto undo = [layers](Text text) {
    if (layers >= 2) text = Reinterpret(text, kLcidEnglish, kLcidUtf8);
    if (layers >= 1) text = Reinterpret(text, kLcidChineseSimplified, kLcidUtf8);
    return text;
  };
  Text text;
  for (std::size_t k = 0; text.size() < kFullText; ++k) {
    const Text line = garble(lines[k % std::size(lines)]);
    if (undo(line) == lines[k % std::size(lines)]) text += line;
  }
  text.resize(text.rfind(u'\n', kFullText - 1) + 1);
  return text;
}

void Run(benchmark::State& state, const Text& text) {
  benchmark::DoNotOptimize(Diagnose(text));  // the model and the repairs are set up once
  for (auto _ : state) benchmark::DoNotOptimize(Diagnose(text));
  state.counters["units"] = static_cast<double>(text.size());
}

void BM_DiagnoseClean(benchmark::State& state) { Run(state, FullText(0)); }
BENCHMARK(BM_DiagnoseClean)->Unit(benchmark::kMillisecond);

// UTF-8 read as GBK.
void BM_DiagnoseOneLayer(benchmark::State& state) { Run(state, FullText(1)); }
BENCHMARK(BM_DiagnoseOneLayer)->Unit(benchmark::kMillisecond);

// UTF-8 read as GBK, that saved as UTF-8 and read as Western.
void BM_DiagnoseTwoLayers(benchmark::State& state) { Run(state, FullText(2)); }
BENCHMARK(BM_DiagnoseTwoLayers)->Unit(benchmark::kMillisecond);

// 40-character lines, clean and garbled: the line, and the code page its UTF-8 bytes are read
// under (0: clean).
struct Line {
  const char* name;
  const char16_t* text;
  std::int32_t read_as;
};

const Line kLines[] = {
    {"BM_DiagnoseCleanChineseLine", u"配置文件中的选项 --color 已被弃用，请改用 --colour 吧", 0},
    {"BM_DiagnoseCleanEnglishLine", u"The server returned an invalid response.", 0},
    {"BM_DiagnoseCleanFrenchLine", u"Le serveur a renvoyé une réponse invalide.", 0},
    {"BM_DiagnoseCleanRussianLine", u"Сервер вернул недопустимый ответ, повторите.", 0},
    {"BM_DiagnoseCleanJapaneseLine",
     u"サーバーから無効な応答が返されました。後でもう一度お試しください。", 0},
    {"BM_DiagnoseGarbledLine", u"配置文件中的选项 --color 已被弃用，请改用 --colour", 2052},
    {"BM_DiagnoseWesternMojibakeLine", u"Le serveur a renvoyé une réponse invalide.", 1033},
    {"BM_DiagnoseRussianMojibakeLine", u"Сервер вернул недопустимый ответ, повторите.", 1033},
};

const bool kLinesRegistered = [] {
  for (const Line& line : kLines) {
    benchmark::RegisterBenchmark(line.name, [line](benchmark::State& state) {
      Run(state, line.read_as ? Reinterpret(line.text, kLcidUtf8, LcidSelector{line.read_as})
                              : Text(line.text));
    })->Unit(benchmark::kMicrosecond);
  }
  return true;
}();

// A stream of records as qor-cli reads it: nine clean lines (English, Chinese, French, Russian,
// Japanese) for each garbled one; lines a second is what the counter shows.
void BM_DiagnoseStreamOfLines(benchmark::State& state) {
  const Text clean[] = {
      u"The server returned an invalid response.",
      u"配置文件中的选项 --color 已被弃用，请改用 --colour 吧",
      u"Le serveur a renvoyé une réponse invalide.",
      u"Сервер вернул недопустимый ответ, повторите.",
      u"サーバーから無効な応答が返されました。",
      u"Connection closed by the remote host.",
      u"无法打开文件 %s：权限不够",
      u"Größere Dateien können nicht geöffnet werden.",
      u"Permission denied (publickey).",
  };
  std::vector<Text> lines(std::begin(clean), std::end(clean));
  lines.push_back(Reinterpret(u"正在下载软件包列表，请稍候", kLcidUtf8, kLcidChineseSimplified));
  benchmark::DoNotOptimize(Diagnose(lines.back()));
  for (auto _ : state) {
    for (const Text& line : lines) benchmark::DoNotOptimize(Diagnose(line));
  }
  state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(lines.size()));
}
BENCHMARK(BM_DiagnoseStreamOfLines)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace qor
