#pragma once
// The per-user settings store: text values addressed by section and key under the application
// "QOR". Each value is read and written on its own.

#include <optional>

#include "platform/text.h"

namespace qor {

// The stored text; nullopt when the key is missing or the store cannot be read.
[[nodiscard]] std::optional<Text> ReadSetting(TextView section, TextView key);
// Stores the text; false when the store could not be written.
bool WriteSetting(TextView section, TextView key, TextView value);

}  // namespace qor
