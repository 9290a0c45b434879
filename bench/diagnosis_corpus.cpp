// The diagnosis corpus runner: how often diagnosis puts the original text first (and among the
// first three) for each garbling path of bench/diagnosis_corpus/cases.tsv, and the trainer of
// the plausibility model's weights.
//
//   diagnosis_corpus report [--split test|train|all] [--path TEXT] [--misses]
//   diagnosis_corpus train OUT.inc [--beam N]
//   diagnosis_corpus show TEXT
//
// A benchmark, not a test: it measures and prints, it does not fail. To train the model again
// (after a change to the character classes, the search or the corpus): run train with
// src/diagnosis/plausibility_weights.inc as OUT, build, and repeat until the figures it prints
// settle (two or three rounds); each round mines its hard candidates with the weights built in.

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <map>
#include <sstream>
#include <string>

#include "diagnosis/diagnose.h"
#include "diagnosis/plausibility.h"
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
    if (field.compare(i, 2, "\\\\") == 0) {
      out += '\\';
      ++i;
    } else if (field.compare(i, 2, "\\u") == 0 && i + 5 < field.size()) {
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
    for (std::string field; std::getline(stream, field, '\t');) fields.push_back(field);
    if (fields.size() != 5) continue;
    cases.push_back({fields[0], fields[1], fields[2], Unescape(fields[3]), Unescape(fields[4])});
  }
  return cases;
}

// The chain that undoes a garbling path: each layer "w>r" (written as w, read as r) by the pair
// "r--w", the last layer first; an escape format by its decoder.
std::vector<Text> ExpectedChain(const std::string& path) {
  static const std::map<std::string, const char16_t*> escapes = {
      {"escape:url-utf-8", u"URL--UTF8"},
      {"escape:url-gbk", u"URL--GB"},
      {"escape:qp-utf-8", u"QP--UTF8"},
      {"escape:base64-utf-8", u"Base64--UTF8"},
      {"escape:base64-gbk", u"Base64--GB"},
      {"escape:html-dec", u"HTM--U"},
      {"escape:js-u", u"NumU(1)--U"},
      {"escape:utf-7", u"UTF7--U"},
      {"escape:hz", u"HZ--GB"}};
  if (const auto escape = escapes.find(path); escape != escapes.end()) return {escape->second};
  // LCID table names, code page table names.
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
  for (std::string layer; std::getline(layers, layer, '|');) {
    const std::size_t gt = layer.find('>');
    const auto& written = names.at(layer.substr(0, gt));
    const auto& read = names.at(layer.substr(gt + 1));
    chain.insert(chain.begin(), written.first && read.first
                                    ? Text(read.first) + u"--" + written.first
                                    : Text(read.second) + u" -- " + written.second);
  }
  return chain;
}

// Whether the catalogue can undo the case at all: the tools that garbled it agree with this
// program's code pages.
bool Reachable(const Case& c) {
  if (c.original == c.garbled) return true;
  Text text = c.garbled;
  for (const Text& label : ExpectedChain(c.path)) {
    const std::optional<Step> step = Catalogue::Get().Find(label);
    if (!step) return false;
    text = RunStep(*step, text).result;
  }
  return text == c.original;
}

std::size_t CodePoints(TextView text) {
  return static_cast<std::size_t>(
      std::count_if(text.begin(), text.end(), [](char16_t c) { return c < 0xDC00 || c > 0xDFFF; }));
}

std::string ChainOf(const Candidate& candidate) {
  std::string chain;
  for (const Text& label : candidate.chain)
    chain += (chain.empty() ? "" : " > ") + EncodeWtf8(label);
  return chain.empty() ? "(as it is)" : chain;
}

struct Tally {
  int cases = 0, reachable = 0;
  int long_n = 0, long_top1 = 0, long_top3 = 0;
  int short_n = 0, short_top1 = 0, short_top3 = 0;

  void Add(const Tally& t) {
    long_n += t.long_n, long_top1 += t.long_top1, long_top3 += t.long_top3;
    short_n += t.short_n, short_top1 += t.short_top1, short_top3 += t.short_top3;
  }
};

void PrintRow(const std::string& name, const Tally& t, bool counts) {
  const auto pct = [](int a, int b) { return b ? 100.0 * a / b : 0.0; };
  std::printf("%-28s", name.c_str());
  if (counts) {
    std::printf(" %5d %5d", t.cases, t.reachable);
  } else {
    std::printf(" %11s", "");
  }
  std::printf(" | %4d %5.1f%% %5.1f%% | %4d %5.1f%% %5.1f%%\n", t.long_n,
              pct(t.long_top1, t.long_n), pct(t.long_top3, t.long_n), t.short_n,
              pct(t.short_top1, t.short_n), pct(t.short_top3, t.short_n));
}

int Report(const std::vector<Case>& cases, const std::string& split, const std::string& only,
           bool misses) {
  std::map<std::string, Tally> tallies;
  double total_ms = 0, worst_ms = 0;
  int diagnosed = 0;
  for (const Case& c : cases) {
    if ((split != "all" && c.split != split) || c.path.find(only) == std::string::npos) continue;
    Tally& t = tallies[c.path];
    ++t.cases;
    if (!Reachable(c)) continue;
    ++t.reachable;
    const auto start = std::chrono::steady_clock::now();
    const Diagnosis d = Diagnose(c.garbled, {});
    const double ms =
        std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
    total_ms += ms;
    worst_ms = std::max(worst_ms, ms);
    ++diagnosed;
    std::size_t rank = 0;
    while (rank < 3 && rank < d.candidates.size() && d.candidates[rank].result != c.original)
      ++rank;
    const bool is_long = CodePoints(c.original) >= 10;
    (is_long ? t.long_n : t.short_n)++;
    if (rank == 0) (is_long ? t.long_top1 : t.short_top1)++;
    if (rank < 3) (is_long ? t.long_top3 : t.short_top3)++;
    if (misses && rank != 0) {
      std::printf("MISS %s: %s\n  got %s: %s\n  want %s\n", c.path.c_str(),
                  EncodeWtf8(c.garbled).c_str(), ChainOf(d.candidates[0]).c_str(),
                  EncodeWtf8(d.candidates[0].result).c_str(), EncodeWtf8(c.original).c_str());
    }
  }
  std::printf("%-28s %5s %5s | %4s %6s %6s | %4s %6s %6s\n", "path", "cases", "reach", "10+",
              "top-1", "top-3", "<10", "top-1", "top-3");
  Tally one, two, escapes, clean;
  for (const auto& [path, t] : tallies) {
    PrintRow(path, t, true);
    if (path.rfind("clean", 0) == 0) {
      clean.Add(t);
    } else if (path.rfind("escape", 0) == 0) {
      escapes.Add(t);
    } else {
      (path.find('|') == std::string::npos ? one : two).Add(t);
    }
  }
  PrintRow("one layer", one, false);
  PrintRow("two layers", two, false);
  PrintRow("escape formats", escapes, false);
  PrintRow("clean (left unchanged)", clean, false);
  std::printf("%d cases, %.2f ms a case on average, %.1f ms at most\n", diagnosed,
              total_ms / std::max(diagnosed, 1), worst_ms);
  return 0;
}

int Show(const Text& text) {
  DiagnosisOptions options;
  options.max_candidates = 12;
  for (const Candidate& c : Diagnose(text, options).candidates) {
    std::printf("%+8.2f %s: %s\n         %s\n", c.score, ChainOf(c).c_str(),
                EncodeWtf8(c.result).c_str(), EncodeWtf8(c.explanation).c_str());
  }
  return 0;
}

// Training: the weights that make the original the most probable of each training case's
// candidates (a softmax over the text as it is, the original and the wrong candidates that the
// current weights rank highest, lossy ones included), fitted by gradient descent with Adam.
// Run it again after building with the new weights: the beam and the hard candidates change.
constexpr std::size_t kPairs = kClassCount * kClassCount;
constexpr std::size_t kFeatures = kPairs + 4;  // the pairs; one step, two steps; per unit of each
constexpr double kUnitScale = 0.01;            // so that one learning rate suits every feature

struct Item {
  std::vector<std::uint32_t> sparse;  // feature, count, feature, count…
  bool correct = false;
};

Item MakeItem(TextView result, std::size_t steps, std::size_t units, bool correct) {
  std::vector<std::uint32_t> dense(kPairs);
  CountClassPairs(result, dense);
  Item item;
  for (std::size_t k = 0; k < kPairs; ++k) {
    if (dense[k]) item.sparse.insert(item.sparse.end(), {static_cast<std::uint32_t>(k), dense[k]});
  }
  if (steps > 0) {
    const auto bias = static_cast<std::uint32_t>(kPairs + steps - 1);
    item.sparse.insert(item.sparse.end(), {bias, 1, bias + 2, static_cast<std::uint32_t>(units)});
  }
  item.correct = correct;
  return item;
}

double Value(const Item& item, std::size_t k) {
  return item.sparse[k + 1] * (item.sparse[k] >= kPairs + 2 ? kUnitScale : 1.0);
}

int Train(const std::vector<Case>& cases, std::size_t beam, const std::string& out_path) {
  const std::vector<Step> repairs = CatalogueRepairs(Catalogue::Get());
  constexpr std::size_t kHardest = 300;
  std::vector<std::vector<Item>> groups;
  int missing = 0;
  for (const Case& c : cases) {
    if (c.split != "train") continue;
    const std::vector<Trial> trials = Search(c.garbled, repairs, {beam, {}});
    const std::size_t units = c.garbled.size();
    std::vector<Item> items{MakeItem(c.garbled, 0, units, c.garbled == c.original)};
    std::vector<std::pair<double, const Trial*>> wrong;
    for (const Trial& t : trials) {
      if (t.outcome.result == c.original) {
        items.push_back(MakeItem(t.outcome.result, t.Steps(), units, true));
      } else {
        wrong.emplace_back(t.plausibility + ChainBias(t.Steps(), units), &t);
      }
    }
    if (std::none_of(items.begin(), items.end(), [](const Item& i) { return i.correct; })) {
      ++missing;
      continue;
    }
    const std::size_t hardest = std::min(kHardest, wrong.size());
    std::partial_sort(wrong.begin(), wrong.begin() + static_cast<std::ptrdiff_t>(hardest),
                      wrong.end(), [](const auto& a, const auto& b) { return a.first > b.first; });
    // The hardest, and some of the rest evenly spread so that easy ones stay easy.
    const std::size_t stride = std::max<std::size_t>(1, wrong.size() / 50);
    for (std::size_t k = 0; k < wrong.size(); k += k < hardest ? 1 : stride) {
      const Trial& t = *wrong[k].second;
      items.push_back(MakeItem(t.outcome.result, t.Steps(), units, false));
    }
    groups.push_back(std::move(items));
  }
  std::printf("%zu training cases, %d without the original among the candidates\n", groups.size(),
              missing);

  std::vector<double> w(kFeatures), m(kFeatures), v(kFeatures), grad(kFeatures);
  constexpr double kRate = 0.05, kL2 = 1e-3, kB1 = 0.9, kB2 = 0.999;
  constexpr int kEpochs = 400;
  for (int epoch = 1; epoch <= kEpochs; ++epoch) {
    std::fill(grad.begin(), grad.end(), 0.0);
    double loss = 0;
    int right = 0;
    for (const std::vector<Item>& items : groups) {
      std::vector<double> p(items.size());
      for (std::size_t i = 0; i < items.size(); ++i) {
        for (std::size_t k = 0; k < items[i].sparse.size(); k += 2) {
          p[i] += w[items[i].sparse[k]] * Value(items[i], k);
        }
      }
      const std::size_t best =
          static_cast<std::size_t>(std::max_element(p.begin(), p.end()) - p.begin());
      right += items[best].correct;
      const double top = p[best];
      double sum = 0;
      for (double& x : p) sum += (x = std::exp(x - top));
      for (std::size_t i = 0; i < items.size(); ++i) {
        p[i] /= sum;
        if (items[i].correct) loss -= std::log(std::max(p[i], 1e-300));
        const double g = p[i] - (items[i].correct ? 1.0 : 0.0);
        for (std::size_t k = 0; k < items[i].sparse.size(); k += 2) {
          grad[items[i].sparse[k]] += g * Value(items[i], k);
        }
      }
    }
    for (std::size_t f = 0; f < kFeatures; ++f) {
      const double g = grad[f] / groups.size() + kL2 * w[f];
      m[f] = kB1 * m[f] + (1 - kB1) * g;
      v[f] = kB2 * v[f] + (1 - kB2) * g * g;
      w[f] -= kRate * (m[f] / (1 - std::pow(kB1, epoch))) /
              (std::sqrt(v[f] / (1 - std::pow(kB2, epoch))) + 1e-8);
    }
    if (epoch % 100 == 0) {
      std::printf("epoch %d: loss %.4f, original first in %d of %zu\n", epoch, loss / groups.size(),
                  right, groups.size());
    }
  }

  // A margin for the text as it is: the smallest multiple of 0.5 by which it must be beaten so
  // that 99% of the clean training texts stay as they are.
  std::vector<double> needed;
  for (const std::vector<Item>& items : groups) {
    if (!items[0].correct) continue;
    const auto score = [&w](const Item& item) {
      double sum = 0;
      for (std::size_t k = 0; k < item.sparse.size(); k += 2)
        sum += w[item.sparse[k]] * Value(item, k);
      return sum;
    };
    double best = -1e300;
    for (std::size_t i = 1; i < items.size(); ++i) best = std::max(best, score(items[i]));
    needed.push_back(best - score(items[0]));
  }
  double margin = 0;
  const auto kept = [&] {
    return std::count_if(needed.begin(), needed.end(), [&](double n) { return n < margin; });
  };
  while (kept() < 0.99 * static_cast<double>(needed.size())) margin += 0.5;
  std::printf("margin %.1f keeps %ld of %zu clean texts\n", margin, static_cast<long>(kept()),
              needed.size());

  FILE* out = std::fopen(out_path.c_str(), "w");
  if (!out) return 1;
  std::fprintf(
      out,
      "// Generated by bench/diagnosis_corpus train from bench/diagnosis_corpus/cases.tsv:\n"
      "// a weight for each pair of neighbouring character classes, then the chain biases.\n"
      "constexpr float kPairWeights[] = {\n");
  for (std::size_t k = 0; k < kPairs; ++k) {
    std::fprintf(out, "%s%.3ff,%s", k % kClassCount == 0 ? "    " : "", w[k],
                 (k + 1) % kClassCount == 0 ? "\n" : " ");
  }
  std::fprintf(out, "};\nconstexpr float kChainBias[3] = {0, %.3ff, %.3ff};\n", w[kPairs] - margin,
               w[kPairs + 1] - margin);
  std::fprintf(out, "constexpr float kChainBiasPerUnit[3] = {0, %.5ff, %.5ff};\n",
               w[kPairs + 2] * kUnitScale, w[kPairs + 3] * kUnitScale);
  std::fclose(out);
  return 0;
}

}  // namespace
}  // namespace qor

int main(int argc, char** argv) {
  const std::vector<std::string> args(argv + 1, argv + argc);
  const auto option = [&args](const std::string& name, const std::string& fallback) {
    const auto at = std::find(args.begin(), args.end(), name);
    return at != args.end() && at + 1 != args.end() ? *(at + 1) : fallback;
  };
  const std::string mode = args.empty() ? "report" : args[0];
  if (mode == "show" && args.size() == 2) return qor::Show(qor::Utf8ToText(args[1]));
  const std::vector<qor::Case> cases = qor::ReadCases(option("--cases", QOR_CORPUS));
  if (mode == "report") {
    const bool misses = std::find(args.begin(), args.end(), "--misses") != args.end();
    return qor::Report(cases, option("--split", "test"), option("--path", ""), misses);
  }
  if (mode == "train" && args.size() >= 2) {
    return qor::Train(cases, std::stoul(option("--beam", "24")), args[1]);
  }
  std::fprintf(stderr,
               "usage: diagnosis_corpus report [--split test|train|all] [--path TEXT] [--misses]\n"
               "       diagnosis_corpus train OUT.inc [--beam N]\n"
               "       diagnosis_corpus show TEXT\n");
  return 2;
}
