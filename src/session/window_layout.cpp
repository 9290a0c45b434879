#include "session/window_layout.h"

#include <cmath>

namespace qor {
namespace {

constexpr double kTwipsPerInch = 1440;
// Margins of the text control: left and right together, and top and bottom together.
constexpr int kTextWidthMargin = 200;
constexpr int kTextHeightMargin = kTextTop + 100;

}  // namespace

int TwipsToPixels(int twips, double dpi) {
  return static_cast<int>(std::lround(twips * dpi / kTwipsPerInch));
}

int PixelsToTwips(int pixels, double dpi) {
  return dpi > 0 ? static_cast<int>(std::lround(pixels * kTwipsPerInch / dpi)) : 0;
}

TwipSize TextSizeAfterResize(TwipSize client, TwipSize current) {
  TwipSize size = current;
  if (client.width - kTextWidthMargin > 0) size.width = client.width - kTextWidthMargin;
  if (client.height - kTextHeightMargin > 0) size.height = client.height - kTextHeightMargin;
  return size;
}

}  // namespace qor
