#include "diagnosis/precheck.h"

#include <gtest/gtest.h>

#include "support/test_support.h"

namespace qor {
namespace {

TEST(Precheck, TellsEscapesFromWordsThatLookLikeThem) {
  const struct {
    const char* text;
    bool escapes;
  } cases[] = {
      {"%E4%B8%AD", true},
      {"=E4=B8=AD", true},
      {"%u4E2D%u6587", true},
      {"0x%02x, %08X", false},  // printf, not URL
      {"\\u4e2d", true},
      {"&#20013;", true},
      {"+Ti1lhw-", true},
      {"~{VPND~}", true},
      {"5Lit5paH5rWL6K+V", true},  // Base64 of UTF-8
      {"6L+Z6L+Z", true},          // no lower case, but digits and letters in turn
      {"/usr/share/doc:/usr/local/share/doc", false},
      {"PostScript and JavaScript", false},
      {"libstdc++6 and help2man", false},
      {"lost+found", false},
  };
  for (const auto& c : cases) EXPECT_EQ(HasEscapes(T(c.text)), c.escapes) << c.text;
}

}  // namespace
}  // namespace qor
