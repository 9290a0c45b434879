#include "cli/stream_chain.h"

#include <gtest/gtest.h>

#include "catalogue/catalogue.h"
#include "catalogue/step_runner.h"
#include "support/test_support.h"

namespace qor {
namespace {

// Everything a cut could break: mojibake lines, a UTF-8 lead byte's character before a line
// feed, blank lines, a byte-order mark's characters and U+FEFF (and U+FFFE, swapped) right
// after a cut, escapes and UTF-7 and HZ runs across a line break, a surrogate pair, CR LF.
const Text kSample =
    T("ÖÐÎÄ a%E4%B8\n%AD+UxdO\n\xEF\xBB\xBFï»¿&#x53EF;Ã\n\n\xEF\xBF\xBE😀中文=\r\nHZ~{V;~\nµÚ¶þ"
      "ÐÐ &lt;");

// The steps of every family: fixed items, every repair of the named families, and typed labels.
std::vector<Step> EveryStep() {
  std::vector<Step> steps;
  for (const Family& family : Catalogue::Get().families()) {
    if (std::optional<Step> step = family.MenuStep()) steps.push_back(*step);
    if (family.repairs) {
      for (Step& step : family.repairs()) steps.push_back(std::move(step));
    }
  }
  for (const char16_t* label :
       {u"LCID: (1033)--(2052)", u"LCID: (-2)--(-3)", u"Code Page: (1252)--(65001)",
        u"Code Page: (-2)--(936)", u"Code Page: (37)--(936)", u"LCID+半字 (2052)"}) {
    steps.push_back(*Catalogue::Get().Find(label));
  }
  return steps;
}

// The chain's output for the text given in parts; "<stopped>" when a step stopped.
Text Streamed(const Step& step, const std::vector<TextView>& parts, std::size_t piece_units) {
  StreamChain chain({step}, piece_units);
  Text out;
  for (TextView part : parts) {
    if (!chain.Push(part, out)) return u"<stopped>";
  }
  return chain.Finish(out) ? out : u"<stopped>";
}

// The pieces after every line feed, each run on its own and joined.
Text Apart(const Step& step, TextView text) {
  Text out;
  for (std::size_t start = 0, end; start < text.size(); start = end) {
    end = std::min(text.find(u'\n', start), text.size() - 1) + 1;
    const PieceRun run = RunApart({step}, text.substr(start, end - start), start > 0);
    if (run.report.stopped) return u"<stopped>";
    out += run.text;
  }
  return out;
}

// Cut at every line feed (the text arriving unit by unit, each piece taken at once), and with
// the text arriving in two parts split at every position.
TEST(StreamChain, EveryStepStreamsToItsWholeTextResult) {
  std::size_t streaming = 0;
  for (const Step& step : EveryStep()) {
    const StepOutcome whole = RunStep(step, kSample);
    const Text expected = whole.HasResult() ? whole.result : u"<stopped>";
    std::vector<TextView> units;
    for (std::size_t i = 0; i < kSample.size(); ++i)
      units.push_back(TextView(kSample).substr(i, 1));
    EXPECT_EQ(Show(Streamed(step, units, 1)), Show(expected)) << Show(step.label);
    for (std::size_t at = 0; at <= kSample.size(); ++at) {
      const TextView text(kSample);
      const Text out = Streamed(step, {text.substr(0, at), text.substr(at)}, 1);
      ASSERT_EQ(Show(out), Show(expected)) << Show(step.label) << " split at " << at;
    }
    streaming += step.cut == Cut::kAfterLineFeed;
    if (RunsApart({step})) {
      EXPECT_EQ(Show(Apart(step, kSample)), Show(expected)) << Show(step.label);
    }
  }
  EXPECT_GT(streaming, 100u);  // the reinterpretation pairs among them
}

TEST(StreamChain, ChainsFeedEachOtherAndReportTheStepThatStopped) {
  const Step eng_gb = *Catalogue::Get().Find(u"Eng--GB");
  const Step swap = *Catalogue::Get().Find(u"ULE--UBE");
  const Step base64 = *Catalogue::Get().Find(u"Base64--GB");
  const Text text = T("ÖÐÎÄ\nµÚ¶þÐÐ\n");
  Text out;
  StreamChain chain({eng_gb, swap, swap}, 1);
  EXPECT_TRUE(chain.Push(text, out) && chain.Finish(out));
  EXPECT_EQ(out, u"中文\n第二行\n");
  EXPECT_TRUE(chain.steps()[0].changed());

  StreamChain stopping({eng_gb, base64}, 1);
  out.clear();
  EXPECT_FALSE(stopping.Push(text, out) && stopping.Finish(out));
  EXPECT_EQ(stopping.stopped(), &stopping.steps()[1]);
  EXPECT_TRUE(Streams({eng_gb, swap}));
  EXPECT_FALSE(Streams({eng_gb, base64}));
}

}  // namespace
}  // namespace qor
