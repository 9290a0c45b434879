// Research runner (temporary): candidate availability on the corpus.

#include <algorithm>
#include <array>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <iostream>
#include <map>
#include <sstream>
#include <string>

#include "diagnosis/diagnose.h"
#include "diagnosis/plausibility.h"
#include "diagnosis/search.h"
#include "platform/wtf8.h"

namespace qor {
namespace {

struct Case {
  std::string split, path, tool;
  Text original, garbled;
};

Text Unescape(const std::string& field) {
  std::string out;
  for (std::size_t i = 0; i < field.size(); ++i) {
    if (field[i] != '\\' || i + 1 >= field.size()) {
      out += field[i];
    } else if (field[i + 1] == '\\') {
      out += '\\';
      ++i;
    } else if (field[i + 1] == 'u' && i + 5 < field.size()) {
      out += static_cast<char>(std::stoi(field.substr(i + 2, 4), nullptr, 16));
      i += 5;
    } else {
      out += field[i];
    }
  }
  return Utf8ToText(out);
}

std::vector<Case> ReadCases(const std::string& path) {
  std::ifstream in(path);
  std::vector<Case> cases;
  std::string line;
  while (std::getline(in, line)) {
    if (line.empty() || line[0] == '#') continue;
    std::vector<std::string> fields;
    std::stringstream stream(line);
    std::string field;
    while (std::getline(stream, field, '\t')) fields.push_back(field);
    if (fields.size() != 5) continue;
    cases.push_back({fields[0], fields[1], fields[2], Unescape(fields[3]), Unescape(fields[4])});
  }
  return cases;
}

int Oracle(const std::vector<Case>& cases, std::size_t beam) {
  const std::vector<Repair> repairs = CatalogueRepairs(Catalogue::Get());
  std::map<std::string, std::array<int, 3>> stats;  // cases, found, found lossless
  double total_ms = 0;
  std::size_t total_trials = 0;
  for (const Case& c : cases) {
    auto& s = stats[c.path];
    ++s[0];
    const auto t0 = std::chrono::steady_clock::now();
    const std::vector<Trial> trials = Search(c.garbled, repairs, {beam, {}});
    total_ms +=
        std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - t0).count();
    total_trials += trials.size();
    if (c.original == c.garbled) {
      ++s[1];
      ++s[2];
      continue;
    }
    for (const Trial& t : trials) {
      if (t.outcome.result == c.original) {
        ++s[1];
        if (t.outcome.Lost() == 0) ++s[2];
        break;
      }
    }
  }
  for (const auto& [path, s] : stats) {
    std::printf("%-28s %4d found %4d lossless %4d\n", path.c_str(), s[0], s[1], s[2]);
  }
  std::printf("%.1f ms a case, %.0f trials a case\n", total_ms / cases.size(),
              double(total_trials) / cases.size());
  return 0;
}

// The chain that undoes a garbling path such as "utf-8>gbk|utf-8>cp1252": each layer "w>r" is
// undone by the pair "r--w", the last layer first.
std::vector<Text> ExpectedChain(const std::string& path) {
  static const std::map<std::string, std::pair<const char16_t*, const char16_t*>> names = {
      {"gbk", {u"GB", u"中文简(GBK)"}},
      {"gb18030", {nullptr, u"中文简(GB18030)"}},
      {"big5", {u"Big5", u"中文繁(Big5)"}},
      {"sjis", {u"日文", u"日文(Shift-JIS)"}},
      {"uhc", {u"韩文", u"韩文(KS)"}},
      {"cp1252", {u"Eng", u"西欧(Windows)"}},
      {"cp1251", {u"俄文", u"西里尔(Windows)"}},
      {"latin1", {u"Latin1", u"西欧(ISO)"}},
      {"utf-8", {u"UTF8", u"Unicode(UTF-8)"}},
      {"utf-16le", {u"ULE", nullptr}},
      {"utf-16be", {u"UBE", nullptr}}};
  std::vector<Text> chain;
  std::stringstream layers(path);
  std::string layer;
  while (std::getline(layers, layer, '|')) {
    const std::size_t gt = layer.find('>');
    const auto& w = names.at(layer.substr(0, gt));
    const auto& r = names.at(layer.substr(gt + 1));
    if (w.first && r.first) {
      chain.insert(chain.begin(), Text(r.first) + u"--" + w.first);
    } else {
      chain.insert(chain.begin(), Text(r.second) + u" -- " + w.second);
    }
  }
  return chain;
}

bool Reaches(const Case& c) {
  if (c.original == c.garbled) return true;
  Text text = c.garbled;
  for (const Text& label : ExpectedChain(c.path)) {
    const std::optional<Step> step = Catalogue::Get().Find(label);
    if (!step) return false;
    text = step->transform(text);
  }
  return text == c.original;
}

std::size_t CodePoints(TextView text) {
  std::size_t n = 0;
  for (const char16_t c : text) n += !(c >= 0xDC00 && c <= 0xDFFF);
  return n;
}

int Report(const std::vector<Case>& cases, const std::string& split, std::size_t beam) {
  struct Tally {
    int cases = 0, reachable = 0;
    int long_n = 0, long_top1 = 0, long_top3 = 0;
    int short_n = 0, short_top1 = 0, short_top3 = 0;
  };
  std::map<std::string, Tally> tallies;
  double total_ms = 0, worst_ms = 0;
  int n = 0;
  DiagnosisOptions options;
  options.beam = beam;
  for (const Case& c : cases) {
    if (split != "all" && c.split != split) continue;
    Tally& t = tallies[c.path];
    ++t.cases;
    if (!Reaches(c)) continue;
    ++t.reachable;
    const auto t0 = std::chrono::steady_clock::now();
    const Diagnosis d = Diagnose(c.garbled, options);
    const double ms =
        std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - t0).count();
    total_ms += ms;
    worst_ms = std::max(worst_ms, ms);
    ++n;
    int rank = 99;
    for (std::size_t k = 0; k < d.candidates.size() && k < 3; ++k) {
      if (d.candidates[k].result == c.original) {
        rank = static_cast<int>(k);
        break;
      }
    }
    const bool is_long = CodePoints(c.original) >= 10;
    (is_long ? t.long_n : t.short_n)++;
    if (rank == 0) (is_long ? t.long_top1 : t.short_top1)++;
    if (rank < 3) (is_long ? t.long_top3 : t.short_top3)++;
    if (std::getenv("QOR_SHOW_MISSES") && rank != 0) {
      std::printf(
          "MISS %s: %s\n  got [%s] %s\n  %s\n", c.path.c_str(), EncodeWtf8(c.garbled).c_str(),
          d.candidates.empty()
              ? ""
              : EncodeWtf8(d.candidates[0].chain.empty() ? u"" : d.candidates[0].chain[0]).c_str(),
          EncodeWtf8(d.candidates[0].result).c_str(), EncodeWtf8(c.original).c_str());
    }
  }
  const auto pct = [](int a, int b) { return b ? 100.0 * a / b : 0.0; };
  std::printf("%-28s %5s %5s | %5s %6s %6s | %5s %6s %6s\n", "path", "cases", "reach", "10+",
              "top1", "top3", "<10", "top1", "top3");
  for (const auto& [path, t] : tallies) {
    std::printf("%-28s %5d %5d | %5d %5.1f%% %5.1f%% | %5d %5.1f%% %5.1f%%\n", path.c_str(),
                t.cases, t.reachable, t.long_n, pct(t.long_top1, t.long_n),
                pct(t.long_top3, t.long_n), t.short_n, pct(t.short_top1, t.short_n),
                pct(t.short_top3, t.short_n));
  }
  Tally one, two, clean;
  for (const auto& [path, t] : tallies) {
    Tally& sum = path.rfind("clean", 0) == 0           ? clean
                 : path.find('|') != std::string::npos ? two
                                                       : one;
    sum.long_n += t.long_n;
    sum.long_top1 += t.long_top1;
    sum.long_top3 += t.long_top3;
    sum.short_n += t.short_n;
    sum.short_top1 += t.short_top1;
    sum.short_top3 += t.short_top3;
  }
  for (const auto& [name, t] :
       {std::pair{"one layer", one}, {"two layers", two}, {"clean", clean}}) {
    std::printf("%-28s %5s %5s | %5d %5.1f%% %5.1f%% | %5d %5.1f%% %5.1f%%\n", name, "", "",
                t.long_n, pct(t.long_top1, t.long_n), pct(t.long_top3, t.long_n), t.short_n,
                pct(t.short_top1, t.short_n), pct(t.short_top3, t.short_n));
  }
  std::printf("%.2f ms a case on average, %.1f ms at most\n", total_ms / std::max(n, 1), worst_ms);
  return 0;
}

// Training: the weights that make the original the most probable of each case's candidates
// (a softmax over the candidates: the as-is text, the original, and the wrong candidates that
// the current weights rank highest), fitted by gradient descent with Adam.
constexpr std::size_t kPairs = kClassCount * kClassCount;
constexpr std::size_t kFeatures = kPairs + 4;  // pairs; one step, two steps; their per-unit terms

struct Item {
  std::vector<std::uint32_t> sparse;  // feature index, value, feature index, value…
  bool correct = false;
  bool as_is = false;
};

Item MakeItem(TextView result, std::size_t steps, std::size_t units, bool correct) {
  std::vector<std::uint32_t> dense(kPairs);
  CountClassPairs(result, dense);
  Item item;
  for (std::size_t k = 0; k < kPairs; ++k) {
    if (dense[k]) {
      item.sparse.push_back(static_cast<std::uint32_t>(k));
      item.sparse.push_back(dense[k]);
    }
  }
  if (steps > 0) {
    item.sparse.push_back(static_cast<std::uint32_t>(kPairs + steps - 1));
    item.sparse.push_back(1);
    item.sparse.push_back(static_cast<std::uint32_t>(kPairs + 2 + steps - 1));
    item.sparse.push_back(static_cast<std::uint32_t>(units));
  }
  item.correct = correct;
  item.as_is = steps == 0;
  return item;
}

// Per-unit features are scaled down so that one learning rate suits all.
constexpr double kUnitScale = 0.01;

double Score(const Item& item, const std::vector<double>& w) {
  double sum = 0;
  for (std::size_t k = 0; k < item.sparse.size(); k += 2) {
    const double scale = item.sparse[k] >= kPairs + 2 ? kUnitScale : 1.0;
    sum += w[item.sparse[k]] * item.sparse[k + 1] * scale;
  }
  return sum;
}

int Train(const std::vector<Case>& cases, std::size_t beam, const char* out_path) {
  const std::vector<Repair> repairs = CatalogueRepairs(Catalogue::Get());
  const std::size_t keep = 300;
  std::vector<std::vector<Item>> groups;
  int missing = 0;
  for (const Case& c : cases) {
    if (c.split != "train") continue;
    const std::vector<Trial> trials = Search(c.garbled, repairs, {beam, {}});
    const std::size_t units = c.garbled.size();
    std::vector<Item> items;
    items.push_back(MakeItem(c.garbled, 0, units, c.garbled == c.original));
    bool found = c.garbled == c.original;
    std::vector<std::pair<double, const Trial*>> wrong;
    for (const Trial& t : trials) {
      if (t.outcome.result == c.original) {
        items.push_back(MakeItem(t.outcome.result, t.Steps(), units, true));
        found = true;
      } else {
        // Lossy ones too: the model should tell their "?" apart even where no count does.
        wrong.emplace_back(t.plausibility + ChainBias(t.Steps(), units), &t);
      }
    }
    if (!found) {
      ++missing;
      continue;
    }
    const std::size_t n = std::min(keep, wrong.size());
    std::partial_sort(wrong.begin(), wrong.begin() + n, wrong.end(),
                      [](const auto& a, const auto& b) { return a.first > b.first; });
    for (std::size_t k = 0; k < n; ++k) {
      const Trial& t = *wrong[k].second;
      items.push_back(MakeItem(t.outcome.result, t.Steps(), units, false));
    }
    // A few more from the rest, evenly spread, so that weights stay sane on easy negatives.
    for (std::size_t k = n; k < wrong.size(); k += std::max<std::size_t>(1, wrong.size() / 50)) {
      const Trial& t = *wrong[k].second;
      items.push_back(MakeItem(t.outcome.result, t.Steps(), units, false));
    }
    groups.push_back(std::move(items));
  }
  std::printf("%zu training cases, %d without the original among the candidates\n", groups.size(),
              missing);

  std::vector<double> w(kFeatures), m(kFeatures), v(kFeatures), grad(kFeatures);
  const double rate = 0.05, l2 = 1e-3;
  for (int epoch = 1; epoch <= 400; ++epoch) {
    std::fill(grad.begin(), grad.end(), 0.0);
    double loss = 0;
    int right = 0;
    for (const std::vector<Item>& items : groups) {
      std::vector<double> scores(items.size());
      double top = -1e300;
      for (std::size_t k = 0; k < items.size(); ++k)
        top = std::max(top, scores[k] = Score(items[k], w));
      double sum = 0;
      for (double& s : scores) sum += (s = std::exp(s - top));
      std::size_t best = 0;
      for (std::size_t k = 0; k < items.size(); ++k) {
        const double p = scores[k] / sum;
        if (scores[k] > scores[best]) best = k;
        const double g = p - (items[k].correct ? 1.0 : 0.0);
        if (items[k].correct) loss -= std::log(std::max(p, 1e-300));
        if (g == 0) continue;
        for (std::size_t f = 0; f < items[k].sparse.size(); f += 2) {
          const double scale = items[k].sparse[f] >= kPairs + 2 ? kUnitScale : 1.0;
          grad[items[k].sparse[f]] += g * items[k].sparse[f + 1] * scale;
        }
      }
      right += items[best].correct;
    }
    for (std::size_t f = 0; f < kFeatures; ++f) {
      const double g = grad[f] / groups.size() + l2 * w[f];
      m[f] = 0.9 * m[f] + 0.1 * g;
      v[f] = 0.999 * v[f] + 0.001 * g * g;
      const double mh = m[f] / (1 - std::pow(0.9, epoch));
      const double vh = v[f] / (1 - std::pow(0.999, epoch));
      w[f] -= rate * mh / (std::sqrt(vh) + 1e-8);
    }
    if (epoch % 50 == 0) {
      std::printf("epoch %d: loss %.4f, top-1 %d / %zu\n", epoch, loss / groups.size(), right,
                  groups.size());
    }
  }
  FILE* out = std::fopen(out_path, "w");
  std::fprintf(
      out,
      "// Generated by bench/diagnosis_corpus train from bench/diagnosis_corpus/cases.tsv.\n"
      "constexpr float kPairWeights[] = {\n");
  for (std::size_t k = 0; k < kPairs; ++k) {
    std::fprintf(out, "%.3ff,%s", w[k], (k + 1) % kClassCount == 0 ? "\n" : " ");
  }
  std::fprintf(out, "};\nconstexpr float kChainBias[3] = {0, %.3ff, %.3ff};\n", w[kPairs],
               w[kPairs + 1]);
  std::fprintf(out, "constexpr float kChainBiasPerUnit[3] = {0, %.5ff, %.5ff};\n",
               w[kPairs + 2] * kUnitScale, w[kPairs + 3] * kUnitScale);
  std::fclose(out);
  return 0;
}

}  // namespace
}  // namespace qor

int main(int argc, char** argv) {
  {
    const auto repairs = qor::CatalogueRepairs(qor::Catalogue::Get());
    int chainable = 0;
    for (const auto& r : repairs) chainable += r.chainable;
    std::printf("%zu repairs, %d chainable\n", repairs.size(), chainable);

    std::printf("\n");
  }
  const std::string mode = argc > 1 ? argv[1] : "oracle";
  if (mode == "show") {
    qor::DiagnosisOptions options;
    options.max_candidates = 12;
    const auto d = qor::Diagnose(qor::Utf8ToText(argv[2]), options);
    for (const auto& c : d.candidates) {
      std::string chain;
      for (const auto& l : c.chain) chain += qor::EncodeWtf8(l) + " > ";
      std::printf("%8.2f %s %s\n   %s\n", c.score, chain.c_str(), qor::EncodeWtf8(c.result).c_str(),
                  qor::EncodeWtf8(c.explanation).c_str());
    }
    return 0;
  }
  std::vector<qor::Case> cases = qor::ReadCases(QOR_CORPUS);
  if (argc > 4) {
    std::vector<qor::Case> kept;
    for (auto& c : cases)
      if (c.path.find(argv[4]) != std::string::npos) kept.push_back(c);
    cases = kept;
  }
  if (argc > 2) cases.resize(std::min<std::size_t>(cases.size(), std::stoul(argv[2])));
  if (mode == "oracle") return qor::Oracle(cases, argc > 3 ? std::stoul(argv[3]) : 1000000);
  if (mode == "report")
    return qor::Report(cases, argc > 5 ? argv[5] : "test", argc > 3 ? std::stoul(argv[3]) : 16);
  if (mode == "train") return qor::Train(cases, argc > 3 ? std::stoul(argv[3]) : 0, argv[5]);
  return 2;
}
