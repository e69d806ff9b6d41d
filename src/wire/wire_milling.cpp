// Wire to milling: the fixed lines, then two readings of the wire program,
// each line scanned once for what the conversion asks of it (WireLine).
#include "wire/wire_milling.h"

#include <string>
#include <utility>

#include "core/append.h"
#include "core/text_reader.h"
#include "wire/wire_line.h"

namespace kovrel {
namespace {

// The main program (cutting depth #1, step depth #2 and end-mill diameter
// #3), the tool-set subprogram O777, the fixed-cycle subprogram O888, and
// the head of O1.
constexpr std::string_view kFixedLines =
    "#1=5.(KAKOU-FUKASA)\r\n"
    "#2=1.(STEP-FUKASA)\r\n"
    "#3=1.(ENDMIL-KEI)\r\n"
    "G17G90G00G80G40G49G54\r\n"
    "#1=ABS[#1]\r\n"
    "#2=ABS[#2]\r\n"
    "#3=ABS[#3]\r\n"
    "IF [#1 LT #2 ] GOTO999\r\n"
    "(CENTER-DR)\r\n"
    "G65P777T21S5000\r\n"
    "G98G81\r\n"
    "G66P888Z-1.R3.Q1.F35\r\n"
    "M98P1\r\n"
    "G67\r\n"
    "G80\r\n"
    "M09\r\n"
    "M05\r\n"
    "(DRN--6.5)\r\n"
    "G65P777T1S730\r\n"
    "G98G83\r\n"
    "G66P888Z-#1R3.Q1.F10.5\r\n"
    "M98P1\r\n"
    "G67\r\n"
    "G80\r\n"
    "M09\r\n"
    "M05\r\n"
    "(EMS4-6.0)\r\n"
    "G65P777T02S1900\r\n"
    "G00Z50.\r\n"
    "#10=0\r\n"
    "#5=#3*.5\r\n"
    "H100=#5\r\n"
    "N100\r\n"
    "#10=#10+#2\r\n"
    "G65P2Z-#10F35\r\n"
    "IF [#10 LT #1] GOTO100\r\n"
    "G65P2Z-#1F35\r\n"
    "G90G00Z10.\r\n"
    "M09\r\n"
    "M05\r\n"
    "G91G28Z0\r\n"
    "G49\r\n"
    "G28Y0\r\n"
    "M30\r\n"
    "N999 M00 (#1 OR #2 ---ERROR)\r\n"
    "M30\r\n"
    "O777\r\n"
    "(TOOL-SET)\r\n"
    "G91G28Z0\r\n"
    "G49M06T#20\r\n"
    "G90G00X0Y0\r\n"
    "G43Z50.H#20\r\n"
    "S#19\r\n"
    "M08\r\n"
    "M03\r\n"
    "M99\r\n"
    "O888\r\n"
    "(KOTEI-CICLE)\r\n"
    "G#4010G#4009Z#26R#18Q#17F#9\r\n"
    "M99\r\n"
    "O1\r\n"
    "(DRL-XY)\r\n";

// The X and Y words of the wire program as written: the characters after
// the first "X" (or "Y") among "0123456789.-", kept from line to line. The
// words stay where the program holds them, and their characters are found
// only when a word is written (most are replaced by the next line's first);
// a word of a line decoded on its own (which the next such line replaces)
// is copied at once.
class PointText {
 public:
  void Take(std::string_view line, const WireLine& facts, bool held) {
    if (facts.x != WireLine::kNone) x_.Take(line, facts.x, held);
    if (facts.y != WireLine::kNone) y_.Take(line, facts.y, held);
  }
  std::string_view x() { return x_.Text(); }
  std::string_view y() { return y_.Text(); }

 private:
  class Word {
   public:
    void Take(std::string_view line, std::size_t at, bool held) {
      if (held) {
        text_ = line.substr(at + 1);
        found_ = false;
        return;
      }
      copy_ = SpanOf(line.substr(at + 1), kWord);
      text_ = copy_;
      found_ = true;
    }
    std::string_view Text() {
      if (!found_) text_ = SpanOf(text_, kWord);
      found_ = true;
      return text_;
    }

   private:
    static constexpr ByteSet kWord{"0123456789.-"};
    std::string_view text_;  // the word, or (not yet found) the rest of its line
    bool found_ = true;
    std::string copy_;
  };

  Word x_, y_;
};

}  // namespace

ConversionResult WireToMilling(std::string_view program, TextOutput& output, ProgramForm form) {
  std::string& out = output.text;
  out += kFixedLines;
  PointText point;
  ProgramLines holes(program, form);
  std::string_view line;
  while (holes.Next(line)) {
    const WireLine facts(line);
    point.Take(line, facts, line.data() == holes.held().data());
    if (facts.m60 && !facts.G(50)) AppendLine(out, "X", point.x(), "Y", point.y());
    output.Pass();
  }
  out += "M99\r\nO2\r\n(ENDMILE-XY)\r\n";
  ProgramLines contour(program, form);
  while (contour.Next(line)) {
    const WireLine facts(line);
    point.Take(line, facts, line.data() == contour.held().data());
    output.Pass();
    if (facts.comment) continue;
    if (facts.m60) {
      out += "G00Z3.\r\nG01Z-#26F50.\r\n";  // plunge
    } else if (facts.m50) {
      out += "G00Z50.\r\n";  // retract
    } else if (facts.G(4) || facts.G(92)) {
      continue;
    } else if (facts.G(41) || facts.G(42)) {
      AppendLine(out, "G42G01X", point.x(), "Y", point.y(), "H100F#9");  // the end mill cuts on the right
    } else if (facts.G(40)) {
      AppendLine(out, "G40G01X", point.x(), "Y", point.y());
    } else if (facts.x != WireLine::kNone || facts.y != WireLine::kNone) {
      AppendLine(out, contour.held());
    }
  }
  out += "M99\r\n";
  return ConversionResult(std::string());
}

ConversionResult WireToMilling(std::string_view program) {
  TextOutput out;
  out.text.reserve(kFixedLines.size() + program.size() + program.size() / 2 + 64);
  WireToMilling(program, out);
  return ConversionResult(std::move(out.text));
}

}  // namespace kovrel
