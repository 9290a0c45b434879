#pragma once
// The commands of the third decoding menu that ask the user first: the selected
// reinterpretations (a selector dialog) and the half-character cut (a typed LCID for item 2).

#include "session/session.h"

namespace qor {

// mnuAskA2B: 0 transform selector and an escape decoder, 1 LCID pair and Reinterpret, 2 code
// page pair and ConvertCodePage, on the whole text, labelled with the dialog's description.
// A cancelled dialog changes nothing and shows nothing.
void AskAndReinterpret(Session& session, int index);

// mnuCutaByte: the half-character cut from the caret to the end under GBK (0), UTF-16 (1) or an
// LCID typed into the one-line prompt (2). A text already at the maximum length is refused
// before anything is asked.
void CutHalfCharacterFromCaret(Session& session, int index);

}  // namespace qor
