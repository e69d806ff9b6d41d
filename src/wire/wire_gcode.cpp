// The wire-cut conversion: one translator state read line by line.
#include "wire/wire_gcode.h"

#include <array>
#include <string>
#include <utility>

#include "core/append.h"
#include "core/arc_geometry.h"
#include "core/failure.h"
#include "core/nc_coordinates.h"
#include "core/number_format.h"
#include "core/number_reader.h"
#include "core/text_reader.h"
#include "wire/program_lines.h"
#include "wire/wire_line.h"
#include "wire/wire_numbers.h"
#include "wire/wire_shapes.h"

namespace kovrel {
namespace {

constexpr std::size_t kHCount = 251;  // H0 to H250


void SkipBlanks(std::string_view text, std::size_t& pos) {
  while (pos < text.size() && text[pos] == ' ') ++pos;
}

// The digits at `pos` as a variable number (capped so that a long run of
// digits stays a large number); `pos` moves past them.
long VariableNumber(std::string_view text, std::size_t& pos) {
  long number = 0;
  for (; pos < text.size() && IsAsciiDigit(text[pos]); ++pos) {
    if (number < 100000) number = number * 10 + (text[pos] - '0');
  }
  return number;
}

class WireTranslator {
 public:
  explicit WireTranslator(TextOutput& output) : out_(output.text) {
    for (const std::size_t n : {110, 120, 130, 140, 150}) h_[n] = 0.2f;
  }

  void Line(std::string_view line);

 private:
  enum Motion { kRapid, kLinear, kClockwise, kCounterClockwise };

  void Move(Motion motion);
  void ShapeCall(std::string_view line);
  void Assignments(std::string_view line);
  // The sum of the terms at `pos` ("H" n, or a number, each with an
  // optional sign); stops at a character that begins no term, and before
  // an "H n =" when `stop_at_assignment`.
  double SumTerms(std::string_view text, std::size_t& pos, bool stop_at_assignment);
  float& H(long n) {
    if (n < 0 || static_cast<std::size_t>(n) >= kHCount) Fail(FailureKind::kIndexOutOfRange, Joined("H", std::to_string(n)));
    return h_[static_cast<std::size_t>(n)];
  }
  // The output point of the program point (x, y): the G92 base moved by
  // the program's travel since it was set.
  void UpdateOutput() {
    out_x_ = base_out_x_ + (x_ - base_x_);
    out_y_ = base_out_y_ + (y_ - base_y_);
  }
  // A motion line: its word, the output point's X and Y (from the digits
  // of the program's X and Y where they are that point, no G92 having
  // moved it, else as numbers), then with `arc` the centre's I and J.
  void Write(const char* word, bool arc = false, float i = 0, float j = 0) {
    MotionLine line(word);
    line.Add('X', [this](char* at) { return WriteCoordinate(at, out_x_, x_, x_digits_, coordinates_); });
    line.Add('Y', [this](char* at) { return WriteCoordinate(at, out_y_, y_, y_digits_, coordinates_); });
    if (arc) {
      line.Add('I', i, coordinates_);
      line.Add('J', j, coordinates_);
    }
    line.AppendTo(out_);
  }

  std::string& out_;  // the text of the output, where the lines are written
  CoordinateTexts coordinates_;
  WireDigits x_digits_, y_digits_;  // the digits of X and Y when this line wrote them
  float x_ = 0, y_ = 0;            // the program position (modal)
  float i_ = 0, j_ = 0, r_ = 0;    // arc words of the current line
  bool has_r_ = false;
  bool cutting_ = true;
  Motion motion_ = kRapid;
  float out_x_ = 0, out_y_ = 0;    // the output position
  float prev_x_ = 0, prev_y_ = 0;  // the output position after the previous line
  float base_out_x_ = 0, base_out_y_ = 0, base_x_ = 0, base_y_ = 0;  // paired by G92
  std::array<float, kHCount> h_{};
  float angle_ = 0;                // the K angle, degrees
};

void WireTranslator::Line(std::string_view line) {
  const WireLine codes(line);
  if (codes.comment || codes.G(4)) return;
  // The cutting rule is read on a line that holds an M code; other lines
  // keep the flag, so a cut started by G41 lasts until an M code ends it.
  if (codes.m != WireLine::kNone) {
    const long m = IntegerAfter(line.substr(codes.m), 'M');
    if (m == 0 || m == 1 || m == 2 || m == 21 || m == 50) cutting_ = false;
    if (m == 20 || m == 60 || m == 84) cutting_ = true;
  }
  if (codes.G(41) || codes.G(42) || codes.G(44)) cutting_ = true;
  i_ = j_ = 0;
  x_digits_.plain = y_digits_.plain = false;  // digits of this line only: the line's text goes
  if (codes.x != WireLine::kNone) x_ = WireValueAt(line, codes.x, &x_digits_);
  if (codes.y != WireLine::kNone) y_ = WireValueAt(line, codes.y, &y_digits_);
  if (codes.i != WireLine::kNone) i_ = WireValueAt(line, codes.i);
  if (codes.j != WireLine::kNone) j_ = WireValueAt(line, codes.j);
  has_r_ = codes.r != WireLine::kNone;
  if (has_r_) r_ = WireValueAt(line, codes.r);

  if (codes.G(92)) {
    base_out_x_ = out_x_, base_out_y_ = out_y_;
    base_x_ = x_, base_y_ = y_;
  } else if (codes.G(0)) {
    cutting_ = false;
    Move(kRapid);
  } else if (codes.G(1)) {
    Move(kLinear);
  } else if (codes.G(2)) {
    Move(kClockwise);
  } else if (codes.G(3)) {
    Move(kCounterClockwise);
  } else if (codes.G(22) && HasLetter(line, "G22L")) {
    ShapeCall(line);
  } else if (codes.k != WireLine::kNone) {
    std::size_t pos = codes.k + 1;
    double angle = SumTerms(line, pos, false) * 0.001;
    if (angle < 0) angle += 360;
    angle_ = ToSingle(angle);
  } else if (codes.h && codes.equals) {
    Assignments(line);
  } else if (codes.x != WireLine::kNone || codes.y != WireLine::kNone) {
    Move(motion_);  // the modal motion; a modal rapid keeps the cutting flag
  }
  prev_x_ = out_x_;
  prev_y_ = out_y_;
}

void WireTranslator::Move(Motion motion) {
  UpdateOutput();
  if (motion == kRapid || motion == kLinear) {
    motion_ = motion == kLinear && cutting_ ? kLinear : kRapid;
    Write(motion_ == kLinear ? "G01" : "G00");
    return;
  }
  motion_ = motion;
  float i = i_, j = j_;
  if (has_r_) {
    const ArcOffsets offsets = RadiusArcOffsets(prev_x_, prev_y_, out_x_, out_y_, r_, motion == kCounterClockwise);
    i = ToSingle(offsets.i);
    j = ToSingle(offsets.j);
  }
  Write(motion == kClockwise ? "G02" : "G03", true, i, j);
}

void WireTranslator::ShapeCall(std::string_view line) {
  ShapeSizes sizes;
  sizes.width = h_[100];
  sizes.height = h_[200];
  sizes.corner = h_[150];
  sizes.corners = {h_[110], h_[120], h_[130], h_[140]};
  // The shape is drawn around the point reached; the program's X and Y
  // keep their values. Each shape starts from that point and the wire goes
  // back to it afterwards.
  bool drawn = false;
  for (const std::string_view code : kShapeCodes) {
    if (!HasLetter(line, code)) continue;
    if (drawn) Write("G00");
    DrawShape(code, sizes, angle_, out_x_, out_y_, out_);
    drawn = true;
  }
  Write("G00");
  motion_ = kRapid;
  cutting_ = false;
  angle_ = 0;
}

double WireTranslator::SumTerms(std::string_view text, std::size_t& pos, bool stop_at_assignment) {
  double sum = 0;
  for (;;) {
    SkipBlanks(text, pos);
    const std::size_t start = pos;
    double sign = 1;
    while (pos < text.size() && (text[pos] == '+' || text[pos] == '-')) {
      if (text[pos] == '-') sign = -sign;
      ++pos;
      SkipBlanks(text, pos);
    }
    if (pos < text.size() && text[pos] == 'H') {
      std::size_t after = pos + 1;
      const long n = VariableNumber(text, after);
      std::size_t equals = after;
      SkipBlanks(text, equals);
      if (stop_at_assignment && equals < text.size() && text[equals] == '=') {
        pos = start;  // the next assignment begins here
        return sum;
      }
      sum += sign * H(n);
      pos = after;
    } else if (pos < text.size() && (IsAsciiDigit(text[pos]) || text[pos] == '.')) {
      static constexpr ByteSet kNumber("0123456789.");
      const std::string_view number = SpanOf(text.substr(pos), kNumber);
      sum += sign * WireMillimetres(number);
      pos += number.size();
    } else {
      pos = start;
      return sum;
    }
  }
}

void WireTranslator::Assignments(std::string_view line) {
  for (std::size_t pos = line.find('H'); pos != std::string_view::npos; pos = line.find('H', pos)) {
    std::size_t after = pos + 1;
    const long n = VariableNumber(line, after);
    const bool has_number = after > pos + 1;
    SkipBlanks(line, after);
    if (!has_number || after >= line.size() || line[after] != '=') {
      ++pos;
      continue;
    }
    pos = after + 1;
    const double value = SumTerms(line, pos, true);
    H(n) = ToSingle(value);
  }
}

}  // namespace

ConversionResult WireToGcode(std::string_view program, TextOutput& out, ProgramForm form) {
  out.text += "D10\r\nG00X0Y0\r\n";
  WireTranslator translator(out);
  ProgramLines reader(program, form);
  while (reader.NextHeld()) {
    // A comment line does nothing, and holds "(" in its bytes exactly when
    // it does in its text: one with bytes above ASCII is not decoded (an
    // ASCII line is its own text, and Line passes over a comment).
    if (reader.ascii() || reader.held().find('(') == std::string_view::npos) translator.Line(reader.Text());
    out.Pass();
  }
  out.text += "M30\r\n";
  return ConversionResult(std::string());
}

ConversionResult WireToGcode(std::string_view program) {
  TextOutput out;
  out.text.reserve(program.size() + program.size() / 4 + 16);
  WireToGcode(program, out);
  return ConversionResult(std::move(out.text));
}

}  // namespace kovrel
