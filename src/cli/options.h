#pragma once
// The command line as words: the command and its operands, and the options standing anywhere.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "cli/encodings.h"

namespace qor {

struct Options {
  std::vector<std::string> operands;  // the command first
  std::optional<std::string> input;
  std::optional<std::string> output;
  Encoding input_encoding = kAutomatic;
  Encoding output_encoding = kUtf8WithoutMark;
  bool output_encoding_given = false;
  bool force = false;
  bool help = false;
  std::optional<std::size_t> top;      // fix: a listing of this many candidates
  bool explain = false;                // fix: the chain and explanation on stderr
  bool json = false;                   // fix, list: JSON Lines
  std::optional<std::size_t> threads;  // -j N
  bool lines = false;                  // each line its own text
  bool in_place = false;               // files rewritten where they are
  bool apply = false;                  // fix-names: rename, not only say
  // Where "--" stood among the operands (its index there), or a later "--" given as an
  // operand: apply's labels end there and its files begin.
  std::optional<std::size_t> dashes;
};

// The options of the words (without the program name); nullopt with the reason in `error`.
[[nodiscard]] std::optional<Options> ParseOptions(const std::vector<std::string>& args,
                                                  std::string& error);

}  // namespace qor
