#pragma once
// The reference decoding of numeric references and entities, done the slow and literal way: one
// replace-all pass per introducer, tag and entity, then one scan with marker characters.

#include "codecs/numeric_references.h"
#include "platform/text.h"

namespace qor::literal {

inline char16_t Lower(char16_t c) { return c >= u'A' && c <= u'Z' ? c + 32 : c; }

// Every occurrence of from, left to right, without looking again at what a replacement makes.
inline Text ReplaceAll(TextView s, TextView from, TextView to, bool ignore_case = false) {
  Text out;
  for (std::size_t i = 0; i < s.size();) {
    bool match = s.size() - i >= from.size();
    for (std::size_t k = 0; match && k < from.size(); ++k) {
      match = ignore_case ? Lower(s[i + k]) == Lower(from[k]) : s[i + k] == from[k];
    }
    if (match) {
      out += to;
      i += from.size();
    } else {
      out += s[i++];
    }
  }
  return out;
}

inline Text NamedEntities(TextView text) {
  Text s(text);
  for (const TextView tag : {u"<hr>", u"<br>", u"<p>", u"</p>", u"<div>", u"</div>"}) {
    s = ReplaceAll(s, tag, u"\r\n", true);
  }
  for (const HtmlEntity& entity : HtmlEntityTable()) {
    Text name = u"&";
    for (const char* p = entity.name; *p; ++p) name += static_cast<char16_t>(*p);
    name += u';';
    s = ReplaceAll(s, name, Text(1, entity.code));
  }
  return s;
}

inline Text NumericReferences(TextView text, int mode) {
  constexpr char16_t kHex4 = 0x9485, kHex2 = 0x9963, kDecimal = 0x8BA0;
  Text s(text);
  s = ReplaceAll(s, u"\u9485", u"\u94859485");
  s = ReplaceAll(s, u"\u9963", u"\u94859963");
  s = ReplaceAll(s, u"\u8BA0", u"\u94858BA0");
  char16_t terminator = 0;
  if (mode == 0) {
    s = ReplaceAll(ReplaceAll(ReplaceAll(s, u"&#x", u"\u9485"), u"&#X", u"\u9485"), u"&#",
                   u"\u8BA0");
    s = NamedEntities(s);
    terminator = u';';
  } else if (mode == 1) {
    s = ReplaceAll(ReplaceAll(s, u"\\u", u"\u9485"), u"\\U", u"\u9485");
    s = ReplaceAll(ReplaceAll(s, u"\\x", u"\u9963"), u"\\X", u"\u9963");
  } else if (mode == 2) {
    s = ReplaceAll(ReplaceAll(ReplaceAll(s, u"%u", u"\u9485"), u"%U", u"\u9485"), u"%", u"\u9963");
  } else {
    return {};
  }
  Text out;
  int count = 0;
  long value = -1;
  const auto emit = [&] { out += value >= 1 && value <= 65535 ? char16_t(value) : u' '; };
  const auto hex = [](char16_t c) {
    return (c >= u'0' && c <= u'9') || (c >= u'A' && c <= u'F') || (c >= u'a' && c <= u'f');
  };
  for (const char16_t c : s) {
    bool consumed = false;
    if (count > 0) {
      --count;
      if (hex(c)) {
        value = value * 16 + (c <= u'9' ? c - u'0' : (c | 0x20) - u'a' + 10);
        consumed = true;
      } else {
        count = 0;
      }
      if (count == 0) emit();
    } else if (count < 0) {
      ++count;
      if (c >= u'0' && c <= u'9') {
        value = value * 10 + (c - u'0');
        consumed = true;
      } else {
        count = 0;
      }
      if (count == 0) emit();
    }
    if (consumed || c == 0) continue;
    if (c == kHex4) {
      count = 4;
      value = 0;
    } else if (c == kHex2) {
      count = 2;
      value = 0;
    } else if (c == kDecimal) {
      count = -5;
      value = 0;
    } else {
      if (!(terminator && c == terminator && value >= 0)) out += c;
      value = -1;
    }
  }
  if (count != 0) emit();
  return out;
}

}  // namespace qor::literal
