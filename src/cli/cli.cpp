#include "cli/cli.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <filesystem>
#include <iostream>
#include <iterator>
#include <optional>

#include "catalogue/catalogue.h"
#include "catalogue/step_runner.h"
#include "codepage/text_files.h"
#include "diagnosis/diagnose.h"
#include "platform/file_system.h"
#include "platform/wtf8.h"
#include "session/text_file_io.h"

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
  -i FILE              read the text from FILE instead of standard input, in the encoding its
                       byte-order mark or UTF-16 line breaks show, else UTF-8 if it is valid
                       UTF-8, else GBK
  --encoding CODE      read FILE in this encoding instead
  -o FILE              write the result to FILE instead of standard output; an existing FILE
                       stays as FILE.bak until the new one is complete
  --out-encoding CODE  write FILE in this encoding (default 9, UTF-8 without BOM)
  --force              overwrite a read-only or hidden FILE
  -h, --help           show this help

Encodings are numbers or names (letter case does not matter): 0 automatic (reading only),
1 GBK, 2 Eng (Windows-1252), 3 Latin-1, 4 Unicode, 5 "Unicode BE", 6 UTF-8 (each of the three
with a byte-order mark), 7 "Unicode (No BOM)", 8 "Unicode BE (No BOM)", 9 "UTF-8 (No BOM)".

Labels are matched exactly (case-sensitive). Patterns such as "LCID: (A)--(B)" take decimal
numbers with an optional minus sign.

Exit status: 0 success (a step that changes nothing is reported on stderr and the run goes on);
1 a step gave no result ("未改动"), or fix found no repair better than the text; 2 usage error
(unknown label, bad option, invalid UTF-8); 3 a file could not be read or written; 4 a transform
or the diagnosis failed with an error (such as running out of memory), named on stderr.
)USAGE";

struct Options {
  std::vector<std::string> operands;
  std::optional<std::string> input;
  std::optional<std::string> output;
  EncodingCode input_code = kEncodingAutomatic;
  EncodingCode output_code = kEncodingUtf8NoBom;
  bool force = false;
  bool help = false;
  std::optional<std::size_t> top;  // fix: a listing of this many candidates
  bool explain = false;            // fix: the chain and explanation on stderr
};

// An encoding code from its number or its name.
std::optional<EncodingCode> ParseEncodingCode(const std::string& arg) {
  if (arg.size() == 1 && arg[0] >= '0' && arg[0] <= '9') {
    return static_cast<EncodingCode>(arg[0] - '0');
  }
  const auto lower = [](std::string s) {
    std::transform(s.begin(), s.end(), s.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return s;
  };
  for (const EncodingCode code : kFileEncodings) {
    if (lower(EncodeWtf8(EncodingName(code))) == lower(arg)) return code;
  }
  return std::nullopt;
}

// Messages of the file reader and writer on standard error; the overwrite question is answered
// by --force.
class CommandLineUi : public Ui {
 public:
  CommandLineUi(std::ostream& err, bool force) : err_(err), force_(force) {}
  void ShowMessage(TextView text, TextView = {}) override {
    err_ << "qor-cli: " << Flat(text) << '\n';
  }
  bool AskYesNo(TextView text, bool = false) override {
    err_ << "qor-cli: " << Flat(text)
         << (force_ ? " yes (--force)\n" : " no (--force overwrites)\n");
    return force_;
  }

 private:
  static std::string Flat(TextView text) {
    std::string out = EncodeWtf8(text);
    for (std::size_t at; (at = out.find("\r\n\r\n")) != std::string::npos;)
      out.replace(at, 4, ": ");
    return out;
  }
  std::ostream& err_;
  bool force_;
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
    } else if (arg == "--force") {
      options.force = true;
    } else if (arg == "--explain") {
      options.explain = true;
    } else if (arg == "--top") {
      const std::string number = i + 1 < args.size() ? args[++i] : "";
      if (number.empty() || number.size() > 6 ||
          number.find_first_not_of("0123456789") != std::string::npos || std::stoi(number) < 1) {
        error = "option --top needs a number of 1 or more";
        return std::nullopt;
      }
      options.top = static_cast<std::size_t>(std::stoi(number));
    } else if (arg == "-i" || arg == "-o") {
      if (i + 1 >= args.size()) {
        error = "option " + arg + " needs a file name";
        return std::nullopt;
      }
      (arg == "-i" ? options.input : options.output) = args[++i];
    } else if (arg == "--encoding" || arg == "--out-encoding") {
      const std::optional<EncodingCode> code =
          i + 1 < args.size() ? ParseEncodingCode(args[++i]) : std::nullopt;
      if (!code || (arg == "--out-encoding" && *code == kEncodingAutomatic)) {
        error = "option " + arg + " needs an encoding: 1 to 9 or its name" +
                (arg == "--encoding" ? ", or 0" : "");
        return std::nullopt;
      }
      (arg == "--encoding" ? options.input_code : options.output_code) = *code;
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

// A file argument: the bytes the shell gave, whatever their encoding, are the file's name.
std::filesystem::path FilePath(const std::string& arg) { return std::filesystem::path(arg); }

// The text of -i FILE in its encoding, or of standard input as UTF-8; nullopt with the exit
// status when it cannot be had.
std::optional<Text> ReadInput(const Options& options, std::istream& in, std::ostream& err,
                              int& status) {
  if (options.input) {
    CommandLineUi ui(err, options.force);
    std::optional<TextFile> file =
        ReadTextFile(FilePath(*options.input), options.input_code, DiskFileSystem(), ui);
    status = kExitFile;
    if (!file) return std::nullopt;
    return std::move(file->text);
  }
  const Bytes bytes(std::istreambuf_iterator<char>(in), {});
  std::size_t offset = 0;
  std::optional<Text> text = DecodeWtf8(bytes, &offset);
  if (!text) {
    err << "qor-cli: the input is not valid UTF-8 (byte offset " << offset << ")\n";
    status = kExitUsage;
  }
  return text;
}

int List(std::ostream& out) {
  for (const Family& family : Catalogue::Get().families()) {
    out << EncodeWtf8(family.grammar) << '\t'
        << EncodeWtf8(family.item ? family.item->caption : family.note) << '\n';
  }
  return kExitOk;
}

// Writes the result to -o FILE or standard output.
int WriteOutput(const Options& options, TextView text, std::ostream& out, std::ostream& err) {
  if (options.output) {
    CommandLineUi ui(err, options.force);
    const bool written =
        WriteTextFile(text, FilePath(*options.output), options.output_code, DiskFileSystem(), ui)
            .has_value();
    return written ? kExitOk : kExitFile;
  }
  const Bytes encoded = EncodeWtf8(text);
  out.write(encoded.data(), static_cast<std::streamsize>(encoded.size()));
  out.flush();
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

  const int applied = ApplySteps(steps, *text, err);
  if (applied != kExitOk) return applied;
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
  for (const Text& label : chain) words.append(words.empty() ? "" : " ").append(ShellWord(label));
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

int ApplySteps(const std::vector<Step>& steps, Text& text, std::ostream& err) {
  for (const Step& step : steps) {
    StepOutcome outcome = RunStep(step, text);
    const Bytes label = EncodeWtf8(step.label);
    if (!outcome.failure.empty()) {
      err << "qor-cli: " << label << " failed: " << outcome.failure << '\n';
      return kExitFailure;
    }
    if (!outcome.HasResult()) {
      err << label << ": " << EncodeWtf8(kUnchanged) << '\n';
      return kExitNoResult;
    }
    if (outcome.result == text) err << label << ": " << EncodeWtf8(kSameText) << '\n';
    text = std::move(outcome.result);
  }
  return kExitOk;
}

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
    err << "qor-cli: failed: " << e.what() << '\n';
    return kExitFailure;
  }
}

}  // namespace qor
