// Number formatting from decimal digits: the significant digits of the
// binary value (7 for a float, 15 for a double), correctly rounded, and then
// the mask's rounding on those digits, never on the binary value again.
// The digits come from exact integer arithmetic for the values NC data
// holds and from std::to_chars's text for all others; a mask is then
// written by integer arithmetic when the scaled value fits in 64 bits, and
// from the digits as text otherwise. Every way gives the text the decimal
// route gives: the core tests compare them on millions of values.
#include "core/number_format.h"

#include <array>
#include <bit>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <type_traits>
#include <utility>

#include "core/failure.h"
#include "core/number_reader.h"

namespace kovrel {
namespace {

constexpr int kFloatDigits = 7;
constexpr int kDoubleDigits = 15;

template <typename T>
constexpr int kSignificant = std::is_same_v<T, float> ? kFloatDigits : kDoubleDigits;

// A value as significant decimal digits: value = 0.d1d2d3... x 10^exponent.
struct Decimal {
  char digits[24];
  int count = 0;     // digits without trailing zeros; 0 for zero
  int exponent = 0;  // position of the point relative to the first digit
  bool negative = false;
};

// The significant digits of a value as one integer: |value| = digits x
// 10^(exp10 + 1 - n), where `digits` has exactly n digits (7 or 15), so
// that exp10 is the power of ten of the first digit.
struct ScaledDigits {
  std::uint64_t digits = 0;
  int exp10 = 0;
};

// Powers of ten up to 10^30 as 128-bit integers; up to 10^19 they fit in
// 64 bits.
struct Pow10Table {
  unsigned __int128 value[31];
  std::uint64_t small[20];
  constexpr Pow10Table() : value(), small() {
    value[0] = 1;
    for (int k = 1; k < 31; ++k) value[k] = value[k - 1] * 10;
    for (int k = 0; k < 20; ++k) small[k] = static_cast<std::uint64_t>(value[k]);
  }
};
constexpr Pow10Table kPow10;

// Powers of ten that a double holds exactly.
constexpr double kExactPowers[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,  1e8,  1e9,  1e10, 1e11,
                                   1e12, 1e13, 1e14, 1e15, 1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};

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

// Fills `d` from `n` scaled digits.
void SetDigits(const ScaledDigits& scaled, int n, Decimal& d) {
  std::uint64_t digits = scaled.digits;
  for (int k = n - 1; k >= 0; --k) {
    d.digits[k] = static_cast<char>('0' + digits % 10);
    digits /= 10;
  }
  int count = n;
  while (count > 0 && d.digits[count - 1] == '0') --count;
  d.count = count;
  d.exponent = scaled.exp10 + 1;
}

// What is left of n / 2^shift below its integer part, against a half.
enum class Rest { kNone, kBelowHalf, kHalf, kAboveHalf };

// n / 2^shift as its integer part and the rest.
template <typename Wide>
std::uint64_t SplitShifted(Wide n, int shift, Rest& rest) {
  const auto digits = static_cast<std::uint64_t>(n >> shift);
  rest = Rest::kNone;
  if (shift == 0) return digits;
  const Wide below = n & ((Wide{1} << shift) - 1);
  const Wide half = Wide{1} << (shift - 1);
  rest = below == 0 ? Rest::kNone : below < half ? Rest::kBelowHalf : below == half ? Rest::kHalf : Rest::kAboveHalf;
  return digits;
}

// The n significant digits of m x 2^e (m below 2^53) by exact integer
// arithmetic: m x 10^q is formed in 128 bits and divided by 2^-e, and a
// tie goes to even, as std::to_chars rounds. `max_scale` is the largest q
// whose product with every m still fits in 128 bits. False for the values
// out of that reach (e above 0: |value| >= 2^53 for a double, 2^24 for a
// float; or too small), which take the decimal text.
[[gnu::always_inline]] inline bool ExactDigits(std::uint64_t m, int e, int n, int max_scale, ScaledDigits& d) {
  if (e > 0 || e < -127) return false;
  // floor((e + bits - 1) * log10(2)) is the first digit's power of ten or
  // one less, so the scaled value has n digits or one more.
  int exp10 = ((e + std::bit_width(m) - 1) * 78913) >> 18;
  const int q = n - 1 - exp10;  // scale so that n (or n + 1) digits stand before the point
  if (q < 0 || q > max_scale) return false;
  const int shift = -e;
  Rest rest;
  std::uint64_t digits;
  std::uint64_t product;
  // Most NC values need no more than 64 bits.
  if (q < 20 && shift < 64 && !__builtin_mul_overflow(m, kPow10.small[q], &product)) {
    digits = SplitShifted(product, shift, rest);
  } else {
    digits = SplitShifted(static_cast<unsigned __int128>(m) * kPow10.value[q], shift, rest);
  }
  bool up;
  if (digits >= kPow10.small[n]) {
    // One digit too many: that digit with the rest below it is more than a
    // half when it is above 5, or 5 with any rest; 5 and nothing is a tie.
    const std::uint64_t last = digits % 10;
    digits /= 10;
    ++exp10;
    up = last > 5 || (last == 5 && (rest != Rest::kNone || (digits & 1)));
  } else {
    up = rest == Rest::kAboveHalf || (rest == Rest::kHalf && (digits & 1));
  }
  if (digits < kPow10.small[n - 1]) return false;  // an estimate off the other way: the text decides
  if (up) ++digits;
  if (digits == kPow10.small[n]) {
    digits = kPow10.small[n - 1];
    ++exp10;
  }
  d = {digits, exp10};
  return true;
}

// The seven digits of a positive finite float, or the fifteen of a double,
// by exact integer arithmetic; false leaves the value to the decimal text.
[[gnu::always_inline]] inline bool FastDigits(float value, ScaledDigits& d) {
  std::uint32_t bits;
  std::memcpy(&bits, &value, sizeof bits);
  const int biased = static_cast<int>((bits >> 23) & 0xFF);
  if (biased == 0) return false;  // subnormal
  // 10^30 x 2^24 < 2^124
  return ExactDigits((bits & 0x7FFFFF) | 0x800000, biased - 150, kFloatDigits, 30, d);
}

[[gnu::always_inline]] inline bool FastDigits(double value, ScaledDigits& d) {
  std::uint64_t bits;
  std::memcpy(&bits, &value, sizeof bits);
  const int biased = static_cast<int>((bits >> 52) & 0x7FF);
  if (biased == 0) return false;  // subnormal
  // 10^22 x 2^53 < 2^127
  return ExactDigits((bits & 0xFFFFFFFFFFFFFULL) | (1ULL << 52), biased - 1075, kDoubleDigits, 22, d);
}

template <typename T>
void CheckFinite(T value) {
  if (!std::isfinite(value)) Fail(FailureKind::kOverflow, "数値が有限ではありません");
}

// The digits of std::to_chars's scientific text: the decimal route.
template <typename T>
Decimal TextDecimal(T value) {
  CheckFinite(value);
  Decimal d;
  d.negative = std::signbit(value);
  if (value == 0) return d;
  char text[48];
  const auto result = std::to_chars(text, text + sizeof text, std::fabs(value), std::chars_format::scientific,
                                    kSignificant<T> - 1);
  ParseScientific(text, result.ptr, d);
  return d;
}

// The same digits, by integer arithmetic where it reaches.
template <typename T>
Decimal ToDecimal(T value) {
  CheckFinite(value);
  ScaledDigits scaled;
  if (value != 0 && FastDigits(std::fabs(value), scaled)) {
    Decimal d;
    d.negative = std::signbit(value);
    SetDigits(scaled, kSignificant<T>, d);
    return d;
  }
  return TextDecimal(value);
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

// The longest text the integer way writes: sign, the mask's leading zeros
// or 20 digits, the point and the places.
constexpr int kMaskBuffer = 64;

// x / 10^k and x % 10^k (k below 20) with a constant divisor for each k:
// the compiler turns each into a multiplication, where a division by a
// variable is one of the slowest instructions.
template <int K>
std::uint64_t DividePow10(std::uint64_t x, std::uint64_t& rest) {
  constexpr std::uint64_t kDivisor = static_cast<std::uint64_t>(Pow10Table().value[K]);
  rest = x % kDivisor;
  return x / kDivisor;
}
using Divider = std::uint64_t (*)(std::uint64_t, std::uint64_t&);
template <int... K>
constexpr std::array<Divider, sizeof...(K)> MakeDividers(std::integer_sequence<int, K...>) {
  return {&DividePow10<K>...};
}
constexpr auto kDividers = MakeDividers(std::make_integer_sequence<int, 20>());

// The value times 10^frac_max, rounded as the mask rounds: the digits past
// that place dropped and the first of them, if 5 or more, rounding up (a
// carry runs through by itself), exactly as RoundDecimal rounds the text.
// False when it would not fit in 64 bits (or the mask has 20 places or
// more): the text way then.
[[gnu::always_inline]] inline bool ScaledMaskValue(const ScaledDigits& scaled, int n, const Mask& mask, std::uint64_t& v) {
  const int places = mask.frac_max;
  if (places >= 20) return false;
  const int t = scaled.exp10 + 1 - n + places;  // V = digits x 10^t
  if (t >= 0) {
    if (scaled.exp10 + 1 + places > 19) return false;  // V >= 10^19
    v = scaled.digits * kPow10.small[t];
  } else if (-t > n) {
    v = 0;  // the first dropped digit lies before the first digit: a zero
  } else {
    std::uint64_t rest;
    v = kDividers[static_cast<std::size_t>(-t)](scaled.digits, rest);
    v += rest >= kPow10.small[-t] / 2;
  }
  return true;
}

// "00" to "99": two digits at a time.
constexpr std::array<char, 200> kDigitPairs = [] {
  std::array<char, 200> pairs{};
  for (int k = 0; k < 100; ++k) {
    pairs[static_cast<std::size_t>(2 * k)] = static_cast<char>('0' + k / 10);
    pairs[static_cast<std::size_t>(2 * k + 1)] = static_cast<char>('0' + k % 10);
  }
  return pairs;
}();

// Writes the `count` last decimal digits of `n` (leading zeros included)
// ending just before `end`.
void WriteDigitsBefore(std::uint64_t n, int count, char* end) {
  for (; count >= 2; count -= 2) {
    end -= 2;
    std::memcpy(end, &kDigitPairs[static_cast<std::size_t>(2 * (n % 100))], 2);
    n /= 100;
  }
  if (count == 1) *--end = static_cast<char>('0' + n % 10);
}

// The eight digits of n (below 10^8), leading zeros included, at `out`.
void WriteEightDigits(std::uint32_t n, char* out) {
  const std::uint32_t high = n / 10000, low = n % 10000;
  const auto pair = [](std::uint32_t k) { return &kDigitPairs[static_cast<std::size_t>(2 * k)]; };
  std::memcpy(out, pair(high / 100), 2);
  std::memcpy(out + 2, pair(high % 100), 2);
  std::memcpy(out + 4, pair(low / 100), 2);
  std::memcpy(out + 6, pair(low % 100), 2);
}

// The number of decimal digits of n (0 for 0): log10 of n's highest bit,
// then one more when n reaches the next power of ten.
int DigitCount(std::uint64_t n) {
  const int estimate = (std::bit_width(n) * 1233) >> 12;
  return estimate + (n >= kPow10.small[estimate]);
}

// Writes V (the value times 10^frac_max, rounded) as WriteMasked writes the
// rounded digits: the integer part after the mask's leading zeros, then
// the places up to the last significant one (at least frac_min). Returns
// the length written into `buffer` (of kMaskBuffer bytes), or 0 when the
// text would not fit.
[[gnu::always_inline]] inline int WriteScaled(std::uint64_t v, bool negative, const Mask& mask, char* buffer) {
  const int places = mask.frac_max;
  // The integer digits (none for 0) after the mask's leading zeros.
  const int count = DigitCount(v);
  const int width = count - places > mask.int_min ? count - places : mask.int_min;
  if (width > 16 || places > 16) return 0;
  // V's digits, leading zeros included, in one pass; then the integer part
  // and the places each copied in one 16-byte move (what the moves bring
  // past their digits is written over or cut off).
  char digits[32] = {};
  const int total = width + places;
  const char* text = digits;
  if (v < 100'000'000 && total <= 16) {
    // The common coordinate: eight digits by four pairs, after zeros.
    std::memset(digits, '0', 8);
    WriteEightDigits(static_cast<std::uint32_t>(v), digits + 8);
    text = digits + 16 - total;
  } else {
    WriteDigitsBefore(v, total, digits + total);
  }
  char* p = buffer;
  if (negative && v != 0) *p++ = '-';
  std::memcpy(p, text, 16);
  p += width;
  if (mask.point) *p++ = '.';
  std::memcpy(p, text + width, 16);
  // Every place, then the trailing zeros dropped down to frac_min.
  int frac = places;
  while (frac > mask.frac_min && p[frac - 1] == '0') --frac;
  return static_cast<int>(p + frac - buffer);
}

// The scaled digits of a finite value (zero included) by integer
// arithmetic; false when the value is out of its reach.
template <typename T>
bool ScaledDigitsOf(T value, ScaledDigits& scaled) {
  CheckFinite(value);
  if (value == 0) {
    scaled = {0, 0};
    return true;
  }
  return FastDigits(std::fabs(value), scaled);
}

template <typename T>
void AppendMasked(std::string& out, T value, const Mask& mask) {
  ScaledDigits scaled;
  std::uint64_t v;
  if (ScaledDigitsOf(value, scaled) && ScaledMaskValue(scaled, kSignificant<T>, mask, v)) {
    // Written in place at the end of the output: no buffer to copy from.
    const std::size_t size = out.size();
    out.resize(size + kMaskBuffer);
    const int length = WriteScaled(v, std::signbit(value), mask, out.data() + size);
    out.resize(size + static_cast<std::size_t>(length));
    if (length > 0) return;
  }
  out += WriteMasked(ToDecimal(value), mask);
}

// The general form into `buffer`; `printed` adds the blank before a
// non-negative number and the blank after every number. Sign, point, the
// blanks and the digits: a double's 309 integer digits, or 323 zeros after
// the point and 15 digits, are the most.
constexpr int kGeneralBuffer = 400;

int WriteGeneral(const Decimal& d, bool printed, char* buffer) {
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
  return static_cast<int>(p - buffer);
}

template <typename T>
void AppendGeneral(std::string& out, const Decimal& d, bool printed) {
  char buffer[kGeneralBuffer];
  out.append(buffer, static_cast<std::size_t>(WriteGeneral(d, printed, buffer)));
}

// The general form of a value that is not zero from its n scaled digits,
// as WriteGeneral writes its decimal: the digits without their trailing
// zeros written at once, then placed about the point.
int WriteGeneralScaled(const ScaledDigits& scaled, int n, bool negative, bool printed, char* buffer) {
  std::uint64_t digits = scaled.digits;
  int count = n;
  while (digits % 10 == 0) {
    digits /= 10;
    --count;
  }
  // The digits end at text + 16; the moves of 16 bytes below copy what
  // stands after them too, which the next piece writes over or the length
  // cuts off.
  char text[32];
  if (digits < 100'000'000) {
    WriteEightDigits(static_cast<std::uint32_t>(digits), text + 8);
  } else {
    WriteEightDigits(static_cast<std::uint32_t>(digits / 100'000'000), text);
    WriteEightDigits(static_cast<std::uint32_t>(digits % 100'000'000), text + 8);
  }
  const char* const first = text + 16 - count;
  char* p = buffer;
  if (printed && !negative) *p++ = ' ';
  if (negative) *p++ = '-';
  const auto zeros = [&p](int length) {
    if (length <= 16) {
      std::memcpy(p, "0000000000000000", 16);
    } else {
      std::memset(p, '0', static_cast<std::size_t>(length));
    }
    p += length;
  };
  const int exponent = scaled.exp10 + 1;  // digits before the point
  if (exponent <= 0) {
    *p++ = '.';
    zeros(-exponent);
    std::memcpy(p, first, 16);
    p += count;
  } else if (exponent >= count) {
    std::memcpy(p, first, 16);
    p += count;
    zeros(exponent - count);
  } else {
    std::memcpy(p, first, 16);
    p += exponent;
    *p++ = '.';
    std::memcpy(p, first + exponent, 16);
    p += count - exponent;
  }
  if (printed) *p++ = ' ';
  return static_cast<int>(p - buffer);
}

// The general form of a value (a failure for one that is not finite), by
// integer arithmetic where it reaches.
template <typename T>
void AppendGeneralOf(std::string& out, T value, bool printed) {
  CheckFinite(value);
  ScaledDigits scaled;
  if (value != 0 && FastDigits(std::fabs(value), scaled)) {
    char buffer[kGeneralBuffer];
    out.append(buffer, static_cast<std::size_t>(
                           WriteGeneralScaled(scaled, kSignificant<T>, std::signbit(value), printed, buffer)));
    return;
  }
  AppendGeneral<T>(out, TextDecimal(value), printed);
}

template <typename T>
std::string Text(const T& piece) {
  std::string out;
  piece.AppendTo(out);
  return out;
}

}  // namespace

template <typename T>
void MaskedNumber<T>::AppendTo(std::string& out) const {
  AppendMasked(out, value, mask);
}

template <typename T>
void GeneralNumber<T>::AppendTo(std::string& out) const {
  AppendGeneralOf(out, value, printed);
}

template struct MaskedNumber<float>;
template struct MaskedNumber<double>;
template struct GeneralNumber<float>;
template struct GeneralNumber<double>;

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

std::string FormatMask(float value, const Mask& mask) { return Text(Masked(value, mask)); }
std::string FormatMask(double value, const Mask& mask) { return Text(Masked(value, mask)); }
std::string FormatMask(float value, std::string_view mask) { return FormatMask(value, ParseMask(mask)); }
std::string FormatMask(double value, std::string_view mask) { return FormatMask(value, ParseMask(mask)); }

std::string FormatGeneral(float value) { return Text(General(value)); }
std::string FormatGeneral(double value) { return Text(General(value)); }
std::string FormatPrinted(float value) { return Text(Printed(value)); }
std::string FormatPrinted(double value) { return Text(Printed(value)); }

double RoundedByMask(double value, const Mask& mask) {
  // The text holds V's digits with a point before the last frac_max of
  // them (trailing zeros dropped, no minus sign on a zero), and ReadNumber
  // divides its digits by the power of ten of its places: the same
  // rational as V / 10^frac_max, so the same correctly rounded double when
  // V is exact in a double.
  ScaledDigits scaled;
  std::uint64_t v;
  if (ScaledDigitsOf(value, scaled) && ScaledMaskValue(scaled, kDoubleDigits, mask, v) && v < (1ULL << 53) &&
      mask.frac_max <= 22) {
    if (v == 0) return 0.0;
    const double magnitude = static_cast<double>(v) / kExactPowers[mask.frac_max];
    return std::signbit(value) ? -magnitude : magnitude;
  }
  return ReadNumber(FormatMask(value, mask));
}

std::string FormatMaskByText(float value, const Mask& mask) { return WriteMasked(TextDecimal(value), mask); }
std::string FormatMaskByText(double value, const Mask& mask) { return WriteMasked(TextDecimal(value), mask); }
std::string FormatGeneralByText(float value) {
  std::string out;
  AppendGeneral<float>(out, TextDecimal(value), false);
  return out;
}
std::string FormatGeneralByText(double value) {
  std::string out;
  AppendGeneral<double>(out, TextDecimal(value), false);
  return out;
}


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
