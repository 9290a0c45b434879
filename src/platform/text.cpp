#include "platform/text.h"

namespace qor {

Text IntegerText(std::int64_t value) {
  const std::string digits = std::to_string(value);
  return Text(digits.begin(), digits.end());
}

Text Concat(TextView a, TextView b) {
  Text out;
  out.reserve(a.size() + b.size());
  return out.append(a).append(b);
}

Text ReplaceAll(TextView text, TextView from, TextView to) {
  if (from.empty()) return Text(text);
  Text out;
  out.reserve(text.size());
  std::size_t at = 0;
  for (std::size_t hit; (hit = text.find(from, at)) != TextView::npos; at = hit + from.size()) {
    out.append(text.substr(at, hit - at)).append(to);
  }
  return out.append(text.substr(at));
}

}  // namespace qor
