// HP-GL to G-code in its three passes: splitting, translating, finishing.
// The passes run together, an instruction at a time, so that neither the
// split text nor the unfinished G-code is ever held whole: the result goes
// out as it is made.
#include "convert/hpgl_gcode.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <utility>
#include <vector>

#include "core/append.h"
#include "core/arc_geometry.h"
#include "core/byte_scan.h"
#include "core/digit_run.h"
#include "core/number_format.h"
#include "core/number_reader.h"
#include "core/text_reader.h"

namespace kovrel {
namespace {

constexpr float kMillimetresPerUnit = 0.025f;

const Mask& MmMask() {
  static const Mask mask = ParseMask("######0.0#####");
  return mask;
}

MaskedNumber<float> Mm(float value) { return Masked(value, MmMask()); }

// The text after the first comma, or the text itself when it has none.
std::string_view AfterComma(std::string_view text) {
  const std::size_t comma = text.find(',');
  return comma == std::string_view::npos ? text : text.substr(comma + 1);
}

// The millimetre texts of whole plotter units in [0, kCachedUnits), each
// written by Mm() the first time it is needed and then copied: absolute
// pen moves repeat the same few thousand coordinates over and over, and
// the text of a value is always the same.
class UnitTexts {
 public:
  static constexpr int kCachedUnits = 1 << 16;

  struct Text {
    unsigned char size = 0;  // 0: not written yet
    char chars[15];
  };

  /// The text of Mm(`value`) kept for `units`, the plotter number it was
  /// read from; nullptr when that is no whole number in range (any value
  /// may be asked for).
  const Text* Find(float value, double units) {
    if (!(units >= 0 && units < kCachedUnits) || units != static_cast<int>(units)) return nullptr;
    Text& text = texts_[static_cast<std::size_t>(units)];
    if (text.size == 0) {
      std::string written;
      kovrel::Append(written, Mm(value));
      if (written.size() > sizeof text.chars) return nullptr;  // cannot happen below 2^16 units
      written.copy(text.chars, written.size());
      text.size = static_cast<unsigned char>(written.size());
    }
    return &text;
  }

  /// Appends Mm(`value`), the kept text where there is one.
  void Append(std::string& out, float value, double units) {
    const Text* text = Find(value, units);
    if (text == nullptr) {
      kovrel::Append(out, Mm(value));
    } else {
      out.append(text->chars, text->size);
    }
  }

 private:
  std::vector<Text> texts_ = std::vector<Text>(kCachedUnits);
};

class HpglTranslator {
 public:
  explicit HpglTranslator(TextOutput& out) : finish_(out) {}
  void Line(std::string_view line);

 private:
  void Arc(float cx, float cy, float i, float j, double sweep);
  void PenCommands(std::string_view text);
  void Write(std::string_view word, float x, float y) { Emit(word, "X", Mm(x), "Y", Mm(y)); }
  // A pen move to (x, y) read from the plotter numbers x_units, y_units
  // (NaN for a relative move): the same line as Write.
  void WriteMove(float x, double x_units, float y, double y_units) {
    const UnitTexts::Text* x_text = units_.Find(x, x_units);
    const UnitTexts::Text* y_text = units_.Find(y, y_units);
    if (x_text != nullptr && y_text != nullptr && motion_.size() == 3) {
      // The line at once: every piece copied in one move of its room.
      char line[3 + 1 + 15 + 1 + 15];
      std::memcpy(line, motion_.data(), 3);
      char* p = line + 3;
      *p++ = 'X';
      std::memcpy(p, x_text->chars, sizeof x_text->chars);
      p += x_text->size;
      *p++ = 'Y';
      std::memcpy(p, y_text->chars, sizeof y_text->chars);
      p += y_text->size;
      line_.assign(line, static_cast<std::size_t>(p - line));
      finish_.Line(line_);
      return;
    }
    line_.clear();
    line_ += motion_;
    line_ += 'X';
    units_.Append(line_, x, x_units);
    line_ += 'Y';
    units_.Append(line_, y, y_units);
    finish_.Line(line_);
  }

  // One G-code line, built in `line_` and handed to the finishing pass.
  template <typename... Pieces>
  void Emit(const Pieces&... pieces) {
    line_.clear();
    Append(line_, pieces...);
    finish_.Line(line_);
  }

  RapidMoveHolder finish_;
  UnitTexts units_;
  std::string line_;
  std::string_view motion_ = "G00";
  bool relative_ = false;
  float prev_x_ = 0, prev_y_ = 0;
};

// What the pen words of an instruction are, by one look at each "P": a
// pen selection "SP" anywhere, and any of "PU", "PD", "PA", "PR".
struct PenWords {
  bool select = false, pen = false;
};
PenWords FindPenWords(std::string_view line) {
  PenWords words;
  for (std::size_t at = line.find('P'); at != std::string_view::npos; at = line.find('P', at + 1)) {
    words.select = words.select || (at > 0 && line[at - 1] == 'S');
    if (at + 1 < line.size()) {
      const char c = line[at + 1];
      words.pen = words.pen || c == 'U' || c == 'D' || c == 'A' || c == 'R';
    }
  }
  return words;
}

void HpglTranslator::Line(std::string_view line) {
  const PenWords words = FindPenWords(line);
  if (words.select) {
    Emit(line);
  } else if (line.starts_with("AA")) {
    const std::string_view params = line.substr(2);
    const auto cx = ToSingle(ReadNumber(params) * kMillimetresPerUnit);
    const auto cy = ToSingle(ReadNumber(AfterComma(params)) * kMillimetresPerUnit);
    const double sweep = ReadNumber(AfterComma(AfterComma(params)));
    Arc(cx, cy, cx - prev_x_, cy - prev_y_, sweep);
  } else if (line.starts_with("AR")) {
    const std::string_view params = line.substr(2);
    const auto i = ToSingle(ReadNumber(params) * kMillimetresPerUnit);
    const auto j = ToSingle(ReadNumber(AfterComma(params)) * kMillimetresPerUnit);
    Arc(prev_x_ + i, prev_y_ + j, i, j, ReadNumber(AfterComma(AfterComma(params))));
  } else if (line.starts_with("CI")) {
    const auto r = ToSingle(ReadNumber(line.substr(2)) * kMillimetresPerUnit);
    Write("G00", prev_x_ + r, prev_y_);
    Emit("G02X", Mm(prev_x_ + r), "Y", Mm(prev_y_), "I-", Mm(r), "J0");
    Write("G00", prev_x_, prev_y_);
  } else if (words.pen) {
    PenCommands(line);
  }
}

void HpglTranslator::Arc(float cx, float cy, float i, float j, double sweep) {
  const std::string_view word = sweep >= 0 ? "G03" : "G02";
  const double r = std::sqrt(static_cast<double>(i) * i + static_cast<double>(j) * j);
  const double t = DirectionDegrees(i, j);
  const double theta = (sweep + t) * kPi / 180;
  const auto ex = static_cast<float>(cx - r * std::cos(theta));
  const auto ey = static_cast<float>(cy - r * std::sin(theta));
  Emit(word, "X", Mm(ex), "Y", Mm(ey), "I", Mm(i), "J", Mm(j));
  prev_x_ = ex;
  prev_y_ = ey;
  motion_ = "G01";
}

void HpglTranslator::PenCommands(std::string_view text) {
  while (true) {
    if (text.starts_with("P")) {
      bool stripped = false;
      const auto strip = [&](std::string_view command) {
        if (!text.starts_with(command)) return false;
        text.remove_prefix(2);
        stripped = true;
        return true;
      };
      if (strip("PU")) motion_ = "G00";
      if (strip("PD")) motion_ = "G01";
      if (strip("PA")) relative_ = false;
      if (strip("PR")) relative_ = true;
      if (!stripped || text.empty()) return;
      continue;
    }
    if (text.empty() || std::string_view("01234567890.-+").find(text.front()) == std::string_view::npos) return;
    // Each number tells where the first comma after it stands (AfterComma
    // without a second search).
    std::size_t comma;
    const auto after_comma = [&text, &comma] {
      if (comma != std::string_view::npos) text.remove_prefix(comma + 1);
    };
    const double x_units = ReadPlotterNumber(text, comma);
    float x = ToSingle(x_units * kMillimetresPerUnit);
    if (relative_) x += prev_x_;
    prev_x_ = x;
    after_comma();
    const double y_units = ReadPlotterNumber(text, comma);
    float y = ToSingle(y_units * kMillimetresPerUnit);
    if (relative_) y += prev_y_;
    prev_y_ = y;
    // A relative move's value is not its number's: no cached text.
    const double no_units = std::nan("");
    WriteMove(x, relative_ ? no_units : x_units, y, relative_ ? no_units : y_units);
    after_comma();
    if (text.find(',') == std::string_view::npos) return;
  }
}

// The characters the splitting pass drops from an instruction.
constexpr bool IsDropped(char c) { return c == '\r' || c == '\n' || c == ' '; }

// True for the bytes that end an instruction.
constexpr bool EndsInstruction(char c) { return c == ';' || c == ':'; }

}  // namespace

std::string SplitHpglInstructions(std::string_view hpgl) {
  std::string lines;
  lines.reserve(hpgl.size() * 2);
  for (const char c : hpgl) {
    if (c == 27) {
      lines += 'E';
    } else if (c == ';' || c == ':') {
      lines += "\r\n\r\n";
    } else if (!IsDropped(c)) {
      lines += c;
    }
  }
  return lines;
}

double ReadPlotterNumber(std::string_view text, std::size_t& comma) {
  // Only "-"? followed by 1 to 9 digits, then a comma or the end: an
  // integer that a double holds exactly, which is what ReadNumber gives
  // (with -0 for "-0", as there). Anything else after the digits (a point,
  // an exponent, a blank ReadNumber skips) goes the general way.
  const char* const begin = text.data();
  const char* const end = begin + text.size();
  const bool negative = begin < end && *begin == '-';
  const char* const first = begin + negative;
  const char* const limit = first + std::min<std::ptrdiff_t>(end - first, 10);
  const char* p = first;
  std::int64_t value = 0;
  std::uint64_t run = 0;
  const int leading = end - first >= 8 ? LeadingDigits(first, run) : 8;
  if (leading < 8) {
    // Fewer than eight digits, all in the word read.
    p += leading;
    value = static_cast<std::int64_t>(run);
  } else {
    for (; p < limit && IsAsciiDigit(*p); ++p) value = value * 10 + (*p - '0');
  }
  const std::ptrdiff_t digits = p - first;
  if (digits == 0 || digits > 9 || (p < end && *p != ',')) {
    comma = text.find(',');
    return ReadNumber(text);
  }
  // The digits end at the first comma, or at the end of the text.
  comma = p < end ? static_cast<std::size_t>(p - begin) : std::string_view::npos;
  const auto whole = static_cast<double>(value);
  return negative ? -whole : whole;
}

double ReadPlotterNumber(std::string_view text) {
  std::size_t comma;
  return ReadPlotterNumber(text, comma);
}

bool NextHpglInstruction(std::string_view hpgl, std::size_t& pos, std::string& scratch, std::string_view& instruction) {
  // Line ends and blanks before an instruction (the line end after each
  // ";" in most files) are dropped anyway; then the instruction is a view
  // of the text as long as nothing in it has to be dropped or changed.
  while (pos < hpgl.size() && IsDropped(hpgl[pos])) ++pos;
  if (pos >= hpgl.size()) return false;
  const std::size_t begin = pos;
  bool changed = false;
  // The bytes kept as they are passed over sixteen at a time; an escape
  // is changed and a line end or blank dropped, so the instruction is
  // copied then.
  while (true) {
    pos = std::min(FindAnyOf<';', ':', '\x1b', '\r', '\n', ' '>(hpgl, pos), hpgl.size());
    if (pos == hpgl.size() || EndsInstruction(hpgl[pos])) break;
    changed = true;
    ++pos;
  }
  const std::string_view text = hpgl.substr(begin, pos - begin);
  if (pos < hpgl.size()) ++pos;
  if (!changed) {
    instruction = text;
    return true;
  }
  scratch.clear();
  for (const char c : text) {
    if (c == 27) {
      scratch += 'E';
    } else if (!IsDropped(c)) {
      scratch += c;
    }
  }
  instruction = scratch;
  return true;
}

void RapidMoveHolder::Line(std::string& line) {
  if (line.starts_with("G00")) {
    std::swap(held_, line);
    holding_ = true;
    return;
  }
  if (holding_) AppendLine(out_.text, held_);
  AppendLine(out_.text, line);
  holding_ = false;
  out_.Pass();
}

ConversionResult HpglToGcode(std::string_view hpgl, TextOutput& out) {
  // Every instruction is one line of the split text; the empty lines
  // between them translate to nothing, so they are not made at all.
  HpglTranslator translator(out);
  std::string scratch;
  std::string_view instruction;
  std::size_t pos = 0;
  while (NextHpglInstruction(hpgl, pos, scratch, instruction)) translator.Line(instruction);
  AppendLine(out.text, "M30");
  return ConversionResult(std::string());
}

ConversionResult HpglToGcode(std::string_view hpgl) {
  TextOutput out;
  ConversionResult result = HpglToGcode(hpgl, out);
  result.text = std::move(out.text);
  return result;
}

}  // namespace kovrel
