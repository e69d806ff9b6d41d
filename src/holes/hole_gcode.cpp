// Hole data to G-code.
#include "holes/hole_gcode.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstdint>
#include <cstring>
#include <utility>
#include <vector>

#include "core/append.h"
#include "core/byte_scan.h"
#include "core/decimal_digits.h"
#include "core/failure.h"
#include "core/line_words.h"
#include "core/number_format.h"
#include "core/number_reader.h"
#include "core/ordered_pieces.h"
#include "core/text_reader.h"

namespace kovrel {

int HoleToolNumber(std::string_view line) {
  const std::int32_t tool = ToInteger(ValueAfterFirstCharacter(line));
  if (tool < 0 || tool > 999) Fail(FailureKind::kIndexOutOfRange, std::string(line));
  return tool;
}

namespace {

constexpr std::uint64_t kPowersOfTen[] = {1, 10, 100, 1000, 10000, 100000, 1000000};

// The digits of a + b, when the float sum `sum` of their floats is the
// float of that decimal sum: then the sum is written from its digits as it
// would be from the float. Both numbers have at most six places; `text`
// holds the sum's digits.
bool SumDigits(const DecimalDigits& a, const DecimalDigits& b, float sum, char (&text)[16], DecimalDigits& result) {
  if (a.places > 6 || b.places > 6 || a.digits >= 10000000 || b.digits >= 10000000) return false;
  const int places = std::max(a.places, b.places);
  const auto scaled = [places](const DecimalDigits& n) {
    const auto value = static_cast<std::int64_t>(n.digits * kPowersOfTen[places - n.places]);
    return n.negative ? -value : value;
  };
  const std::int64_t total = scaled(a) + scaled(b);
  const bool negative = total < 0;
  const auto magnitude = static_cast<std::uint64_t>(negative ? -total : total);
  // Beyond six digits the float does not keep them.
  if (magnitude >= 1000000) return false;
  const double value = static_cast<double>(magnitude) / static_cast<double>(kPowersOfTen[places]);
  if (std::bit_cast<std::uint32_t>(ToSingle(negative ? -value : value)) != std::bit_cast<std::uint32_t>(sum)) {
    return false;
  }
  // The digits right-aligned, at least one before the point; a lone zero
  // before it is no digit of the whole part.
  char* const end = text + sizeof text;
  char* p = end;
  for (std::uint64_t rest = magnitude; p > end - places - 1 || rest != 0; rest /= 10) {
    *--p = static_cast<char>('0' + rest % 10);
  }
  if (end - p == places + 1 && *p == '0') ++p;
  result.digits = magnitude;
  result.places = places;
  result.negative = negative;
  result.value = negative ? -value : value;
  result.whole = std::string_view(p, static_cast<std::size_t>(end - places - p));
  result.fraction = std::string_view(end - places, static_cast<std::size_t>(places));
  return true;
}

// What the lines of hole data carry from one to the next: the tool table
// read so far (a tool without a table line has the diameter 0), the
// current tool's diameter, and whether a tool was chosen.
struct ToolState {
  std::array<float, 1000> diameters{};
  float d = 0;
  bool found = false;
};

// The state change of a line that is no plain hole line: a table line
// (with "φ") or a tool choice (with T); false for any other line. Writes
// the tool's "D" line for a choice where `out` is given.
bool TakeToolLine(std::string_view line, ToolState& state, std::string* out) {
  static const Mask tool_mask = ParseMask("#####");
  if (HasLetter(line, "φ")) {
    state.diameters[static_cast<std::size_t>(HoleToolNumber(line))] = SingleAfter(line, "φ");
    return true;
  }
  if (!FirstLetters(line).Has('T')) return false;
  const int tool = HoleToolNumber(line);
  state.d = state.diameters[static_cast<std::size_t>(tool)];
  state.found = true;
  if (out != nullptr) AppendLine(*out, "D", Masked(static_cast<float>(tool + 900), tool_mask));
  return true;
}

// Converts the lines of `hole_data` (a whole text, or a piece of one that
// starts a line) from `state` on, into `output`.
void ConvertHoleLines(std::string_view hole_data, ToolState& state, TextOutput& output) {
  std::string& out = output.text;
  static const Mask xy_mask = ParseMask("#####0.0####");
  static const Mask i_mask = ParseMask("#####0.0#####");
  float& d = state.d;
  std::string start_x;  // the text of a hole's start X, written on both of its lines
  // The end of a circle's line from its I word on, "I-0.2J0.0", changes
  // only with the tool: written once a tool.
  std::string circle_end;
  // The same in a room of fixed size, copied whole into a hole's lines (its
  // size counts) where it fits.
  constexpr std::size_t kCircleEndRoom = 48;
  char circle_end_room[kCircleEndRoom] = {};
  // The radius as digits, where its float is theirs: a hole's start X is
  // then summed from the digits of X and of the radius.
  std::string radius_text;
  DecimalDigits radius_digits;
  bool radius_plain = false;
  const auto take_tool = [&](float diameter) {
    d = diameter;
    circle_end.clear();
    AppendLine(circle_end, "I", Masked(-(d / 2), i_mask), "J0.0");
    if (circle_end.size() <= kCircleEndRoom) std::copy(circle_end.begin(), circle_end.end(), circle_end_room);
    radius_text.clear();
    Append(radius_text, General(d / 2));
    radius_plain = ReadDecimalDigits(radius_text, radius_digits) &&
                   std::bit_cast<std::uint32_t>(ToSingle(radius_digits.value)) == std::bit_cast<std::uint32_t>(d / 2);
  };
  take_tool(d);
  // A hole: the rapid move to the start on the circle's right, then the
  // circle. Y is written twice as it was read: from its digits where they
  // reach (`y_digits` null: the general route).
  const auto write_hole = [&](float x, float y, const DecimalDigits* y_digits) {
    const float r = d / 2;
    start_x.clear();
    Append(start_x, Masked(x + r, xy_mask));
    Append(out, "G00X", start_x, "Y");
    if (y_digits == nullptr || !AppendDigitsMasked(out, *y_digits, xy_mask)) Append(out, Masked(y, xy_mask));
    Append(out, "\r\nG02X", start_x, "Y");
    if (y_digits == nullptr || !AppendDigitsGeneral(out, *y_digits)) Append(out, General(y));
    Append(out, circle_end);
    output.Pass();
  };
  // The same two lines of a plain "X.. Y.." line put together in one
  // piece: Y from its digits, the start X summed from the digits of X and
  // of the radius where the sum's float is that decimal (else from the
  // float sum); false (nothing written) where the digits do not reach.
  const auto write_hole_from_digits = [&](const DecimalDigits& x, const DecimalDigits& y) {
    if (circle_end.size() > kCircleEndRoom) return false;
    const float start_value = ToSingle(DigitsValue(x)) + d / 2;
    char sum_text[16];
    DecimalDigits start;
    const bool start_plain = radius_plain && SumDigits(x, radius_digits, start_value, sum_text, start);
    // Pieces of a known most size are copied whole, the next piece written
    // over what they bring past their end.
    constexpr std::size_t kStartRoom = 16;  // a sign, six digits, the point, five places
    char line[16 + 2 * kDigitsMaskedRoom + kDigitsGeneralRoom + kCircleEndRoom];
    char* p = std::copy_n("G00X", 4, line);
    char* const start_begin = p;
    if (start_plain) {
      p = WriteDigitsMasked(p, start, xy_mask);
      if (p == nullptr) return false;
    } else {
      start_x.clear();
      Append(start_x, Masked(start_value, xy_mask));
      if (start_x.size() > kStartRoom) return false;
      p = std::copy(start_x.begin(), start_x.end(), p);
    }
    const auto start_size = static_cast<std::size_t>(p - start_begin);
    *p++ = 'Y';
    p = WriteDigitsMasked(p, y, xy_mask);
    if (p == nullptr || start_size > kStartRoom) return false;
    p = std::copy_n("\r\nG02X", 6, p);
    std::memmove(p, start_begin, kStartRoom);
    p += start_size;
    *p++ = 'Y';
    p = WriteDigitsGeneral(p, y);
    if (p == nullptr) return false;
    std::memcpy(p, circle_end_room, kCircleEndRoom);
    p += circle_end.size();
    out.append(line, static_cast<std::size_t>(p - line));
    output.Pass();
    return true;
  };
  LineReader reader(hole_data);
  std::string_view line;
  DecimalDigits x_digits, y_digits;
  while (reader.Next(line)) {
    // The hole line as the hole data writes it, read in one pass.
    if (ReadHoleLine(line, x_digits, y_digits)) {
      if (!write_hole_from_digits(x_digits, y_digits)) {
        write_hole(ToSingle(DigitsValue(x_digits)), ToSingle(DigitsValue(y_digits)), &y_digits);
      }
      continue;
    }
    if (TakeToolLine(line, state, &out)) {
      take_tool(d);
      continue;
    }
    const FirstLetters letters(line);
    if (letters.Has('X') || letters.Has('Y')) {
      const float x = letters.Has('X') ? ToSingle(ReadNumber(NumberTextAfter(line, letters['X'], letters['Y']))) : 0;
      const bool y_plain = letters.Has('Y') && ReadDecimalDigits(line.substr(letters['Y'] + 1), y_digits);
      float y = 0;
      if (letters.Has('Y')) y = ToSingle(y_plain ? y_digits.value : ReadNumber(line.substr(letters['Y'] + 1)));
      write_hole(x, y, y_plain ? &y_digits : nullptr);
    }
  }
}

// The bytes of hole data converted as one piece.
constexpr std::size_t kHolePiece = std::size_t{1} << 20;

// The tool state at the start of each piece (`starts`), read from the
// table lines and tool choices alone, which a search for "T" and for the
// first byte of "φ" finds; false where such a line fails (the one pass
// then meets the failure where it stands).
bool ToolStatesAt(std::string_view hole_data, const std::vector<std::size_t>& starts, std::vector<ToolState>& states) {
  states.assign(starts.size() + 1, ToolState());
  ToolState state;
  std::size_t pos = 0;
  try {
    for (std::size_t k = 0; k < starts.size(); ++k) {
      while (true) {
        const std::size_t at = FindAnyOf<'T', static_cast<char>(0xCF)>(hole_data, pos);
        if (at == std::string_view::npos || at >= starts[k]) break;
        // The line around it, as LineReader gives it: from past the CR (and
        // the LF of a CR LF) before it to the next CR.
        const std::size_t cr = hole_data.rfind('\r', at);
        std::size_t begin = cr == std::string_view::npos ? 0 : cr + 1;
        if (cr != std::string_view::npos && begin < hole_data.size() && hole_data[begin] == '\n') ++begin;
        const std::size_t end = std::min(hole_data.find('\r', at), hole_data.size());
        const std::string_view line = hole_data.substr(begin, end - begin);
        DecimalDigits x, y;
        if (!ReadHoleLine(line, x, y)) TakeToolLine(line, state, nullptr);
        pos = end;
      }
      states[k + 1] = state;
      states[k + 1].found = false;  // each piece tells whether it chose a tool
    }
  } catch (const Failure&) {
    return false;
  }
  return true;
}

}  // namespace

ConversionResult HoleDataToGcode(std::string_view hole_data, TextOutput& output) {
  std::vector<std::size_t> starts = LinePiecesToRun(hole_data, kHolePiece);
  std::vector<ToolState> states;
  if (!ToolStatesAt(hole_data, starts, states)) {
    starts.clear();
    states.assign(1, ToolState());
  }
  // Each hole line is written from itself and the tool state, which the
  // tool lines alone set: the pieces are converted at once, each from the
  // state at its start.
  bool found = false;
  if (starts.empty()) {
    ConvertHoleLines(hole_data, states[0], output);
    found = states[0].found;
  } else {
    WritePiecesInOrder(
        starts.size() + 1, 3 * kHolePiece,
        [&](std::size_t k, TextOutput& out) { ConvertHoleLines(LinePiece(hole_data, starts, k), states[k], out); },
        output);
    for (const ToolState& state : states) found = found || state.found;
  }
  // Without a tool line the text written so far is not a result: the
  // caller drops it.
  if (!found) return ConversionResult::NothingToConvert();
  return ConversionResult(std::string());
}

ConversionResult HoleDataToGcode(std::string_view hole_data) {
  TextOutput out;
  ConversionResult result = HoleDataToGcode(hole_data, out);
  if (!result.nothing_to_convert) result.text = std::move(out.text);
  return result;
}

}  // namespace kovrel
