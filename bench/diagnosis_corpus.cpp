// The diagnosis corpus runner: how often diagnosis puts the original text first (and among the
// first three) for each garbling path of a corpus that bench/diagnosis_corpus/make_corpus.py
// made, and how often it leaves clean text as it is.
//
//   diagnosis_corpus report [--cases FILE] [--model FILE | --cross DIR] [--source TEXT]
//                           [--path TEXT] [--margin BASE,PER_CHANGE,WITH_SIGNS] [--misses]
//   diagnosis_corpus tune [the options of report]
//   diagnosis_corpus show TEXT
//
// --model diagnoses with a model file instead of the built-in one; --cross DIR diagnoses each
// case with DIR/SOURCE.bin, the model trained without the case's source (make_model.sh
// --cross trains them), which gives the cross-source figures. A benchmark, not a test: it
// measures and prints, it does not fail.

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <map>
#include <memory>
#include <sstream>
#include <string>

#include "diagnosis/diagnose.h"
#include "diagnosis/plausibility.h"
#include "diagnosis/precheck.h"
#include "platform/wtf8.h"

namespace qor {
namespace {

struct Case {
  std::string source, path, tool;
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
// "r--w", the last layer first; an escape format by its decoder; the program's own cut by its
// repair.
std::vector<Text> ExpectedChain(const std::string& path) {
  static const std::map<std::string, const char16_t*> whole = {
      {"escape:url-utf-8", u"URL--UTF8"},
      {"escape:url-gbk", u"URL--GB"},
      {"escape:qp-utf-8", u"QP--UTF8"},
      {"escape:base64-utf-8", u"Base64--UTF8"},
      {"escape:base64-gbk", u"Base64--GB"},
      {"escape:html-dec", u"HTM--U"},
      {"escape:js-u", u"NumU(1)--U"},
      {"escape:utf-7", u"UTF7--U"},
      {"escape:hz", u"HZ--GB"},
      {"cut:gbk", u"GB+半字"},
      {"end:utf-8>gbk", u"GB--UTF8"}};
  if (const auto found = whole.find(path); found != whole.end()) return {found->second};
  // LCID table names, code page table names.
  static const std::map<std::string, std::pair<const char16_t*, const char16_t*>> names = {
      {"gbk", {u"GB", u"中文简(GBK)"}},
      {"gb18030", {nullptr, u"中文简(GB18030)"}},
      {"big5", {u"Big5", u"中文繁(Big5)"}},
      {"sjis", {u"日文", u"日文(Shift-JIS)"}},
      {"uhc", {u"韩文", u"韩文(KS)"}},
      {"cp1252", {u"Eng", u"西欧(Windows)"}},
      {"cp1251", {u"俄文", u"西里尔(Windows)"}},
      {"cp1253", {u"希腊文", u"希腊文(Windows)"}},
      {"cp1250", {nullptr, u"中欧(Windows)"}},
      {"cp866", {nullptr, u"西里尔(DOS)"}},
      {"koi8-r", {nullptr, u"西里尔(KOI8-R)"}},
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

bool IsClean(const Case& c) { return c.path.rfind("clean", 0) == 0; }

// What diagnosis should give for a case: the original, where the catalogue can undo the
// garbling at all (the tools that garbled it agree with this program's code pages). A text cut
// inside its last character cannot come back whole: what the expected chain gives is wanted
// there, as long as all but that last character came back.
std::optional<Text> Expected(const Case& c) {
  if (IsClean(c)) return c.original;
  Text text = c.garbled;
  for (const Text& label : ExpectedChain(c.path)) {
    const std::optional<Step> step = Catalogue::Get().Find(label);
    if (!step) return std::nullopt;
    text = RunStep(*step, text).result;
  }
  if (text == c.original) return text;
  const TextView kept = TextView(c.original).substr(0, c.original.size() - 1);
  if (c.path.rfind("end:", 0) == 0 && TextView(text).substr(0, kept.size()) == kept) return text;
  return std::nullopt;
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
    cases += t.cases, reachable += t.reachable;
    long_n += t.long_n, long_top1 += t.long_top1, long_top3 += t.long_top3;
    short_n += t.short_n, short_top1 += t.short_top1, short_top3 += t.short_top3;
  }
};

void PrintRow(const std::string& name, const Tally& t) {
  const auto pct = [](int a, int b) { return b ? 100.0 * a / b : 0.0; };
  std::printf("%-34s %5d %5d | %4d %5.1f%% %5.1f%% | %4d %5.1f%% %5.1f%% | %5.1f%%\n", name.c_str(),
              t.cases, t.reachable, t.long_n, pct(t.long_top1, t.long_n),
              pct(t.long_top3, t.long_n), t.short_n, pct(t.short_top1, t.short_n),
              pct(t.short_top3, t.short_n), pct(t.long_top1 + t.short_top1, t.long_n + t.short_n));
}

// The language a case's original is in: the file name its source line came from is not kept,
// so the clean paths name it and the others are told by their script.
std::string Family(const Case& c) {
  const std::string group = c.source.substr(0, c.source.find('/'));
  if (group == "zh_hans" || group == "zh_hant" || group == "ja" || group == "ko") return "cjk";
  return "western-cyrillic";
}

// The summary rows a case adds to.
std::vector<std::string> SummaryRows(const Case& c) {
  const std::string family = Family(c);
  if (IsClean(c)) return {"clean " + family + " (left unchanged)"};
  if (c.path.rfind("escape", 0) == 0) return {"escape formats"};
  if (c.path.find(':') != std::string::npos) return {"the program's own cuts"};
  const auto layers = std::count(c.path.begin(), c.path.end(), '|') + 1;
  const std::string depth = layers == 1 ? "one layer" : layers == 2 ? "two layers" : "three layers";
  return {depth, depth + ", " + family};
}

class Models {
 public:
  Models(std::string model, std::string cross)
      : model_(std::move(model)), cross_(std::move(cross)) {}

  // The model a case is diagnosed with; null for the built-in one.
  const LanguageModel* For(const Case& c) {
    std::string path = model_;
    if (!cross_.empty()) {
      const std::size_t slash = c.source.rfind('/');
      path = cross_ + "/" + c.source.substr(slash + 1) + ".bin";
    }
    if (path.empty()) return nullptr;
    auto& slot = loaded_[path];
    if (!slot) {
      std::ifstream in(path, std::ios::binary);
      const std::string bytes((std::istreambuf_iterator<char>(in)),
                              std::istreambuf_iterator<char>());
      std::optional<LanguageModel> model = LanguageModel::FromBytes(bytes);
      if (!model) {
        std::fprintf(stderr, "no model in %s\n", path.c_str());
        std::exit(3);
      }
      slot = std::make_unique<LanguageModel>(std::move(*model));
    }
    return slot.get();
  }

 private:
  std::string model_, cross_;
  std::map<std::string, std::unique_ptr<LanguageModel>> loaded_;
};

struct ReportOptions {
  std::string source, path, model, cross;
  RepairMargin margin;
  bool misses = false;
};

int Report(const std::vector<Case>& cases, const ReportOptions& options) {
  std::map<std::string, Tally> tallies, summaries;
  Models models(options.model, options.cross);
  double total_ms = 0, worst_ms = 0;
  int diagnosed = 0;
  for (const Case& c : cases) {
    if (c.source.find(options.source) == std::string::npos ||
        c.path.find(options.path) == std::string::npos) {
      continue;
    }
    Tally t;
    ++t.cases;
    if (const std::optional<Text> expected = Expected(c)) {
      ++t.reachable;
      DiagnosisOptions diagnosis_options;
      diagnosis_options.model = models.For(c);
      diagnosis_options.margin = options.margin;
      const auto start = std::chrono::steady_clock::now();
      const Diagnosis d = Diagnose(c.garbled, diagnosis_options);
      const double ms =
          std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
              .count();
      total_ms += ms;
      worst_ms = std::max(worst_ms, ms);
      ++diagnosed;
      std::size_t rank = 0;
      while (rank < 3 && rank < d.candidates.size() && d.candidates[rank].result != *expected)
        ++rank;
      const bool is_long = CodePoints(c.original) >= 10;
      (is_long ? t.long_n : t.short_n)++;
      if (rank == 0) (is_long ? t.long_top1 : t.short_top1)++;
      if (rank < 3) (is_long ? t.long_top3 : t.short_top3)++;
      if (options.misses && rank != 0) {
        std::printf("MISS %s %s: %s\n  got %s: %s\n  want %s\n", c.source.c_str(), c.path.c_str(),
                    EncodeWtf8(c.garbled).c_str(), ChainOf(d.candidates[0]).c_str(),
                    EncodeWtf8(d.candidates[0].result).c_str(), EncodeWtf8(*expected).c_str());
      }
    }
    tallies[c.path].Add(t);
    for (const std::string& row : SummaryRows(c)) summaries[row].Add(t);
  }
  std::printf("%-34s %5s %5s | %4s %6s %6s | %4s %6s %6s | %6s\n", "path", "cases", "reach", "10+",
              "top-1", "top-3", "<10", "top-1", "top-3", "all");
  for (const auto& [path, t] : tallies) PrintRow(path, t);
  std::printf("\n");
  for (const auto& [row, t] : summaries) PrintRow(row, t);
  std::printf("%d cases, %.2f ms a case on average, %.1f ms at most\n", diagnosed,
              total_ms / std::max(diagnosed, 1), worst_ms);
  return 0;
}

// Tuning the margin: each case's repairs that read better than the text at all, with what a
// margin needs to know of them; then the margins tried on them all.
struct Option {
  double gain = 0;  // nats over the text as it is
  std::size_t changed = 0;
  bool correct = false;
};

struct Tuned {
  bool clean = false, western = false, signs = false;
  std::vector<Option> options;  // best ranked first
};

bool ChosenCorrectly(const Tuned& t, const RepairMargin& m) {
  for (const Option& o : t.options) {
    double margin = m.base + m.per_change * static_cast<double>(o.changed);
    if (t.signs) margin *= m.with_signs;
    if (o.gain > margin) return o.correct;
  }
  return t.clean;
}

int Tune(const std::vector<Case>& cases, const ReportOptions& options) {
  Models models(options.model, options.cross);
  std::vector<Tuned> tuned;
  for (const Case& c : cases) {
    if (c.source.find(options.source) == std::string::npos ||
        c.path.find(options.path) == std::string::npos) {
      continue;
    }
    const std::optional<Text> expected = Expected(c);
    if (!expected) continue;
    DiagnosisOptions diagnosis_options;
    diagnosis_options.model = models.For(c);
    diagnosis_options.margin = {0, 0, 1};
    diagnosis_options.max_candidates = 40;
    const Diagnosis d = Diagnose(c.garbled, diagnosis_options);
    Tuned t{IsClean(c), Family(c) != "cjk", FindMojibakeSigns(c.garbled).Total() > 0, {}};
    for (const Candidate& candidate : d.candidates) {
      if (candidate.chain.empty()) break;
      if (LostTooMuch({candidate.result, candidate.substituted, candidate.invalid},
                      c.garbled.size())) {
        continue;
      }
      t.options.push_back({candidate.score * static_cast<double>(c.garbled.size()),
                           ChangedCharacters(c.garbled, candidate.result),
                           candidate.result == *expected});
    }
    tuned.push_back(std::move(t));
  }
  struct Score {
    double garbled, clean_cjk, clean_western;
    RepairMargin margin;
  };
  std::vector<Score> scores;
  for (const double base : {0.0, 1.0, 2.0, 3.0, 4.0, 6.0, 8.0, 12.0}) {
    for (const double per : {0.0, 0.5, 1.0, 1.5, 2.0, 3.0, 4.0, 5.0, 6.0}) {
      for (const double signs : {0.1, 0.25, 0.5, 0.75, 1.0}) {
        const RepairMargin m{base, per, signs};
        int n[3] = {}, right[3] = {};
        for (const Tuned& t : tuned) {
          const int kind = t.clean ? (t.western ? 2 : 1) : 0;
          ++n[kind];
          right[kind] += ChosenCorrectly(t, m);
        }
        scores.push_back({100.0 * right[0] / std::max(n[0], 1),
                          100.0 * right[1] / std::max(n[1], 1),
                          100.0 * right[2] / std::max(n[2], 1), m});
      }
    }
  }
  // Those that keep clean text as the aims ask first, then the most repairs.
  std::sort(scores.begin(), scores.end(), [](const Score& a, const Score& b) {
    const bool a_keeps = a.clean_cjk >= 99 && a.clean_western >= 98;
    const bool b_keeps = b.clean_cjk >= 99 && b.clean_western >= 98;
    if (a_keeps != b_keeps) return a_keeps;
    return a.garbled + a.clean_cjk + a.clean_western > b.garbled + b.clean_cjk + b.clean_western;
  });
  std::printf("%zu cases\n  base  per-change  with-signs | garbled  clean CJK  clean Western\n",
              tuned.size());
  for (std::size_t k = 0; k < std::min<std::size_t>(15, scores.size()); ++k) {
    const Score& s = scores[k];
    std::printf("%6.1f %11.1f %11.2f | %6.1f%% %9.1f%% %13.1f%%\n", s.margin.base,
                s.margin.per_change, s.margin.with_signs, s.garbled, s.clean_cjk, s.clean_western);
  }
  return 0;
}

// For the pre-check that spares clean text the search: how the best group reads each case's
// input, a character at a time, clean and garbled apart.
int Levels(const std::vector<Case>& cases, const ReportOptions& options) {
  Models models(options.model, options.cross);
  for (const Case& c : cases) {
    if (c.source.find(options.source) == std::string::npos || !Expected(c)) continue;
    const LanguageModel* model = models.For(c);
    const LanguageModel& m = model ? *model : LanguageModel::BuiltIn();
    const Reading reading = Read(c.garbled, m);
    const LanguageModel::WideFit wide = m.WideReading(c.garbled);
    std::printf("%s\t%s\t%d\t%zu\t%.3f\t%zu\t%d\t%s\t%.3f\t%zu\t%s\n",
                IsClean(c) ? "clean" : "garbled", std::string(m.GroupName(reading.group)).c_str(),
                c.garbled == c.original, CodePoints(c.garbled),
                reading.plausibility / std::max<double>(1, c.garbled.size()), reading.signs.Total(),
                HasEscapes(c.garbled), c.path.c_str(),
                wide.log_prob / std::max<double>(1, wide.count), wide.count,
                std::string(m.GroupName(wide.group)).c_str());
  }
  return 0;
}

int Show(const Text& text) {
  DiagnosisOptions options;
  options.max_candidates = 12;
  const Diagnosis diagnosis = Diagnose(text, options);
  for (const Candidate& c : diagnosis.candidates) {
    std::printf("%+8.2f %s: %s\n         %s\n", c.score, ChainOf(c).c_str(),
                EncodeWtf8(c.result).c_str(), EncodeWtf8(c.explanation).c_str());
  }
  return 0;
}

RepairMargin ParseMargin(const std::string& text, RepairMargin margin) {
  if (text.empty()) return margin;
  std::sscanf(text.c_str(), "%lf,%lf,%lf", &margin.base, &margin.per_change, &margin.with_signs);
  return margin;
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
  if (mode == "report" || mode == "tune" || mode == "levels") {
    qor::ReportOptions options;
    options.source = option("--source", "");
    options.path = option("--path", "");
    options.model = option("--model", "");
    options.cross = option("--cross", "");
    options.margin = qor::ParseMargin(option("--margin", ""), {});
    options.misses = std::find(args.begin(), args.end(), "--misses") != args.end();
    const auto cases = qor::ReadCases(option("--cases", QOR_CORPUS));
    if (mode == "levels") return qor::Levels(cases, options);
    return mode == "tune" ? qor::Tune(cases, options) : qor::Report(cases, options);
  }
  std::fprintf(stderr,
               "usage: diagnosis_corpus report [--cases FILE] [--model FILE | --cross DIR]\n"
               "           [--source TEXT] [--path TEXT] [--margin BASE,PER_CHANGE,WITH_SIGNS]\n"
               "           [--misses]\n"
               "       diagnosis_corpus show TEXT\n");
  return 2;
}
