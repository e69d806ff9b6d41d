// Synthetic NC programs of a given size for the benchmarks.
#pragma once

#include <cstddef>
#include <cstdio>
#include <string>

namespace kovrel::bench {

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

}  // namespace kovrel::bench
