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

bool CoordinateTexts::Keep(std::string_view number, double& value) {
  DecimalDigits digits;
  bool point = false;
  const char* const end = number.data() + number.size();
  if (number.empty() || ScanPlainDecimal(number.data(), end, digits, point) != end) return false;
  value = digits.value = DigitsValue(digits);
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
// give them; false for any other characters, which the general reading
// decides (the value is not set, and the digits are the general reading's
// to set).
bool ReadPlainValue(const char* p, const char* end, WireDigits* digits, float& value) {
  DecimalDigits read;
  DecimalDigits& number = digits != nullptr ? digits->number : read;
  bool point = false;
  const char* const number_end = ScanPlainDecimal(p, end, number, point);
  if (number_end == nullptr) return false;
  if (number_end < end && (*number_end == '.' || *number_end == '-' || *number_end == '+')) return false;
  if (!point) {
    // Thousandths: an integer below 10^15 divided by 1000 is exact in
    // decimal, so the rounding to eight places keeps it as it is.
    const auto thousandths = static_cast<double>(number.digits);
    value = ToSingle((number.negative ? -thousandths : thousandths) / 1000.0);
    if (digits != nullptr) {
      AsThousandths(number, digits->field);
      digits->plain = true;
    }
    return true;
  }
  number.value = DigitsValue(number);
  value = ToSingle(number.value);
  if (digits != nullptr) digits->plain = true;
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
