#pragma once
// The command line as words: the command and its operands, and the options standing anywhere.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "codepage/text_files.h"

namespace qor {

struct Options {
  std::vector<std::string> operands;  // the command first
  std::optional<std::string> input;
  std::optional<std::string> output;
  std::int16_t input_code = kEncodingAutomatic;
  std::int16_t output_code = kEncodingUtf8NoBom;
  bool force = false;
  bool help = false;
  std::optional<std::size_t> top;      // fix: a listing of this many candidates
  bool explain = false;                // fix: the chain and explanation on stderr
  std::optional<std::size_t> threads;  // -j N
};

// The options of the words (without the program name); nullopt with the reason in `error`.
[[nodiscard]] std::optional<Options> ParseOptions(const std::vector<std::string>& args,
                                                  std::string& error);

}  // namespace qor
