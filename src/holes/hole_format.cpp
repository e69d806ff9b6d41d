// Hole data formatting: separator detection, block splitting and block
// analysis into the tool table and the hole list.
#include "holes/hole_format.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

#include "core/append.h"
#include "core/byte_scan.h"
#include "core/decimal_digits.h"
#include "core/nc_blocks.h"
#include "core/nc_coordinates.h"
#include "core/number_format.h"
#include "core/number_reader.h"
#include "core/text_reader.h"

namespace kovrel {
namespace {

constexpr std::string_view kCrLf = "\r\n";

const Mask& CoordinateMask() {
  static const Mask mask = ParseMask("#######0.0###");
  return mask;
}

float UnitScale(HoleUnit unit) {
  switch (unit) {
    case HoleUnit::kHundredths: return 10.0f;
    case HoleUnit::kTenThousandths: return 0.1f;
    default: return 1.0f;
  }
}

// Millimetres from a number of thousandths, rounded to four decimals as the
// program writes them.
double FromThousandths(double value) {
  static const Mask mask = ParseMask("#####0.0###");
  return RoundedByMask(value * 0.001, mask);
}

// The width of the leading-zero field of a unit in thousandths (0: a
// whole number of thousandths), or -1 for a unit in any other measure.
int ThousandthsFieldWidth(HoleUnit unit) {
  switch (unit) {
    case HoleUnit::kThousandths: return 0;
    case HoleUnit::kLeadingZeros6: return 6;
    case HoleUnit::kLeadingZeros7: return 7;
    default: return -1;
  }
}

// The text a whole number of thousandths (the unit X1230) after its letter
// gets in the coordinate mask, written at `p` (with room for eight bytes
// past its end) from its digits: a sign, the millimetres ("0" for none),
// the point and the thousandths without the zeros at their end (one
// kept). The digits are read and moved eight bytes at a time. `text` is
// moved past the number; `line` is where the text that may be read
// begins. nullptr where the general reading takes the number: more than
// six significant digits (or seven digits in all), or a point, blank or
// sign after the digits.
char* WriteThousandths(char* p, const char* line, const char*& text, const char* end) {
  static constexpr ByteSet kNumber(" 0123456789.-+");
  const char* q = text;
  const bool negative = q < end && *q == '-';
  if (q < end && (*q == '-' || *q == '+')) ++q;
  const std::uint64_t word = byte_scan::LoadWithin(line, q, end);
  const int digits = byte_scan::LeadingDigits(word);
  if (digits == 0 || digits == 8) return nullptr;
  const char* const after = q + digits;
  if (after < end && kNumber.Contains(*after)) return nullptr;
  // The byte after the digits is no "0": a first byte other than "0" is there.
  constexpr std::uint64_t kHighBits = 0x8080808080808080ULL;
  const auto zeros = static_cast<int>(byte_scan::FirstMarked(~byte_scan::Matches(word, '0') & kHighBits));
  const int count = digits - zeros;
  if (count > 6) return nullptr;
  text = after;
  if (negative && count > 0) *p++ = '-';
  const std::uint64_t significant = word >> (8 * zeros);
  std::uint64_t places;  // the three places as three bytes
  if (count > 3) {
    byte_scan::Store(p, significant);
    p += count - 3;
    places = (significant >> (8 * (count - 3))) & 0xFFFFFF;
  } else {
    // Zeros stand in for the places a short number lacks.
    *p++ = '0';
    const int missing = 8 * (3 - count);
    places = ((significant << missing) & 0xFFFFFF) | (0x303030 & ((std::uint64_t{1} << missing) - 1));
  }
  *p++ = '.';
  byte_scan::Store(p, places);
  const int kept = ((places >> 16) & 0xFF) != '0' ? 3 : ((places >> 8) & 0xFF) != '0' ? 2 : 1;
  return p + kept;
}

// The state of one formatting run.
class HoleFormatter {
 public:
  HoleFormatter(const HoleFormatOptions& options, std::size_t input_size) : options_(options) {
    list_.reserve(input_size + input_size / 2);
  }

  // A block passes three steps: its coordinates make the pending hole, the
  // hole mode decides whether the pending hole is written, and the tool
  // mode decides whether the block selects a tool.
  void Block(std::string_view line);
  std::string Result() {
    // The short table goes before the list in the room the list already
    // has: the list is not copied into fresh memory.
    const std::size_t table = table_.size(), list = list_.size();
    if (table + list > list_.capacity()) {
      table_ += list_;
      return std::move(table_);
    }
    list_.resize(table + list);
    std::memmove(list_.data() + table, list_.data(), list);
    std::memcpy(list_.data(), table_.data(), table);
    return std::move(list_);
  }

 private:
  // The X and Y of a block "X<thousandths>Y<thousandths>...", read and
  // written from their digits in one piece; false where the general
  // reading decides.
  bool ThousandthsBlock(std::string_view line);
  void HoleStep(std::string_view line);
  void ToolStep(std::string_view line, bool has_coordinates);
  // Reads the axis's coordinate after its letter at `at` into its text.
  void Coordinate(std::string_view line, std::size_t at, ModalAxis& axis, std::string& text);
  void EmitPendingHole();
  void WriteTool();

  const HoleFormatOptions& options_;
  std::string table_;  // the tool table
  std::string list_;   // the hole list
  ModalAxis x_, y_;
  std::string x_text_, y_text_;
  std::string pending_hole_;
  bool tool_written_ = false;
  float tool_counter_ = 0;
  bool cycle_on_ = false;
  bool table_has_diameters_ = false;
};

void HoleFormatter::Coordinate(std::string_view line, std::size_t at, ModalAxis& axis, std::string& text) {
  if (at == std::string_view::npos) return;
  const std::string_view after = line.substr(at + 1);
  text.clear();
  // An absolute coordinate written as it was read, where its digits reach:
  // the value is then only ever written, never added to.
  if (!options_.incremental && !options_.inch) {
    DecimalDigits digits;
    char field[16];
    const int width = ThousandthsFieldWidth(options_.unit);
    if (width >= 0 && ThousandthsDigits(after, width, field, digits) && AppendDigitsMasked(text, digits, CoordinateMask())) {
      return;
    }
  }
  axis.value = HoleCoordinate(after, options_.unit, options_.inch);
  if (options_.incremental) axis.value = axis.sum += axis.value;
  Append(text, Masked(axis.value, CoordinateMask()));
}

void HoleFormatter::EmitPendingHole() {
  if (pending_hole_.empty()) return;
  AppendLine(list_, pending_hole_);
  tool_written_ = false;
  pending_hole_.clear();
}

void HoleFormatter::WriteTool() {
  const std::string tool = Joined("T", FormatMask(tool_counter_, "#00"));
  list_ += tool;
  list_ += kCrLf;
  table_ += tool + "φ1.000";
  table_ += kCrLf;
  tool_written_ = true;
  pending_hole_.clear();
}

void HoleFormatter::Block(std::string_view line) {
  while (!line.empty() && line.front() == ' ') line.remove_prefix(1);
  // An empty line (a blank line, or the end of the text after the last
  // separator) is no block: it neither starts a tool nor moves anything.
  if (line.empty()) return;
  if (ThousandthsBlock(line)) {
    HoleStep(line);
    ToolStep(line, true);
    return;
  }
  const std::size_t x_at = line.find('X');
  const std::size_t y_at = line.find('Y');
  const bool has_coordinates = x_at != std::string_view::npos || y_at != std::string_view::npos;
  Coordinate(line, x_at, x_, x_text_);
  Coordinate(line, y_at, y_, y_text_);
  if (has_coordinates) {
    if (options_.hole_mode == HoleMode::kEveryCoordinate) {
      // Written at once, as the hole step would write it.
      AppendLine(list_, "X", x_text_, " Y", y_text_);
      tool_written_ = false;
      pending_hole_.clear();
    } else {
      pending_hole_.clear();
      Append(pending_hole_, "X", x_text_, " Y", y_text_);
    }
  }
  HoleStep(line);
  ToolStep(line, has_coordinates);
}

bool HoleFormatter::ThousandthsBlock(std::string_view line) {
  if (options_.incremental || options_.inch || options_.unit != HoleUnit::kThousandths || line.front() != 'X') {
    return false;
  }
  const char* text = line.data() + 1;
  const char* const end = line.data() + line.size();
  // "X", the number, " Y", the number, CR LF
  char hole[64];
  hole[0] = 'X';
  char* const x_end = WriteThousandths(hole + 1, line.data(), text, end);
  if (x_end == nullptr || text == end || *text != 'Y') return false;
  ++text;
  char* const y_begin = x_end + 2;
  char* const y_end = WriteThousandths(y_begin, line.data(), text, end);
  if (y_end == nullptr) return false;
  x_end[0] = ' ';
  x_end[1] = 'Y';
  y_end[0] = '\r';
  y_end[1] = '\n';
  x_text_.assign(hole + 1, x_end);
  y_text_.assign(y_begin, y_end);
  if (options_.hole_mode == HoleMode::kEveryCoordinate) {
    list_.append(hole, y_end + 2);
    tool_written_ = false;
    pending_hole_.clear();
  } else {
    pending_hole_.assign(hole, y_end);
  }
  return true;
}

void HoleFormatter::HoleStep(std::string_view line) {
  switch (options_.hole_mode) {
    case HoleMode::kEveryCoordinate:
      EmitPendingHole();
      break;
    case HoleMode::kDesignatedCode:
      if (HasLetter(line, options_.hole_code)) EmitPendingHole();
      break;
    case HoleMode::kCycle:
      if (HasLetter(line, options_.cycle_code)) cycle_on_ = true;
      if (HasLetter(line, options_.cancel_code)) cycle_on_ = false;
      if (cycle_on_) EmitPendingHole();
      break;
  }
}

void HoleFormatter::ToolStep(std::string_view line, bool has_coordinates) {
  if (options_.hole_mode == HoleMode::kDesignatedCode && options_.hole_code == "D03") {
    // Gerber-like data: the D code numbers the tools; D01 to D03 are none.
    const std::size_t d = line.find('D');
    tool_counter_ = ToSingle(ReadNumber(d == std::string_view::npos ? line : line.substr(d + 1)));
    if (tool_counter_ > 3) WriteTool();
    return;
  }
  if (options_.tool_mode == ToolMode::kBlocksWithoutCoordinates) {
    if (!has_coordinates && !tool_written_) {
      tool_counter_ += 1;
      WriteTool();
    }
    return;
  }
  if (!HasLetter(line, options_.tool_text)) return;
  if (HasLetter(options_.tool_text, "T")) {
    // T codes of the data: a line with "φ" is a table line of its own, any
    // other selects the tool (and stands in the table until one has "φ").
    if (HasLetter(line, "φ")) {
      table_has_diameters_ = true;
      table_ += line;
      table_ += kCrLf;
    } else {
      list_ += line;
      list_ += kCrLf;
      if (!table_has_diameters_) {
        table_ += line;
        table_ += "φ1.000";
        table_ += kCrLf;
      }
    }
    tool_written_ = true;
    pending_hole_.clear();
  } else if (!tool_written_) {
    tool_counter_ += 1;
    WriteTool();
  }
}

}  // namespace

std::optional<OptionProblem> Validate(const HoleFormatOptions& options) {
  if (options.hole_mode == HoleMode::kDesignatedCode && options.hole_code.empty()) {
    return OptionProblem{"hole-code", "穴とする指定コードが空です"};
  }
  if (options.tool_mode == ToolMode::kDesignatedText && options.tool_text.empty()) {
    return OptionProblem{"tool-text", "Ｔコードとする指定文字が空です"};
  }
  return std::nullopt;
}

namespace {

// The value in the data's own unit, rounded as the program writes it.
double DataValue(std::string_view after_letter, HoleUnit unit) {
  switch (unit) {
    case HoleUnit::kLeadingZeros6: return FromThousandths(ReadLeadingZeroField(after_letter, 6));
    case HoleUnit::kLeadingZeros7: return FromThousandths(ReadLeadingZeroField(after_letter, 7));
    // Eight places of which two are whole: millionths, kept to four decimals.
    case HoleUnit::kLeadingZeros2Integer: return FromThousandths(ReadLeadingZeroField(after_letter, 8) * 0.001);
    default: break;
  }
  static constexpr ByteSet kNumber(" 0123456789.-+");
  const double value = ReadNumber(SpanOf(after_letter, kNumber));
  const float scale = UnitScale(unit);
  if (unit == HoleUnit::kDecimal) return value * scale;
  return FromThousandths(value) * scale;
}

}  // namespace

float HoleCoordinate(std::string_view after_letter, HoleUnit unit, bool inch) {
  const float value = ToSingle(DataValue(after_letter, unit));
  if (!inch) return value;
  return ToSingle(static_cast<double>(value) * kMillimetresPerInch);
}

std::string FormatHoleData(std::string_view text, const HoleFormatOptions& options) {
  HoleFormatter formatter(options, text.size());
  BlockReader blocks(text, DetectBlockSeparator(text));
  std::string_view line;
  while (blocks.Next(line)) formatter.Block(line);
  return formatter.Result();
}

}  // namespace kovrel
