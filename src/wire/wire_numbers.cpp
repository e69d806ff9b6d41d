// Wire-cut numbers: thousandths or millimetres, and the eight-decimal rounding.
#include "wire/wire_numbers.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstring>

#include "core/decimal_digits.h"
#include "core/nc_coordinates.h"
#include "core/number_format.h"
#include "core/number_reader.h"
#include "core/text_reader.h"

namespace kovrel {
namespace {

// Powers of ten that a double holds exactly.
constexpr double kPowersOfTen[] = {1e0, 1e1, 1e2, 1e3, 1e4, 1e5, 1e6, 1e7, 1e8, 1e9, 1e10, 1e11, 1e12, 1e13, 1e14, 1e15};

}  // namespace

double RoundToEightPlaces(double value) {
  static const Mask mask = ParseMask("####0.0#######");
  return RoundedByMask(value, mask);
}

char* WriteCoordinate(char* out, float millimetres, float read, const WireDigits& digits, CoordinateTexts& texts) {
  if (digits.plain && std::bit_cast<std::uint32_t>(millimetres) == std::bit_cast<std::uint32_t>(read)) {
    if (char* const end = WriteDigitsMasked(out, digits.number, MillimetreMask())) return end;
  }
  return texts.Write(out, millimetres);
}

void AppendCoordinate(std::string& out, float millimetres, float read, const WireDigits& digits,
                      CoordinateTexts& texts) {
  char text[CoordinateTexts::kRoom];
  out.append(text, static_cast<std::size_t>(WriteCoordinate(text, millimetres, read, digits, texts) - text));
}

char* CoordinateTexts::Write(char* out, float millimetres) {
  const auto bits = std::bit_cast<std::uint32_t>(millimetres);
  const std::size_t slot = (bits * 0x9E3779B1u) >> (32 - kSlotBits);  // where this value is kept
  if (bits_[slot] == bits && sizes_[slot] != 0) {
    // A short copy of at most kLongest bytes, from a slot of that size.
    std::memcpy(out, texts_[slot].data(), kLongest);
    return out + sizes_[slot];
  }
  made_.clear();
  Coordinate(millimetres).AppendTo(made_);
  const std::size_t size = made_.size();
  std::memcpy(out, made_.data(), std::min(size, kRoom));
  if (size == 0 || size > kLongest) return out + std::min(size, kRoom);
  bits_[slot] = bits;
  sizes_[slot] = static_cast<std::uint8_t>(size);
  std::memcpy(texts_[slot].data(), made_.data(), size);
  return out + size;
}

const char* ReadPlainDecimal(const char* p, const char* end, DecimalDigits& number, bool& point) {
  const bool negative = p < end && *p == '-';
  if (p < end && (*p == '-' || *p == '+')) ++p;
  const char* const begin = p;
  std::uint64_t digits = 0;
  while (p < end && IsAsciiDigit(*p)) digits = digits * 10 + static_cast<std::uint64_t>(*p++ - '0');
  const char* const whole_end = p;
  point = p < end && *p == '.';
  if (point) {
    ++p;
    while (p < end && IsAsciiDigit(*p)) digits = digits * 10 + static_cast<std::uint64_t>(*p++ - '0');
  }
  const std::size_t count = static_cast<std::size_t>(p - begin) - point;
  if (count == 0 || count > 15) return nullptr;
  const auto places = point ? static_cast<std::size_t>(p - whole_end - 1) : 0;
  const auto whole = static_cast<double>(digits);
  const double magnitude = places > 0 ? whole / kPowersOfTen[places] : whole;
  number.digits = digits;
  number.places = static_cast<int>(places);
  number.negative = negative;
  number.value = negative ? -magnitude : magnitude;
  number.fraction = std::string_view(point ? whole_end + 1 : p, places);
  const char* first = begin;
  while (first < whole_end && *first == '0') ++first;
  number.whole = std::string_view(first, static_cast<std::size_t>(whole_end - first));
  return p;
}

bool CoordinateTexts::Keep(std::string_view number, double& value) {
  DecimalDigits digits;
  bool point = false;
  const char* const end = number.data() + number.size();
  if (number.empty() || ReadPlainDecimal(number.data(), end, digits, point) != end) return false;
  value = digits.value;
  const auto bits = std::bit_cast<std::uint32_t>(ToSingle(digits.value));
  const std::size_t slot = (bits * 0x9E3779B1u) >> (32 - kSlotBits);
  if (bits_[slot] == bits && sizes_[slot] != 0) return true;
  char text[40];
  const char* const text_end = WriteDigitsMasked(text, digits, MillimetreMask());
  if (text_end == nullptr || text_end == text || text_end - text > static_cast<std::ptrdiff_t>(kLongest)) return true;
  bits_[slot] = bits;
  sizes_[slot] = static_cast<std::uint8_t>(text_end - text);
  std::memcpy(texts_[slot].data(), text, sizes_[slot]);
  return true;
}

void CoordinateTexts::Append(std::string& out, float millimetres) {
  char text[kRoom];
  out.append(text, static_cast<std::size_t>(Write(text, millimetres) - text));
}

namespace {

// The millimetres of `number`, which holds a decimal point or not.
float Millimetres(std::string_view number, bool point) {
  const double value = ReadNumber(number);
  if (point) return ToSingle(value);
  // An integer of up to fifteen digits divided by 1000 is exact in
  // decimal, so the rounding to eight places keeps it as it is.
  if (std::fabs(value) < 1e15) return ToSingle(value / 1000.0);
  return ToSingle(RoundToEightPlaces(value * 0.001));
}

}  // namespace

float WireMillimetres(std::string_view number) {
  return Millimetres(number, number.find('.') != std::string_view::npos);
}

namespace {

// The common value of a wire line read in one pass: a sign or none, then
// one to fifteen digits with at most one point among them, ending where
// the characters of a number end. Gives the value (as ReadNumber reads the
// characters) and the digits as ReadDecimalDigits or ThousandthsDigits
// give them; false (nothing read) for any other characters, which the
// general reading decides.
bool ReadPlainValue(const char* p, const char* end, WireDigits* digits, float& value) {
  const char* const start = p;
  const bool negative = p < end && *p == '-';
  if (p < end && (*p == '-' || *p == '+')) ++p;
  const char* const begin = p;
  std::uint64_t whole = 0;
  while (p < end && IsAsciiDigit(*p)) whole = whole * 10 + static_cast<std::uint64_t>(*p++ - '0');
  const char* const point = p;
  const bool has_point = p < end && *p == '.';
  if (has_point) {
    ++p;
    while (p < end && IsAsciiDigit(*p)) whole = whole * 10 + static_cast<std::uint64_t>(*p++ - '0');
  }
  const std::size_t count = static_cast<std::size_t>(p - begin) - has_point;
  if (count == 0 || count > 15) return false;
  if (p < end && (*p == '.' || *p == '-' || *p == '+')) return false;
  const auto number = static_cast<double>(whole);
  if (!has_point) {
    // Thousandths: an integer below 10^15 divided by 1000 is exact in
    // decimal, so the rounding to eight places keeps it as it is.
    value = ToSingle((negative ? -number : number) / 1000.0);
    if (digits != nullptr) {
      const std::string_view number(start, static_cast<std::size_t>(p - start));
      digits->plain = ThousandthsDigits(number, 0, digits->field, digits->number);
    }
    return true;
  }
  const auto places = static_cast<std::size_t>(p - point - 1);
  const double magnitude = places > 0 ? number / kPowersOfTen[places] : number;
  const double read = negative ? -magnitude : magnitude;
  value = ToSingle(read);
  if (digits != nullptr) {
    DecimalDigits& decimal = digits->number;
    decimal.digits = whole;
    decimal.places = static_cast<int>(places);
    decimal.negative = negative;
    decimal.value = read;
    decimal.fraction = std::string_view(point + 1, places);
    const char* first = begin;
    while (first < point && *first == '0') ++first;
    decimal.whole = std::string_view(first, static_cast<std::size_t>(point - first));
    digits->plain = true;
  }
  return true;
}

}  // namespace

float WireValueAt(std::string_view line, std::size_t at, WireDigits* digits) {
  float value = 0;
  if (ReadPlainValue(line.data() + at + 1, line.data() + line.size(), digits, value)) return value;
  // The number's characters, and whether a point is among them, in one pass.
  bool point = false;
  std::size_t end = at + 1;
  for (; end < line.size(); ++end) {
    const char c = line[end];
    if (c == '.') {
      point = true;
    } else if (!IsAsciiDigit(c) && c != '-' && c != '+') {
      break;
    }
  }
  const std::string_view number = line.substr(at + 1, end - at - 1);
  if (digits != nullptr) {
    // The float read from the digits is the float Millimetres gives: the
    // same reading, and for thousandths the same division by 1000.
    if (point) {
      digits->plain = ReadDecimalDigits(number, digits->number);
      if (digits->plain) return ToSingle(digits->number.value);
    } else {
      digits->plain = ThousandthsDigits(number, 0, digits->field, digits->number);
      if (digits->plain) {
        // A sign and at most 15 digits: the integer ReadNumber reads.
        const auto whole = static_cast<double>(digits->number.digits);
        return ToSingle((digits->number.negative ? -whole : whole) / 1000.0);
      }
    }
  }
  return Millimetres(number, point);
}

}  // namespace kovrel
