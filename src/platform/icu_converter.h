#pragma once
// An ICU converter that closes itself.

#include <unicode/ucnv.h>

#include <memory>
#include <string_view>

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

// Which way a pooled converter converts: each way sets its own fallback and callbacks, and a
// converter is only handed back to the same way.
enum class ConverterUse { kDecode, kEncode };

// A converter of this thread's pool, reset, given back when this goes. Opening one by name
// costs more than converting a short line, and diagnosis converts thousands of lines.
class PooledConverter {
 public:
  PooledConverter(const char* name, ConverterUse use);
  ~PooledConverter();
  PooledConverter(const PooledConverter&) = delete;
  PooledConverter& operator=(const PooledConverter&) = delete;

  UConverter* get() const { return converter_.get(); }
  explicit operator bool() const { return converter_ != nullptr; }

 private:
  std::string_view name_;
  ConverterUse use_;
  Converter converter_;
};

}  // namespace qor
