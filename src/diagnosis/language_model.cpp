#include "diagnosis/language_model.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>

#include "diagnosis/language_model_format.h"
#include "diagnosis/model_text.h"
#include "diagnosis/script_runs.h"

namespace qor {
namespace {

// Reads the stored form front to back; any read past the end fails the whole model.
class Reader {
 public:
  explicit Reader(BytesView bytes) : bytes_(bytes) {}

  template <typename T>
  T Get() {
    T value{};
    if (!Take(sizeof(T))) return value;
    std::memcpy(&value, bytes_.data() + at_ - sizeof(T), sizeof(T));
    return value;
  }

  std::string Name() {
    if (!Take(kModelNameSize)) return {};
    const BytesView name = bytes_.substr(at_ - kModelNameSize, kModelNameSize);
    return std::string(name.substr(0, name.find('\0')));
  }

  template <typename T>
  std::vector<T> Array(std::size_t count) {
    std::vector<T> values;
    if (count > bytes_.size() / sizeof(T)) {
      failed_ = true;
      return values;
    }
    values.reserve(count);
    for (std::size_t k = 0; k < count && !failed_; ++k) values.push_back(Get<T>());
    return values;
  }

  bool Magic() {
    return Take(kModelMagic.size()) && bytes_.substr(0, kModelMagic.size()) == kModelMagic;
  }
  bool Done() const { return !failed_ && at_ == bytes_.size(); }
  bool Failed() const { return failed_; }

 private:
  bool Take(std::size_t size) {
    if (failed_ || bytes_.size() - at_ < size) return !(failed_ = true);
    at_ += size;
    return true;
  }

  BytesView bytes_;
  std::size_t at_ = 0;
  bool failed_ = false;
};

// How far the bounds, summed from floats, may fall below what they bound.
constexpr double kBoundRounding = 1e-3;

// Where the scripts of the alphabets end and CJK's begin.
constexpr char32_t kFirstIdeographic = 0x2E80;

bool IsNonCharacter(char32_t c) { return (c >= 0xFDD0 && c <= 0xFDEF) || (c & 0xFFFE) == 0xFFFE; }

}  // namespace

double BackgroundLogProb(char32_t c) {
  constexpr double kOrdinary = -11.5;
  constexpr double kNoText = -28.0;
  const bool control = c < 0x20 || (c >= 0x7F && c <= 0x9F);
  const bool surrogate = c >= 0xD800 && c <= 0xDFFF;
  const bool private_use = (c >= 0xE000 && c <= 0xF8FF) || c >= 0xF0000;
  if (control || surrogate || private_use || c == 0xFFFD || IsNonCharacter(c)) return kNoText;
  return kOrdinary;
}

std::optional<LanguageModel> LanguageModel::FromBytes(BytesView bytes) {
  Reader in(bytes);
  if (!in.Magic()) return std::nullopt;
  LanguageModel model;
  const auto vocabulary_size = in.Get<std::uint32_t>();
  const auto group_count = in.Get<std::uint32_t>();
  if (in.Failed() || vocabulary_size == 0 || vocabulary_size >= kUnseen) return std::nullopt;
  for (const std::uint32_t c : in.Array<std::uint32_t>(vocabulary_size)) {
    model.vocabulary_.push_back(c);
  }
  if (in.Failed() || model.vocabulary_[0] != kModelEdge ||
      !std::is_sorted(model.vocabulary_.begin(), model.vocabulary_.end())) {
    return std::nullopt;
  }
  model.index_.Reserve(vocabulary_size);
  for (std::size_t k = 0; k < vocabulary_size; ++k) {
    model.index_.Insert(model.vocabulary_[k], static_cast<std::uint16_t>(k));
  }
  std::vector<std::pair<std::uint64_t, std::uint16_t>> pairs;
  for (std::uint32_t g = 0; g < group_count && !in.Failed(); ++g) {
    Group group;
    group.name = in.Name();
    group.log_background_weight = in.Get<float>();
    const auto seen = in.Get<std::uint32_t>();
    const auto kept = in.Get<std::uint32_t>();
    const auto indices = in.Array<std::uint16_t>(seen);
    const auto unigram = in.Array<std::uint16_t>(seen);
    const auto history = in.Array<std::uint16_t>(seen);
    const auto keys = in.Array<std::uint32_t>(kept);
    const auto values = in.Array<std::uint16_t>(kept);
    if (in.Failed()) return std::nullopt;
    group.unigram.assign(vocabulary_size, kUnseen);
    group.history.assign(vocabulary_size, 0);
    for (std::size_t k = 0; k < seen; ++k) {
      if (indices[k] >= vocabulary_size) return std::nullopt;
      group.unigram[indices[k]] = unigram[k];
      group.history[indices[k]] = history[k];
    }
    for (std::size_t k = 0; k < kept; ++k) {
      // A pair is kept only between characters the group saw: reading relies on it.
      const std::uint32_t previous = keys[k] >> 16, next = keys[k] & 0xFFFF;
      if (previous >= vocabulary_size || next >= vocabulary_size ||
          group.unigram[previous] == kUnseen || group.unigram[next] == kUnseen) {
        return std::nullopt;
      }
      pairs.emplace_back(std::uint64_t{g} << 32 | keys[k], values[k]);
    }
    model.groups_.push_back(std::move(group));
  }
  if (!in.Done() || model.groups_.empty() || model.groups_.size() > kMaxGroups) {
    return std::nullopt;
  }
  // The most each group, and any group, can give each character: its unigram (a back-off only
  // lowers it) or the best pair that ends in it.
  model.best_.assign(vocabulary_size, -1e30f);
  for (Group& group : model.groups_) {
    model.background_best_ =
        std::max(model.background_best_, static_cast<double>(group.log_background_weight));
    group.best.resize(vocabulary_size);
    for (std::size_t k = 0; k < vocabulary_size; ++k) {
      group.best[k] = static_cast<float>(
          model.Unigram(group, static_cast<std::uint16_t>(k), model.vocabulary_[k]));
    }
  }
  for (const auto& [key, value] : pairs) {
    float& best = model.groups_[key >> 32].best[key & 0xFFFF];
    best = std::max(best, static_cast<float>(-value / kModelScale));
  }
  for (const Group& group : model.groups_) {
    for (std::size_t k = 0; k < vocabulary_size; ++k) {
      model.best_[k] = std::max(model.best_[k], group.best[k]);
    }
  }
  model.pairs_.Reserve(pairs.size());
  for (const auto& [key, value] : pairs) model.pairs_.Insert(key, value);
  return model;
}

std::optional<std::size_t> LanguageModel::FindGroup(std::string_view name) const {
  for (std::size_t g = 0; g < groups_.size(); ++g) {
    if (groups_[g].name == name) return g;
  }
  return std::nullopt;
}

std::uint16_t LanguageModel::IndexOf(char32_t c) const { return index_.Find(c, kUnseen); }

double LanguageModel::Unigram(const Group& group, std::uint16_t index, char32_t c) const {
  if (index != kUnseen && group.unigram[index] != kUnseen) {
    return -group.unigram[index] / kModelScale;
  }
  return group.log_background_weight + BackgroundLogProb(c);
}

double LanguageModel::LogProbOfRun(const std::vector<std::uint16_t>& indices,
                                   std::u32string_view text, std::size_t begin, std::size_t end,
                                   std::size_t g, double floor, double* wide) const {
  const Group& group = groups_[g];
  const std::uint64_t high = std::uint64_t{g} << 32;
  double sum = 0;
  std::uint16_t previous = begin == 0 ? 0 : indices[begin - 1];  // 0: the edge
  const std::size_t last = end == text.size() ? end + 1 : end;
  for (std::size_t k = begin; k < last; ++k) {
    const std::uint16_t index = k < text.size() ? indices[k] : 0;
    std::uint16_t cost = kUnseen;
    if (index != kUnseen && previous != kUnseen && group.unigram[index] != kUnseen &&
        group.unigram[previous] != kUnseen) {
      cost = pairs_.Find(high | std::uint32_t{previous} << 16 | index, kUnseen);
    }
    const double before = sum;
    if (cost != kUnseen) {
      sum -= cost / kModelScale;
    } else {
      const double back_off = previous == kUnseen ? 0 : group.history[previous] / kModelScale;
      sum += Unigram(group, index, k < text.size() ? text[k] : kModelEdge) - back_off;
    }
    if (wide && ((k < text.size() && text[k] >= 0x80) ||
                 (k > 0 && text[k - 1] >= 0x80 && text[k - 1] < kFirstIdeographic))) {
      *wide += sum - before;
    }
    if (sum < floor) return sum;
    previous = index;
  }
  return sum;
}

double LanguageModel::LogProb(std::u32string_view text, std::size_t group) const {
  std::vector<std::uint16_t> indices(text.size());
  for (std::size_t k = 0; k < text.size(); ++k) indices[k] = IndexOf(text[k]);
  return LogProbOfRun(indices, text, 0, text.size(), group, -1e300);
}

std::optional<Fit> LanguageModel::BestFitOfRun(const std::vector<std::uint16_t>& indices,
                                               std::u32string_view text, std::size_t begin,
                                               std::size_t end, double floor, double* wide) const {
  // The groups by their bound, the highest first: the likeliest best comes early and raises the
  // bar, and once a bound is below it, so are all that follow.
  std::array<std::pair<double, std::size_t>, kMaxGroups> order;
  const std::size_t groups = groups_.size();
  for (std::size_t g = 0; g < groups; ++g) order[g] = {GroupBound(indices, text, begin, end, g), g};
  std::sort(order.begin(), order.begin() + static_cast<std::ptrdiff_t>(groups),
            [](const auto& a, const auto& b) {
              return a.first != b.first ? a.first > b.first : a.second < b.second;
            });
  std::optional<Fit> best;
  double best_wide = 0;
  for (std::size_t k = 0; k < groups; ++k) {
    const auto [bound, g] = order[k];
    const double bar = best ? std::max(floor, best->log_prob) : floor;
    if (bound + kBoundRounding < bar) break;
    double group_wide = 0;
    const double log_prob =
        LogProbOfRun(indices, text, begin, end, g, bar, wide ? &group_wide : nullptr);
    if (log_prob >= bar && (!best || log_prob > best->log_prob)) {
      best = Fit{log_prob, g};
      best_wide = group_wide;
    }
  }
  if (best && wide) *wide += best_wide;
  return best;
}

double LanguageModel::UpperBound(const std::vector<std::uint16_t>& indices,
                                 std::u32string_view text) const {
  double bound = best_[0];  // the edge after the text
  for (std::size_t k = 0; k < text.size(); ++k) {
    bound +=
        indices[k] != kUnseen ? best_[indices[k]] : background_best_ + BackgroundLogProb(text[k]);
  }
  return bound;
}

double LanguageModel::GroupBound(const std::vector<std::uint16_t>& indices,
                                 std::u32string_view text, std::size_t begin, std::size_t end,
                                 std::size_t g) const {
  const Group& group = groups_[g];
  double bound = end == text.size() ? group.best[0] : 0;  // the edge after the text
  for (std::size_t k = begin; k < end; ++k) {
    bound += indices[k] != kUnseen ? group.best[indices[k]]
                                   : group.log_background_weight + BackgroundLogProb(text[k]);
  }
  return bound;
}

std::optional<Fit> LanguageModel::BestFit(TextView text, double floor, WideFit* wide) const {
  const std::u32string normal = ModelText(text);
  std::vector<std::uint16_t> indices(normal.size());
  for (std::size_t k = 0; k < normal.size(); ++k) indices[k] = IndexOf(normal[k]);
  // Most results tried read far below the best: a bound that costs a table lookup a character
  // turns them away before the groups are weighed.
  if (UpperBound(indices, normal) + kBoundRounding < floor) return std::nullopt;
  Fit total{0, 0};
  std::size_t longest = 0;
  std::size_t most_wide = 0;
  for (const ScriptRun& run : ScriptRuns(normal)) {
    if (run.begin > 0) total.log_prob -= kScriptChangeCost;
    const std::optional<Fit> fit =
        BestFitOfRun(indices, normal, run.begin, run.end, floor - total.log_prob,
                     wide ? &wide->log_prob : nullptr);
    if (!fit) return std::nullopt;
    total.log_prob += fit->log_prob;
    if (run.end - run.begin > longest) {
      longest = run.end - run.begin;
      total.group = fit->group;
    }
    if (wide) {
      const auto count = static_cast<std::size_t>(
          std::count_if(normal.begin() + static_cast<std::ptrdiff_t>(run.begin),
                        normal.begin() + static_cast<std::ptrdiff_t>(run.end),
                        [](char32_t c) { return c >= 0x80; }));
      wide->count += count;
      if (count > most_wide) {
        most_wide = count;
        wide->group = fit->group;
      }
    }
  }
  return total;
}

LanguageModel::WideFit LanguageModel::WideReading(TextView text) const {
  WideFit wide;
  if (!groups_.empty()) (void)BestFit(text, -1e300, &wide);
  return wide;
}

}  // namespace qor
