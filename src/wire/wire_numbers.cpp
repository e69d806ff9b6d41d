// Wire-cut numbers: thousandths or millimetres, and the eight-decimal rounding.
#include "wire/wire_numbers.h"

#include <bit>
#include <cmath>

#include "core/number_format.h"
#include "core/number_reader.h"
#include "core/text_reader.h"

namespace kovrel {

double RoundToEightPlaces(double value) {
  static const Mask mask = ParseMask("####0.0#######");
  return RoundedByMask(value, mask);
}

MaskedNumber<float> Coordinate(float millimetres) {
  static const Mask mask = ParseMask("######0.0####");
  return Masked(millimetres, mask);
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

float WireMillimetres(std::string_view number) {
  const double value = ReadNumber(number);
  if (number.find('.') != std::string_view::npos) return ToSingle(value);
  // An integer of up to fifteen digits divided by 1000 is exact in
  // decimal, so the rounding to eight places keeps it as it is.
  if (std::fabs(value) < 1e15) return ToSingle(value / 1000.0);
  return ToSingle(RoundToEightPlaces(value * 0.001));
}

float WireValueAfter(std::string_view line, char letter) {
  const std::size_t at = line.find(letter);
  if (at == std::string_view::npos) return 0;
  static constexpr ByteSet kNumber("0123456789.-+");
  return WireMillimetres(SpanOf(line.substr(at + 1), kNumber));
}

}  // namespace kovrel
