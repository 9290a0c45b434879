#pragma once
// An ICU converter that closes itself.

#include <unicode/ucnv.h>

#include <memory>

namespace qor {

struct ConverterCloser {
  void operator()(UConverter* converter) const { ucnv_close(converter); }
};
using Converter = std::unique_ptr<UConverter, ConverterCloser>;

// Opens a converter by name; nullptr when ICU does not know it.
inline Converter OpenConverter(const char* name) {
  UErrorCode err = U_ZERO_ERROR;
  Converter converter(ucnv_open(name, &err));
  // Most "windows-" names answer with U_AMBIGUOUS_ALIAS_WARNING, which is no failure.
  if (U_FAILURE(err)) return nullptr;
  return converter;
}

}  // namespace qor
