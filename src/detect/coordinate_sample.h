// The coordinates of a document as the format detection samples them: the
// numbers after X and Y in the counted start of the text and in windows
// spread evenly over the rest, and what the lengths of their digit runs and
// their zeros say about how they are written.
#pragma once

#include <array>
#include <cstddef>
#include <string_view>

#include "detect/format_detect.h"

namespace kovrel {

/// What the sampled numbers look like.
struct DigitRuns {
  int numbers = 0;        ///< numbers sampled
  int with_point = 0;     ///< of those, with a decimal point
  int runs = 0;           ///< runs of two or more digits without a point, not all zeros
  int leading_zero = 0;   ///< of those, beginning with 0
  int trailing_zero = 0;  ///< of those, ending with 0
  int longest = 0;        ///< the longest run without a point
  std::array<int, 17> by_length{};  ///< runs by length (the last counts all longer)
  Evidence first;         ///< the first line sampled
  Evidence longest_at;    ///< a line with the longest run
  Evidence point_at;      ///< the first line with a point
  Evidence leading_zero_at;
  Evidence trailing_zero_at;
};

/// Where the sample is taken: `head` is the counted start of the text (its
/// lines are numbered), the rest is sampled in windows. Gerber data is read
/// block by block, outside "%" parameter blocks and G04 comments; other
/// data line by line, without comment lines.
DigitRuns SampleCoordinates(std::string_view text, std::size_t head, bool gerber);

/// The zeros the runs suggest (a guess), with the line that shows it, and
/// for numbers written with every digit their common length.
struct ZeroGuess {
  ZeroSuppression zeros = ZeroSuppression::kUnknown;
  Evidence evidence;
  int full_width = 0;
};
ZeroGuess GuessZeros(const DigitRuns& runs);

/// `text` shortened for a report: blanks trimmed, at most 48 bytes, cut at
/// a character boundary.
std::string_view Shortened(std::string_view text);

}  // namespace kovrel
