#pragma once
// The font of the text controls: a named font with CJK fallbacks, since fontconfig would give
// 宋体 a Latin font here and Chinese would show as boxes.

#include <QFont>

#include "platform/text.h"

namespace qor {

// The font `name` at `points`, falling back to installed CJK fonts for what it lacks.
[[nodiscard]] QFont TextFont(TextView name, double points);
// The name a text font was made with (its first family).
[[nodiscard]] Text TextFontName(const QFont& font);
// The same font under another name.
[[nodiscard]] QFont RenamedTextFont(const QFont& font, TextView name);

}  // namespace qor
