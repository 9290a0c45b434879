#include "support/test_support.h"

#include <cstdio>

#include "platform/wtf8.h"

namespace qor {

Bytes Hex(std::string_view hex) {
  Bytes out;
  int pending = -1;
  for (const char c : hex) {
    int digit;
    if (c >= '0' && c <= '9') {
      digit = c - '0';
    } else if (c >= 'A' && c <= 'F') {
      digit = c - 'A' + 10;
    } else if (c >= 'a' && c <= 'f') {
      digit = c - 'a' + 10;
    } else {
      continue;
    }
    if (pending < 0) {
      pending = digit;
    } else {
      out += static_cast<char>(pending * 16 + digit);
      pending = -1;
    }
  }
  return out;
}

std::string ToHex(BytesView bytes) {
  std::string out;
  char buffer[4];
  for (const char b : bytes) {
    std::snprintf(buffer, sizeof buffer, "%02X", static_cast<unsigned char>(b));
    if (!out.empty()) out += ' ';
    out += buffer;
  }
  return out;
}

Text T(std::string_view utf8) { return Utf8ToText(utf8); }

std::string Show(TextView text) {
  std::string out;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char16_t c = text[i];
    const bool pair = c >= 0xD800 && c <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 &&
                      text[i + 1] <= 0xDFFF;
    if (pair) {
      out += EncodeWtf8(text.substr(i, 2));
      ++i;
    } else if (c < 0x20 || c == 0x7F || (c >= 0x80 && c < 0xA0) || (c >= 0xD800 && c <= 0xDFFF)) {
      char buffer[12];
      std::snprintf(buffer, sizeof buffer, "<U+%04X>", static_cast<unsigned>(c));
      out += buffer;
    } else {
      out += EncodeWtf8(text.substr(i, 1));
    }
  }
  return out;
}

void ScriptedUi::ShowMessage(TextView text, TextView title) {
  shown.push_back({Text(text), Text(title), false});
}

bool ScriptedUi::AskYesNo(TextView text, bool default_no) {
  shown.push_back({Text(text), Text(), true, default_no});
  if (answers.empty()) return false;
  const bool answer = answers.front();
  answers.pop_front();
  return answer;
}

std::optional<Text> ScriptedUi::AskInput(TextView title, int, TextView initial, bool clear) {
  // What the box shows: an empty initial text keeps the last one unless the box is cleared.
  shown.push_back({clear && initial.empty() ? Text(u"<clear>") : Text(initial), Text(title), true});
  return Next(inputs);
}

std::optional<Text> ScriptedUi::AskLine(TextView prompt, TextView title, TextView) {
  shown.push_back({Text(prompt), Text(title), true});
  return Next(inputs);
}

std::optional<FileChoice> ScriptedUi::ChooseFile(bool open, const std::filesystem::path& path,
                                                 EncodingCode pattern) {
  file_requests.push_back({open, path, pattern});
  return Next(files);
}

std::vector<Text> ScriptedUi::Messages() const {
  std::vector<Text> out;
  for (const Shown& s : shown) {
    if (!s.question) out.push_back(s.text);
  }
  return out;
}

}  // namespace qor
