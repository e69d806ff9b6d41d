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
    // Sixteen bytes at a time: only the bytes from "=" to "Y" (the
    // letters asked for among them) and "(" are looked at (a line is mostly
    // digits).
    std::array<std::size_t, kPlaces> at;
    at.fill(kNone);
    byte_scan::VisitMarked(
        line,
#if defined(__SSE2__)
        [](__m128i block) { return byte_scan::InRange16<'=', 'Y'>(block) | byte_scan::Matches16<'('>(block); },
#else
        nullptr,
#endif
        [](char c) { return (c >= '=' && c <= 'Y') || c == '('; },
        [&](std::size_t pos) {
          Note(line, pos, at);
          return true;
        });
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

  // Notes the byte at `pos`: a letter's first place in `at` (every other
  // byte in the place 0 that nobody reads, so that no branch depends on the
  // byte), and the G codes.
  void Note(std::string_view line, std::size_t pos, std::array<std::size_t, kPlaces>& at) {
    const char c = line[pos];
    std::size_t& place = at[kPlaceOf[static_cast<unsigned char>(c)]];
    place = std::min(place, pos);
    if (c == 'G' && pos + 2 < line.size() && IsAsciiDigit(line[pos + 1]) && IsAsciiDigit(line[pos + 2])) {
      const unsigned code = static_cast<unsigned>((line[pos + 1] - '0') * 10 + (line[pos + 2] - '0'));
      g_codes[code >> 6] |= std::uint64_t{1} << (code & 63);
    }
  }
};

}  // namespace kovrel
