// G-code to Gerber with the aperture table of 1000 slots.
#include "convert/gcode_gerber.h"

#include <array>
#include <cstdint>
#include <vector>

#include "core/append.h"
#include "core/decimal_digits.h"
#include "core/failure.h"
#include "core/line_words.h"
#include "core/number_format.h"
#include "core/number_reader.h"
#include "core/slot_table.h"
#include "core/text_reader.h"

namespace kovrel {
namespace {

constexpr int kSlots = 1000;

// Slot k holds an item text (empty when free) and the D number k + 10 once
// an item was stored in it.
struct ApertureTable {
  std::vector<std::string> text = std::vector<std::string>(kSlots);
  std::vector<int> number = std::vector<int>(kSlots, 0);

  // The first slot whose text equals `item` or, with `or_free`, is free.
  int Find(std::string_view item, bool or_free) const { return FirstEqualOrFree(text, kSlots, item, or_free); }
};

// For a coordinate written as a plain decimal of at most `unit_places`
// places (the places of a whole unit: 2, 3 or 4), appends the letter and
// the whole units the integer mask writes for it: its digits as an integer,
// exact without the product in floating point. False (nothing written)
// for any other coordinate, and for zero, which the mask writes its own way.
bool AppendWholeUnits(std::string& out, char letter, std::string_view after_letter, int unit_places) {
  DecimalDigits number;
  if (!ReadPlainDecimal(after_letter, number) || number.places > unit_places) return false;
  std::uint64_t units = number.digits;
  for (int k = number.places; k < unit_places; ++k) units *= 10;
  // Far below 2^53, where the product in floating point is within a
  // fraction of the integer.
  if (units == 0 || units >= 10'000'000'000'000ULL) return false;
  // The integer's digits are the number's own: the whole part (without
  // its leading zeros), the places (without leading zeros when there is
  // no whole part) and zeros up to the unit's places. Letter, sign, at
  // most 13 digits.
  char buffer[24];
  char* p = buffer;
  *p++ = letter;
  if (number.negative) *p++ = '-';
  std::string_view places = number.fraction;
  if (number.whole.empty()) {
    while (places.front() == '0') places.remove_prefix(1);  // not all zeros: units is not 0
  }
  for (const char c : number.whole) *p++ = c;
  for (const char c : places) *p++ = c;
  for (int k = number.places; k < unit_places; ++k) *p++ = '0';
  out.append(buffer, static_cast<std::size_t>(p - buffer));
  return true;
}

}  // namespace

ConversionResult GcodeToGerber(std::string_view gcode, const GcodeToGerberOptions& options) {
  TextOutput out;
  out.text.reserve(gcode.size() + gcode.size() / 2);
  ConversionResult result = GcodeToGerber(gcode, options, out);
  if (!result.nothing_to_convert) result.text = std::move(out.text);
  return result;
}

ConversionResult GcodeToGerber(std::string_view gcode, const GcodeToGerberOptions& options, TextOutput& output) {
  ApertureTable table;
  ItemReader first_pass(gcode);
  std::string_view item;
  while (first_pass.Next(item)) {
    if (IsMotionItem(item)) continue;
    const int slot = table.Find(item, true);
    if (slot < 0) Fail(FailureKind::kIndexOutOfRange, "選択コードが 1000 種類を超えています");
    table.text[static_cast<std::size_t>(slot)] = item;
    table.number[static_cast<std::size_t>(slot)] = slot + 10;
  }

  static const Mask integer_mask = ParseMask("###########");
  static const Mask decimal_mask = ParseMask("#######.0###");
  static const Mask d_mask = ParseMask("######");
  const bool decimal = options.unit == GerberOutputUnit::kMillimetres;
  const double factor = options.unit == GerberOutputUnit::kMillimetres  ? 1
                        : options.unit == GerberOutputUnit::kHundredths ? 100
                        : options.unit == GerberOutputUnit::kThousandths ? 1000
                                                                          : 10000;
  const int unit_places = options.unit == GerberOutputUnit::kHundredths    ? 2
                          : options.unit == GerberOutputUnit::kThousandths ? 3
                                                                            : 4;
  const std::string& end = options.terminator;
  std::string& out = output.text;
  bool converted = false;
  ItemReader second_pass(gcode);
  const Mask& mask = decimal ? decimal_mask : integer_mask;
  while (second_pass.Next(item)) {
    // G00 stands first among the words (a move), then G01, G02, G03.
    const FirstLetters letters(item);
    const unsigned motions = MotionWords(item, letters['G']);
    const std::string_view word = (motions & 3u) != 0 ? "G01" : (motions & 4u) != 0 ? "G02" : "G03";
    if (motions != 0) out += word;
    // Every item's coordinates are read, a move's written: they are single
    // values, and one beyond a float's range is an overflow, never a long
    // digit string (whatever the item is).
    for (const char letter : {'X', 'Y', 'I', 'J'}) {
      const std::size_t at = letters[letter];
      if (at == std::string::npos) continue;
      // A plain decimal cannot leave a float's range.
      if (motions != 0 && !decimal && AppendWholeUnits(out, letter, item.substr(at + 1), unit_places)) continue;
      const double value = InSingleRange(factor * ReadNumber(std::string_view(item).substr(at + 1)));
      if (motions != 0) Append(out, std::string_view(&letter, 1), Masked(value, mask));
    }
    if (motions != 0) {
      Append(out, (motions & 1u) != 0 ? "D02" : "D01", end);
      converted = converted || (motions & 1u) != 0;
    } else {
      const int slot = table.Find(item, false);
      const std::string_view text = slot < 0 ? item : std::string_view(table.text[static_cast<std::size_t>(slot)]);
      if (text.starts_with("D") && ReadNumber(text.substr(1)) > 9) {
        Append(out, item, end);  // an aperture selection of the program passes through
      } else {
        const int number = slot < 0 ? 0 : table.number[static_cast<std::size_t>(slot)];
        Append(out, "D", FormatMask(static_cast<double>(number), d_mask), end);
      }
    }
    output.Pass();
  }
  if (!converted) return ConversionResult::NothingToConvert();
  Append(out, "M30", end, "\r\n");
  return ConversionResult();
}

}  // namespace kovrel
