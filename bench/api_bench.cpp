// qor::Fix through the installed library's API over a file of records, one a line (the file that
// bench/library/fix_throughput.py writes and compares the Python module against):
//   QOR_RECORDS=records.txt build/bench/api_bench
// items_per_second is records a CPU second.

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

#include "qor/qor.h"

namespace {

std::vector<std::string> Records() {
  std::vector<std::string> records;
  const char* path = std::getenv("QOR_RECORDS");
  std::ifstream file(path ? path : "");
  for (std::string line; std::getline(file, line);) records.push_back(line);
  return records;
}

void BM_FixRecords(benchmark::State& state) {
  const std::vector<std::string> records = Records();
  if (records.empty()) {
    state.SkipWithError("no records: set QOR_RECORDS to a file of records, one a line");
    return;
  }
  for (auto _ : state) {
    for (const std::string& record : records) benchmark::DoNotOptimize(qor::Fix(record));
  }
  state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(records.size()));
}
BENCHMARK(BM_FixRecords)->Unit(benchmark::kMillisecond);

}  // namespace
