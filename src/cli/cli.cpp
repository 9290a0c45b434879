#include "cli/cli.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <optional>

#include "codepage/selector_tables.h"
#include "diagnosis/diagnose.h"
#include "platform/wtf8.h"
#include "session/catalogue.h"

namespace qor {
namespace {

constexpr const char kUsage[] =
    R"USAGE(Usage: qor-cli COMMAND [OPTIONS] [--] [ARGS]

Repairs garbled Chinese text with the transforms of QOR's menus. Text is read as UTF-8 from
standard input (or -i FILE) and written as UTF-8 to standard output (or -o FILE), byte for byte
apart from what the transforms change.

Commands:
  list                 every transform: its label (or label pattern), a tab, its menu caption
  apply LABEL...       applies each transform, named by its history label, in order, to the
                       whole text; e.g.  qor-cli apply Eng--GB  or  qor-cli apply "LCID: (1033)--(2052)"
  fix                  diagnoses the text and prints the most plausible repair; when the text
                       reads well as it is, prints nothing, says "无需修复" and exits 1
    --explain          also prints the repair's chain (as an apply command) and what the result
                       is made of on standard error
    --top N            prints the N best candidates instead, one a line: rank, score (how much
                       more plausible than the text as it is), chain, explanation, first line

Options (anywhere; "--" ends them, for a label that starts with "-"):
  -i FILE              read the text from FILE instead of standard input
  -o FILE              write the result to FILE instead of standard output
  -h, --help           show this help

Labels are matched exactly (case-sensitive). Patterns such as "LCID: (A)--(B)" take decimal
numbers with an optional minus sign.

Exit status: 0 success (a step that changes nothing is reported on stderr and the run goes on);
1 a step gave no result ("未改动"), or fix found no repair better than the text; 2 usage error
(unknown label, bad option, invalid UTF-8); 3 a file could not be read or written.
)USAGE";

struct Options {
  std::vector<std::string> operands;
  std::optional<std::string> input;
  std::optional<std::string> output;
  bool help = false;
  std::optional<std::size_t> top;  // fix: a listing of this many candidates
  bool explain = false;            // fix: the chain and explanation on stderr
};

std::optional<Options> ParseOptions(const std::vector<std::string>& args, std::string& error) {
  Options options;
  bool options_ended = false;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (options_ended || arg.size() < 2 || arg[0] != '-') {
      options.operands.push_back(arg);
    } else if (arg == "--") {
      options_ended = true;
    } else if (arg == "-h" || arg == "--help") {
      options.help = true;
    } else if (arg == "--explain") {
      options.explain = true;
    } else if (arg == "--top") {
      const std::optional<std::int32_t> n =
          i + 1 < args.size() ? ParseInt32(Utf8ToText(args[i + 1])) : std::nullopt;
      if (!n || *n < 1 || args[i + 1].find_first_not_of("0123456789") != std::string::npos) {
        error = "option --top needs a number of 1 or more";
        return std::nullopt;
      }
      options.top = static_cast<std::size_t>(*n);
      ++i;
    } else if (arg == "-i" || arg == "-o") {
      if (i + 1 >= args.size()) {
        error = "option " + arg + " needs a file name";
        return std::nullopt;
      }
      (arg == "-i" ? options.input : options.output) = args[++i];
    } else {
      error = "unknown option " + arg;
      return std::nullopt;
    }
  }
  return options;
}

std::size_t EditDistance(TextView a, TextView b) {
  std::vector<std::size_t> row(b.size() + 1);
  for (std::size_t j = 0; j <= b.size(); ++j) row[j] = j;
  for (std::size_t i = 1; i <= a.size(); ++i) {
    std::size_t diagonal = row[0];
    row[0] = i;
    for (std::size_t j = 1; j <= b.size(); ++j) {
      const std::size_t up = row[j];
      row[j] = std::min({row[j] + 1, row[j - 1] + 1, diagonal + (a[i - 1] != b[j - 1] ? 1 : 0)});
      diagonal = up;
    }
  }
  return row[b.size()];
}

// The three known labels closest to an unknown one.
std::vector<Text> ClosestLabels(TextView label) {
  std::vector<Text> known = Catalogue::Get().Grammars();
  std::stable_sort(known.begin(), known.end(), [label](const Text& a, const Text& b) {
    return EditDistance(label, a) < EditDistance(label, b);
  });
  known.resize(std::min<std::size_t>(known.size(), 3));
  return known;
}

std::optional<Bytes> ReadAll(const std::optional<std::string>& path, std::istream& in) {
  if (!path) return Bytes(std::istreambuf_iterator<char>(in), {});
  std::ifstream file(*path, std::ios::binary);
  if (!file) return std::nullopt;
  Bytes bytes(std::istreambuf_iterator<char>(file), {});
  if (file.bad()) return std::nullopt;
  return bytes;
}

// Writes through a temporary file in the same folder, so a failure leaves nothing half-written.
bool WriteAll(const std::string& path, const Bytes& bytes) {
  const std::string temporary = path + ".qor-tmp";
  {
    std::ofstream file(temporary, std::ios::binary | std::ios::trunc);
    if (!file.write(bytes.data(), static_cast<std::streamsize>(bytes.size())) || !file.flush()) {
      std::remove(temporary.c_str());
      return false;
    }
  }
  std::error_code ec;
  std::filesystem::rename(temporary, path, ec);
  if (ec) std::remove(temporary.c_str());
  return !ec;
}

// The input text; nullopt with the exit status set when it cannot be read or is not UTF-8.
std::optional<Text> ReadInput(const Options& options, std::istream& in, std::ostream& err,
                              int& status) {
  const std::optional<Bytes> bytes = ReadAll(options.input, in);
  if (!bytes) {
    err << "qor-cli: cannot read " << *options.input << '\n';
    status = kExitFile;
    return std::nullopt;
  }
  std::size_t offset = 0;
  std::optional<Text> text = DecodeWtf8(*bytes, &offset);
  if (!text) {
    err << "qor-cli: the input is not valid UTF-8 (byte offset " << offset << ")\n";
    status = kExitUsage;
  }
  return text;
}

int WriteOutput(const Options& options, TextView text, std::ostream& out, std::ostream& err) {
  const Bytes encoded = EncodeWtf8(text);
  if (options.output) {
    if (!WriteAll(*options.output, encoded)) {
      err << "qor-cli: cannot write " << *options.output << '\n';
      return kExitFile;
    }
  } else {
    out.write(encoded.data(), static_cast<std::streamsize>(encoded.size()));
    out.flush();
  }
  return kExitOk;
}

int List(std::ostream& out) {
  for (const Family& family : Catalogue::Get().families()) {
    out << EncodeWtf8(family.grammar) << '\t'
        << EncodeWtf8(family.item ? family.item->caption : family.note) << '\n';
  }
  return kExitOk;
}

int Apply(const Options& options, std::istream& in, std::ostream& out, std::ostream& err) {
  const std::vector<std::string> labels(options.operands.begin() + 1, options.operands.end());
  if (labels.empty()) {
    err << "qor-cli: apply needs at least one label (see qor-cli list)\n";
    return kExitUsage;
  }
  std::vector<Step> steps;
  for (const std::string& label : labels) {
    const std::optional<Text> wanted = DecodeWtf8(label);
    std::optional<Step> step = wanted ? Catalogue::Get().Find(*wanted) : std::nullopt;
    if (!step) {
      err << "qor-cli: unknown label \"" << label << "\"";
      if (wanted) {
        err << "; closest known:";
        for (const Text& close : ClosestLabels(*wanted)) err << " \"" << EncodeWtf8(close) << '"';
      }
      err << '\n';
      return kExitUsage;
    }
    steps.push_back(std::move(*step));
  }

  int status = kExitOk;
  std::optional<Text> text = ReadInput(options, in, err, status);
  if (!text) return status;

  for (const Step& step : steps) {
    Text result = step.transform(*text);
    if (result.empty()) {
      err << EncodeWtf8(step.label) << ": 未改动\n";
      return kExitNoResult;
    }
    if (result == *text) err << EncodeWtf8(step.label) << ": 新旧文本相同\n";
    text = std::move(result);
  }

  return WriteOutput(options, *text, out, err);
}

// A label as one shell word, so that the printed chain can be pasted after "qor-cli apply --".
std::string ShellWord(const Text& label) {
  std::string word = "'";
  for (const char c : EncodeWtf8(label))
    word += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return word + "'";
}

std::string ChainWords(const std::vector<Text>& chain) {
  if (chain.empty()) return "（原文）";
  std::string words;
  for (const Text& label : chain) words += (words.empty() ? "" : " ") + ShellWord(label);
  return words;
}

std::string Score(double score) {
  char buffer[32];
  std::snprintf(buffer, sizeof buffer, "%+.1f", score);
  return buffer;
}

int Fix(const Options& options, std::istream& in, std::ostream& out, std::ostream& err) {
  if (options.operands.size() > 1) {
    err << "qor-cli: fix takes no labels\n";
    return kExitUsage;
  }
  int status = kExitOk;
  const std::optional<Text> text = ReadInput(options, in, err, status);
  if (!text) return status;
  DiagnosisOptions diagnosis_options;
  diagnosis_options.max_candidates = options.top.value_or(1);
  const Diagnosis diagnosis = Diagnose(*text, diagnosis_options);
  if (options.top) {
    for (std::size_t k = 0; k < diagnosis.candidates.size(); ++k) {
      const Candidate& c = diagnosis.candidates[k];
      const Text first_line = c.result.substr(0, c.result.find_first_of(u"\r\n"));
      out << k + 1 << '\t' << Score(c.score) << '\t' << ChainWords(c.chain) << '\t'
          << EncodeWtf8(c.explanation) << '\t' << EncodeWtf8(first_line) << '\n';
    }
    out.flush();
  }
  if (!diagnosis.NeedsRepair()) {
    err << "无需修复\n";
    return kExitNoResult;
  }
  if (options.top) return kExitOk;
  const Candidate& best = diagnosis.candidates.front();
  if (options.explain) {
    err << "qor-cli apply -- " << ChainWords(best.chain) << '\n'
        << EncodeWtf8(best.explanation) << '\n';
  }
  return WriteOutput(options, best.result, out, err);
}

}  // namespace

int CommandLineMain(const std::vector<std::string>& args, std::istream& in, std::ostream& out,
                    std::ostream& err) {
  try {
    std::string error;
    const std::optional<Options> options = ParseOptions(args, error);
    if (!options) {
      err << "qor-cli: " << error << "\n"
          << "Try qor-cli --help.\n";
      return kExitUsage;
    }
    if (options->help) {
      out << kUsage;
      return kExitOk;
    }
    const std::string command = options->operands.empty() ? "" : options->operands.front();
    if (command == "list") return List(out);
    if ((options->top || options->explain) && command != "fix") {
      err << "qor-cli: --top and --explain belong to fix\nTry qor-cli --help.\n";
      return kExitUsage;
    }
    if (command == "apply") return Apply(*options, in, out, err);
    if (command == "fix") return Fix(*options, in, out, err);
    err << "qor-cli: " << (command.empty() ? "no command given" : "unknown command " + command)
        << "\nTry qor-cli --help.\n";
    return kExitUsage;
  } catch (const std::exception& e) {
    err << "qor-cli: " << e.what() << '\n';
    return kExitFile;
  }
}

}  // namespace qor
