// One second-decoding-menu command on a full text (16,383 units) in the main window, end to end:
// the transform, the text control's update, the push and the repaint that follows. Offscreen.

#include <benchmark/benchmark.h>

#include <QAction>
#include <QApplication>

#include "window/main_window.h"

namespace qor {
namespace {

constexpr std::size_t kFullText = 16383;

// Answers nothing: a message box would stop the measurement.
class SilentUi : public Ui {
 public:
  void ShowMessage(TextView, TextView) override {}
  bool AskYesNo(TextView, bool) override { return false; }
};

Text Repeated(TextView sample) {
  Text text;
  while (text.size() < kFullText) text += sample;
  text.resize(kFullText);
  return text;
}

void RunCommand(benchmark::State& state, const Text& original, int index) {
  SilentUi ui;
  MainWindow window(&ui);
  window.show();
  QAction* item = window.Item("mnuChgA2B", index);
  for (auto _ : state) {
    state.PauseTiming();
    window.session().SetText(original);
    window.session().ResetHistory(u"orig");
    QApplication::processEvents();
    state.ResumeTiming();
    item->trigger();
    window.repaint();
  }
}

// Lines of Chinese and ASCII, read as GB--Big5.
void BM_CommandOnLines(benchmark::State& state) {
  RunCommand(state,
             Repeated(u"乱码修复 QOR repairs garbled text: 中文、English 和数字 12345。\r\n"), 0);
}
BENCHMARK(BM_CommandOnLines)->Unit(benchmark::kMillisecond);

// The worst case for the text control: ULE--UBE turns lines of Chinese into one paragraph of
// characters from many scripts, which it must lay out whole.
void BM_CommandGivingOneParagraph(benchmark::State& state) {
  RunCommand(state, Repeated(u"乱码修复 QOR repairs garbled text: 中文、English 和数字 12345。\n"),
             15);
}
BENCHMARK(BM_CommandGivingOneParagraph)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace qor

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
