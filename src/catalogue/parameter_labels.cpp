#include "catalogue/parameter_labels.h"

#include "codepage/selector_tables.h"

namespace qor {

Text JoinLabel(TextView a, TextView separator, TextView b) {
  Text out(a);
  out += separator;
  out += b;
  return out;
}

Text TypedPairLabel(TextView prefix, std::int32_t a, std::int32_t b) {
  return Text(prefix) + u"(" + IntegerText(a) + u")--(" + IntegerText(b) + u")";
}

std::optional<std::pair<std::int32_t, std::int32_t>> ParseTypedPairLabel(TextView label,
                                                                         TextView prefix) {
  if (!label.starts_with(prefix)) return std::nullopt;
  const TextView rest = label.substr(prefix.size());
  const std::size_t middle = rest.find(u")--(");
  if (rest.size() < 2 || rest.front() != u'(' || rest.back() != u')' || middle == TextView::npos) {
    return std::nullopt;
  }
  const std::optional<std::int32_t> a = ParseInt32(rest.substr(1, middle - 1));
  const std::optional<std::int32_t> b =
      ParseInt32(rest.substr(middle + 4, rest.size() - middle - 5));
  // Only the form written above: plain decimal, no blanks, no "+", no leading zeros.
  if (!a || !b || TypedPairLabel(prefix, *a, *b) != label) return std::nullopt;
  return std::pair{*a, *b};
}

Text NumberedLabel(TextView head, std::int32_t number) {
  return Text(head) + u" (" + IntegerText(number) + u")";
}

std::optional<std::int32_t> ParseNumberedLabel(TextView label, TextView head) {
  const TextView open = u" (";
  if (!label.starts_with(head) || label.size() < head.size() + open.size() + 2 ||
      label.substr(head.size(), open.size()) != open || label.back() != u')') {
    return std::nullopt;
  }
  const TextView digits = label.substr(head.size() + open.size());
  const std::optional<std::int32_t> number = ParseInt32(digits.substr(0, digits.size() - 1));
  if (!number || NumberedLabel(head, *number) != label) return std::nullopt;
  return number;
}

}  // namespace qor
