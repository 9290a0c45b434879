#pragma once
// JSON Lines (RFC 8259 values, one a line) for the machine-readable output of fix and list.

#include <cstddef>
#include <optional>
#include <vector>

#include "platform/text.h"

namespace qor {

struct Candidate;

// A JSON string: quotes, backslashes and control characters escaped, a lone surrogate as its
// \uXXXX escape so that the output stays valid UTF-8; everything else as it is.
[[nodiscard]] Text JsonString(TextView text);

// A JSON number, as short as it reads back exactly; null for an infinity or NaN.
[[nodiscard]] Text JsonNumber(double number);

// One candidate of fix as a JSON object on one line, with its line feed:
// {"chain": [labels], "score": n, "explanation": "…", "lost": n, "result": "…"}, with
// "line": n first for a line of --lines.
[[nodiscard]] Text CandidateJson(const Candidate& candidate, std::optional<std::size_t> line);

// An object of string members in the order given, on one line, with its line feed.
[[nodiscard]] Text JsonObject(const std::vector<std::pair<TextView, TextView>>& members);

}  // namespace qor
