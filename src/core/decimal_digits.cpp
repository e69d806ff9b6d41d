// Coordinates read and written through their decimal digits.
#include "core/decimal_digits.h"

#include <algorithm>
#include <bit>
#include <cstring>

#include "core/byte_scan.h"
#include "core/digit_run.h"
#include "core/number_reader.h"
#include "core/text_reader.h"

namespace kovrel {
namespace {

// Millionths in a unit of the last of 0 to 6 places.
constexpr std::uint64_t kMillionthsPerUnit[] = {1000000, 100000, 10000, 1000, 100, 10, 1};

}  // namespace

DecimalDigits DigitsOf(std::string_view whole, std::string_view fraction, bool negative) {
  DecimalDigits number;
  number.negative = negative;
  for (const char c : whole) number.digits = number.digits * 10 + static_cast<std::uint64_t>(c - '0');
  for (const char c : fraction) number.digits = number.digits * 10 + static_cast<std::uint64_t>(c - '0');
  number.places = static_cast<int>(fraction.size());
  while (!whole.empty() && whole.front() == '0') whole.remove_prefix(1);
  number.whole = whole;
  number.fraction = fraction;
  return number;
}

bool ReadDecimalDigits(std::string_view text, DecimalDigits& number) {
  const NumberText located = LocateNumber(text);
  // A number with an exponent, a blank inside or a radix prefix is no
  // plain decimal.
  if (!located.has_digits || located.end != located.digits_end) return false;
  std::string_view written = text.substr(located.begin, located.digits_end - located.begin);
  const bool negative = written.front() == '-';
  if (negative || written.front() == '+') written.remove_prefix(1);
  // One pass: the digits as an integer and where the point stands.
  std::uint64_t digits = 0;
  std::size_t point = written.size();
  for (std::size_t k = 0; k < written.size(); ++k) {
    const char c = written[k];
    if (IsAsciiDigit(c)) {
      digits = digits * 10 + static_cast<std::uint64_t>(c - '0');
    } else if (c == '.' && point == written.size()) {
      point = k;
    } else {
      return false;
    }
  }
  const bool has_point = point < written.size();
  if (written.size() - has_point > 15) return false;
  number.negative = negative;
  number.digits = digits;
  number.value = located.value;
  number.fraction = has_point ? written.substr(point + 1) : std::string_view();
  number.places = static_cast<int>(number.fraction.size());
  std::size_t first = 0;
  while (first < point && written[first] == '0') ++first;
  number.whole = written.substr(first, point - first);
  return true;
}

bool FloatKeepsDigits(const DecimalDigits& number) {
  if (number.digits >= 1000000 || number.places > 6) return false;
  // Between 2^-10 and 0.001 the floats lie further apart than half a unit
  // of the seventh digit: 0.000986 is the float 0.0009860001.
  const std::uint64_t millionths = number.digits * kMillionthsPerUnit[number.places];
  return millionths < 977 || millionths > 999;
}

bool AppendDigitsMasked(std::string& out, const DecimalDigits& number, const Mask& mask) {
  // sign, up to 16 leading zeros or 6 digits, the point, up to 16 places
  char buffer[kDigitsMaskedRoom];
  const char* const end = WriteDigitsMasked(buffer, number, mask);
  if (end == nullptr) return false;
  out.append(buffer, static_cast<std::size_t>(end - buffer));
  return true;
}

char* WriteDigitsMasked(char* out, const DecimalDigits& number, const Mask& mask) {
  if (!FloatKeepsDigits(number) || number.places > mask.frac_max || mask.int_min > 16 || mask.frac_min > 16) {
    return nullptr;
  }
  // Byte loops: the pieces are a few bytes (at most six digits on either
  // side of the point), shorter than a call to copy them.
  char* p = out;
  *p = '-';
  p += number.negative && number.digits != 0;
  for (auto k = static_cast<int>(number.whole.size()); k < mask.int_min; ++k) *p++ = '0';
  for (const char c : number.whole) *p++ = c;
  *p = '.';
  p += mask.point;
  // The number's places, the zeros at their end dropped down to the
  // places the mask always writes, and zeros up to those.
  std::string_view places = number.fraction;
  while (places.size() > static_cast<std::size_t>(mask.frac_min) && places.back() == '0') places.remove_suffix(1);
  for (const char c : places) *p++ = c;
  for (auto k = static_cast<int>(places.size()); k < mask.frac_min; ++k) *p++ = '0';
  return p;
}

char* WriteDigitsGeneral(char* p, const DecimalDigits& number) {
  if (!FloatKeepsDigits(number)) return nullptr;
  if (number.digits == 0) {
    *p++ = '0';
    return p;
  }
  std::string_view places = number.fraction;
  while (!places.empty() && places.back() == '0') places.remove_suffix(1);
  if (number.negative) *p++ = '-';
  for (const char c : number.whole) *p++ = c;
  if (!places.empty()) *p++ = '.';
  for (const char c : places) *p++ = c;
  return p;
}

bool AppendDigitsGeneral(std::string& out, const DecimalDigits& number) {
  char buffer[kDigitsGeneralRoom];
  const char* const end = WriteDigitsGeneral(buffer, number);
  if (end == nullptr) return false;
  out.append(buffer, static_cast<std::size_t>(end - buffer));
  return true;
}

bool ThousandthsDigits(std::string_view after_letter, int field_width, char (&field)[16], DecimalDigits& number) {
  const char* p = after_letter.data();
  const char* const end = p + after_letter.size();
  if (field_width == 0) {
    // The reading takes the span of " 0123456789.-+": a sign and digits
    // followed by none of those is the integer itself.
    bool point = false;
    p = ScanPlainDecimal(p, end, number, point);
    if (p == nullptr || point) return false;
    if (p < end) {
      static constexpr ByteSet kNumber(" 0123456789.-+");
      if (kNumber.Contains(*p)) return false;
    }
    AsThousandths(number, field);
    return true;
  }
  if (field_width < 3 || field_width > 15) return false;
  const auto width = static_cast<std::size_t>(field_width);
  // The field: its digits padded with zeros on the right to the width.
  const bool negative = p < end && *p == '-';
  if (negative) ++p;
  std::size_t count = 0;
  for (; p < end && IsAsciiDigit(*p) && count < width; ++p) field[count++] = *p;
  if (count < width && p < end && *p == '-') return false;
  std::fill(field + count, field + width, '0');
  const std::string_view digits(field, width);
  number = DigitsOf(digits.substr(0, digits.size() - 3), digits.substr(digits.size() - 3), negative);
  return true;
}

namespace {

// The three digits of every number below 1000 ("007" for 7), and how
// many zeros end them (3 for 0), so that a coordinate's parts are written
// by copying instead of dividing. A fourth byte keeps each entry four long.
struct ThreeDigits {
  char digits[1000][4];
  unsigned char zeros[1000];
};
constexpr ThreeDigits kThreeDigits = [] {
  ThreeDigits table{};
  for (int n = 0; n < 1000; ++n) {
    table.digits[n][0] = static_cast<char>('0' + n / 100);
    table.digits[n][1] = static_cast<char>('0' + n / 10 % 10);
    table.digits[n][2] = static_cast<char>('0' + n % 10);
    table.zeros[n] = static_cast<unsigned char>(n == 0 ? 3 : n % 100 == 0 ? 2 : n % 10 == 0 ? 1 : 0);
  }
  return table;
}();

// Appends the text Masked(float of ±thousandths / 1000, mask) writes, from
// the integer (AppendDigitsMasked for a number of three places); false (and
// nothing written) out of its reach.
bool AppendThousandths(std::string& out, std::uint64_t thousandths, bool negative, const Mask& mask) {
  // Below a thousand millimetres a float keeps the six digits.
  if (thousandths >= 1000000 || mask.frac_max < 3 || mask.int_min > 16 || mask.frac_min > 16) return false;
  // sign, up to 16 leading zeros, the point, up to 16 places (and room for
  // the four bytes copied at a time)
  char buffer[48];
  char* p = buffer;
  if (negative && thousandths != 0) *p++ = '-';
  const auto whole = static_cast<unsigned>(thousandths / 1000);
  const auto places = static_cast<unsigned>(thousandths % 1000);
  const int whole_size = whole >= 100 ? 3 : whole >= 10 ? 2 : whole > 0 ? 1 : 0;
  for (int k = whole_size; k < mask.int_min; ++k) *p++ = '0';
  std::memcpy(p, kThreeDigits.digits[whole] + 3 - whole_size, 4);
  p += whole_size;
  if (mask.point) *p++ = '.';
  // The three places, the zeros at their end dropped down to the places
  // the mask always writes, and zeros up to those.
  std::memcpy(p, kThreeDigits.digits[places], 4);
  const int size = std::max(3 - kThreeDigits.zeros[places], std::min(mask.frac_min, 3));
  p += size;
  for (int k = size; k < mask.frac_min; ++k) *p++ = '0';
  out.append(buffer, static_cast<std::size_t>(p - buffer));
  return true;
}

// A coordinate of whole thousandths read in one pass over a sign and the
// digits, to their integer (a field padded with zeros on the right to its
// width); false for the other units and for a text the general reading
// reads otherwise.
bool ReadThousandths(std::string_view after_letter, CoordinateUnit unit, std::uint64_t& thousandths, bool& negative) {
  const int width = unit.field_width;
  if (unit.factor != 1 || (width != 0 && (width < 3 || width > 15))) return false;
  const char* p = after_letter.data();
  const char* const end = p + after_letter.size();
  negative = p < end && *p == '-';
  if (negative || (width == 0 && p < end && *p == '+')) ++p;
  const int most = width > 0 ? width : 15;
  int count = 0;
  thousandths = 0;
  std::uint64_t run = 0;
  const int leading = end - p >= 8 ? LeadingDigits(p, run) : 8;
  if (leading < 8 && leading <= most) {
    // Fewer than eight digits, within the field: the usual coordinate.
    count = leading;
    thousandths = run;
    p += leading;
  } else {
    for (; p < end && count < most; ++p, ++count) {
      const unsigned digit = static_cast<unsigned char>(*p) - unsigned{'0'};
      if (digit > 9) break;
      thousandths = thousandths * 10 + digit;
    }
  }
  // The reading takes the characters of " 0123456789.-+" for an integer,
  // those of "0123456789-" for a field: a number that goes on in them is
  // left to it.
  static constexpr ByteSet kNumber(" 0123456789.-+");
  const bool whole_read = p == end || (width > 0 ? count == width || *p != '-' : !kNumber.Contains(*p));
  if (count == 0 || !whole_read) return false;
  for (int k = count; k < width; ++k) thousandths *= 10;
  return true;
}

// The millimetres of the integer the reading takes (at most 15 digits,
// exact in a double), scaled as the reading scales it.
float ThousandthsValue(std::uint64_t thousandths, bool negative, CoordinateUnit unit) {
  const auto whole = static_cast<double>(thousandths);
  // Below 10^12 millimetres, in a float's range: no check needed.
  return static_cast<float>((negative ? -whole : whole) * unit.factor * 0.001);
}

}  // namespace

float AppendReadCoordinate(std::string& out, std::string_view after_letter, CoordinateUnit unit, const Mask& mask) {
  std::uint64_t thousandths = 0;
  bool negative = false;
  if (ReadThousandths(after_letter, unit, thousandths, negative)) {
    const float value = ThousandthsValue(thousandths, negative, unit);
    if (!AppendThousandths(out, thousandths, negative, mask)) Masked(value, mask).AppendTo(out);
    return value;
  }
  const float value = ReadCoordinate(after_letter, unit);
  Masked(value, mask).AppendTo(out);
  return value;
}

float ReadThousandthsCoordinate(std::string_view after_letter, CoordinateUnit unit) {
  std::uint64_t thousandths = 0;
  bool negative = false;
  if (ReadThousandths(after_letter, unit, thousandths, negative)) return ThousandthsValue(thousandths, negative, unit);
  return ReadCoordinate(after_letter, unit);
}

}  // namespace kovrel

namespace kovrel {

bool ReadHoleLine(std::string_view line, DecimalDigits& x, DecimalDigits& y) {
  const char* p = line.data();
  const char* const end = p + line.size();
  if (p == end || *p != 'X') return false;
  bool point = false;
  p = ScanPlainDecimal(p + 1, end, x, point);
  if (p == nullptr) return false;
  while (p < end && *p == ' ') ++p;
  if (p == end || *p != 'Y') return false;
  x.value = y.value = 0;
  return ScanPlainDecimal(p + 1, end, y, point) == end;
}

}  // namespace kovrel
