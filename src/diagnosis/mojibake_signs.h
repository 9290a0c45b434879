#pragma once
// The marks a wrong code page or a lost byte leaves in text, which clean text almost never
// holds: UTF-8 read as Windows-1252 or Latin-1 ("Ã©", "â€™", "Ð¿Ñ€"), UTF-8 replacement
// characters read as GBK ("锟斤拷"), U+FFFD, control characters, ASCII with its UTF-16 bytes
// swapped (U+2000 for a space), runs of "?" where characters were lost, and ISO-2022
// designators left without their ESC ("$)C").

#include <cstddef>

#include "platform/text.h"

namespace qor {

struct MojibakeSigns {
  std::size_t utf8_as_single_byte = 0;  // a UTF-8 lead byte and its trail bytes, read one a byte
  std::size_t utf8_units = 0;           // the units of those
  std::size_t utf8_controls = 0;  // C1 controls among them (bytes 0x81, 0x8D…), in controls too
  std::size_t replacement = 0;    // U+FFFD, and "锟斤拷"
  std::size_t controls = 0;       // C0 controls but tab and line breaks; C1 controls
  std::size_t swapped = 0;        // U+xx00 for ASCII xx, in runs, when there are several
  std::size_t lost_runs = 0;      // "??" and longer runs of "?"
  std::size_t designators = 0;    // "$)C", "$(D", "$B…(B" and the like

  std::size_t Total() const {
    return utf8_as_single_byte + replacement + controls + swapped + lost_runs + designators;
  }
  // How much less plausible the signs make a text, in nats.
  double Cost() const;
};

[[nodiscard]] MojibakeSigns FindMojibakeSigns(TextView text);

}  // namespace qor
