#include "platform/codepage_service.h"

#include <unicode/ucnv.h>

#include <memory>

namespace qor {
namespace {

struct CodePageName {
  int code_page;
  const char* icu_name;
};

constexpr CodePageName kCodePages[] = {
    {936, "windows-936"},       {54936, "windows-54936"}, {52936, "HZ"},
    {50227, "ISO-2022-CN"},     {950, "windows-950"},     {20000, "EUC-TW"},
    {50229, "ISO-2022-CN-EXT"}, {932, "windows-932"},     {20932, "EUC-JP"},
    {50221, "ISO-2022-JP"},     {949, "windows-949"},     {20949, "EUC-KR"},
    {50225, "ISO-2022-KR"},     {874, "windows-874"},     {1258, "windows-1258"},
    {1252, "windows-1252"},     {28591, "ISO-8859-1"},    {10000, "windows-10000"},
    {850, "ibm-850"},           {437, "ibm-437"},         {37, "ibm-37"},
    {500, "ibm-500"},           {1250, "windows-1250"},   {28592, "windows-28592"},
    {10029, "windows-10029"},   {852, "ibm-852"},         {1253, "windows-1253"},
    {28597, "windows-28597"},   {10006, "windows-10006"}, {737, "ibm-737"},
    {869, "ibm-869"},           {1251, "windows-1251"},   {28595, "windows-28595"},
    {10007, "windows-10007"},   {866, "ibm-866"},         {20866, "windows-20866"},
    {21866, "windows-21866"},   {855, "ibm-855"},         {1254, "windows-1254"},
    {1255, "windows-1255"},     {1256, "windows-1256"},   {1257, "windows-1257"},
    {65000, "UTF-7"},           {65001, "UTF-8"},
};

const char* IcuName(int code_page) {
  for (const auto& entry : kCodePages) {
    if (entry.code_page == code_page) return entry.icu_name;
  }
  return nullptr;
}

struct ConverterCloser {
  void operator()(UConverter* cnv) const { ucnv_close(cnv); }
};
using Converter = std::unique_ptr<UConverter, ConverterCloser>;

Converter Open(int code_page) {
  const char* name = IcuName(code_page);
  if (!name) return nullptr;
  UErrorCode err = U_ZERO_ERROR;
  Converter cnv(ucnv_open(name, &err));
  if (U_FAILURE(err)) return nullptr;
  return cnv;
}

}  // namespace

bool IsCodePageSupported(int code_page) { return Open(code_page) != nullptr; }

std::optional<Text> DecodeCodePage(BytesView bytes, int code_page, ConversionCounts* counts) {
  Converter cnv = Open(code_page);
  if (!cnv) return std::nullopt;
  (void)counts;
  UErrorCode err = U_ZERO_ERROR;
  ucnv_setSubstString(cnv.get(), u"\uFFFD", 1, &err);
  Text out(bytes.size() + 1, u'\0');
  err = U_ZERO_ERROR;
  const int32_t n = ucnv_toUChars(cnv.get(), out.data(), static_cast<int32_t>(out.size()),
                                  bytes.data(), static_cast<int32_t>(bytes.size()), &err);
  if (U_FAILURE(err)) return std::nullopt;
  out.resize(n);
  return out;
}

std::optional<Bytes> EncodeCodePage(TextView text, int code_page, ConversionCounts* counts) {
  Converter cnv = Open(code_page);
  if (!cnv) return std::nullopt;
  (void)counts;
  UErrorCode err = U_ZERO_ERROR;
  ucnv_setFallback(cnv.get(), true);
  ucnv_setSubstString(cnv.get(), u"?", 1, &err);
  err = U_ZERO_ERROR;
  const int32_t need =
      ucnv_fromUChars(cnv.get(), nullptr, 0, text.data(), static_cast<int32_t>(text.size()), &err);
  if (err != U_BUFFER_OVERFLOW_ERROR && U_FAILURE(err)) return std::nullopt;
  Bytes out(need + 1, '\0');
  err = U_ZERO_ERROR;
  const int32_t n = ucnv_fromUChars(cnv.get(), out.data(), static_cast<int32_t>(out.size()),
                                    text.data(), static_cast<int32_t>(text.size()), &err);
  if (U_FAILURE(err)) return std::nullopt;
  out.resize(n);
  return out;
}

}  // namespace qor
