#pragma once
// The half-character cut: a double-byte stream read one byte out of step, put back in step.

#include <cstdint>

#include "platform/text.h"

namespace qor {

// Encodes the text under an LCID (0 or more) or as UTF-16 (-2 and -3 alike), drops the first
// byte, decodes the rest the same way and puts a space in front for the lost half. An empty text
// stays empty; any other selector, and any failure, gives the empty string.
[[nodiscard]] Text CutHalfCharacter(TextView text, std::int32_t selector);

}  // namespace qor
