// Numbers of wire-cut programs: a coordinate written without a decimal
// point is in thousandths of a millimetre ("X1500" is 1.5 mm), one with a
// point in millimetres ("X1.5"); values in between steps are rounded to
// eight decimals, as the shape turtle rounds its steps.
#pragma once

#include <algorithm>
#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "core/decimal_digits.h"
#include "core/nc_coordinates.h"
#include "core/number_format.h"

namespace kovrel {

/// `value` rounded half away from zero to eight decimals (the mask
/// "####0.0#######").
double RoundToEightPlaces(double value);

/// Writes coordinates as Coordinate does, keeping the texts of values
/// written lately (each in a slot of its own): the moves of a wire program repeat the values of the
/// few lines before them (a move's X is the X of the move before, a
/// centre's J is zero), whose text is then copied instead of made again.
class CoordinateTexts {
 public:
  /// The room the text of a coordinate takes at most (a float's largest
  /// value has 39 digits).
  static constexpr std::size_t kRoom = 64;

  /// Appends the text of `millimetres` to `out`.
  void Append(std::string& out, float millimetres);

  /// Writes the text of `millimetres` at `out` (room for kRoom bytes) and
  /// returns its end.
  char* Write(char* out, float millimetres);

  /// Keeps the text of the value the program writes as `number`, when that
  /// is a plain decimal as a whole (ScanPlainDecimal): made from its digits,
  /// it need not be made from the float when the value is written. Gives
  /// the value ReadNumber reads in `value` and true then; false otherwise.
  bool Keep(std::string_view number, double& value);

 private:
  static constexpr unsigned kSlotBits = 5;
  static constexpr std::size_t kKept = std::size_t{1} << kSlotBits;  // each value has one slot
  static constexpr std::size_t kLongest = 23;  // longer texts (huge values) are not kept
  std::array<std::uint32_t, kKept> bits_{};     // the values' bit patterns
  std::array<std::uint8_t, kKept> sizes_{};     // 0 for a slot not used yet
  std::array<std::array<char, kLongest>, kKept> texts_{};
  std::string made_;  // a text made new, before it is kept
};

/// A motion line ("G01", X and Y, up to two more coordinates, CR LF) made
/// in a buffer and appended once, instead of a piece at a time.
class MotionLine {
 public:
  explicit MotionLine(const char* word) : end_(std::copy_n(word, 3, text_)) {}

  /// `letter`, then the coordinate `write(at)` writes at `at` (room for
  /// CoordinateTexts::kRoom bytes), returning its end; at most four.
  template <typename Write>
  void Add(char letter, Write&& write) {
    *end_++ = letter;
    end_ = write(end_);
  }
  void Add(char letter, float millimetres, CoordinateTexts& texts) {
    Add(letter, [&](char* at) { return texts.Write(at, millimetres); });
  }

  void AppendTo(std::string& out) {
    *end_++ = '\r';
    *end_++ = '\n';
    out.append(text_, static_cast<std::size_t>(end_ - text_));
  }

 private:
  char text_[3 + 4 * (1 + CoordinateTexts::kRoom) + 2];
  char* end_;
};

/// The millimetres of a number's characters (digits, point, signs): with a
/// point the number as it stands, without one the number times 0.001
/// rounded to eight decimals. Throws Failure 6 beyond a float's range.
float WireMillimetres(std::string_view number);

/// The digits of a value as the program writes it ("12.5", or "1500"
/// thousandths as 1.500), when it is a plain decimal; the views may point
/// into the line read or into `field`.
struct WireDigits {
  DecimalDigits number;
  char field[16] = {};
  bool plain = false;  ///< false: no digits to write the value from
};

/// The millimetres after the letter at `at` of `line`: the characters
/// there while they are among "0123456789.-+". With `digits`, also the
/// digits they are written with.
float WireValueAt(std::string_view line, std::size_t at, WireDigits* digits = nullptr);

/// Appends the text of `millimetres` as Coordinate writes it: from
/// `digits` when they are the digits of that very float (the value read,
/// not moved since), else through `texts`.
void AppendCoordinate(std::string& out, float millimetres, float read, const WireDigits& digits,
                      CoordinateTexts& texts);

/// The same text written at `out` (room for CoordinateTexts::kRoom bytes);
/// returns its end.
char* WriteCoordinate(char* out, float millimetres, float read, const WireDigits& digits, CoordinateTexts& texts);

}  // namespace kovrel
