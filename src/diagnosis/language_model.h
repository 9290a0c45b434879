#pragma once
// A character bigram language model for each script group (simplified and traditional Chinese,
// Japanese, Korean, Cyrillic, Greek, Western and Central European Latin, and the small ones),
// smoothed by interpolated absolute discounting with Kneser-Ney continuation unigrams, and a
// background model for characters a group never saw. Read-only once loaded: one model serves
// any number of threads.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "diagnosis/flat_table.h"
#include "platform/text.h"

namespace qor {

// How well a text reads under the best-fitting group.
struct Fit {
  double log_prob = 0;  // nats, the edges included
  std::size_t group = 0;
};

class LanguageModel {
 public:
  // Reads a model in its stored form (see language_model_format.h); nullopt when the bytes are
  // not one.
  [[nodiscard]] static std::optional<LanguageModel> FromBytes(BytesView bytes);
  // The model built into the program.
  [[nodiscard]] static const LanguageModel& BuiltIn();

  [[nodiscard]] std::size_t GroupCount() const { return groups_.size(); }
  [[nodiscard]] std::string_view GroupName(std::size_t group) const { return groups_[group].name; }
  // The group of a name; nullopt when the model has none of that name.
  [[nodiscard]] std::optional<std::size_t> FindGroup(std::string_view name) const;

  // The log-probability of a normalised text (ModelText) under one group, the edges included.
  [[nodiscard]] double LogProb(std::u32string_view text, std::size_t group) const;
  // How the characters beyond ASCII of a text read under the groups BestFit chooses: the
  // log-probability of each of them after the character before it, and of the character after
  // each letter of an alphabet (where its word ends tells too), and how many they are. A long
  // line with a few garbled characters reads well on the whole and badly here; ASCII between
  // ideographs ("配置(CONFIGURATION)") does not count against them. The group is that of the
  // run that holds most of them.
  struct WideFit {
    double log_prob = 0;
    std::size_t count = 0;
    std::size_t group = 0;
  };
  // The log-probability of a text, each run of one script (Latin, Cyrillic, Greek, CJK…) read
  // by the group that fits it best, with a cost for each change of script; the group is the
  // longest run's. nullopt as soon as it is sure to be below `floor` (a log-probability only
  // falls as characters are added). When `wide` is given, the text's WideReading is added to
  // it on the way.
  [[nodiscard]] std::optional<Fit> BestFit(TextView text, double floor = -1e300,
                                           WideFit* wide = nullptr) const;
  [[nodiscard]] WideFit WideReading(TextView text) const;

 private:
  static constexpr std::uint16_t kUnseen = 0xFFFF;
  static constexpr std::size_t kMaxGroups = 64;  // BestFitOfRun orders them in an array

  struct Group {
    std::string name;
    float log_background_weight = 0;     // the share of the unigram model left to the background
    std::vector<std::uint16_t> unigram;  // by vocabulary index: -log P × scale, kUnseen if none
    std::vector<std::uint16_t> history;  // by vocabulary index: -log of the back-off weight
    // By vocabulary index: the most log-probability the group gives the character, after any
    // character (its unigram, the background's for one it never saw, or its best pair).
    std::vector<float> best;
  };

  // The vocabulary index of a code point; kUnseen for one no group saw.
  std::uint16_t IndexOf(char32_t c) const;
  double Unigram(const Group& group, std::uint16_t index, char32_t c) const;
  // The log-probability of text[begin, end) under a group, the character before it as its
  // history and the edge after it if it ends the text, or a value below `floor` once it falls
  // there.
  // When `wide` is given, the terms WideReading counts are added to it.
  double LogProbOfRun(const std::vector<std::uint16_t>& indices, std::u32string_view text,
                      std::size_t begin, std::size_t end, std::size_t group, double floor,
                      double* wide = nullptr) const;
  // The best group's reading of a run, or nullopt below `floor`; when `wide` is given, the
  // terms WideReading counts under that group are added to it.
  std::optional<Fit> BestFitOfRun(const std::vector<std::uint16_t>& indices,
                                  std::u32string_view text, std::size_t begin, std::size_t end,
                                  double floor, double* wide = nullptr) const;
  // At least the log-probability of a normalised text under any group: each character given
  // the most any group gives it.
  double UpperBound(const std::vector<std::uint16_t>& indices, std::u32string_view text) const;
  // At least the log-probability of text[begin, end) under one group (LogProbOfRun).
  double GroupBound(const std::vector<std::uint16_t>& indices, std::u32string_view text,
                    std::size_t begin, std::size_t end, std::size_t group) const;

  std::vector<char32_t> vocabulary_;  // sorted; index 0 is the edge
  FlatTable<std::uint32_t, std::uint16_t> index_;
  std::vector<Group> groups_;
  // By vocabulary index: the most log-probability any group gives the character.
  std::vector<float> best_;
  // The most log weight any group leaves to the background.
  double background_best_ = -1e300;
  // Key: group << 32 | previous index << 16 | index; value: -log P × scale.
  FlatTable<std::uint64_t, std::uint16_t> pairs_;
};

// The log-probability the background model gives a character no group saw: low for any
// character, very low for what no text holds (U+FFFD, controls, private use, surrogates).
[[nodiscard]] double BackgroundLogProb(char32_t c);

}  // namespace qor
