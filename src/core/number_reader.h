// Number reading of NC text: the value of the text after an address letter.
// Blanks, tabs and line feeds anywhere are ignored; an optional sign, digits
// with at most one point, an optional exponent after E or D; &H and &O
// introduce hexadecimal and octal integers; reading stops at the first other
// character, and text that does not begin with a number gives 0.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace kovrel {

/// A number as it stands in a text: its value as ReadNumber reads it, where
/// its sign, digits and point stand (from `begin` to `digits_end`; blanks
/// inside count), and the exponent written after E or D, which ends at
/// `end` (equal to `digits_end` without one). Edits that change a number in
/// place rewrite the digits and keep the exponent as written.
struct NumberText {
  double value = 0;
  std::size_t begin = 0, digits_end = 0, end = 0;
  long exponent = 0;        ///< the written exponent (0 without one)
  bool has_digits = false;  ///< false: no number stands there (the value is 0)
};

/// Reads the number at the start of `text` as ReadNumber does and tells
/// where it stands. Throws Failure (overflow) like ReadNumber.
NumberText LocateNumber(std::string_view text);

/// The value at the start of `text`: "-12.5Y3" gives -12.5, "20D01" 200,
/// "&H1F" 31, "abc" 0. Throws Failure (overflow) when the value does not fit
/// in a double.
double ReadNumber(std::string_view text);

/// The text of the number after the letter at `at` of `line`, cut at
/// `next`, the place of a later letter that ends every number (not E or
/// D; npos or a place before `at`: none), and without the blanks before
/// that letter. ReadNumber reads the same value from it as from the rest of
/// the line, by its short way: blanks after the digits send a number to the
/// general reading, which reads on past them to the letter.
std::string_view NumberTextAfter(std::string_view line, std::size_t at, std::size_t next);

/// `text` with the full-width digits, point, signs and blanks that a
/// Japanese input method types ("１２．５", "－", "　") written as their
/// ASCII forms; everything else stays.
std::string HalfWidthNumberText(std::string_view text);

/// A number typed into a box: the whole text (blanks around it allowed,
/// full-width forms read as digits) must be one number; std::nullopt for an
/// empty text or any other character. Throws Failure (overflow) beyond a
/// double's range.
std::optional<double> TypedNumber(std::string_view text);

/// The value after the first occurrence of `letter` in `line`; 0 when the
/// letter is absent.
double ValueAfter(std::string_view line, std::string_view letter);

/// The value after the first character of `line` (a tool line "T01φ2.0"
/// gives 1); 0 for an empty line.
double ValueAfterFirstCharacter(std::string_view line);

/// ValueAfter as a single-precision value: Failure (overflow) beyond a
/// float's range.
float SingleAfter(std::string_view line, std::string_view letter);

/// The digits directly after the first `letter` as an integer, stopping at
/// the first non-digit; 0 when there are none or the letter is absent.
long IntegerAfter(std::string_view line, char letter);

/// A coordinate written with leading zeros kept and trailing zeros left
/// out, in a digit field of `width` places: the digits (taken while they
/// are among "0123456789-") are padded on the right with zeros, so with
/// width 6 the text 00123 is 001230. A minus sign stands before the field.
/// Returns the field's value (1230 for 00123).
double ReadLeadingZeroField(std::string_view text, int width);

}  // namespace kovrel
