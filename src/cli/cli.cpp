#include "cli/cli.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <optional>

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

Options (anywhere; "--" ends them, for a label that starts with "-"):
  -i FILE              read the text from FILE instead of standard input
  -o FILE              write the result to FILE instead of standard output
  -h, --help           show this help

Labels are matched exactly (case-sensitive). Patterns such as "LCID: (A)--(B)" take decimal
numbers with an optional minus sign.

Exit status: 0 success (a step that changes nothing is reported on stderr and the run goes on);
1 a step gave no result ("未改动"); 2 usage error (unknown label, bad option, invalid UTF-8);
3 a file could not be read or written.
)USAGE";

struct Options {
  std::vector<std::string> operands;
  std::optional<std::string> input;
  std::optional<std::string> output;
  bool help = false;
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

  const std::optional<Bytes> bytes = ReadAll(options.input, in);
  if (!bytes) {
    err << "qor-cli: cannot read " << *options.input << '\n';
    return kExitFile;
  }
  std::size_t offset = 0;
  std::optional<Text> text = DecodeWtf8(*bytes, &offset);
  if (!text) {
    err << "qor-cli: the input is not valid UTF-8 (byte offset " << offset << ")\n";
    return kExitUsage;
  }

  for (const Step& step : steps) {
    Text result = step.transform(*text);
    if (result.empty()) {
      err << EncodeWtf8(step.label) << ": 未改动\n";
      return kExitNoResult;
    }
    if (result == *text) err << EncodeWtf8(step.label) << ": 新旧文本相同\n";
    text = std::move(result);
  }

  const Bytes encoded = EncodeWtf8(*text);
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
    if (command == "apply") return Apply(*options, in, out, err);
    err << "qor-cli: " << (command.empty() ? "no command given" : "unknown command " + command)
        << "\nTry qor-cli --help.\n";
    return kExitUsage;
  } catch (const std::exception& e) {
    err << "qor-cli: " << e.what() << '\n';
    return kExitFile;
  }
}

}  // namespace qor
