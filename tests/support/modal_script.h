#pragma once
// Answers the real modal boxes of a test as they appear: each step receives the next modal widget
// that differs from the one the step before received. Polling goes on inside a step, so a step
// may open a nested box (a message over the input box) that a later step answers.

#include <QApplication>
#include <QElapsedTimer>
#include <QPointer>
#include <QTimer>
#include <QWidget>
#include <functional>
#include <memory>
#include <vector>

namespace qor {

class ModalScript {
 public:
  using Step = std::function<void(QWidget* dialog)>;

  explicit ModalScript(std::vector<Step> steps) : state_(std::make_shared<State>()) {
    state_->steps = std::move(steps);
    state_->clock.start();
    QTimer::singleShot(0, [state = state_] { Poll(state); });
  }
  ~ModalScript() { state_->stopped = true; }
  ModalScript(const ModalScript&) = delete;
  ModalScript& operator=(const ModalScript&) = delete;

  // Whether every step ran.
  bool done() const { return state_->next == state_->steps.size(); }

 private:
  static constexpr int kPollMs = 10;
  static constexpr int kGiveUpMs = 10000;

  struct State {
    std::vector<Step> steps;
    std::size_t next = 0;
    QPointer<QWidget> last;
    QElapsedTimer clock;
    bool stopped = false;
  };

  static void Poll(const std::shared_ptr<State>& state) {
    if (state->stopped || state->next == state->steps.size()) return;
    QTimer::singleShot(kPollMs, [state] { Poll(state); });
    QWidget* dialog = QApplication::activeModalWidget();
    if (state->clock.elapsed() > kGiveUpMs) {
      // A box that never came, or one a step did not close: unblock the test, which then fails.
      state->stopped = true;
      if (dialog) dialog->hide();
      return;
    }
    if (!dialog || dialog == state->last) return;
    state->last = dialog;
    state->steps[state->next++](dialog);
  }

  std::shared_ptr<State> state_;
};

}  // namespace qor
