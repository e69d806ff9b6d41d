// A run of ASCII digits read eight bytes at a time: where a number's
// digits are read for every coordinate of a file, one load and a few
// multiplications take the place of a step per digit.
#pragma once

#include <bit>
#include <cstdint>

#include "core/byte_scan.h"

namespace kovrel {

/// The ASCII digits at the start of the eight bytes at `p` (all eight must
/// be readable): returns how many there are (0 to 8) and sets `value` to
/// their integer.
inline int LeadingDigits(const char* p, std::uint64_t& value) {
  // Byte k of the word is the k-th character. Minus '0', a digit is 0 to
  // 9; any other byte has its high half set, itself or after adding 6. A
  // borrow or carry only reaches the bytes after the first non-digit.
  const std::uint64_t t = byte_scan::Load(p) - 0x3030303030303030ULL;
  const std::uint64_t others = (t | (t + 0x0606060606060606ULL)) & 0xF0F0F0F0F0F0F0F0ULL;
  const int count = others == 0 ? 8 : std::countr_zero(others) >> 3;
  if (count == 0) {
    value = 0;
    return 0;
  }
  // The digits moved to the top, the first of them the most significant,
  // zeros below: then pairs, fours and the eight joined.
  std::uint64_t d = t << (8 * (8 - count));
  d = (d * 10 + (d >> 8)) & 0x00FF00FF00FF00FFULL;
  d = (d * 100 + (d >> 16)) & 0x0000FFFF0000FFFFULL;
  d = (d * 10000 + (d >> 32)) & 0xFFFFFFFFULL;
  value = d;
  return count;
}

}  // namespace kovrel
