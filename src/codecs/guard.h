#pragma once
// The one edge where a codec's failure (memory exhausted, an unexpected error) becomes the empty
// result that every caller already treats as "nothing decoded".

#include <utility>

namespace qor {

// Runs body and returns its result, or a default-constructed value if it throws.
template <typename Body>
[[nodiscard]] auto EmptyOnFailure(Body&& body) noexcept -> decltype(body()) {
  try {
    return std::forward<Body>(body)();
  } catch (...) {
    return {};
  }
}

}  // namespace qor
