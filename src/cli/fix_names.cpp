#include "cli/fix_names.h"

#include <algorithm>
#include <filesystem>
#include <ostream>
#include <set>
#include <system_error>
#include <vector>

#include "catalogue/catalogue.h"
#include "cli/cli.h"
#include "cli/labels.h"
#include "cli/text_io.h"
#include "diagnosis/diagnose.h"
#include "diagnosis/plausibility.h"
#include "platform/codepage_service.h"
#include "platform/file_system.h"
#include "platform/path_text.h"
#include "platform/wtf8.h"

namespace qor {
namespace {

namespace fs = std::filesystem;

// Two readings closer than this (nats) are a guess between them.
constexpr double kAlike = 3.0;

// The encodings that raw names from Chinese, Japanese and Korean systems are in.
struct NameEncoding {
  int code_page;
  const char* name;
};
constexpr NameEncoding kNameEncodings[] = {
    {936, "gbk"}, {950, "big5"}, {932, "shift_jis"}, {949, "euc-kr"}};

bool IsAscii(BytesView bytes) {
  for (const char b : bytes) {
    if (static_cast<unsigned char>(b) >= 0x80) return false;
  }
  return true;
}

// Whether a text can be a file name here: no "/", no control character, not "." or "..".
bool CanBeName(TextView name) {
  if (name.empty() || name == u"." || name == u"..") return false;
  for (const char16_t c : name) {
    if (c == u'/' || c < 0x20 || c == 0x7F || c == 0xFFFD) return false;
  }
  return true;
}

NameRepair LeftAlone(std::string why) {
  return {NameRepair::Kind::kLeftAlone, {}, {}, std::move(why)};
}

// Bytes that are not UTF-8: the encoding that reads them best.
NameRepair RepairBytes(BytesView name) {
  struct Reading {
    Text text;
    double plausibility;
    const char* encoding;
  };
  std::vector<Reading> readings;
  for (const NameEncoding& encoding : kNameEncodings) {
    ConversionCounts counts;
    std::optional<Text> text = DecodeCodePage(name, encoding.code_page, &counts);
    if (!text || counts.invalid || counts.substituted || !CanBeName(*text)) continue;
    readings.push_back({*text, Plausibility(*text), encoding.name});
  }
  if (readings.empty()) return LeftAlone("not UTF-8, and no GBK, Big5, Shift-JIS or EUC-KR");
  std::sort(readings.begin(), readings.end(),
            [](const Reading& a, const Reading& b) { return a.plausibility > b.plausibility; });
  if (readings.size() > 1 && readings[0].text != readings[1].text &&
      readings[0].plausibility - readings[1].plausibility < kAlike) {
    return LeftAlone("reads almost alike as " + std::string(readings[0].encoding) + " (" +
                     EncodeWtf8(readings[0].text) + ") and " + readings[1].encoding + " (" +
                     EncodeWtf8(readings[1].text) + ")");
  }
  return {NameRepair::Kind::kRepair, EncodeWtf8(readings[0].text), readings[0].encoding, {}};
}

// The catalogue's reinterpretations: a name is garbled only by being read in another encoding.
const std::vector<Step>& Reinterpretations() {
  static const std::vector<Step> steps = [] {
    std::vector<Step> found;
    for (const Family& family : Catalogue::Get().families()) {
      if (!family.repairs) continue;
      for (Step& step : family.repairs()) {
        if (!step.code_pages.empty()) found.push_back(std::move(step));
      }
    }
    return found;
  }();
  return steps;
}

// A UTF-8 name: its mojibake repaired.
NameRepair RepairText(TextView name) {
  DiagnosisOptions options;
  options.max_candidates = 2;
  const Diagnosis diagnosis = Diagnose(name, Reinterpretations(), options);
  if (!diagnosis.NeedsRepair()) return {};
  const Candidate& best = diagnosis.candidates.front();
  const std::string chain = ChainWords(best.chain);
  if (!best.Lossless()) return LeftAlone(chain + " would lose characters");
  if (!CanBeName(best.result)) return LeftAlone(chain + " gives no name");
  if (diagnosis.close && diagnosis.candidates.size() > 1 &&
      diagnosis.candidates[1].result != best.result) {
    return LeftAlone("reads almost alike after " + chain + " (" + EncodeWtf8(best.result) +
                     ") and " + ChainWords(diagnosis.candidates[1].chain) + " (" +
                     EncodeWtf8(diagnosis.candidates[1].result) + ")");
  }
  return {NameRepair::Kind::kRepair, EncodeWtf8(best.result), chain, {}};
}

// The walk and its counts.
class NameFixer {
 public:
  NameFixer(bool apply, std::ostream& out, std::ostream& err)
      : apply_(apply), out_(out), err_(err) {}

  // The names under the path (not through links to folders), then its own.
  void Walk(const fs::path& path) {
    std::error_code error;
    if (fs::is_directory(fs::symlink_status(path, error))) {
      std::vector<fs::path> entries;
      for (fs::directory_iterator it(path, error), end; !error && it != end; it.increment(error)) {
        entries.push_back(it->path());
      }
      if (error) Fail(path, "cannot be read: " + error.message());
      std::sort(entries.begin(), entries.end());
      for (const fs::path& entry : entries) Walk(entry);
    } else if (error) {
      return Fail(path, error.message());
    }
    Fix(path);
  }

  int Finish() {
    err_ << "qor-cli: " << changed_ << (apply_ ? " renamed, " : " to rename, ") << left_
         << " left alone, " << clean_ << " clean" << (failed_ ? ", " : "")
         << (failed_ ? std::to_string(failed_) + " failed" : "") << '\n';
    if (failed_) return kExitFile;
    return changed_ ? kExitOk : kExitNoResult;
  }

 private:
  void Fix(const fs::path& path) {
    const Bytes name = NameOf(path).native();
    if (name.empty() || name == "." || name == "..") return;
    const NameRepair repair = RepairName(name);
    if (repair.kind == NameRepair::Kind::kClean) {
      ++clean_;
      return;
    }
    if (repair.kind == NameRepair::Kind::kLeftAlone) return LeaveAlone(path, repair.why);
    const fs::path target = Append(FolderOf(path), repair.name);
    std::error_code error;
    if (fs::exists(fs::symlink_status(target, error)) || planned_.count(target)) {
      return LeaveAlone(path, EncodeWtf8(PathToText(target)) + " exists already");
    }
    Text rename_error;
    if (apply_ && !DiskFileSystem().Rename(path, target, rename_error)) {
      return Fail(path, "rename failed: " + EncodeWtf8(rename_error));
    }
    if (!apply_) planned_.insert(target);
    ++changed_;
    out_ << EncodeWtf8(PathToText(path)) << " → " << repair.name << '\t' << repair.chain << '\n';
  }

  void LeaveAlone(const fs::path& path, const std::string& why) {
    ++left_;
    err_ << "qor-cli: " << EncodeWtf8(PathToText(path)) << ": left alone: " << why << '\n';
  }
  void Fail(const fs::path& path, const std::string& why) {
    ++failed_;
    err_ << "qor-cli: " << EncodeWtf8(PathToText(path)) << ": " << why << '\n';
  }

  bool apply_;
  std::ostream& out_;
  std::ostream& err_;
  std::set<fs::path> planned_;  // the new names a dry run would have made
  std::size_t changed_ = 0, left_ = 0, clean_ = 0, failed_ = 0;
};

}  // namespace

NameRepair RepairName(BytesView name) {
  if (IsAscii(name)) return {};
  const std::optional<Text> text = DecodeWtf8(name);
  return text ? RepairText(*text) : RepairBytes(name);
}

int FixNames(const Options& options, std::ostream& out, std::ostream& err) {
  if (options.operands.size() < 2) {
    err << "qor-cli: fix-names needs at least one path\n";
    return kExitUsage;
  }
  NameFixer fixer(options.apply, out, err);
  for (std::size_t k = 1; k < options.operands.size(); ++k) {
    fixer.Walk(FilePath(options.operands[k]));
  }
  return fixer.Finish();
}

}  // namespace qor
