#pragma once
// Numbers and times written the way the user's locale writes them (LC_ALL, then LC_NUMERIC or
// LC_TIME, then LANG), or the way a named ICU locale does.

#include <cstdint>

#include "platform/text.h"

namespace qor {

// The value with the locale's thousands separators and no decimals ("1,234,567").
[[nodiscard]] Text FormatGroupedNumber(std::uint64_t value, const char* locale = nullptr);

// The locale's short date and medium time (with seconds) of a moment in seconds since 1970 UTC,
// in the given time zone or the system's.
[[nodiscard]] Text FormatDateTime(std::int64_t seconds, const char* locale = nullptr,
                                  const char* time_zone = nullptr);

}  // namespace qor
