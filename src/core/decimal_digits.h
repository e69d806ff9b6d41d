// Coordinates read and written through their own decimal digits. A
// coordinate such as "124.761" (or "124761" in thousandths) is a plain
// decimal of a few digits; held as a float, its seven significant digits
// are those same digits, so the texts the masks and the general form give
// can be written from the digits read, without the float's decimal
// conversion. Every shortcut here gives the value and the text of the
// general route (the tests compare them on every decimal in their reach);
// out of that reach the callers take the general route.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "core/nc_coordinates.h"
#include "core/number_format.h"
#include "core/text_reader.h"

namespace kovrel {

/// A number read as its digits: +/- digits / 10^places, its value, and
/// the digits as written on either side of the point.
struct DecimalDigits {
  std::uint64_t digits = 0;
  int places = 0;
  bool negative = false;
  double value = 0;           ///< as ReadNumber reads it
  std::string_view whole;     ///< before the point, without leading zeros
  std::string_view fraction;  ///< the `places` digits after the point
};

/// The number whose digits are `whole` and `fraction` (ASCII digits only,
/// at most 15 in all); its value is left at 0.
DecimalDigits DigitsOf(std::string_view whole, std::string_view fraction, bool negative);

/// The number at the start of `text` as ReadNumber reads it, and its
/// digits when it is written as a plain decimal: an optional sign and at
/// most 15 digits with at most one point (blanks before and after it). False
/// for any other number. The digits are views into `text`.
bool ReadDecimalDigits(std::string_view text, DecimalDigits& number);

/// The value of a number of at most 15 digits and places, from its digits
/// alone: the value ReadNumber reads from the number's text (the digits
/// divided by an exact power of ten, one correctly rounded division, as
/// the number reading computes it).
inline double DigitsValue(const DecimalDigits& number) {
  static constexpr double kPowers[] = {1e0, 1e1, 1e2, 1e3, 1e4, 1e5, 1e6, 1e7, 1e8, 1e9, 1e10, 1e11, 1e12, 1e13, 1e14, 1e15};
  const auto whole = static_cast<double>(number.digits);
  const double value = number.places > 0 ? whole / kPowers[number.places] : whole;
  return number.negative ? -value : value;
}

/// The plain decimal that starts at `p` (the text ending at `end`), read in
/// one pass: a sign or none, then digits with at most one point among them,
/// at least one digit and at most 15 in all. Returns where it ends and sets
/// the digits of `number` (its value is left as it was: DigitsValue gives
/// it); nullptr when no such number starts there. What may follow the
/// number is the caller's to judge. `point` tells whether it had a point
/// ("5." has one and no places).
inline const char* ScanPlainDecimal(const char* p, const char* end, DecimalDigits& number, bool& point) {
  const bool negative = p < end && *p == '-';
  if (p < end && (*p == '-' || *p == '+')) ++p;
  const char* const begin = p;
  std::uint64_t digits = 0;
  for (; p < end && IsAsciiDigit(*p); ++p) digits = digits * 10 + static_cast<std::uint64_t>(*p - '0');
  const char* const whole_end = p;
  point = p < end && *p == '.';
  if (point) {
    for (++p; p < end && IsAsciiDigit(*p); ++p) digits = digits * 10 + static_cast<std::uint64_t>(*p - '0');
  }
  const auto count = (p - begin) - point;
  if (count == 0 || count > 15) return nullptr;
  number.digits = digits;
  number.negative = negative;
  const auto places = point ? static_cast<std::size_t>(p - whole_end - 1) : std::size_t{0};
  number.places = static_cast<int>(places);
  number.fraction = std::string_view(p - places, places);
  const char* first = begin;
  while (first < whole_end && *first == '0') ++first;
  number.whole = std::string_view(first, static_cast<std::size_t>(whole_end - first));
  return p;
}

/// `number`, an integer as ScanPlainDecimal read it (no point), taken as
/// thousandths of a millimetre: its digits as millimetres with three
/// places, the last three digits after the point ("5" is 0.005, its places
/// padded with zeros in `field`). Its value is set to 0.
inline void AsThousandths(DecimalDigits& number, char (&field)[16]) {
  // The digits run to the end of the whole part; leading zeros are left
  // out of it, so fewer than three digits there may have had zeros before.
  const std::string_view run = number.whole;
  number.places = 3;
  number.value = 0;
  if (run.size() >= 3) {
    std::string_view whole = run.substr(0, run.size() - 3);
    while (!whole.empty() && whole.front() == '0') whole.remove_prefix(1);
    number.whole = whole;
    number.fraction = run.substr(run.size() - 3);
    return;
  }
  field[0] = field[1] = field[2] = '0';
  for (std::size_t k = 0; k < run.size(); ++k) field[3 - run.size() + k] = run[k];
  number.whole = std::string_view();
  number.fraction = std::string_view(field, 3);
}

/// The number at the start of `text` when it stands there as ReadNumber
/// reads such a number in its short way: a plain decimal (ScanPlainDecimal)
/// followed by the end of the text or a character that ends every number
/// (no blank, tab, line feed or exponent letter). Its digits and value as
/// ReadDecimalDigits gives them, read without the general reading; false
/// for any other text, which the caller reads the general way.
inline bool ReadPlainDecimal(std::string_view text, DecimalDigits& number) {
  const char* const end = text.data() + text.size();
  bool point = false;
  const char* const p = ScanPlainDecimal(text.data(), end, number, point);
  if (p == nullptr) return false;
  if (p < end) {
    const char c = *p;
    if (c == ' ' || c == '\t' || c == '\n' || c == 'E' || c == 'e' || c == 'D' || c == 'd') return false;
  }
  number.value = DigitsValue(number);
  return true;
}

/// IntegerAfter(line, letter) where the first `letter` of the line is
/// already known to stand at `at`: the digits after it as an integer (it
/// stops growing past 10^8), without searching for the letter again.
inline long IntegerAt(std::string_view line, std::size_t at) {
  long value = 0;
  for (std::size_t i = at + 1; i < line.size() && IsAsciiDigit(line[i]); ++i) {
    if (value < 100000000L) value = value * 10 + (line[i] - '0');
  }
  return value;
}

/// True when the float nearest the number (as ToSingle gives it) has the
/// number's own digits as its seven significant digits: at most six
/// significant digits and six places, and not between 0.000977 and
/// 0.000999, where the floats are too far apart.
bool FloatKeepsDigits(const DecimalDigits& number);

/// Appends the text Masked(float of the number, mask) writes, from the
/// digits; false (and nothing written) when FloatKeepsDigits is false or
/// the mask has fewer places than the number.
bool AppendDigitsMasked(std::string& out, const DecimalDigits& number, const Mask& mask);

/// Writes the text AppendDigitsMasked appends at `out`, which has room for
/// 40 bytes, and returns its end; nullptr (nothing written) where it
/// appends nothing. For a line composed in a buffer and appended once.
char* WriteDigitsMasked(char* out, const DecimalDigits& number, const Mask& mask);

/// Appends the text General(float of the number) writes, from the digits;
/// false (and nothing written) when FloatKeepsDigits is false.
bool AppendDigitsGeneral(std::string& out, const DecimalDigits& number);

/// The room the texts of WriteDigitsMasked and WriteDigitsGeneral take at
/// most: a sign, 16 leading zeros or 6 digits, the point, 16 places.
inline constexpr std::size_t kDigitsMaskedRoom = 40, kDigitsGeneralRoom = 16;

/// Writes the text AppendDigitsGeneral appends at `p`, which has room for
/// kDigitsGeneralRoom bytes, and returns its end; nullptr (nothing
/// written) where it appends nothing.
char* WriteDigitsGeneral(char* p, const DecimalDigits& number);

/// A coordinate in thousandths of a millimetre after its letter, as the
/// digits of its millimetres with three places: a whole number of
/// thousandths (`field_width` 0: "-1230" is -1.230) or a leading-zero
/// field of `field_width` places, 3 to 15 ("00123" in a field of 6 is
/// 1.230); the digits are views into the text, or into `field` where zeros
/// are added. False for a text that is no such plain number (a point, a
/// blank, a sign inside the digits): the general reading decides then. The
/// number's value is left at 0.
bool ThousandthsDigits(std::string_view after_letter, int field_width, char (&field)[16], DecimalDigits& number);

/// Reads the coordinate after its letter as ReadCoordinate(after_letter,
/// unit) reads it and appends its text with `mask`, as Masked(value, mask)
/// writes it: from the digits read when the unit is whole thousandths of a
/// millimetre (factor 1, a plain integer or a leading-zero field) and the
/// text a plain number of them, else through the float. Returns the value.
/// Throws Failure 6 as ReadCoordinate does.
float AppendReadCoordinate(std::string& out, std::string_view after_letter, CoordinateUnit unit, const Mask& mask);

/// ReadCoordinate(after_letter, unit), in one pass for whole thousandths.
float ReadThousandthsCoordinate(std::string_view after_letter, CoordinateUnit unit);

/// ModalAxis::TakeAfter with the axis's text: when `after` (the place just
/// after the letter in `line`) is not npos, reads the coordinate there
/// (incremental values add to the sum) and makes `text` the letter and the
/// axis's value with `mask`. Returns whether the line gave the axis.
inline bool TakeCoordinate(ModalAxis& axis, std::string& text, char letter, std::string_view line, std::size_t after,
                           bool incremental, CoordinateUnit unit, const Mask& mask) {
  if (after == std::string_view::npos) return false;
  text.assign(1, letter);
  if (!incremental) {
    axis.value = AppendReadCoordinate(text, line.substr(after), unit, mask);
    return true;
  }
  axis.value = axis.sum += ReadThousandthsCoordinate(line.substr(after), unit);
  Masked(axis.value, mask).AppendTo(text);
  return true;
}

}  // namespace kovrel

namespace kovrel {

/// A hole line of the normalised hole data as it is almost always written,
/// "X124.761 Y-3.5": X, a plain decimal, blanks (or none), Y, a plain
/// decimal, and nothing after it. Both numbers are read as
/// ReadDecimalDigits reads them (a plain decimal here has at least one
/// digit and no blank inside), except that their values are left at 0
/// (DigitsValue gives them where they are needed); false for any other
/// line, which the general reading then takes.
bool ReadHoleLine(std::string_view line, DecimalDigits& x, DecimalDigits& y);

}  // namespace kovrel
