// Trains the character language model on the text make_text.py gathered:
//
//   language_model_train TEXT_DIR OUT.bin [--leave-out SOURCE]... [--min-count N]
//
// TEXT_DIR/train/GROUP/SOURCE/*.txt hold one segment a line. Each group's model counts the
// character pairs of its lines (the edges included) and smooths them by interpolated absolute
// discounting with Kneser-Ney continuation unigrams, which share a little of their mass with the
// background model. --leave-out drops a source, for measuring on text the model never saw.
// Spelling dictionaries ("words") count for at most a fifth of a group's other text.

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <set>
#include <string>
#include <unordered_map>
#include <vector>

#include "diagnosis/language_model.h"
#include "diagnosis/language_model_format.h"
#include "diagnosis/model_text.h"
#include "platform/wtf8.h"

namespace qor {
namespace {

namespace fs = std::filesystem;

constexpr double kWordsShare = 0.2;

struct Counts {
  std::unordered_map<std::uint64_t, std::uint32_t> pairs;  // previous << 32 | next
  std::size_t characters = 0;
};

std::vector<std::string> ReadLines(const fs::path& path) {
  std::vector<std::string> lines;
  std::ifstream in(path);
  for (std::string line; std::getline(in, line);) {
    if (!line.empty()) lines.push_back(std::move(line));
  }
  return lines;
}

void CountLine(const std::string& line, Counts& counts) {
  const std::u32string text = ModelText(Utf8ToText(line));
  char32_t previous = kModelEdge;
  for (const char32_t c : text) {
    ++counts.pairs[std::uint64_t{previous} << 32 | c];
    previous = c;
  }
  ++counts.pairs[std::uint64_t{previous} << 32 | kModelEdge];
  counts.characters += text.size() + 1;
}

Counts CountGroup(const fs::path& folder, const std::set<std::string>& left_out) {
  Counts counts;
  std::vector<std::string> words;
  for (const auto& source : fs::directory_iterator(folder)) {
    const std::string name = source.path().filename().string();
    if (left_out.count(name)) continue;
    for (const auto& file : fs::directory_iterator(source.path())) {
      for (std::string& line : ReadLines(file.path())) {
        if (name == "words") {
          words.push_back(std::move(line));
        } else {
          CountLine(line, counts);
        }
      }
    }
  }
  // Evenly spaced words, up to their share of the characters.
  const std::size_t budget = static_cast<std::size_t>(kWordsShare * counts.characters) + 20000;
  std::size_t word_characters = 0;
  for (const std::string& word : words) word_characters += word.size() / 2 + 1;
  const std::size_t stride = std::max<std::size_t>(1, word_characters / budget);
  for (std::size_t k = 0; k < words.size(); k += stride) CountLine(words[k], counts);
  return counts;
}

std::uint16_t Scaled(double log_prob) {
  return static_cast<std::uint16_t>(std::clamp(std::lround(-log_prob * kModelScale), 0L, 0xFFFEL));
}

struct GroupModel {
  std::string name;
  float log_background_weight = 0;
  std::map<char32_t, std::pair<std::uint16_t, std::uint16_t>> characters;  // unigram, history
  std::map<std::pair<char32_t, char32_t>, std::uint16_t> pairs;
};

GroupModel Smooth(const std::string& name, const Counts& counts, std::uint32_t min_count) {
  std::map<char32_t, double> total, followers, predecessors;
  double n1 = 0, n2 = 0, types = 0;
  for (const auto& [key, count] : counts.pairs) {
    const char32_t previous = static_cast<char32_t>(key >> 32), next = key & 0xFFFFFFFF;
    total[previous] += count;
    ++followers[previous];
    ++predecessors[next];
    ++types;
    n1 += count == 1;
    n2 += count == 2;
  }
  const double discount = n1 > 0 ? n1 / (n1 + 2 * n2) : 0.5;
  const double background = predecessors.size() / (types + predecessors.size());
  GroupModel model;
  model.name = name;
  model.log_background_weight = static_cast<float>(std::log(background));
  std::map<char32_t, double> unigram;
  for (const auto& [c, n] : predecessors) {
    unigram[c] = (1 - background) * n / types + background * std::exp(BackgroundLogProb(c));
  }
  unigram[kModelEdge] += 0;  // the edge ends every text: always seen
  for (const auto& [c, p] : unigram) {
    const double back_off = total.count(c) ? discount * followers[c] / total[c] : 1.0;
    model.characters[c] = {Scaled(std::log(p)), Scaled(std::log(back_off))};
  }
  for (const auto& [key, count] : counts.pairs) {
    if (count < min_count) continue;
    const char32_t previous = static_cast<char32_t>(key >> 32), next = key & 0xFFFFFFFF;
    const double back_off = discount * followers[previous] / total[previous];
    const double p = (count - discount) / total[previous] + back_off * unigram[next];
    model.pairs[{previous, next}] = Scaled(std::log(p));
  }
  return model;
}

template <typename T>
void Put(std::string& out, T value) {
  out.append(reinterpret_cast<const char*>(&value), sizeof(T));
}

std::string Serialise(const std::vector<GroupModel>& groups) {
  std::set<char32_t> all{kModelEdge};
  for (const GroupModel& g : groups) {
    for (const auto& entry : g.characters) all.insert(entry.first);
  }
  const std::vector<char32_t> vocabulary(all.begin(), all.end());
  std::unordered_map<char32_t, std::uint16_t> index;
  for (std::size_t k = 0; k < vocabulary.size(); ++k) index[vocabulary[k]] = k;
  std::string out(kModelMagic);
  Put<std::uint32_t>(out, vocabulary.size());
  Put<std::uint32_t>(out, groups.size());
  for (const char32_t c : vocabulary) Put<std::uint32_t>(out, c);
  for (const GroupModel& g : groups) {
    std::string name = g.name;
    name.resize(kModelNameSize, '\0');
    out += name;
    Put<float>(out, g.log_background_weight);
    Put<std::uint32_t>(out, g.characters.size());
    Put<std::uint32_t>(out, g.pairs.size());
    for (const auto& entry : g.characters) Put<std::uint16_t>(out, index[entry.first]);
    for (const auto& entry : g.characters) Put<std::uint16_t>(out, entry.second.first);
    for (const auto& entry : g.characters) Put<std::uint16_t>(out, entry.second.second);
    std::vector<std::pair<std::uint32_t, std::uint16_t>> keyed;
    for (const auto& [pair, cost] : g.pairs) {
      keyed.emplace_back(std::uint32_t{index[pair.first]} << 16 | index[pair.second], cost);
    }
    std::sort(keyed.begin(), keyed.end());
    for (const auto& entry : keyed) Put<std::uint32_t>(out, entry.first);
    for (const auto& entry : keyed) Put<std::uint16_t>(out, entry.second);
  }
  return out;
}

int Train(const fs::path& text_dir, const std::string& out_path,
          const std::set<std::string>& left_out, std::uint32_t min_count) {
  std::vector<GroupModel> groups;
  std::set<fs::path> folders;
  for (const auto& entry : fs::directory_iterator(text_dir / "train")) folders.insert(entry.path());
  for (const fs::path& folder : folders) {
    const Counts counts = CountGroup(folder, left_out);
    groups.push_back(Smooth(folder.filename().string(), counts, min_count));
    std::printf("%-8s %10zu characters, %6zu distinct, %7zu pairs kept\n",
                groups.back().name.c_str(), counts.characters, groups.back().characters.size(),
                groups.back().pairs.size());
  }
  const std::string bytes = Serialise(groups);
  if (!LanguageModel::FromBytes(bytes)) {
    std::fprintf(stderr, "the model does not read back\n");
    return 1;
  }
  std::ofstream(out_path, std::ios::binary) << bytes;
  std::printf("%zu bytes written to %s\n", bytes.size(), out_path.c_str());
  return 0;
}

}  // namespace
}  // namespace qor

int main(int argc, char** argv) {
  if (argc < 3) {
    std::fprintf(stderr,
                 "usage: language_model_train TEXT_DIR OUT.bin [--leave-out SOURCE]... "
                 "[--min-count N]\n");
    return 2;
  }
  std::set<std::string> left_out;
  std::uint32_t min_count = 2;
  for (int k = 3; k + 1 < argc; k += 2) {
    const std::string option = argv[k];
    if (option == "--leave-out") left_out.insert(argv[k + 1]);
    if (option == "--min-count") min_count = static_cast<std::uint32_t>(std::stoul(argv[k + 1]));
  }
  return qor::Train(argv[1], argv[2], left_out, min_count);
}
