// Hole coordinates read and written through their decimal digits.
#include "holes/hole_numbers.h"

#include "core/number_reader.h"
#include "core/text_reader.h"

namespace kovrel {
namespace {

// The characters the number reading skips wherever they stand.
bool IsSkipped(char c) { return c == ' ' || c == '\t' || c == '\n'; }

// Powers of ten that a double holds exactly (a plain decimal has at most
// 15 places).
constexpr double kPowers[] = {1e0, 1e1, 1e2,  1e3,  1e4,  1e5,  1e6, 1e7,
                              1e8, 1e9, 1e10, 1e11, 1e12, 1e13, 1e14, 1e15};

// Millionths in a unit of the last of 0 to 6 places.
constexpr std::uint64_t kMillionthsPerUnit[] = {1000000, 100000, 10000, 1000, 100, 10, 1};

// Digits below a million split at `places` (0 to 6) into the whole part
// and the places; each divisor a constant, which the compiler turns into
// a multiplication.
template <std::uint32_t kPower>
std::uint32_t SplitBy(std::uint32_t digits, std::uint32_t& fraction) {
  fraction = digits % kPower;
  return digits / kPower;
}

std::uint32_t SplitPlaces(std::uint64_t digits, int places, std::uint32_t& fraction) {
  const auto n = static_cast<std::uint32_t>(digits);
  switch (places) {
    case 1: return SplitBy<10>(n, fraction);
    case 2: return SplitBy<100>(n, fraction);
    case 3: return SplitBy<1000>(n, fraction);
    case 4: return SplitBy<10000>(n, fraction);
    case 5: return SplitBy<100000>(n, fraction);
    case 6: return SplitBy<1000000>(n, fraction);
    default: return SplitBy<1>(n, fraction);
  }
}

// Writes the `count` last decimal digits of `n` (leading zeros included)
// ending just before `end`.
void WriteDigitsBefore(std::uint32_t n, int count, char* end) {
  for (; count > 0; --count) {
    *--end = static_cast<char>('0' + n % 10);
    n /= 10;
  }
}

int DigitCount(std::uint32_t n) {
  int count = 0;
  for (; n != 0; n /= 10) ++count;
  return count;
}

}  // namespace

bool ReadDecimalDigits(std::string_view text, DecimalDigits& number) {
  const char* p = text.data();
  const char* const end = p + text.size();
  while (p < end && IsSkipped(*p)) ++p;
  bool negative = false;
  if (p < end && (*p == '+' || *p == '-')) negative = *p++ == '-';
  const char* const begin = p;
  std::uint64_t digits = 0;
  for (; p < end && IsAsciiDigit(*p); ++p) digits = digits * 10 + static_cast<std::uint64_t>(*p - '0');
  int places = 0;
  const bool point = p < end && *p == '.';
  if (point) {
    const char* const fraction = ++p;
    for (; p < end && IsAsciiDigit(*p); ++p) digits = digits * 10 + static_cast<std::uint64_t>(*p - '0');
    places = static_cast<int>(p - fraction);
  }
  const auto count = static_cast<int>(p - begin) - point;
  if (count == 0 || count > 15) return false;
  // The reading goes on past blanks: a digit, a point or an exponent
  // letter after them would still belong to the number.
  while (p < end && IsSkipped(*p)) ++p;
  if (p < end) {
    const char c = *p;
    if (IsAsciiDigit(c) || (c == '.' && !point) || c == 'E' || c == 'e' || c == 'D' || c == 'd') return false;
  }
  number = {digits, places, negative};
  return true;
}

double DecimalValue(const DecimalDigits& number) {
  // The digits as an integer (exact below 2^53) divided by an exact power
  // of ten: one correctly rounded division, as the number reading does it.
  const double value = static_cast<double>(number.digits) / kPowers[number.places];
  return number.negative ? -value : value;
}

double ReadHoleNumber(std::string_view text) {
  DecimalDigits number;
  return ReadDecimalDigits(text, number) ? DecimalValue(number) : ReadNumber(text);
}

bool FloatKeepsDigits(const DecimalDigits& number) {
  if (number.digits >= 1000000 || number.places > 6) return false;
  // Between 2^-10 and 0.001 the floats lie further apart than half a unit
  // of the seventh digit: 0.000986 is the float 0.0009860001.
  const std::uint64_t millionths = number.digits * kMillionthsPerUnit[number.places];
  return millionths < 977 || millionths > 999;
}

bool AppendDigitsMasked(std::string& out, const DecimalDigits& number, const Mask& mask) {
  if (!FloatKeepsDigits(number) || number.places > mask.frac_max || mask.int_min > 16 || mask.frac_max > 16) {
    return false;
  }
  std::uint32_t fraction;
  const std::uint32_t whole = SplitPlaces(number.digits, number.places, fraction);
  // sign, up to 16 integer digits, the point, up to 16 places
  char buffer[40];
  char* p = buffer;
  if (number.negative && number.digits != 0) *p++ = '-';
  const int int_digits = DigitCount(whole);
  const int width = int_digits > mask.int_min ? int_digits : mask.int_min;
  WriteDigitsBefore(whole, width, p + width);
  p += width;
  if (mask.point) *p++ = '.';
  // The number's places, the mask's further places as zeros, then the
  // trailing zeros dropped down to the places the mask always writes.
  WriteDigitsBefore(fraction, number.places, p + number.places);
  for (int k = number.places; k < mask.frac_max; ++k) p[k] = '0';
  int frac = mask.frac_max;
  while (frac > mask.frac_min && p[frac - 1] == '0') --frac;
  out.append(buffer, static_cast<std::size_t>(p + frac - buffer));
  return true;
}

bool AppendDigitsGeneral(std::string& out, const DecimalDigits& number) {
  if (!FloatKeepsDigits(number)) return false;
  if (number.digits == 0) {
    out += '0';
    return true;
  }
  std::uint64_t digits = number.digits;
  int places = number.places;
  while (places > 0 && digits % 10 == 0) {
    digits /= 10;
    --places;
  }
  std::uint32_t fraction;
  const std::uint32_t whole = SplitPlaces(digits, places, fraction);
  // sign, six digits, the point
  char buffer[16];
  char* p = buffer;
  if (number.negative) *p++ = '-';
  const int int_digits = DigitCount(whole);  // none below one: ".5"
  WriteDigitsBefore(whole, int_digits, p + int_digits);
  p += int_digits;
  if (places > 0) {
    *p++ = '.';
    WriteDigitsBefore(fraction, places, p + places);
    p += places;
  }
  out.append(buffer, static_cast<std::size_t>(p - buffer));
  return true;
}

}  // namespace kovrel
