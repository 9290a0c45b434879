#pragma once
// The automatic diagnosis command: the user picks one of the ranked repairs of the whole text,
// and its steps run one after another through the command frame, each with its own label, so
// that the history shows every step and undo steps back through them.

#include <vector>

#include "platform/text.h"
#include "session/session.h"

namespace qor {

inline constexpr TextView kDiagnoseCaption = u"自动诊断 ：列出最可能的修复 [F11] …";

// Runs the chain's steps on the whole text; stops at the first label the catalogue lacks.
void ApplyRepairChain(Session& session, const std::vector<Text>& chain);

// Asks the user to choose among the repairs of the text, then applies the chosen one.
void DiagnoseAndRepair(Session& session);

}  // namespace qor
