#include "platform/user_locale.h"

#include <unicode/datefmt.h>
#include <unicode/dcfmtsym.h>
#include <unicode/decimfmt.h>
#include <unicode/timezone.h>

#include <cstdlib>
#include <memory>
#include <string>

namespace qor {
namespace {

// The ICU locale of a POSIX category: "zh_CN.UTF-8" gives "zh_CN"; "C" and "POSIX" give the
// neutral English of ICU's POSIX locale.
icu::Locale UserLocale(const char* category) {
  const char* value = nullptr;
  for (const char* name : {"LC_ALL", category, "LANG"}) {
    value = std::getenv(name);
    if (value && *value) break;
  }
  std::string id = value ? value : "";
  id = id.substr(0, id.find_first_of(".@"));
  if (id.empty() || id == "C" || id == "POSIX") id = "en_US_POSIX";
  return icu::Locale(id.c_str());
}

Text ToText(const icu::UnicodeString& s) {
  return Text(reinterpret_cast<const char16_t*>(s.getBuffer()),
              static_cast<std::size_t>(s.length()));
}

}  // namespace

Text FormatGroupedNumber(std::uint64_t value, const char* locale) {
  UErrorCode status = U_ZERO_ERROR;
  const icu::Locale where = locale ? icu::Locale(locale) : UserLocale("LC_NUMERIC");
  auto* symbols = new icu::DecimalFormatSymbols(where, status);
  icu::DecimalFormat format(u"#,##0", symbols, status);  // adopts the symbols
  if (U_FAILURE(status)) return IntegerText(static_cast<std::int64_t>(value));
  icu::UnicodeString out;
  format.format(static_cast<int64_t>(value), out);
  return ToText(out);
}

Text FormatDateTime(std::int64_t seconds, const char* locale, const char* time_zone) {
  const icu::Locale where = locale ? icu::Locale(locale) : UserLocale("LC_TIME");
  std::unique_ptr<icu::DateFormat> format(icu::DateFormat::createDateTimeInstance(
      icu::DateFormat::kShort, icu::DateFormat::kMedium, where));
  if (!format) return {};
  if (time_zone) format->adoptTimeZone(icu::TimeZone::createTimeZone(time_zone));
  icu::UnicodeString out;
  format->format(static_cast<UDate>(seconds) * 1000.0, out);
  return ToText(out);
}

}  // namespace qor
