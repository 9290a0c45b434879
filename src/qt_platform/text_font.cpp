#include "qt_platform/text_font.h"

#include <QStringList>

#include "qt_platform/qt_text.h"

namespace qor {
namespace {

// SimSun where it is installed, then the CJK fonts of common Linux systems.
constexpr const char* kCjkFallbacks[] = {"SimSun",
                                         "Noto Serif CJK SC",
                                         "Noto Sans CJK SC",
                                         "Source Han Serif SC",
                                         "WenQuanYi Zen Hei",
                                         "WenQuanYi Micro Hei",
                                         "Droid Sans Fallback",
                                         "AR PL UMing CN"};

QStringList Families(TextView name) {
  QStringList families{ToQString(name)};
  for (const char* fallback : kCjkFallbacks) {
    const QString family = QString::fromLatin1(fallback);
    if (!families.contains(family)) families << family;
  }
  return families;
}

}  // namespace

QFont TextFont(TextView name, double points) {
  QFont font;
  font.setFamilies(Families(name));
  font.setPointSizeF(points);
  return font;
}

Text TextFontName(const QFont& font) {
  const QStringList families = font.families();
  return FromQString(families.isEmpty() ? font.family() : families.front());
}

QFont RenamedTextFont(const QFont& font, TextView name) {
  QFont renamed = font;
  renamed.setFamilies(Families(name));
  return renamed;
}

}  // namespace qor
