#pragma once
// A read-only hash table of integer keys, open addressing with linear probing: filled once,
// then looked up by any number of threads.

#include <cstddef>
#include <cstdint>
#include <vector>

namespace qor {

template <typename Key, typename Value>
class FlatTable {
 public:
  // Room for `count` entries at most half full. Key ~0 is reserved as the empty slot.
  void Reserve(std::size_t count) {
    std::size_t size = 16;
    while (size < count * 2) size *= 2;
    keys_.assign(size, kEmpty);
    values_.assign(size, Value{});
  }

  void Insert(Key key, Value value) {
    std::size_t at = Slot(key);
    while (keys_[at] != kEmpty && keys_[at] != key) at = (at + 1) & (keys_.size() - 1);
    keys_[at] = key;
    values_[at] = value;
  }

  // The value of a key, or `missing`.
  Value Find(Key key, Value missing) const {
    if (keys_.empty()) return missing;
    for (std::size_t at = Slot(key);; at = (at + 1) & (keys_.size() - 1)) {
      if (keys_[at] == key) return values_[at];
      if (keys_[at] == kEmpty) return missing;
    }
  }

 private:
  static constexpr Key kEmpty = static_cast<Key>(~Key{0});

  std::size_t Slot(Key key) const {
    const std::uint64_t mixed = static_cast<std::uint64_t>(key) * 0x9E3779B97F4A7C15ull;
    return static_cast<std::size_t>(mixed >> 32) & (keys_.size() - 1);
  }

  std::vector<Key> keys_;
  std::vector<Value> values_;
};

}  // namespace qor
