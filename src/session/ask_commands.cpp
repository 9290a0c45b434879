#include "session/ask_commands.h"

#include "catalogue/caption.h"
#include "catalogue/catalogue.h"
#include "catalogue/parameter_labels.h"
#include "codepage/selector_tables.h"

namespace qor {
namespace {

constexpr TextView kLcidPromptTitle = u"键入 LCID";
constexpr TextView kLcidPromptDefault = u"2052";

// The step a confirmed dialog names, or nullopt when it was cancelled. The dialogs write labels
// of the catalogue; the transform selector without a transform converts nothing.
std::optional<Step> AskStep(Ui& ui, int index) {
  std::optional<Text> label;
  switch (index) {
    case 0:
      if (const auto choice = ui.ChooseTransform()) {
        if (choice->opr < 0) return Step{choice->say, [](TextView text) { return Text(text); }};
        label = choice->say;
      }
      break;
    case 1:
      if (const auto pair = ui.ChooseLcidPair()) label = pair->say;
      break;
    case 2:
      if (const auto pair = ui.ChooseCodePagePair()) label = pair->say;
      break;
  }
  return label ? Catalogue::Get().Find(*label) : std::nullopt;
}

}  // namespace

void AskAndReinterpret(Session& session, int index) {
  // The whole text, whatever the menu does with the step: the frame's length check, "未改动" and
  // the push with the dialog's label.
  if (const std::optional<Step> step = AskStep(session.ui(), index)) {
    session.RunStep(*step, Frame{Source::kWholeText});
  }
}

void CutHalfCharacterFromCaret(Session& session, int index) {
  const Family* family = Catalogue::Get().FindItem("mnuCutaByte", index);
  if (!family) return;
  if (std::optional<Step> step = family->MenuStep()) {
    session.RunStep(*step);
    return;
  }
  // The typed LCID: refuse a full text before asking anything.
  const Text head = CaptionHead(family->item->caption, kDescriptionDelimiter);
  if (session.box().length() >= TextBox::kMaxLength) {
    session.ui().ShowMessage(head + Text(kTextTooLong));
    return;
  }
  const std::optional<Text> answer =
      session.ui().AskLine(head, kLcidPromptTitle, kLcidPromptDefault);
  const std::optional<std::int32_t> lcid = answer ? ParseInt32(*answer) : std::nullopt;
  const std::optional<Step> step =
      lcid ? Catalogue::Get().Find(NumberedLabel(head, *lcid)) : std::nullopt;
  if (!step) {
    session.Select(session.box().sel_start(), 0);
    session.SetSay(kUnchanged);
    return;
  }
  session.RunStep(*step);
}

}  // namespace qor
