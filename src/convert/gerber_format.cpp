// Gerber formatting: terminator detection, normalising, translating.
#include "convert/gerber_format.h"

#include <utility>

#include "core/append.h"
#include "core/arc_geometry.h"
#include "core/decimal_digits.h"
#include "core/failure.h"
#include "core/line_words.h"
#include "core/nc_blocks.h"
#include "core/nc_coordinates.h"
#include "core/number_format.h"
#include "core/number_reader.h"
#include "core/text_reader.h"

namespace kovrel {
namespace {

CoordinateUnit UnitOf(GerberUnit unit) {
  switch (unit) {
    case GerberUnit::kDecimal: return {1000, 0};
    case GerberUnit::kHundredths: return {10, 0};
    case GerberUnit::kThousandths: return {1, 0};
    case GerberUnit::kTenThousandths: return {0.1, 0};
    case GerberUnit::kLeadingZeros6: return {1, 6};
    case GerberUnit::kLeadingZeros7: return {1, 7};
    case GerberUnit::kHundredThousandths: return {0.01, 0};
    case GerberUnit::kLeadingZeros2Integer: return {0.001, 8};  // eight places, millionths
  }
  return {1, 0};
}

CoordinateUnit Unit(const GerberFormatOptions& options) {
  CoordinateUnit unit = UnitOf(options.unit);
  if (options.inch) unit.factor *= kMillimetresPerInch;
  return unit;
}

// The state machine of Gerber data, one block at a time. Its state is the
// motion word the next coordinates draw with (G00 pen up, G01 pen down,
// G02/G03 arcs), the last D function (D01 draw, D02 move, D03 flash; 0
// right after an aperture selection), the aperture selected, and the modal
// coordinates with their texts. A block first updates the modes (G90/G91,
// the D code, the G code), then the coordinates, then writes at most one
// line: a radius arc, a flash (a move and a zero-length draw), an arc with
// its I and J, or a move or draw with the current motion word.
class GerberTranslator {
 public:
  GerberTranslator(const GerberFormatOptions& options, TextOutput& output)
      : unit_(Unit(options)), incremental_(options.incremental), output_(output), out_(output.text) {}
  void Block(std::string_view block);

 private:
  template <typename... Pieces>
  void Line(const Pieces&... pieces) {
    AppendTextLine(out_, pieces...);
  }
  // `text` becomes the letter and the coordinate after it at `at` as
  // FormatCoordinate writes it, in the room the string already has; an
  // absolute coordinate is written from the digits it was read from.
  void Address(std::string& text, char letter, std::string_view block, std::size_t at) const {
    text.assign(1, letter);
    AppendReadCoordinate(text, block.substr(at + 1), unit_, MillimetreMask());
  }
  void EnsureAperture() {
    if (aperture_ != 0) return;
    Line("D10");
    aperture_ = 10;
  }

  CoordinateUnit unit_;
  bool incremental_;
  TextOutput& output_;
  std::string& out_;  // the text of output_, where the lines are written
  int motion_ = 0;  // 0 to 3: G00 to G03
  long d_function_ = 2;  // D02: the pen starts up
  long aperture_ = 0;    // none yet: the first draw selects D10
  std::string x_text_ = "X0", y_text_ = "Y0", i_text_ = "I0", j_text_ = "J0";
  ModalAxis x_, y_;
  float start_x_ = 0, start_y_ = 0;
};

constexpr char kMotionWords[][4] = {"G00", "G01", "G02", "G03"};

void GerberTranslator::Block(std::string_view block) {
  if (block.empty()) return;
  // The block readers drop the "%" parameters, so no "%" reaches here.
  const FirstLetters letters(block);
  const bool has_g = letters.Has('G');
  if (has_g && HasLetter(block, "G90")) incremental_ = false;
  if (has_g && HasLetter(block, "G91")) incremental_ = true;
  const bool has_i = letters.Has('I'), has_j = letters.Has('J'), has_r = letters.Has('R');
  if (!has_i && !has_j && !has_r && motion_ >= 2) motion_ = 0;

  const bool has_x = letters.Has('X'), has_y = letters.Has('Y');
  bool flash_here = false;  // a flash at the point this block moves to
  if (letters.Has('D')) {
    const long n = IntegerAt(block, letters['D']);
    if (n > 3 && n != aperture_) {
      if (n > 9999) Fail(FailureKind::kInvalidValue, "アパーチャ番号 D" + std::to_string(n) + " が 9999 を超えています");
      Line("D", std::to_string(n));
      Line("G00", x_text_, y_text_);
      motion_ = 0;
      aperture_ = n;
      d_function_ = 0;
    } else {
      d_function_ = n;
      if (d_function_ == 1 && motion_ == 0) motion_ = 1;
      if (d_function_ == 2) motion_ = 0;
      if (d_function_ == 3) {
        // A lone D03 flashes where the pen stands; with coordinates in the
        // same block it flashes at the point the block gives.
        if (has_x || has_y) {
          flash_here = true;
        } else {
          Line("G01", x_text_, y_text_);
        }
      }
    }
  }
  if (has_g) {
    const long g = IntegerAt(block, letters['G']);
    if (g == 1 && d_function_ == 2) motion_ = 0;
    if (g == 1 && d_function_ == 1) motion_ = 1;
    if (g == 2 || g == 3) motion_ = static_cast<int>(g);
  }
  const auto axis = [&](ModalAxis& modal, std::string& text, char letter) {
    const std::size_t at = letters[letter];
    TakeCoordinate(modal, text, letter, block, at == FirstLetters::kNone ? at : at + 1, incremental_, unit_,
                   MillimetreMask());
  };
  axis(x_, x_text_, 'X');
  axis(y_, y_text_, 'Y');
  if (has_i) Address(i_text_, 'I', block, letters['I']);
  if (has_j) Address(j_text_, 'J', block, letters['J']);
  if (has_r) {
    const float r = ReadCoordinate(block.substr(letters['R'] + 1), unit_);
    Line(RadiusArcLine(std::string(kMotionWords[motion_]), start_x_, start_y_, x_.value, y_.value, r));
    start_x_ = x_.value;
    start_y_ = y_.value;
    return;
  }
  if (!has_x && !has_y) return;
  if (d_function_ == 3) {
    EnsureAperture();
    Line("G00", x_text_, y_text_);
    if (flash_here) Line("G01", x_text_, y_text_);
  } else if (motion_ >= 2) {
    Line(kMotionWords[motion_], x_text_, y_text_, i_text_, j_text_);
    i_text_ = "I0";
    j_text_ = "J0";
  } else {
    EnsureAperture();
    Line(kMotionWords[motion_], x_text_, y_text_);
  }
  start_x_ = x_.value;
  start_y_ = y_.value;
}

}  // namespace

ConversionResult FormatGerber(std::string_view gerber, const GerberFormatOptions& options, TextOutput& out) {
  // With "*" ending the blocks every CR and LF is dropped, wherever it
  // stands; otherwise the line ends end the blocks and are read as line
  // breaks, whatever system wrote them.
  std::string with_crlf;
  std::string separator = DetectBlockSeparator(gerber);
  if (separator != "*" && HasLoneLineEnds(gerber)) {
    with_crlf = WithCrLfLineEnds(gerber);
    gerber = with_crlf;
    separator = DetectBlockSeparator(gerber);
  }
  GerberTranslator translator(options, out);
  const auto translate = [&](auto& reader) {
    std::string_view block;
    while (reader.Next(block)) {
      translator.Block(block);
      out.Pass();
    }
  };
  if (gerber.find('"') == std::string_view::npos) {
    // Each block as the normalised text's line, read straight from the
    // data. The normalised text's reader takes its lines as items, which
    // only drops the blanks and tabs they start with: its commas and line
    // ends were dropped with the blocks, and without a quote nothing reads
    // as a quoted item.
    struct Blocks {
      BlockReader reader;
      bool Next(std::string_view& block) {
        if (!reader.Next(block)) return false;
        while (!block.empty() && (block.front() == ' ' || block.front() == '\t')) block.remove_prefix(1);
        return true;
      }
    } blocks{BlockReader(gerber, separator, true)};
    translate(blocks);
  } else {
    const std::string blocks = SplitBlocks(gerber, separator, true);
    ItemReader reader(blocks);
    translate(reader);
  }
  return ConversionResult(std::string());
}

ConversionResult FormatGerber(std::string_view gerber, const GerberFormatOptions& options) {
  TextOutput out;
  ConversionResult result = FormatGerber(gerber, options, out);
  result.text = std::move(out.text);
  return result;
}

}  // namespace kovrel
