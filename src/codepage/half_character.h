#pragma once
// The half-character cut: a double-byte stream read one byte out of step, put back in step.

#include "codepage/selectors.h"
#include "platform/text.h"

namespace qor {

// Encodes the text under an LCID (0 or more) or as UTF-16 (ULE and UBE alike), drops the first
// byte, decodes the rest the same way and puts a space in front for the lost half. An empty text
// stays empty; any other selector, and any failure, gives the empty string.
[[nodiscard]] Text CutHalfCharacter(TextView text, LcidSelector selector);

}  // namespace qor
