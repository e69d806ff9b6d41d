// HP-GL to G-code in its three passes: splitting, translating, finishing.
#include "convert/hpgl_gcode.h"

#include <cmath>

#include "convert/rapid_moves.h"
#include "core/append.h"
#include "core/arc_geometry.h"
#include "core/number_format.h"
#include "core/number_reader.h"
#include "core/text_reader.h"

namespace kovrel {
namespace {

constexpr float kMillimetresPerUnit = 0.025f;

std::string Mm(float value) {
  static const Mask mask = ParseMask("######0.0#####");
  return FormatMask(value, mask);
}

// The text after the first comma, or the text itself when it has none.
std::string_view AfterComma(std::string_view text) {
  const std::size_t comma = text.find(',');
  return comma == std::string_view::npos ? text : text.substr(comma + 1);
}

class HpglTranslator {
 public:
  void Line(std::string_view line);
  std::string& out() { return out_; }

 private:
  void Arc(float cx, float cy, float i, float j, double sweep);
  void PenCommands(std::string_view text);
  void Write(std::string_view word, float x, float y) { AppendLine(out_, word, "X", Mm(x), "Y", Mm(y)); }

  std::string out_;
  std::string motion_ = "G00";
  bool relative_ = false;
  float prev_x_ = 0, prev_y_ = 0;
};

void HpglTranslator::Line(std::string_view line) {
  if (HasLetter(line, "SP")) {
    out_ += line;
    out_ += "\r\n";
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
    AppendLine(out_, "G02X", Mm(prev_x_ + r), "Y", Mm(prev_y_), "I-", Mm(r), "J0");
    Write("G00", prev_x_, prev_y_);
  } else if (HasLetter(line, "PU") || HasLetter(line, "PD") || HasLetter(line, "PA") || HasLetter(line, "PR")) {
    PenCommands(line);
  }
}

void HpglTranslator::Arc(float cx, float cy, float i, float j, double sweep) {
  const std::string word = sweep >= 0 ? "G03" : "G02";
  const double r = std::sqrt(static_cast<double>(i) * i + static_cast<double>(j) * j);
  const double t = DirectionDegrees(i, j);
  const double theta = (sweep + t) * kPi / 180;
  const auto ex = static_cast<float>(cx - r * std::cos(theta));
  const auto ey = static_cast<float>(cy - r * std::sin(theta));
  AppendLine(out_, word, "X", Mm(ex), "Y", Mm(ey), "I", Mm(i), "J", Mm(j));
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
    float x = ToSingle(ReadNumber(text) * kMillimetresPerUnit);
    if (relative_) x += prev_x_;
    prev_x_ = x;
    text = AfterComma(text);
    float y = ToSingle(ReadNumber(text) * kMillimetresPerUnit);
    if (relative_) y += prev_y_;
    prev_y_ = y;
    Write(motion_, x, y);
    text = AfterComma(text);
    if (text.find(',') == std::string_view::npos) return;
  }
}

}  // namespace

std::string SplitHpglInstructions(std::string_view hpgl) {
  std::string lines;
  lines.reserve(hpgl.size() * 2);
  for (const char c : hpgl) {
    if (c == 27) {
      lines += 'E';
    } else if (c == ';' || c == ':') {
      lines += "\r\n\r\n";
    } else if (c != '\r' && c != '\n' && c != ' ') {
      lines += c;
    }
  }
  return lines;
}

ConversionResult HpglToGcode(std::string_view hpgl) {
  const std::string lines = SplitHpglInstructions(hpgl);
  HpglTranslator translator;
  LineReader reader(lines);
  std::string_view line;
  while (reader.Next(line)) translator.Line(line);

  // Finishing: only the last of a run of rapid moves is kept, and a rapid
  // move at the very end is dropped.
  std::string out = CollapseRapidMoves(translator.out(), "G00", [](std::string_view) { return false; });
  out += "M30\r\n";
  return ConversionResult(std::move(out));
}

}  // namespace kovrel
