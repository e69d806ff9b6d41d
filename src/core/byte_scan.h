// Scanning text for a few kinds of bytes eight bytes at a time. The
// standard library's find_first_of and find_first_not_of call memchr once
// for every character of the text they search, which on a long text costs
// more than the conversion that reads it; these do one pass of plain word
// arithmetic instead, and give the same positions.
#pragma once

#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string_view>

namespace kovrel {

/// Bytes as a set, for the span of a text made of them.
class ByteSet {
 public:
  constexpr explicit ByteSet(std::string_view bytes) {
    for (const char c : bytes) bits_[Byte(c) >> 6] |= std::uint64_t{1} << (Byte(c) & 63);
  }
  constexpr bool Contains(char c) const { return (bits_[Byte(c) >> 6] >> (Byte(c) & 63)) & 1; }

 private:
  static constexpr unsigned Byte(char c) { return static_cast<unsigned char>(c); }
  std::uint64_t bits_[4] = {};
};

namespace byte_scan {

inline constexpr std::uint64_t kLow7 = 0x7F7F7F7F7F7F7F7FULL;
inline constexpr std::uint64_t kOnes = 0x0101010101010101ULL;

/// The eight bytes at `p` as one word, the first byte lowest.
inline std::uint64_t Load(const char* p) {
  std::uint64_t word;
  std::memcpy(&word, p, sizeof word);
  if constexpr (std::endian::native == std::endian::big) word = __builtin_bswap64(word);
  return word;
}

/// The eight bytes from `p` as one word, zeros for those at or past `end`,
/// reading only bytes from `begin` to `end` (the end of a short text is
/// read as the last eight bytes of the text, moved down).
inline std::uint64_t LoadWithin(const char* begin, const char* p, const char* end) {
  const auto left = end - p;
  if (left >= 8) return Load(p);
  if (left <= 0) return 0;
  if (end - begin >= 8) return Load(end - 8) >> (8 * (8 - left));
  char bytes[8] = {};
  std::memcpy(bytes, p, static_cast<std::size_t>(left));
  return Load(bytes);
}

/// Stores `word` as the eight bytes at `p`, the lowest first (as Load
/// reads them).
inline void Store(char* p, std::uint64_t word) {
  if constexpr (std::endian::native == std::endian::big) word = __builtin_bswap64(word);
  std::memcpy(p, &word, sizeof word);
}

/// How many of the bytes of `word` are ASCII digits before the first other
/// one (8: all of them). A byte is a digit when its high half is 3 and its
/// low half plus 6 stays below 16; a carry out of a byte only reaches bytes
/// after the first that is no digit.
inline int LeadingDigits(std::uint64_t word) {
  constexpr std::uint64_t kHighHalves = 0xF0F0F0F0F0F0F0F0ULL, kThrees = 0x3030303030303030ULL;
  const std::uint64_t other = ((word & kHighHalves) ^ kThrees) | (((word + 0x0606060606060606ULL) & kHighHalves) ^ kThrees);
  return other == 0 ? 8 : std::countr_zero(other) >> 3;
}

/// The high bit of every byte of `word` that equals `byte`, and no other
/// bit (exact: no carry runs from one byte into the next).
inline std::uint64_t Matches(std::uint64_t word, char byte) {
  const std::uint64_t x = word ^ (kOnes * static_cast<unsigned char>(byte));
  return ~(((x & kLow7) + kLow7) | x | kLow7);
}

/// The index (0 to 7) of the first byte marked in a non-zero `marks`.
inline std::size_t FirstMarked(std::uint64_t marks) { return static_cast<std::size_t>(std::countr_zero(marks)) >> 3; }

}  // namespace byte_scan

/// The position of the first of the `Bytes` (a few) at or after `pos`, or
/// npos.
template <char... Bytes>
std::size_t FindAnyOf(std::string_view text, std::size_t pos) {
  static_assert(sizeof...(Bytes) >= 1 && sizeof...(Bytes) <= 6);
  const char* data = text.data();
  const std::size_t size = text.size();
  for (; pos + 8 <= size; pos += 8) {
    const std::uint64_t word = byte_scan::Load(data + pos);
    const std::uint64_t marks = (std::uint64_t{0} | ... | byte_scan::Matches(word, Bytes));
    if (marks != 0) return pos + byte_scan::FirstMarked(marks);
  }
  for (; pos < size; ++pos) {
    if (((data[pos] == Bytes) || ...)) return pos;
  }
  return std::string_view::npos;
}

/// The position of the first control character (a byte below `Below`, at
/// most 128) or one of the `Bytes` at or after `pos`, or npos. A byte below
/// `Below` sets its high bit in word - Below x ones (its borrow may mark
/// bytes after it, never one before: the first mark is exact).
template <unsigned char Below, char... Bytes>
std::size_t FindControlOrAnyOf(std::string_view text, std::size_t pos) {
  static_assert(Below <= 128);
  constexpr std::uint64_t kHigh = byte_scan::kOnes * 0x80;
  const char* data = text.data();
  const std::size_t size = text.size();
  for (; pos + 8 <= size; pos += 8) {
    const std::uint64_t word = byte_scan::Load(data + pos);
    const std::uint64_t below = (word - byte_scan::kOnes * Below) & ~word & kHigh;
    const std::uint64_t marks = below | (std::uint64_t{0} | ... | byte_scan::Matches(word, Bytes));
    if (marks != 0) return pos + byte_scan::FirstMarked(marks);
  }
  for (; pos < size; ++pos) {
    if (static_cast<unsigned char>(data[pos]) < Below || (false || ... || (data[pos] == Bytes))) return pos;
  }
  return std::string_view::npos;
}

/// The position of the first CR or LF at or after `pos`, or npos.
inline std::size_t FindLineEnd(std::string_view text, std::size_t pos) { return FindAnyOf<'\r', '\n'>(text, pos); }

}  // namespace kovrel
