#include "platform/lcid.h"

namespace qor {
namespace {

struct LcidCodePage {
  std::int32_t lcid;
  int code_page;
};

// The LCIDs the program offers by name.
constexpr LcidCodePage kNamedLcids[] = {
    {2052, 936},  {1028, 950},  {1041, 932},  {1042, 949},  {1054, 874},  {1066, 1258},
    {1033, 1252}, {1032, 1253}, {1049, 1251}, {1025, 1256}, {1037, 1255},
};

}  // namespace

std::optional<int> AnsiCodePageOfLcid(std::int32_t lcid) {
  for (const auto& entry : kNamedLcids) {
    if (entry.lcid == lcid) return entry.code_page;
  }
  return std::nullopt;
}

}  // namespace qor
