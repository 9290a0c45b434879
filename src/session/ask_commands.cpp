#include "session/ask_commands.h"

#include "catalogue/caption.h"
#include "catalogue/catalogue.h"
#include "catalogue/escape_transforms.h"
#include "catalogue/parameter_labels.h"
#include "codepage/conversions.h"
#include "codepage/reinterpret.h"
#include "codepage/selector_tables.h"

namespace qor {
namespace {

constexpr TextView kLcidPromptTitle = u"键入 LCID";
constexpr TextView kLcidPromptDefault = u"2052";

// The decoder the transform selector chose; no transform chosen converts nothing.
Transform TransformOf(const TransformChoice& choice) {
  const auto transforms = EscapeTransforms();
  if (choice.opr < 0 || choice.opr >= static_cast<int>(transforms.size())) {
    return [](TextView text) { return Text(text); };
  }
  return [&transform = transforms[choice.opr], lcid = choice.lcid](TextView text) {
    return DecodeEscapes(transform, text, lcid);
  };
}

// The step of a confirmed dialog, or nullopt when it was cancelled.
std::optional<Step> AskStep(Ui& ui, int index) {
  switch (index) {
    case 0:
      if (const auto choice = ui.ChooseTransform()) return Step{choice->say, TransformOf(*choice)};
      break;
    case 1:
      if (const auto pair = ui.ChooseLcidPair()) {
        return Step{pair->say,
                    [a = pair->a, b = pair->b](TextView text) { return Reinterpret(text, a, b); }};
      }
      break;
    case 2:
      if (const auto pair = ui.ChooseCodePagePair()) {
        return Step{pair->say, [a = pair->a, b = pair->b](TextView text) {
                      return ConvertCodePage(text, a, b);
                    }};
      }
      break;
  }
  return std::nullopt;
}

}  // namespace

void AskAndReinterpret(Session& session, int index) {
  // The whole text: the frame's length check, "未改动" and the push with the dialog's label.
  if (const std::optional<Step> step = AskStep(session.ui(), index)) session.RunStep(*step);
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
