// A run of ASCII digits read eight bytes at a time: where a number's
// digits are read for every coordinate of a file, one load and a few
// multiplications take the place of a step per digit.
#pragma once

#include <cstdint>

#include "core/byte_scan.h"

namespace kovrel {

/// The integer of the first `count` (1 to 8) bytes of `word`, which are
/// ASCII digits (byte_scan::LeadingDigits tells how many): the digits moved
/// to the top so that zeros lead, then pairs, fours and the eight joined.
inline std::uint64_t LeadingDigitsValue(std::uint64_t word, int count) {
  std::uint64_t value = (word & 0x0F0F0F0F0F0F0F0FULL) << (8 * (8 - count));
  value = (value * 2561) >> 8;
  value = ((value & 0x00FF00FF00FF00FFULL) * 6553601) >> 16;
  return ((value & 0x0000FFFF0000FFFFULL) * 42949672960001ULL) >> 32;
}

/// The ASCII digits at the start of the eight bytes at `p` (all eight must
/// be readable): returns how many there are (0 to 8) and sets `value` to
/// their integer.
inline int LeadingDigits(const char* p, std::uint64_t& value) {
  const std::uint64_t word = byte_scan::Load(p);
  const int count = byte_scan::LeadingDigits(word);
  value = count == 0 ? 0 : LeadingDigitsValue(word, count);
  return count;
}

}  // namespace kovrel
