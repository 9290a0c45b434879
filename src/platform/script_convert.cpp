#include "platform/script_convert.h"

#include <opencc/opencc.h>

#include <mutex>

namespace qor {
namespace {

// One converter per direction, opened once and shared under a lock: opening s2t.json costs
// tens of milliseconds.
class ScriptConverter {
 public:
  explicit ScriptConverter(const char* config) : handle_(opencc_open(config)) {}
  ~ScriptConverter() {
    if (Usable()) opencc_close(handle_);
  }
  ScriptConverter(const ScriptConverter&) = delete;
  ScriptConverter& operator=(const ScriptConverter&) = delete;

  std::optional<std::string> Convert(std::string_view utf8) {
    if (!Usable()) return std::nullopt;
    std::lock_guard lock(mutex_);
    char* converted = opencc_convert_utf8(handle_, utf8.data(), utf8.size());
    if (!converted) return std::nullopt;
    std::string out(converted);
    opencc_convert_utf8_free(converted);
    return out;
  }

 private:
  bool Usable() const { return handle_ != reinterpret_cast<opencc_t>(-1) && handle_ != nullptr; }

  opencc_t handle_;
  std::mutex mutex_;
};

}  // namespace

std::optional<std::string> ConvertChineseScript(std::string_view utf8, bool traditional) {
  if (utf8.empty()) return std::string();
  if (traditional) {
    static ScriptConverter to_traditional("s2t.json");
    return to_traditional.Convert(utf8);
  }
  static ScriptConverter to_simplified("t2s.json");
  return to_simplified.Convert(utf8);
}

}  // namespace qor
