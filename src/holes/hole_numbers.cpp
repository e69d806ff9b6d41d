// Hole coordinates read and written through their decimal digits.
#include "holes/hole_numbers.h"

#include "core/number_reader.h"
#include "core/text_reader.h"

namespace kovrel {
namespace {

// Millionths in a unit of the last of 0 to 6 places.
constexpr std::uint64_t kMillionthsPerUnit[] = {1000000, 100000, 10000, 1000, 100, 10, 1};

// The digits of a number FloatKeepsDigits accepts as text, with a zero
// before the places when it has no whole part ("005" for 0.05); `whole`
// counts the digits before the places that are written (none for a zero
// whole part, as the masks and the general form write it).
struct DigitText {
  char chars[8];
  int size = 0;
  int whole = 0;
};

DigitText TextOf(const DecimalDigits& number) {
  char reversed[8];
  int size = 0;
  auto n = static_cast<std::uint32_t>(number.digits);
  do {
    reversed[size++] = static_cast<char>('0' + n % 10);
    n /= 10;
  } while (n != 0 || size <= number.places);
  DigitText text;
  for (int k = 0; k < size; ++k) text.chars[k] = reversed[size - 1 - k];
  text.size = size;
  text.whole = size - number.places;
  if (text.whole == 1 && text.chars[0] == '0') text.whole = 0;
  return text;
}

}  // namespace

bool ReadDecimalDigits(std::string_view text, DecimalDigits& number) {
  const NumberText located = LocateNumber(text);
  // A number with an exponent, a blank inside or a radix prefix is no
  // plain decimal.
  if (!located.has_digits || located.end != located.digits_end) return false;
  std::string_view written = text.substr(located.begin, located.digits_end - located.begin);
  DecimalDigits read;
  read.value = located.value;
  if (written.front() == '+' || written.front() == '-') {
    read.negative = written.front() == '-';
    written.remove_prefix(1);
  }
  int count = 0;
  bool point = false;
  for (const char c : written) {
    if (c == '.' && !point) {
      point = true;
    } else if (IsAsciiDigit(c) && ++count <= 15) {
      read.digits = read.digits * 10 + static_cast<std::uint64_t>(c - '0');
      read.places += point;
    } else {
      return false;
    }
  }
  number = read;
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
  if (!FloatKeepsDigits(number) || number.places > mask.frac_max || mask.int_min > 16 || mask.frac_min > 16) {
    return false;
  }
  const DigitText text = TextOf(number);
  const char* const places_text = text.chars + text.size - number.places;
  // sign, up to 16 leading zeros or 6 digits, the point, up to 16 places
  char buffer[40];
  char* p = buffer;
  if (number.negative && number.digits != 0) *p++ = '-';
  for (int k = text.whole; k < mask.int_min; ++k) *p++ = '0';
  for (int k = text.whole; k > 0; --k) *p++ = places_text[-k];
  if (mask.point) *p++ = '.';
  // The number's places, the zeros at their end dropped down to the
  // places the mask always writes, and zeros up to those.
  int places = number.places;
  while (places > mask.frac_min && places_text[places - 1] == '0') --places;
  for (int k = 0; k < places; ++k) *p++ = places_text[k];
  for (int k = places; k < mask.frac_min; ++k) *p++ = '0';
  out.append(buffer, static_cast<std::size_t>(p - buffer));
  return true;
}

bool AppendDigitsGeneral(std::string& out, const DecimalDigits& number) {
  if (!FloatKeepsDigits(number)) return false;
  if (number.digits == 0) {
    out += '0';
    return true;
  }
  const DigitText text = TextOf(number);
  const char* const places_text = text.chars + text.size - number.places;
  int places = number.places;
  while (places > 0 && places_text[places - 1] == '0') --places;
  // sign, six digits, the point
  char buffer[16];
  char* p = buffer;
  if (number.negative) *p++ = '-';
  for (int k = text.whole; k > 0; --k) *p++ = places_text[-k];
  if (places > 0) *p++ = '.';
  for (int k = 0; k < places; ++k) *p++ = places_text[k];
  out.append(buffer, static_cast<std::size_t>(p - buffer));
  return true;
}

}  // namespace kovrel
