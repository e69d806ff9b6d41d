// Number formatting from decimal digits: std::to_chars gives the correctly
// rounded significant digits of the binary value; the mask rounding then
// works on those digits, never on the binary value again.
#include "core/number_format.h"

#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <type_traits>

#include "core/failure.h"
#include "core/number_reader.h"

namespace kovrel {
namespace {

// A value as significant decimal digits: value = 0.d1d2d3... x 10^exponent.
struct Decimal {
  char digits[24];
  int count = 0;     // digits without trailing zeros; 0 for zero
  int exponent = 0;  // position of the point relative to the first digit
  bool negative = false;
};

// Fills `d` from the significant digits of `text`, as written by
// std::to_chars in scientific form ("d.ddddde+XX" or "de+XX").
void ParseScientific(const char* text, const char* end, Decimal& d) {
  const char* p = text;
  int count = 0;
  for (; p < end && *p != 'e'; ++p) {
    if (*p != '.') d.digits[count++] = *p;
  }
  int exp10 = 0;
  std::from_chars(p + 1 + (p[1] == '+' ? 1 : 0), end, exp10);
  while (count > 0 && d.digits[count - 1] == '0') --count;
  d.count = count;
  d.exponent = exp10 + 1;
}

// Fills `d` from the seven-digit integer `digits` (1000000 to 9999999) of
// a value whose first digit stands at 10^exp10.
void SetSevenDigits(std::uint32_t digits, int exp10, Decimal& d) {
  for (int k = 6; k >= 0; --k) {
    d.digits[k] = static_cast<char>('0' + digits % 10);
    digits /= 10;
  }
  int count = 7;
  while (count > 0 && d.digits[count - 1] == '0') --count;
  d.count = count;
  d.exponent = exp10 + 1;
}

// Powers of ten up to 10^30 as 128-bit integers.
struct Pow10Table {
  unsigned __int128 value[31];
  constexpr Pow10Table() : value() {
    value[0] = 1;
    for (int k = 1; k < 31; ++k) value[k] = value[k - 1] * 10;
  }
};
constexpr Pow10Table kPow10;

// n / 2^shift as its integer part and whether it rounds up (more than a
// half, or a half with an odd integer part: a tie goes to even).
template <typename Wide>
void SplitShifted(Wide n, int shift, std::uint64_t& digits, bool& up) {
  digits = static_cast<std::uint64_t>(n >> shift);
  up = false;
  if (shift == 0) return;
  const Wide rest = n & ((Wide{1} << shift) - 1);
  const Wide half = Wide{1} << (shift - 1);
  up = rest > half || (rest == half && (digits & 1));
}

// Seven significant digits of a float by exact integer arithmetic, for the
// values between 2^-100 and 10^7 that NC data holds; false leaves the rest
// to to_chars. The float is m * 2^e exactly; m * 10^q * 2^e is formed in 128
// bits and rounded to an integer (a tie goes to even, as std::to_chars does).
bool FloatDigits(float value, Decimal& d) {
  std::uint32_t bits;
  std::memcpy(&bits, &value, sizeof bits);
  const int biased = static_cast<int>((bits >> 23) & 0xFF);
  if (biased == 0 || biased == 0xFF) return false;  // zero, subnormal, infinite
  const std::uint64_t m = (bits & 0x7FFFFF) | 0x800000;  // 24 bits
  const int e = biased - 150;                            // value = m * 2^e
  if (e > 0 || e < -120) return false;
  // First guess of the decimal exponent from the binary one (floor of
  // (e + 23) * log10(2)); corrected below.
  int exp10 = ((e + 23) * 78913) >> 18;
  for (int attempt = 0; attempt < 2; ++attempt) {
    const int q = 6 - exp10;  // scale so that seven digits stand before the point
    if (q < 0 || q > 30) return false;
    const int shift = -e;
    std::uint64_t digits;
    bool up;
    // Up to 10^12 the product fits in 64 bits, the common case of NC values.
    if (q <= 12 && shift < 64) {
      SplitShifted(m * static_cast<std::uint64_t>(kPow10.value[q]), shift, digits, up);
    } else {
      SplitShifted(m * kPow10.value[q], shift, digits, up);
    }
    if (digits >= 10000000ULL) {
      ++exp10;
      continue;
    }
    if (digits < 1000000ULL) {
      --exp10;
      continue;
    }
    if (up) ++digits;
    if (digits == 10000000ULL) {
      digits = 1000000ULL;
      ++exp10;
    }
    SetSevenDigits(static_cast<std::uint32_t>(digits), exp10, d);
    return true;
  }
  return false;
}

template <typename T>
Decimal ToDecimal(T value, int significant) {
  if (!std::isfinite(value)) Fail(FailureKind::kOverflow, "数値が有限ではありません");
  Decimal d;
  d.negative = std::signbit(value);
  if (value == 0) return d;
  if constexpr (std::is_same_v<T, float>) {
    if (FloatDigits(std::fabs(value), d)) return d;
  }
  char text[48];
  const auto result = std::to_chars(text, text + sizeof text, std::fabs(value), std::chars_format::scientific,
                                    significant - 1);
  ParseScientific(text, result.ptr, d);
  return d;
}

// Rounds `d` half away from zero to `places` digits after the point.
void RoundDecimal(Decimal& d, int places) {
  const int keep = d.exponent + places;  // digits that stay
  if (d.count <= keep) return;
  if (keep < 0) {
    d.count = 0;
    return;
  }
  const bool up = d.digits[keep] >= '5';
  d.count = keep;
  if (up) {
    int i = keep - 1;
    while (i >= 0 && d.digits[i] == '9') --i;
    if (i < 0) {
      // 9.995 -> 10.00: a carry out of the first digit.
      d.digits[0] = '1';
      d.count = 1;
      ++d.exponent;
      return;
    }
    ++d.digits[i];
    d.count = i + 1;
  }
  while (d.count > 0 && d.digits[d.count - 1] == '0') --d.count;
}

// Digit k (0-based from the first significant digit) or '0' past the end.
char DigitAt(const Decimal& d, int k) { return k >= 0 && k < d.count ? d.digits[k] : '0'; }

std::string WriteMasked(Decimal d, const Mask& mask) {
  RoundDecimal(d, mask.frac_max);
  const int int_digits = d.count > 0 && d.exponent > 0 ? d.exponent : 0;
  int frac = d.count > 0 ? d.count - d.exponent : 0;
  if (frac < mask.frac_min) frac = mask.frac_min;
  if (frac > mask.frac_max) frac = mask.frac_max;
  const int pad = mask.int_min > int_digits ? mask.int_min - int_digits : 0;
  std::string out(static_cast<std::size_t>((d.negative && d.count > 0) + pad + int_digits + mask.point + frac), '0');
  char* p = out.data();
  if (d.negative && d.count > 0) *p++ = '-';
  p += pad;  // leading zeros of the mask
  // Integer part: the significant digits before the point.
  for (int k = 0; k < int_digits; ++k) *p++ = DigitAt(d, k);
  if (mask.point) *p++ = '.';
  // Fraction: digits up to the last significant one, at least frac_min.
  for (int k = 0; k < frac; ++k) *p++ = DigitAt(d, d.exponent + k);
  return out;
}

// The general form; `printed` adds the blank before a non-negative number
// and the blank after every number. Written into a buffer first: the
// conversions write millions of numbers.
std::string WriteGeneral(const Decimal& d, bool printed = false) {
  // Sign, point, the blanks and the digits: a double's 309 integer digits,
  // or 323 zeros after the point and 15 digits, are the most.
  char buffer[400];
  char* p = buffer;
  if (printed && !(d.negative && d.count > 0)) *p++ = ' ';
  if (d.count == 0) {
    *p++ = '0';
  } else {
    if (d.negative) *p++ = '-';
    if (d.exponent <= 0) {
      *p++ = '.';
      for (int k = d.exponent; k < 0; ++k) *p++ = '0';
      for (int k = 0; k < d.count; ++k) *p++ = d.digits[k];
    } else {
      for (int k = 0; k < d.exponent; ++k) *p++ = DigitAt(d, k);
      if (d.count > d.exponent) {
        *p++ = '.';
        for (int k = d.exponent; k < d.count; ++k) *p++ = d.digits[k];
      }
    }
  }
  if (printed) *p++ = ' ';
  return std::string(buffer, static_cast<std::size_t>(p - buffer));
}

constexpr int kFloatDigits = 7;
constexpr int kDoubleDigits = 15;

}  // namespace

Mask ParseMask(std::string_view text) {
  Mask mask;
  int before = 0, first_zero = -1, after = 0, last_zero = -1;
  for (const char c : text) {
    if (c == '.') {
      if (mask.point) Fail(FailureKind::kInvalidArgument, text);
      mask.point = true;
    } else if (c == '#' || c == '0') {
      if (mask.point) {
        if (c == '0') last_zero = after;
        ++after;
      } else {
        if (c == '0' && first_zero < 0) first_zero = before;
        ++before;
      }
    } else {
      Fail(FailureKind::kInvalidArgument, text);
    }
  }
  mask.int_min = first_zero < 0 ? 0 : before - first_zero;
  mask.frac_min = last_zero + 1;
  mask.frac_max = after;
  return mask;
}

std::string FormatMask(float value, const Mask& mask) { return WriteMasked(ToDecimal(value, kFloatDigits), mask); }
std::string FormatMask(double value, const Mask& mask) { return WriteMasked(ToDecimal(value, kDoubleDigits), mask); }
std::string FormatMask(float value, std::string_view mask) { return FormatMask(value, ParseMask(mask)); }
std::string FormatMask(double value, std::string_view mask) { return FormatMask(value, ParseMask(mask)); }

std::string FormatGeneral(float value) { return WriteGeneral(ToDecimal(value, kFloatDigits)); }
std::string FormatGeneral(double value) { return WriteGeneral(ToDecimal(value, kDoubleDigits)); }
std::string FormatPrinted(float value) { return WriteGeneral(ToDecimal(value, kFloatDigits), true); }
std::string FormatPrinted(double value) { return WriteGeneral(ToDecimal(value, kDoubleDigits), true); }

double RoundedByMask(double value, const Mask& mask) { return ReadNumber(FormatMask(value, mask)); }

double RoundHalfEven(double value) {
  const double down = std::floor(value);
  const double rest = value - down;
  if (rest > 0.5) return down + 1.0;
  if (rest < 0.5) return down;
  return std::fmod(down, 2.0) == 0.0 ? down : down + 1.0;
}

std::int32_t ToInteger(double value) {
  const double rounded = RoundHalfEven(value);
  if (!(rounded >= std::numeric_limits<std::int32_t>::min() && rounded <= std::numeric_limits<std::int32_t>::max())) {
    Fail(FailureKind::kOverflow);
  }
  return static_cast<std::int32_t>(rounded);
}

std::int16_t ToInteger16(double value) {
  const double rounded = RoundHalfEven(value);
  if (!(rounded >= std::numeric_limits<std::int16_t>::min() && rounded <= std::numeric_limits<std::int16_t>::max())) {
    Fail(FailureKind::kOverflow);
  }
  return static_cast<std::int16_t>(rounded);
}

int SaturatedInt(double value) {
  if (!(value == value)) return 0;
  if (value <= std::numeric_limits<int>::min()) return std::numeric_limits<int>::min();
  if (value >= std::numeric_limits<int>::max()) return std::numeric_limits<int>::max();
  return static_cast<int>(value);
}

double InSingleRange(double value) {
  ToSingle(value);
  return value;
}

float ToSingle(double value) {
  if (!(std::fabs(value) <= std::numeric_limits<float>::max())) Fail(FailureKind::kOverflow);
  return static_cast<float>(value);
}

}  // namespace kovrel
