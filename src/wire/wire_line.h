// What the wire-cut conversions ask of a program line, found in one scan of
// it: where its first X, Y, I, J, R, K and M stand, whether it holds "(",
// "=", "H", "M60" or "M50", and its G codes ("G" and two digits), each
// anywhere in the line as a search of the line finds them.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "core/text_reader.h"

namespace kovrel {

struct WireLine {
  static constexpr std::size_t kNone = std::string_view::npos;

  explicit WireLine(std::string_view line) {
    const std::size_t n = line.size();
    for (std::size_t k = 0; k < n; ++k) {
      const char c = line[k];
      if (c <= '9') {  // digits, signs, points and blanks: most of a line
        comment = comment || c == '(';
        continue;
      }
      switch (c) {
        case '=': equals = true; break;
        case 'X': First(x, k); break;
        case 'Y': First(y, k); break;
        case 'I': First(i, k); break;
        case 'J': First(j, k); break;
        case 'R': First(r, k); break;
        case 'K': First(this->k, k); break;
        case 'H': h = true; break;
        case 'M':
          First(m, k);
          if (k + 2 < n && line[k + 2] == '0') {
            m60 = m60 || line[k + 1] == '6';
            m50 = m50 || line[k + 1] == '5';
          }
          break;
        case 'G':
          if (k + 2 < n && IsAsciiDigit(line[k + 1]) && IsAsciiDigit(line[k + 2])) {
            const unsigned code = static_cast<unsigned>((line[k + 1] - '0') * 10 + (line[k + 2] - '0'));
            g_codes[code >> 6] |= std::uint64_t{1} << (code & 63);
          }
          break;
        default: break;
      }
    }
  }

  /// True when the line holds "G" followed by the two digits of `code`.
  bool G(unsigned code) const { return (g_codes[code >> 6] >> (code & 63)) & 1; }

  std::size_t x = kNone, y = kNone, i = kNone, j = kNone, r = kNone, k = kNone, m = kNone;
  bool comment = false, equals = false, h = false, m60 = false, m50 = false;
  std::array<std::uint64_t, 2> g_codes{};  // bit n: "G" and the two digits of n

 private:
  static void First(std::size_t& at, std::size_t k) {
    if (at == kNone) at = k;
  }
};

}  // namespace kovrel
