// The words a program line holds, found in one pass over the line. The
// macro expander asks a line of twenty characters for some twenty words
// ("G92", "#", "IF", ...) when it compiles it, and the wire-cut conversion
// asks each line for its codes; searching the line for each
// one costs more than the rest of the compiling. Has() answers as
// HasLetter does: a word with a character the line lacks is not searched
// for, and a G code ("G" and two digits) is looked up among the
// G codes the pass noted.
#pragma once

#include <array>
#include <bitset>
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "core/text_reader.h"

namespace kovrel {

class LineWords {
 public:
  explicit LineWords(std::string_view line) : line_(line) {
    // The ASCII characters gather in two words held in registers (a store
    // to the table for every character would wait on the one before).
    std::uint64_t low = 0, high = 0;
    for (std::size_t k = 0; k < line.size(); ++k) {
      const auto c = static_cast<unsigned char>(line[k]);
      const std::uint64_t bit = std::uint64_t{1} << (c & 63);
      low |= c < 64 ? bit : 0;
      high |= c >= 64 && c < 128 ? bit : 0;
      if (c >= 128) present_[c >> 6] |= bit;
      if (c == 'G' && k + 2 < line.size() && IsAsciiDigit(line[k + 1]) && IsAsciiDigit(line[k + 2])) {
        g_codes_.set(static_cast<std::size_t>((line[k + 1] - '0') * 10 + (line[k + 2] - '0')));
      }
    }
    present_[0] = low;
    present_[1] = high;
  }

  std::string_view line() const { return line_; }

  /// True when the line holds the character `c`.
  bool Holds(char c) const {
    const auto u = static_cast<unsigned char>(c);
    return (present_[u >> 6] >> (u & 63)) & 1;
  }

  /// True when the line holds "G" followed by the two digits of `number`
  /// (0 to 99): HasG(1) is HasLetter(line, "G01").
  bool HasG(int number) const { return g_codes_.test(static_cast<std::size_t>(number)); }

  /// HasLetter(line, word) for a word that is not empty; a word with a
  /// character the line lacks is not searched for.
  bool Has(std::string_view word) const {
    if (!Holds(word.front())) return false;
    if (word.size() == 3 && word[0] == 'G' && IsAsciiDigit(word[1]) && IsAsciiDigit(word[2])) {
      return HasG((word[1] - '0') * 10 + (word[2] - '0'));
    }
    if (word.size() == 1) return true;
    for (const char c : word.substr(1)) {
      if (!Holds(c)) return false;
    }
    return HasLetter(line_, word);
  }

 private:
  std::string_view line_;
  std::array<std::uint64_t, 4> present_{};
  std::bitset<100> g_codes_;
};

}  // namespace kovrel
