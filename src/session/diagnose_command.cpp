#include "session/diagnose_command.h"

#include "catalogue/catalogue.h"

namespace qor {

void ApplyRepairChain(Session& session, const std::vector<Text>& chain) {
  for (const Text& label : chain) {
    const std::optional<Step> step = Catalogue::Get().Find(label);
    if (!step) return;
    // Diagnosis judged the whole text: every step takes it from the start.
    session.RunStep(*step, Frame{Source::kWholeText});
  }
}

void DiagnoseAndRepair(Session& session) {
  const std::optional<std::vector<Text>> chain = session.ui().ChooseRepair(session.box().text());
  if (chain) ApplyRepairChain(session, *chain);
}

}  // namespace qor
