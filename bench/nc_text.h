// Synthetic NC programs of a given size for the benchmarks.
#pragma once

#include <cstddef>
#include <cstdio>
#include <string>

namespace kovrel::bench {

/// The next value of a small fixed-seed generator (the inputs stay the
/// same from run to run).
inline unsigned Next(unsigned& seed) { return seed = seed * 1103515245u + 12345u; }

/// A G-code milling program of about `bytes` bytes, CR LF line ends.
inline std::string MakeNcProgram(std::size_t bytes) {
  std::string text;
  text.reserve(bytes + 64);
  unsigned x = 12345, y = 67890;
  char line[64];
  for (int n = 0; text.size() < bytes; ++n) {
    x = x * 1103515245u + 12345u;
    y = y * 1103515245u + 54321u;
    const int length = std::snprintf(line, sizeof line, "N%05dG01X%d.%03dY-%d.%03dF300\r\n", n % 100000,
                                     (x >> 8) % 500, (x >> 3) % 1000, (y >> 8) % 300, (y >> 3) % 1000);
    text.append(line, static_cast<std::size_t>(length));
  }
  return text;
}

/// A G-code program of `lines` lines: rapid moves, straight moves and
/// clockwise arcs, with a tool selection ("D10" ... "D29") every 1000
/// lines; CR LF line ends.
inline std::string MakeMotionProgram(int lines) {
  std::string out;
  char line[80];
  unsigned seed = 3;
  for (int n = 0; n < lines; ++n) {
    const unsigned r = seed = seed * 1103515245u + 12345u;
    int length;
    if (n % 1000 == 0) {
      length = std::snprintf(line, sizeof line, "D%d\r\n", 10 + (n / 1000) % 20);
    } else if (r % 10 == 0) {
      length = std::snprintf(line, sizeof line, "G00X%u.%03uY%u.%03u\r\n", (r >> 8) % 300, (r >> 4) % 1000,
                             (r >> 12) % 200, (r >> 2) % 1000);
    } else if (r % 10 == 1) {
      length = std::snprintf(line, sizeof line, "G02X%u.%03uY%u.%03uI2.5J0\r\n", (r >> 8) % 300, (r >> 4) % 1000,
                             (r >> 12) % 200, (r >> 2) % 1000);
    } else {
      length = std::snprintf(line, sizeof line, "G01X%u.%03uY%u.%03u\r\n", (r >> 8) % 300, (r >> 4) % 1000,
                             (r >> 12) % 200, (r >> 2) % 1000);
    }
    out.append(line, static_cast<std::size_t>(length));
  }
  return out;
}

}  // namespace kovrel::bench
