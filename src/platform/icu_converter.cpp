#include "platform/icu_converter.h"

#include <map>
#include <utility>
#include <vector>

namespace qor {
namespace {

// Free converters by name and use. A nested conversion of the same page takes a second one.
using Pool = std::map<std::pair<std::string_view, ConverterUse>, std::vector<Converter>>;

Pool& ThreadPool() {
  thread_local Pool pool;
  return pool;
}

}  // namespace

PooledConverter::PooledConverter(const char* name, ConverterUse use) : name_(name), use_(use) {
  std::vector<Converter>& free = ThreadPool()[{name_, use_}];
  if (free.empty()) {
    converter_ = OpenConverter(name);
    return;
  }
  converter_ = std::move(free.back());
  free.pop_back();
  ucnv_reset(converter_.get());
}

PooledConverter::~PooledConverter() {
  if (converter_) ThreadPool()[{name_, use_}].push_back(std::move(converter_));
}

}  // namespace qor
