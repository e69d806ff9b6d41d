// The words a program line holds, and the places of its letters, found in
// one pass over the line. A conversion asks each line or block for many
// words ("G92", "#", "X", "D", ...); searching the line for each one costs
// more than the rest of the reading. LineWords::Has() answers as HasLetter
// does: a word whose first character the line lacks is not searched for,
// and a G code ("G" and two digits) is looked up among the G codes the
// pass noted. FirstLetters gives where each capital letter first stands.
#pragma once

#include <algorithm>
#include <array>
#include <bitset>
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "core/byte_scan.h"
#include "core/text_reader.h"

namespace kovrel {

class LineWords {
 public:
  explicit LineWords(std::string_view line) : line_(line) {
    // The bits of ASCII gather in registers and are stored once; the rare
    // bytes above go to the table at once.
    std::uint64_t low = 0, high = 0;
    for (std::size_t k = 0; k < line.size(); ++k) {
      const auto c = static_cast<unsigned char>(line[k]);
      const std::uint64_t bit = std::uint64_t{1} << (c & 63);
      // Without a branch on digits against letters, which no processor
      // predicts.
      low |= c < 64 ? bit : 0;
      high |= (c >> 6) == 1 ? bit : 0;
      if (c >= 128) present_[c >> 6] |= bit;
      if (c == 'G' && k + 2 < line.size() && IsAsciiDigit(line[k + 1]) && IsAsciiDigit(line[k + 2])) {
        g_codes_.set(static_cast<std::size_t>((line[k + 1] - '0') * 10 + (line[k + 2] - '0')));
      }
    }
    present_[0] |= low;
    present_[1] |= high;
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

  /// HasLetter(line, word) for a word that is not empty.
  bool Has(std::string_view word) const {
    if (word.size() == 3 && word[0] == 'G' && IsAsciiDigit(word[1]) && IsAsciiDigit(word[2])) {
      return HasG((word[1] - '0') * 10 + (word[2] - '0'));
    }
    // A word with a character the line lacks is not searched for.
    for (const char c : word) {
      if (!Holds(c)) return false;
    }
    return word.size() == 1 || HasLetter(line_, word);
  }

 private:
  std::string_view line_;
  std::array<std::uint64_t, 4> present_{};
  std::bitset<100> g_codes_;
};

/// The first position of every capital letter A to Z in a text, found in
/// one pass: letters['X'] is FindLetter(text, "X") (npos when absent). A
/// reader that looks for several addresses in each item scans it once.
class FirstLetters {
 public:
  static constexpr std::size_t kNone = std::string_view::npos;

  explicit FirstLetters(std::string_view text) {
    at_.fill(kNone);
    VisitEachInRange<'A', 'Z'>(text, [&](std::size_t k) {
      std::size_t& at = at_[static_cast<std::size_t>(text[k] - 'A')];
      at = std::min(at, k);
      return true;
    });
  }

  /// For a capital letter 'A' to 'Z'.
  std::size_t operator[](char letter) const { return at_[static_cast<std::size_t>(letter - 'A')]; }
  bool Has(char letter) const { return (*this)[letter] != kNone; }

 private:
  std::array<std::size_t, 26> at_;
};

}  // namespace kovrel
