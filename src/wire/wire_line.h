// What the wire-cut conversions ask of a program line, found in one scan of
// it: where its first X, Y, I, J, R, K and M stand, whether it holds "(",
// "=", "H", "M60" or "M50", and its G codes ("G" and two digits), each
// anywhere in the line as a search of the line finds them.
#pragma once

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "core/byte_scan.h"
#include "core/text_reader.h"

namespace kovrel {

struct WireLine {
  static constexpr std::size_t kNone = std::string_view::npos;

  explicit WireLine(std::string_view line) {
    // Eight bytes at a time: the few bytes that may be letters asked for
    // are marked, and only those are looked at (a line is mostly digits).
    std::array<std::size_t, kPlaces> at;
    at.fill(kNone);
    const char* const bytes = line.data();
    std::size_t base = 0;
    for (; base + 8 <= line.size(); base += 8) Take(line, base, Marks(byte_scan::Load(bytes + base)), at);
    if (base < line.size()) {
      // The last bytes, first lowest; the missing ones are zero and
      // unmarked. In a line of eight bytes or more they end its last eight.
      std::uint64_t word = 0;
      if (line.size() >= 8) {
        word = byte_scan::Load(bytes + line.size() - 8) >> (8 * (8 - (line.size() - base)));
      } else {
        for (std::size_t pos = line.size(); pos-- > base;) word = word << 8 | static_cast<unsigned char>(bytes[pos]);
      }
      Take(line, base, Marks(word), at);
    }
    x = at[kX], y = at[kY], i = at[kI], j = at[kJ], r = at[kR], k = at[kK], m = at[kM];
    comment = at[kParen] != kNone, equals = at[kEquals] != kNone, h = at[kH] != kNone;
    // "M60" and "M50" on the few lines that hold an M.
    for (std::size_t n = m; n != kNone && n + 2 < line.size(); n = line.find('M', n + 1)) {
      if (line[n + 2] != '0') continue;
      m60 = m60 || line[n + 1] == '6';
      m50 = m50 || line[n + 1] == '5';
    }
  }

  /// True when the line holds "G" followed by the two digits of `code`.
  bool G(unsigned code) const { return (g_codes[code >> 6] >> (code & 63)) & 1; }

  std::size_t x = kNone, y = kNone, i = kNone, j = kNone, r = kNone, k = kNone, m = kNone;
  bool comment = false, equals = false, h = false, m60 = false, m50 = false;
  std::array<std::uint64_t, 2> g_codes{};  // bit n: "G" and the two digits of n

 private:
  enum Place : std::uint8_t { kOther, kX, kY, kI, kJ, kR, kK, kM, kH, kEquals, kParen, kPlaces };
  static constexpr std::array<std::uint8_t, 256> kPlaceOf = [] {
    std::array<std::uint8_t, 256> places{};
    places['X'] = kX, places['Y'] = kY, places['I'] = kI, places['J'] = kJ, places['R'] = kR;
    places['K'] = kK, places['M'] = kM, places['H'] = kH, places['='] = kEquals, places['('] = kParen;
    return places;
  }();

  // The bytes from ':' up (the letters, "=", and the bytes above ASCII) and "(".
  static std::uint64_t Marks(std::uint64_t word) {
    constexpr std::uint64_t kHigh = byte_scan::kOnes * 0x80;
    const std::uint64_t from_colon = (((word & byte_scan::kLow7) + byte_scan::kOnes * (0x80 - ':')) | word) & kHigh;
    return from_colon | byte_scan::Matches(word, '(');
  }

  // Notes the marked bytes of the eight from `base`: each letter's first
  // place in `at` (every other byte in the place 0 that nobody reads, so
  // that no branch depends on the byte), and the G codes.
  void Take(std::string_view line, std::size_t base, std::uint64_t marks, std::array<std::size_t, kPlaces>& at) {
    for (; marks != 0; marks &= marks - 1) {
      const std::size_t pos = base + byte_scan::FirstMarked(marks);
      const char c = line[pos];
      std::size_t& place = at[kPlaceOf[static_cast<unsigned char>(c)]];
      place = std::min(place, pos);
      if (c == 'G' && pos + 2 < line.size() && IsAsciiDigit(line[pos + 1]) && IsAsciiDigit(line[pos + 2])) {
        const unsigned code = static_cast<unsigned>((line[pos + 1] - '0') * 10 + (line[pos + 2] - '0'));
        g_codes[code >> 6] |= std::uint64_t{1} << (code & 63);
      }
    }
  }
};

}  // namespace kovrel
