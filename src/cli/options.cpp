#include "cli/options.h"

namespace qor {
namespace {

// The words of one parse, taken in turn.
class Words {
 public:
  explicit Words(const std::vector<std::string>& args) : args_(args) {}
  bool Done() const { return next_ >= args_.size(); }
  const std::string& Take() { return args_[next_++]; }
  // The value after an option; nullopt when the words end.
  std::optional<std::string> Value() {
    if (Done()) return std::nullopt;
    return Take();
  }

 private:
  const std::vector<std::string>& args_;
  std::size_t next_ = 0;
};

std::optional<std::size_t> ParseCount(const std::optional<std::string>& number) {
  if (!number || number->empty() || number->size() > 6 ||
      number->find_first_not_of("0123456789") != std::string::npos || std::stoi(*number) < 1) {
    return std::nullopt;
  }
  return static_cast<std::size_t>(std::stoi(*number));
}

// One option that takes a value; false with the reason in `error`.
bool TakeValue(const std::string& option, Words& words, Options& options, std::string& error) {
  const std::optional<std::string> value = words.Value();
  if (option == "--top") {
    options.top = ParseCount(value);
    if (!options.top) error = "option --top needs a number of 1 or more";
    return options.top.has_value();
  }
  if (option == "-j") {
    options.threads = ParseCount(value);
    if (!options.threads) error = "option -j needs a number of 1 or more";
    return options.threads.has_value();
  }
  if (option == "-i" || option == "-o") {
    if (!value) error = "option " + option + " needs a file name";
    (option == "-i" ? options.input : options.output) = value;
    return value.has_value();
  }
  const bool reading = option == "--encoding";
  const std::optional<Encoding> encoding = value ? ParseEncoding(*value) : std::nullopt;
  if (!encoding || (!reading && *encoding == kAutomatic)) {
    error = "option " + option +
            " needs an encoding: a charset name this program converts (utf-8, utf-8-bom, "
            "utf-16le, gbk, big5, shift_jis, euc-kr, windows-1252…), or 1 to 9" +
            (reading ? ", or 0" : "");
    return false;
  }
  (reading ? options.input_encoding : options.output_encoding) = *encoding;
  options.output_encoding_given = options.output_encoding_given || !reading;
  return true;
}

// One option without a value; false when it is none.
bool TakeFlag(const std::string& option, Options& options) {
  if (option == "-h" || option == "--help") return options.help = true;
  if (option == "--force") return options.force = true;
  if (option == "--explain") return options.explain = true;
  if (option == "--lines") return options.lines = true;
  if (option == "--json") return options.json = true;
  if (option == "--in-place") return options.in_place = true;
  if (option == "--apply") return options.apply = true;
  return false;
}

bool TakesValue(const std::string& option) {
  return option == "--top" || option == "-j" || option == "-i" || option == "-o" ||
         option == "--encoding" || option == "--out-encoding";
}

}  // namespace

std::optional<Options> ParseOptions(const std::vector<std::string>& args, std::string& error) {
  Options options;
  bool options_ended = false;
  for (Words words(args); !words.Done();) {
    const std::string& arg = words.Take();
    if (options_ended && arg == "--" && !options.dashes) {
      options.dashes = options.operands.size();
    } else if (options_ended || arg.size() < 2 || arg[0] != '-') {
      options.operands.push_back(arg);
    } else if (arg == "--") {
      options_ended = true;
      // Right after the command it only ends the options, for labels that start with "-".
      if (options.operands.size() > 1) options.dashes = options.operands.size();
    } else if (TakesValue(arg)) {
      if (!TakeValue(arg, words, options, error)) return std::nullopt;
    } else if (!TakeFlag(arg, options)) {
      error = "unknown option " + arg;
      return std::nullopt;
    }
  }
  return options;
}

}  // namespace qor
