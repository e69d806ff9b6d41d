// The slot tables of the conversions (apertures, layers, tools): a fixed
// number of names where a name takes the first slot that holds it already
// or, when none does, the first free (empty) one.
#pragma once

#include <cstddef>
#include <string_view>

namespace kovrel {

/// The first of the first `count` entries of `names` that equals `name` or,
/// with `or_free`, is empty; -1 when there is none.
template <typename Names>
int FirstEqualOrFree(const Names& names, std::size_t count, std::string_view name, bool or_free = true) {
  for (std::size_t k = 0; k < count && k < std::size(names); ++k) {
    if (names[k] == name || (or_free && names[k].empty())) return static_cast<int>(k);
  }
  return -1;
}

}  // namespace kovrel
