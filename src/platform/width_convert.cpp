#include "platform/width_convert.h"

#include <unicode/translit.h>
#include <unicode/unistr.h>

#include <memory>
#include <mutex>

namespace qor {
namespace {

// A transliterator costs 20 to 100 ms to create: one per direction, kept, used under a lock.
class WidthConverter {
 public:
  explicit WidthConverter(const char* id) {
    UErrorCode err = U_ZERO_ERROR;
    transliterator_.reset(
        icu::Transliterator::createInstance(icu::UnicodeString(id), UTRANS_FORWARD, err));
    if (U_FAILURE(err)) transliterator_.reset();
  }

  std::optional<Text> Convert(TextView text) {
    if (!transliterator_) return std::nullopt;
    icu::UnicodeString buffer(text.data(), static_cast<int32_t>(text.size()));
    {
      std::lock_guard lock(mutex_);
      transliterator_->transliterate(buffer);
    }
    if (buffer.isBogus()) return std::nullopt;
    return Text(buffer.getBuffer(), buffer.getBuffer() + buffer.length());
  }

 private:
  std::unique_ptr<icu::Transliterator> transliterator_;
  std::mutex mutex_;
};

}  // namespace

std::optional<Text> ConvertWidth(TextView text, bool to_full_width) {
  if (text.empty()) return Text();
  if (to_full_width) {
    static WidthConverter to_full("Halfwidth-Fullwidth");
    return to_full.Convert(text);
  }
  static WidthConverter to_half("Fullwidth-Halfwidth");
  return to_half.Convert(text);
}

}  // namespace qor
