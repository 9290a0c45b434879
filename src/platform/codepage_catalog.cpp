#include "platform/codepage_catalog.h"

#include <iterator>

namespace qor {
namespace {

using E = CodePageEngine;

// ICU has no "windows-" alias for 28591, and its "windows-932" is an IBM table (its controls are
// rotated like the OEM pages'). For 20932 IBM's EUC-JP is nearest to Windows' (ICU's "EUC-JP"
// differs on 1,890 codes). Johab is not in ICU.
constexpr CodePageConversion kCodePages[] = {
    {936, "windows-936", E::kMultiByte, 0x80, 0xFE},
    {54936, "windows-54936", E::kMultiByte, 0x80, 0xFE},
    {.code_page = 52936, .converter = "HZ", .engine = E::kStateful, .hz = true},
    {50227, "ISO-2022-CN", E::kStateful},
    {950, "windows-950", E::kMultiByte, 0xA1, 0xFE},
    {20000, "EUC-TW", E::kMultiByte, 0xA1, 0xFE},
    {50229, "ISO-2022-CN-EXT", E::kStateful},
    {932, "windows-932", E::kMultiByte, 0x80, 0xFC, /*rotated_controls=*/true},
    {.code_page = 20932,
     .converter = "ibm-954_P101-2007",
     .engine = E::kMultiByte,
     .trail_first = 0xA1,
     .trail_last = 0xFE,
     .two_byte_jis_x_0212 = true},
    {50221, "ISO-2022-JP", E::kStateful},
    {949, "windows-949", E::kMultiByte, 0x81, 0xFE},
    {1361, "JOHAB", E::kJohab, 0x81, 0xFE},
    {20949, "EUC-KR", E::kMultiByte, 0xA1, 0xFE},
    {50225, "ISO-2022-KR", E::kStateful},
    {874, "windows-874", E::kSingleByte},
    {1258, "windows-1258", E::kSingleByte},
    {1252, "windows-1252", E::kSingleByte},
    {28591, "ISO-8859-1", E::kSingleByte},
    {10000, "windows-10000", E::kSingleByte},
    {850, "ibm-850", E::kSingleByte, 0, 0, /*rotated_controls=*/true},
    {437, "ibm-437", E::kSingleByte, 0, 0, /*rotated_controls=*/true},
    {37, "ibm-37", E::kSingleByte},
    {500, "ibm-500", E::kSingleByte},
    {1250, "windows-1250", E::kSingleByte},
    {28592, "windows-28592", E::kSingleByte},
    {10029, "windows-10029", E::kSingleByte},
    {852, "ibm-852", E::kSingleByte, 0, 0, /*rotated_controls=*/true},
    {1253, "windows-1253", E::kSingleByte},
    {28597, "windows-28597", E::kSingleByte},
    {10006, "windows-10006", E::kSingleByte},
    {737, "ibm-737", E::kSingleByte, 0, 0, /*rotated_controls=*/true},
    {869, "ibm-869", E::kSingleByte, 0, 0, /*rotated_controls=*/true},
    {1251, "windows-1251", E::kSingleByte},
    {28595, "windows-28595", E::kSingleByte},
    {10007, "windows-10007", E::kSingleByte},
    {866, "ibm-866", E::kSingleByte, 0, 0, /*rotated_controls=*/true},
    {20866, "windows-20866", E::kSingleByte},
    {21866, "windows-21866", E::kSingleByte},
    {855, "ibm-855", E::kSingleByte, 0, 0, /*rotated_controls=*/true},
    {1254, "windows-1254", E::kSingleByte},
    {1255, "windows-1255", E::kSingleByte},
    {1256, "windows-1256", E::kSingleByte},
    {1257, "windows-1257", E::kSingleByte},
    {.code_page = 65000, .converter = "UTF-7", .engine = E::kStateful, .unicode = true},
    {.code_page = 65001, .converter = "UTF-8", .engine = E::kStateful, .unicode = true},
};

}  // namespace

const CodePageConversion* FindCodePage(int code_page) {
  for (const CodePageConversion& conversion : kCodePages) {
    if (conversion.code_page == code_page) return &conversion;
  }
  return nullptr;
}

const CodePageConversion* CodePagesBegin() { return std::begin(kCodePages); }
const CodePageConversion* CodePagesEnd() { return std::end(kCodePages); }

}  // namespace qor
