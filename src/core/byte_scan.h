// Scanning text for a few kinds of bytes eight bytes at a time. The
// standard library's find_first_of and find_first_not_of call memchr once
// for every character of the text they search, which on a long text costs
// more than the conversion that reads it; these do one pass of plain word
// arithmetic instead (sixteen bytes at a time where the processor has
// SSE2, as every x86-64 one has), and give the same positions.
#pragma once

#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string_view>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

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

/// The high bit of every byte of `word` that equals `byte`, and no other
/// bit (exact: no carry runs from one byte into the next).
inline std::uint64_t Matches(std::uint64_t word, char byte) {
  const std::uint64_t x = word ^ (kOnes * static_cast<unsigned char>(byte));
  return ~(((x & kLow7) + kLow7) | x | kLow7);
}

/// The index (0 to 7) of the first byte marked in a non-zero `marks`.
inline std::size_t FirstMarked(std::uint64_t marks) { return static_cast<std::size_t>(std::countr_zero(marks)) >> 3; }

#if defined(__SSE2__)

/// The sixteen bytes at `p`.
inline __m128i Load16(const char* p) { return _mm_loadu_si128(reinterpret_cast<const __m128i*>(p)); }

/// One bit (bit k for byte k) for each of the sixteen bytes of `block`
/// that is one of the `Bytes`.
template <char... Bytes>
inline unsigned Matches16([[maybe_unused]] __m128i block) {
  const __m128i marks = (_mm_setzero_si128() | ... | _mm_cmpeq_epi8(block, _mm_set1_epi8(Bytes)));
  return static_cast<unsigned>(_mm_movemask_epi8(marks));
}

/// The same for the bytes from `Low` to `High`: a byte is among them when
/// the smaller of its distance above Low and High - Low is that distance.
template <char Low, char High>
inline unsigned InRange16(__m128i block) {
  static_assert(Low <= High);
  const __m128i above = _mm_sub_epi8(block, _mm_set1_epi8(Low));
  const __m128i limit = _mm_set1_epi8(static_cast<char>(High - Low));
  return static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(_mm_min_epu8(above, limit), above)));
}

/// The same for the bytes below `Below` (1 to 128): a byte is below it
/// when the smaller of it and Below - 1 is itself.
template <unsigned char Below>
inline unsigned Below16(__m128i block) {
  const __m128i limit = _mm_set1_epi8(static_cast<char>(Below - 1));
  return static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(_mm_min_epu8(block, limit), block)));
}
#endif

}  // namespace byte_scan

/// The position of the first of the `Bytes` (a few) at or after `pos`, or
/// npos.
template <char... Bytes>
std::size_t FindAnyOf(std::string_view text, std::size_t pos) {
  static_assert(sizeof...(Bytes) >= 1 && sizeof...(Bytes) <= 6);
  const char* data = text.data();
  const std::size_t size = text.size();
#if defined(__SSE2__)
  for (; pos + 16 <= size; pos += 16) {
    const unsigned marks = byte_scan::Matches16<Bytes...>(byte_scan::Load16(data + pos));
    if (marks != 0) return pos + static_cast<std::size_t>(std::countr_zero(marks));
  }
#endif
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
#if defined(__SSE2__)
  for (; pos + 16 <= size; pos += 16) {
    const __m128i block = byte_scan::Load16(data + pos);
    const unsigned marks = byte_scan::Below16<Below>(block) | byte_scan::Matches16<Bytes...>(block);
    if (marks != 0) return pos + static_cast<std::size_t>(std::countr_zero(marks));
  }
#endif
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

namespace byte_scan {

/// Calls `visit(pos)` for the place of every byte of `text` that `is_one`
/// tells, in order, until it returns false; `marks16` gives the bits of the
/// same bytes among sixteen. A text of many such bytes is looked at once,
/// sixteen bytes at a time (the last sixteen taken where the text ends,
/// without the bytes already seen).
template <typename Marks16, typename IsOne, typename Visit>
void VisitMarked(std::string_view text, [[maybe_unused]] Marks16&& marks16, IsOne&& is_one, Visit&& visit) {
  const char* data = text.data();
  const std::size_t size = text.size();
  std::size_t base = 0;
#if defined(__SSE2__)
  for (; size >= 16 && base < size; base += 16) {
    unsigned marks;
    if (base + 16 <= size) {
      marks = marks16(Load16(data + base));
    } else {
      marks = marks16(Load16(data + size - 16)) >> (base + 16 - size);
    }
    for (; marks != 0; marks &= marks - 1) {
      if (!visit(base + static_cast<std::size_t>(std::countr_zero(marks)))) return;
    }
  }
#endif
  for (; base < size; ++base) {
    if (is_one(data[base]) && !visit(base)) return;
  }
}

}  // namespace byte_scan

/// Calls `visit(pos)` for the place of every one of the `Bytes` in `text`,
/// in order, until it returns false.
template <char... Bytes, typename Visit>
void VisitEachOf(std::string_view text, Visit&& visit) {
  byte_scan::VisitMarked(
      text,
#if defined(__SSE2__)
      [](__m128i block) { return byte_scan::Matches16<Bytes...>(block); },
#else
      nullptr,
#endif
      [](char c) { return (false || ... || (c == Bytes)); }, visit);
}

/// Calls `visit(pos)` for the place of every byte from `Low` to `High` in
/// `text`, in order, until it returns false.
template <char Low, char High, typename Visit>
void VisitEachInRange(std::string_view text, Visit&& visit) {
  byte_scan::VisitMarked(
      text,
#if defined(__SSE2__)
      [](__m128i block) { return byte_scan::InRange16<Low, High>(block); },
#else
      nullptr,
#endif
      [](char c) { return c >= Low && c <= High; }, visit);
}

/// The position of the first CR or LF at or after `pos`, or npos.
inline std::size_t FindLineEnd(std::string_view text, std::size_t pos) { return FindAnyOf<'\r', '\n'>(text, pos); }

}  // namespace kovrel
