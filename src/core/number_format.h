// Writing numbers: digit masks ("####0.000#"), the general number form
// (shortest decimal text, ".5"), the printed number (" 5 ") and integer
// conversion. Masks and the general form work on the value's decimal text
// (7 significant digits for a float, 15 for a double) and round half away
// from zero in decimal, so the float 0.00005 with "0.0###" gives 0.0001.
// The conversions write millions of numbers: Masked, General and Printed
// write one straight into the output text (Append(out, "X", Masked(x, m))).
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace kovrel {

/// A parsed digit mask: "0" a digit always written, "#" a digit written only
/// when significant, "." the decimal point.
struct Mask {
  int int_min = 0;       ///< digits always written before the point
  bool point = false;    ///< the mask has a decimal point
  int frac_min = 0;      ///< digits always written after the point
  int frac_max = 0;      ///< places after the point (rounding position)
};

/// Parses a mask made of "#", "0" and at most one ".". Throws Failure
/// (invalid argument) for any other character.
Mask ParseMask(std::string_view mask);

/// Writes `value` with `mask`: digits before the point are never cut, the
/// value is rounded half away from zero to the mask's places, trailing
/// optional zeros are dropped, and a value that is not zero once rounded
/// gets a leading "-" when negative. Throws Failure (overflow) for infinity
/// and NaN.
std::string FormatMask(float value, const Mask& mask);
std::string FormatMask(double value, const Mask& mask);
std::string FormatMask(float value, std::string_view mask);
std::string FormatMask(double value, std::string_view mask);

/// `value` rounded as `mask` writes it, read back: a value the program
/// keeps to a mask's places between its steps (half away from zero on its
/// decimal digits), found without the text where integers reach.
double RoundedByMask(double value, const Mask& mask);

/// The same texts by the decimal route alone (std::to_chars's digits,
/// rounded as text), which the integer arithmetic behind the functions
/// above must equal for every value; the tests compare the two.
std::string FormatMaskByText(float value, const Mask& mask);
std::string FormatMaskByText(double value, const Mask& mask);
std::string FormatGeneralByText(float value);
std::string FormatGeneralByText(double value);

/// `value` written with `mask` into an output text by Append, the text
/// FormatMask gives, without a string of its own.
template <typename T>
struct MaskedNumber {
  T value;
  Mask mask;
  void AppendTo(std::string& out) const;
};
inline MaskedNumber<float> Masked(float value, const Mask& mask) { return {value, mask}; }
inline MaskedNumber<double> Masked(double value, const Mask& mask) { return {value, mask}; }

/// `value` in the general form (FormatGeneral), or printed (FormatPrinted),
/// written into an output text by Append.
template <typename T>
struct GeneralNumber {
  T value;
  bool printed = false;
  void AppendTo(std::string& out) const;
};
inline GeneralNumber<float> General(float value) { return {value, false}; }
inline GeneralNumber<double> General(double value) { return {value, false}; }
inline GeneralNumber<float> Printed(float value) { return {value, true}; }
inline GeneralNumber<double> Printed(double value) { return {value, true}; }

/// The general number form: shortest decimal text (up to 7 significant
/// digits for a float, 15 for a double), no trailing zeros, no zero before
/// the point of a value below one (".5", "-.25"), never an exponent.
std::string FormatGeneral(float value);
std::string FormatGeneral(double value);

/// A printed number: the general form with one leading blank when not
/// negative (the minus sign otherwise) and one trailing blank.
std::string FormatPrinted(float value);
std::string FormatPrinted(double value);

/// Rounds to the nearest integer, a half going to the even neighbour.
double RoundHalfEven(double value);

/// Integer conversion (half to even). Throws Failure (overflow) outside the
/// range of the result type or for NaN.
std::int32_t ToInteger(double value);
std::int16_t ToInteger16(double value);

/// `value` cut to an int's range (NaN gives 0), for a number read from a
/// box or a file that only has to be compared with a small range.
int SaturatedInt(double value);

/// A single-precision value, as the program holds coordinates. Throws
/// Failure (overflow) for a value beyond a float's range or NaN, so that
/// such a value never reaches a mask as an infinity or a long digit string.
float ToSingle(double value);

/// `value` itself, after the same check: for a value kept as a double that
/// the program holds as a single (so its digits stay as they are).
double InSingleRange(double value);

}  // namespace kovrel
