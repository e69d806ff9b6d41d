// Wire-cut numbers: thousandths or millimetres, and the eight-decimal rounding.
#include "wire/wire_numbers.h"

#include <bit>
#include <cmath>

#include "core/nc_coordinates.h"
#include "core/number_format.h"
#include "core/number_reader.h"
#include "core/text_reader.h"

namespace kovrel {

double RoundToEightPlaces(double value) {
  static const Mask mask = ParseMask("####0.0#######");
  return RoundedByMask(value, mask);
}

void AppendCoordinate(std::string& out, float millimetres, float read, const WireDigits& digits,
                      CoordinateTexts& texts) {
  if (digits.plain && std::bit_cast<std::uint32_t>(millimetres) == std::bit_cast<std::uint32_t>(read) &&
      AppendDigitsMasked(out, digits.number, MillimetreMask())) {
    return;
  }
  texts.Append(out, millimetres);
}

void CoordinateTexts::Append(std::string& out, float millimetres) {
  const auto bits = std::bit_cast<std::uint32_t>(millimetres);
  const std::size_t slot = (bits * 0x9E3779B1u) >> (32 - kSlotBits);  // where this value is kept
  if (bits_[slot] == bits && sizes_[slot] != 0) {
    out.append(texts_[slot].data(), sizes_[slot]);
    return;
  }
  const std::size_t start = out.size();
  Coordinate(millimetres).AppendTo(out);
  const std::size_t size = out.size() - start;
  if (size == 0 || size > kLongest) return;
  bits_[slot] = bits;
  sizes_[slot] = static_cast<std::uint8_t>(size);
  out.copy(texts_[slot].data(), size, start);
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

float WireValueAt(std::string_view line, std::size_t at, WireDigits* digits) {
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
