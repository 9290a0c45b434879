#pragma once
// The tag and named-entity step of the HTML decoder, over strings of any unit width (the decoder
// runs it on text whose introducers are already markers beyond U+FFFF).
//
// The step is defined as one replace-all pass per tag and per table entry, in table order. One
// scan for the tags and two for the entities give exactly that result: no two occurrences of
// different tags or entities overlap (names are letters and digits, so an occurrence ends at the
// first ";"), and the only replacement that can complete a later entry is "&amp;" giving "&". So
// the first scan replaces "&quot;" and "&amp;", each found in the original text, and the second
// replaces every other entry, now also where its "&" came from "&amp;".

#include <cstddef>
#include <string>
#include <string_view>
#include <utility>

#include "codecs/numeric_references.h"

namespace qor {

// The table index of an entity name (case-sensitive), or -1.
[[nodiscard]] int FindEntity(std::string_view name);

namespace entity_detail {

inline constexpr std::string_view kTags[] = {"<hr>", "<br>", "<p>", "</p>", "<div>", "</div>"};
inline constexpr std::size_t kLongestName = 8;  // "thetasym"

template <typename Char>
bool StartsWith(std::basic_string_view<Char> s, std::size_t at, std::string_view ascii,
                bool ignore_case) {
  if (s.size() - at < ascii.size()) return false;
  for (std::size_t k = 0; k < ascii.size(); ++k) {
    Char c = s[at + k];
    if (ignore_case && c >= 'A' && c <= 'Z') c += 'a' - 'A';
    if (c != static_cast<Char>(ascii[k])) return false;
  }
  return true;
}

// The table index and length of the "&name;" at s[at], or -1 and 0.
template <typename Char>
std::pair<int, std::size_t> EntityAt(std::basic_string_view<Char> s, std::size_t at) {
  char name[kLongestName];
  std::size_t length = 0;
  for (std::size_t k = at + 1; k < s.size(); ++k) {
    const Char c = s[k];
    if (c == ';') {
      const int index = length ? FindEntity(std::string_view(name, length)) : -1;
      return index < 0 ? std::pair{-1, std::size_t{0}} : std::pair{index, length + 2};
    }
    const bool alnum = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
    if (!alnum || length == kLongestName) break;
    name[length++] = static_cast<char>(c);
  }
  return {-1, 0};
}

}  // namespace entity_detail

// Each tag of the list, in any letter case, becomes CR LF.
template <typename Char>
std::basic_string<Char> ReplaceTags(std::basic_string_view<Char> s) {
  std::basic_string<Char> out;
  out.reserve(s.size());
  for (std::size_t i = 0; i < s.size();) {
    bool replaced = false;
    if (s[i] == '<') {
      for (const std::string_view tag : entity_detail::kTags) {
        if (entity_detail::StartsWith(s, i, tag, true)) {
          out += Char{'\r'};
          out += Char{'\n'};
          i += tag.size();
          replaced = true;
          break;
        }
      }
    }
    if (!replaced) out += s[i++];
  }
  return out;
}

template <typename Char>
std::basic_string<Char> ReplaceTags(const std::basic_string<Char>& s) {
  return ReplaceTags(std::basic_string_view<Char>(s));
}

// Each "&name;" of the entity table becomes its character, with the result of one pass per
// entry in table order.
template <typename Char>
std::basic_string<Char> ReplaceEntities(std::basic_string_view<Char> s) {
  std::basic_string<Char> first;
  first.reserve(s.size());
  for (std::size_t i = 0; i < s.size();) {
    if (s[i] == '&' && entity_detail::StartsWith(s, i, "&quot;", false)) {
      first += Char{'"'};
      i += 6;
    } else if (s[i] == '&' && entity_detail::StartsWith(s, i, "&amp;", false)) {
      first += Char{'&'};
      i += 5;
    } else {
      first += s[i++];
    }
  }
  const std::basic_string_view<Char> rest(first);
  std::basic_string<Char> out;
  out.reserve(rest.size());
  for (std::size_t i = 0; i < rest.size();) {
    if (rest[i] == '&') {
      const auto [index, length] = entity_detail::EntityAt(rest, i);
      if (index >= 2) {  // "quot" and "amp" had their pass
        out += static_cast<Char>(HtmlEntityTable()[index].code);
        i += length;
        continue;
      }
    }
    out += rest[i++];
  }
  return out;
}

template <typename Char>
std::basic_string<Char> ReplaceEntities(const std::basic_string<Char>& s) {
  return ReplaceEntities(std::basic_string_view<Char>(s));
}

}  // namespace qor
