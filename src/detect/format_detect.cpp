// Format detection: the kind from the markers of each format, the units and
// the number format from the header statements, and where the header is
// silent, guesses from the coordinate sample and the tool sizes.
#include "detect/format_detect.h"

#include <algorithm>
#include <cctype>
#include <climits>

#include "core/number_reader.h"
#include "core/text_reader.h"
#include "detect/coordinate_sample.h"

namespace kovrel {
namespace {

constexpr std::string_view kStated = "ヘッダー";
constexpr std::string_view kFromDigitRuns = "座標の桁から推定";
constexpr std::string_view kFromPoints = "座標に小数点";


// A statement of the head: a line, or for Gerber a block between "*" and
// "%", with the number of the line it starts on.
struct Statement {
  int line = 0;
  std::string_view text;
  bool parameter = false;  // inside a Gerber "%" parameter block
};

Evidence Cite(const Statement& statement) { return {statement.line, std::string(Shortened(statement.text))}; }

Conclusion Stated(std::string_view basis, const Statement& statement) {
  return {Confidence::kHeader, std::string(basis), {Cite(statement)}};
}

Conclusion Guessed(std::string_view basis, const Evidence& evidence) {
  Conclusion conclusion{Confidence::kGuessed, std::string(basis), {}};
  if (!evidence.text.empty()) conclusion.evidence.push_back(evidence);
  return conclusion;
}

// The counted start of the text: the first 64 KiB up to the last line or
// block end in it.
std::size_t HeadSize(std::string_view text) {
  if (text.size() <= kDetectHeadBytes) return text.size();
  const std::size_t cut = text.find_last_of("\r\n*", kDetectHeadBytes - 1);
  return cut == std::string_view::npos ? kDetectHeadBytes : cut + 1;
}

std::vector<Statement> Lines(std::string_view head) {
  std::vector<Statement> lines;
  LineReader reader(head, true);
  std::string_view line;
  for (int number = 1; reader.Next(line); ++number) lines.push_back({number, TrimBlanks(line), false});
  return lines;
}

std::vector<Statement> GerberBlocks(const std::vector<Statement>& lines) {
  std::vector<Statement> blocks;
  bool parameter = false;
  for (const Statement& line : lines) {
    std::size_t start = 0;
    for (std::size_t i = 0; i <= line.text.size(); ++i) {
      if (i < line.text.size() && line.text[i] != '*' && line.text[i] != '%') continue;
      const std::string_view block = TrimBlanks(line.text.substr(start, i - start));
      if (!block.empty()) blocks.push_back({line.line, block, parameter});
      if (i < line.text.size() && line.text[i] == '%') parameter = !parameter;
      start = i + 1;
    }
  }
  return blocks;
}

// A code such as "G70" or "M72" that is not the start of a longer number.
bool StartsWithCode(std::string_view text, std::string_view code) {
  return text.starts_with(code) && (text.size() == code.size() || !IsAsciiDigit(text[code.size()]));
}

bool ContainsCode(std::string_view text, std::string_view code) {
  for (std::size_t at = text.find(code); at != std::string_view::npos; at = text.find(code, at + 1)) {
    const std::size_t end = at + code.size();
    if ((at == 0 || !IsAsciiDigit(text[at - 1])) && (end == text.size() || !IsAsciiDigit(text[end]))) return true;
  }
  return false;
}

// A size such as "0.028" or ".864": digits and a point only, and few of
// them, so no text overflows it.
double SizeAt(std::string_view text) {
  return ReadNumber(SpanOf(text.substr(0, 12), "0123456789."));
}

// "T1C0.8", "T01F00S00C0.020": a drill tool with its diameter.
std::optional<double> ToolDiameter(std::string_view line) {
  if (line.size() < 3 || line[0] != 'T' || !IsAsciiDigit(line[1])) return std::nullopt;
  const std::size_t c = line.find('C');
  if (c == std::string_view::npos || c + 1 >= line.size()) return std::nullopt;
  if (!IsAsciiDigit(line[c + 1]) && line[c + 1] != '.') return std::nullopt;
  if (line.find_first_of("XY") < c) return std::nullopt;
  return SizeAt(line.substr(c + 1));
}

// "ADD10C,0.0200": the first size of a standard aperture.
std::optional<double> ApertureSize(std::string_view block) {
  if (!block.starts_with("ADD")) return std::nullopt;
  std::size_t at = 3;
  while (at < block.size() && IsAsciiDigit(block[at])) ++at;
  if (at + 2 >= block.size() || std::string_view("CROP").find(block[at]) == std::string_view::npos ||
      block[at + 1] != ',') {
    return std::nullopt;
  }
  return SizeAt(block.substr(at + 2));
}

// Sizes of tools or apertures tell the units: inch sizes stay below a
// quarter of an inch, millimetre sizes reach half a millimetre.
LengthUnit UnitFromSizes(const std::vector<double>& sizes) {
  if (sizes.empty()) return LengthUnit::kUnknown;
  const double largest = *std::max_element(sizes.begin(), sizes.end());
  if (largest >= 0.5) return LengthUnit::kMillimetre;
  if (largest <= 0.26) return LengthUnit::kInch;
  return LengthUnit::kUnknown;
}

// The usual digits of a unit: inch 2.4, millimetres 3.3.
NumberFormat UsualDigits(LengthUnit unit, ZeroSuppression zeros) {
  if (unit == LengthUnit::kInch) return {zeros, 2, 4};
  if (unit == LengthUnit::kMillimetre) return {zeros, 3, 3};
  return {zeros, 0, 0};
}

std::string_view UsualDigitsBasis(LengthUnit unit) {
  return unit == LengthUnit::kInch ? "インチの標準の桁数 2.4" : "ミリの標準の桁数 3.3";
}

// "2:4", "3.3": the digits before and after the point.
bool ReadDigitPair(std::string_view text, NumberFormat& format) {
  if (text.size() < 3 || !IsAsciiDigit(text[0]) || (text[1] != ':' && text[1] != '.') || !IsAsciiDigit(text[2])) return false;
  if (text.size() > 3 && IsAsciiDigit(text[3])) return false;
  format.integer_digits = text[0] - '0';
  format.decimal_digits = text[2] - '0';
  return true;
}

std::string Upper(std::string_view text) {
  std::string upper(text);
  for (char& c : upper) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return upper;
}

class Detector {
 public:
  explicit Detector(std::string_view text)
      : text_(text), head_size_(HeadSize(text)), lines_(Lines(text.substr(0, head_size_))) {}

  FormatDetection Run();

 private:
  bool LooksBinary() const;
  bool FindDxf();
  bool FindGerberX();
  bool FindHoleData();
  bool FindExcellon();
  bool FindHpgl();
  bool FindGerberD();
  void FindMotionOrCoordinates();

  void GerberHeader();
  void ExcellonHeader();
  void GcodeUnits();
  void UnitFromSizesOr(const std::vector<double>& sizes, const Evidence& first_size, std::string_view basis);
  void PointsOverrule();
  void GuessNumberFormat();
  void LongerRunsWeaken();
  void Finish();

  std::string_view text_;
  std::size_t head_size_;
  std::vector<Statement> lines_;
  std::vector<Statement> blocks_;  // Gerber blocks of the head
  DigitRuns runs_;
  FormatDetection found_;
};

bool Detector::LooksBinary() const {
  // Control characters and bytes Shift-JIS cannot read (decoded to U+F780
  // and up, three bytes EF 9E/9F xx) make a file that is no text.
  const std::string_view head = text_.substr(0, head_size_);
  std::size_t odd = 0;
  for (std::size_t i = 0; i < head.size(); ++i) {
    const auto c = static_cast<unsigned char>(head[i]);
    if ((c < 0x20 && c != '\r' && c != '\n' && c != '\t' && c != 0x1A) ||
        (c == 0xEF && i + 1 < head.size() && (static_cast<unsigned char>(head[i + 1]) & 0xFE) == 0x9E)) {
      ++odd;
    }
  }
  return odd * 50 > head.size();
}

bool Detector::FindDxf() {
  for (std::size_t i = 1; i < lines_.size(); ++i) {
    if (lines_[i].text == "SECTION" && lines_[i - 1].text == "0") {
      found_.kind = DataKind::kDxf;
      found_.kind_from = Stated("DXF のセクション", lines_[i]);
      return true;
    }
  }
  return false;
}

bool Detector::FindGerberX() {
  for (const Statement& line : lines_) {
    for (const char* marker : {"%FS", "%MO", "%AD", "%AM"}) {
      const std::size_t at = line.text.find(marker);
      if (at == std::string_view::npos) continue;
      found_.kind = DataKind::kGerberX;
      Statement statement = line;
      const std::size_t end = line.text.find_first_of("*%", at + 1);
      statement.text = line.text.substr(at + 1, end == std::string_view::npos ? end : end - at - 1);
      found_.kind_from = Stated(kStated, statement);
      return true;
    }
  }
  return false;
}

bool Detector::FindHoleData() {
  // The program's own output: "T01φ1.000" lines, then "T01" and "X1.0 Y2.0".
  int table = 0, holes = 0, other = 0;
  const Statement* first = nullptr;
  for (const Statement& line : lines_) {
    const std::string_view t = line.text;
    if (t.empty()) continue;
    std::size_t digits = 1;
    while (digits < t.size() && IsAsciiDigit(t[digits])) ++digits;
    const bool tool = t[0] == 'T' && digits > 1;
    if (tool && t.substr(digits).starts_with("φ")) {
      if (table++ == 0) first = &line;
    } else if (tool && digits == t.size()) {
      // a tool select line
    } else if (t[0] == 'X' && t.find(" Y") != std::string_view::npos &&
               t.find_first_not_of("XY0123456789.- ") == std::string_view::npos) {
      ++holes;
    } else {
      ++other;
    }
  }
  if (table == 0 || other * 10 > table + holes) return false;
  found_.kind = DataKind::kHoleData;
  found_.kind_from = Stated("穴データの工具表", *first);
  return true;
}

bool Detector::FindExcellon() {
  for (const Statement& line : lines_) {
    const std::string_view t = line.text;
    if (t == "M48" || t.starts_with("METRIC") || t.starts_with("INCH") || ToolDiameter(t)) {
      found_.kind = DataKind::kExcellon;
      found_.kind_from = Stated(kStated, line);
      return true;
    }
  }
  return false;
}

bool Detector::FindHpgl() {
  // Two-letter instructions ending in ";": IN; SP1; PU; PA0,0; PD10,10;
  int instructions = 0;
  const Statement* pen = nullptr;
  for (const Statement& line : lines_) {
    const std::string_view t = line.text;
    for (std::size_t at = 0; at + 2 < t.size() && instructions < 16; ++at) {
      if (!std::isupper(static_cast<unsigned char>(t[at])) || !std::isupper(static_cast<unsigned char>(t[at + 1]))) {
        continue;
      }
      if (at > 0 && t[at - 1] != ';') continue;
      const std::size_t end = t.find_first_not_of("0123456789.,-+E ", at + 2);
      if (end == std::string_view::npos || t[end] != ';') continue;
      ++instructions;
      const std::string_view name = t.substr(at, 2);
      if (pen == nullptr && (name == "PU" || name == "PD" || name == "IN")) pen = &line;
      at = end;
    }
  }
  if (instructions < 3 || pen == nullptr) return false;
  found_.kind = DataKind::kHpgl;
  found_.kind_from = Stated("HP-GL の命令", *pen);
  return true;
}

bool Detector::FindGerberD() {
  // Blocks ending in D01, D02 or D03 (or D1 to D3) with coordinates.
  blocks_ = GerberBlocks(lines_);
  int draws = 0;
  const Statement* first = nullptr;
  for (const Statement& block : blocks_) {
    const std::size_t d = block.text.rfind('D');
    if (d == std::string_view::npos || block.text.find_first_of("XY") == std::string_view::npos) continue;
    const std::string_view code = block.text.substr(d + 1);
    if (code != "01" && code != "02" && code != "03" && code != "1" && code != "2" && code != "3") continue;
    if (draws++ == 0) first = &block;
  }
  if (draws < 2 || text_.substr(0, head_size_).find('*') == std::string_view::npos) return false;
  found_.kind = DataKind::kGerberD;
  found_.kind_from = Guessed("D01/D02/D03 のブロック", Cite(*first));
  return true;
}

void Detector::FindMotionOrCoordinates() {
  // NC blocks: addresses (a capital letter and a number) and nothing else
  // but blanks, "%", "/" and "*"; a comment in brackets or after ";" ends
  // the block. Texts of other kinds (reports, lists, CAD sources) that
  // merely hold an X or a Y are no NC data.
  const auto is_nc_block = [](std::string_view t) {
    t = TrimBlanks(t.substr(0, t.find_first_of("(;")));
    return !t.empty() && t.find_first_not_of("ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789.-+ %/*") == std::string_view::npos;
  };
  const auto has_coordinate = [](std::string_view t) {
    for (std::size_t at = t.find_first_of("XY"); at != std::string_view::npos; at = t.find_first_of("XY", at + 1)) {
      if (at + 1 < t.size() && (IsAsciiDigit(t[at + 1]) || t[at + 1] == '-' || t[at + 1] == '+' || t[at + 1] == '.')) {
        return true;
      }
    }
    return false;
  };
  const Statement* motion = nullptr;
  const Statement* coordinates = nullptr;
  bool g_codes = false;
  int used = 0, blocks = 0, with_coordinates = 0;
  for (const Statement& line : lines_) {
    const std::string_view t = line.text;
    if (t.empty() || t.front() == ';' || t.front() == '(') continue;
    ++used;
    if (!is_nc_block(t)) continue;
    ++blocks;
    const std::size_t g = t.find('G');
    const bool has_g = g != std::string_view::npos && g + 1 < t.size() && IsAsciiDigit(t[g + 1]);
    g_codes = g_codes || has_g;
    if (!has_coordinate(t)) continue;
    ++with_coordinates;
    if (has_g && motion == nullptr) motion = &line;
    if (coordinates == nullptr) coordinates = &line;
  }
  if (with_coordinates < 2 || blocks * 2 < used) return;
  runs_ = SampleCoordinates(text_, head_size_, false);
  if (!g_codes) {
    found_.kind = DataKind::kExcellon;
    found_.kind_from = Guessed("座標だけの行（ドリルデータと推定）", Cite(*coordinates));
    return;
  }
  const Statement& cited = motion != nullptr ? *motion : *coordinates;
  // Router data writes its coordinates as digits in units (X1000), G-code
  // with a point or in whole millimetres (X10.5, X100).
  if (runs_.with_point * 2 < runs_.numbers && runs_.longest >= 4) {
    found_.kind = DataKind::kRouter;
    found_.kind_from = Guessed("小数点のない長い座標（ルーターデータと推定）", runs_.longest_at);
  } else {
    found_.kind = DataKind::kGcode;
    found_.kind_from = Guessed("G コードの移動", Cite(cited));
  }
}

void Detector::UnitFromSizesOr(const std::vector<double>& sizes, const Evidence& first_size, std::string_view basis) {
  found_.unit = UnitFromSizes(sizes);
  if (found_.unit != LengthUnit::kUnknown) found_.unit_from = Guessed(basis, first_size);
}

void Detector::GerberHeader() {
  std::vector<double> sizes;
  Evidence first_size;
  for (const Statement& block : blocks_) {
    const std::string_view t = block.text;
    if (block.parameter && t.starts_with("FS") && found_.zeros_from.confidence == Confidence::kUnknown) {
      // FS, zeros (L leading, T trailing), A or I, optional N2 G2 D2 M2,
      // then X and Y with the digits before and after the point.
      NumberFormat format;
      bool zeros_stated = false;
      std::size_t at = 2;
      for (; at < t.size() && t[at] != 'X'; ++at) {
        if (t[at] == 'L' || t[at] == 'T') {
          format.zeros = t[at] == 'L' ? ZeroSuppression::kLeading : ZeroSuppression::kTrailing;
          zeros_stated = true;
        }
        if (std::string_view("NGDM").find(t[at]) != std::string_view::npos && at + 1 < t.size() && IsAsciiDigit(t[at + 1])) {
          ++at;
        }
      }
      if (at + 2 < t.size() && IsAsciiDigit(t[at + 1]) && IsAsciiDigit(t[at + 2])) {
        format.integer_digits = t[at + 1] - '0';
        format.decimal_digits = t[at + 2] - '0';
        found_.digits_from = Stated(kStated, block);
      }
      if (!zeros_stated) format.zeros = ZeroSuppression::kLeading;
      found_.format = format;
      found_.zeros_from = Stated(zeros_stated ? kStated : "FS に L/T がなく、先頭の省略とみなす", block);
    } else if (found_.unit_from.confidence != Confidence::kHeader &&
               ((block.parameter && (t == "MOIN" || t == "MOMM")) || StartsWithCode(t, "G70") ||
                StartsWithCode(t, "G71"))) {
      found_.unit = t == "MOIN" || t.starts_with("G70") ? LengthUnit::kInch : LengthUnit::kMillimetre;
      found_.unit_from = Stated(kStated, block);
    } else if (block.parameter) {
      if (const auto size = ApertureSize(t)) {
        if (sizes.empty()) first_size = Cite(block);
        sizes.push_back(*size);
      }
    }
  }
  if (found_.unit_from.confidence != Confidence::kUnknown) return;
  UnitFromSizesOr(sizes, first_size, "アパーチャの大きさから推定");
  if (found_.unit == LengthUnit::kUnknown && found_.kind == DataKind::kGerberX) {
    // Without a unit statement Gerber data is read in inches.
    found_.unit = LengthUnit::kInch;
    found_.unit_from = Guessed("単位の記述がなく、ガーバーの既定のインチと推定", first_size);
  }
}

void Detector::ExcellonHeader() {
  std::vector<double> sizes;
  Evidence first_size;
  NumberFormat& format = found_.format;
  for (const Statement& line : lines_) {
    const std::string_view t = line.text;
    if (t.starts_with("METRIC") || t.starts_with("INCH")) {
      if (found_.unit_from.confidence != Confidence::kHeader) {
        found_.unit = t.starts_with("INCH") ? LengthUnit::kInch : LengthUnit::kMillimetre;
        found_.unit_from = Stated(kStated, line);
      }
      // ",LZ": leading zeros written, trailing left out; ",TZ": the other
      // way round; "000.000": the digits.
      for (const std::string_view item : {std::string_view(",LZ"), std::string_view(",TZ")}) {
        if (t.find(item) == std::string_view::npos) continue;
        format.zeros = item == ",LZ" ? ZeroSuppression::kTrailing : ZeroSuppression::kLeading;
        found_.zeros_from = Stated(kStated, line);
      }
      const std::size_t point = t.find('.');
      if (point != std::string_view::npos && point > 0 && t[point - 1] == '0') {
        const std::size_t start = t.find_last_not_of('0', point - 1) + 1;
        const std::size_t end = std::min(t.find_first_not_of('0', point + 1), t.size());
        format.integer_digits = static_cast<int>(point - start);
        format.decimal_digits = static_cast<int>(end - point - 1);
        found_.digits_from = Stated(kStated, line);
      }
    } else if ((StartsWithCode(t, "M71") || StartsWithCode(t, "M72")) &&
               found_.unit_from.confidence != Confidence::kHeader) {
      found_.unit = StartsWithCode(t, "M72") ? LengthUnit::kInch : LengthUnit::kMillimetre;
      found_.unit_from = Stated(kStated, line);
    } else if (t.starts_with(";")) {
      // ";FILE_FORMAT=2:4", ";FORMAT={3:3/ absolute / metric / suppress
      // trailing zeros}", "; Format : 3.3 / Absolute / MM / Leading".
      const std::string upper = Upper(t);
      const std::size_t at = upper.find("FORMAT");
      if (at == std::string::npos) continue;
      const std::size_t value = upper.find_first_not_of(" :={", at + 6);
      if (value == std::string::npos) continue;
      const bool braces = upper.find('{', at) != std::string::npos;
      if (ReadDigitPair(t.substr(value), format)) found_.digits_from = Stated(kStated, line);
      if (!braces) continue;
      const auto said = [&upper](const char* words) { return upper.find(words) != std::string::npos; };
      ZeroSuppression zeros = ZeroSuppression::kUnknown;
      if (said("DECIMAL")) zeros = ZeroSuppression::kDecimalPoint;
      if (said("SUPPRESS LEADING")) zeros = ZeroSuppression::kLeading;
      if (said("SUPPRESS TRAILING")) zeros = ZeroSuppression::kTrailing;
      if (said("KEEP ZEROS")) zeros = ZeroSuppression::kNone;
      if (zeros != ZeroSuppression::kUnknown) {
        format.zeros = zeros;
        found_.zeros_from = Stated(kStated, line);
      }
    } else if (const auto diameter = ToolDiameter(t)) {
      if (sizes.empty()) first_size = Cite(line);
      sizes.push_back(*diameter);
    }
  }
  if (found_.unit_from.confidence == Confidence::kUnknown) UnitFromSizesOr(sizes, first_size, "工具径から推定");
}

void Detector::GcodeUnits() {
  for (const Statement& line : lines_) {
    if (line.text.empty() || line.text.front() == '(' || line.text.front() == ';') continue;
    const bool inch = ContainsCode(line.text, "G20");
    if (inch || ContainsCode(line.text, "G21")) {
      found_.unit = inch ? LengthUnit::kInch : LengthUnit::kMillimetre;
      found_.unit_from = Stated(kStated, line);
      return;
    }
  }
}

void Detector::PointsOverrule() {
  // Numbers with a point are read as they are written, whatever the header
  // says of the digits.
  if (found_.format.zeros == ZeroSuppression::kDecimalPoint) return;
  if (runs_.numbers >= 3 && runs_.with_point * 2 >= runs_.numbers) {
    found_.format.zeros = ZeroSuppression::kDecimalPoint;
    found_.zeros_from = Guessed(kFromPoints, runs_.point_at);
  }
}

void Detector::LongerRunsWeaken() {
  // A coordinate longer than the header's digits: the header is not the
  // whole truth.
  const NumberFormat& format = found_.format;
  if (format.zeros == ZeroSuppression::kDecimalPoint) return;
  const int digits = format.integer_digits + format.decimal_digits;
  if (format.integer_digits > 0 && format.decimal_digits > 0 && runs_.longest > digits &&
      found_.digits_from.confidence == Confidence::kHeader) {
    found_.digits_from.confidence = Confidence::kGuessed;
    found_.digits_from.basis += "（より長い座標あり）";
    found_.digits_from.evidence.push_back(runs_.longest_at);
  }
}

void Detector::GuessNumberFormat() {
  NumberFormat& format = found_.format;
  if (format.zeros == ZeroSuppression::kUnknown) {
    const ZeroGuess guess = GuessZeros(runs_);
    format.zeros = guess.zeros;
    if (guess.zeros != ZeroSuppression::kUnknown) {
      found_.zeros_from = Guessed(guess.zeros == ZeroSuppression::kDecimalPoint ? kFromPoints : kFromDigitRuns,
                                  guess.evidence);
    }
    if (guess.zeros == ZeroSuppression::kNone && format.integer_digits == 0) {
      // Every digit written: the usual decimals of the unit fix the rest.
      const NumberFormat usual = UsualDigits(found_.unit, format.zeros);
      if (usual.decimal_digits > 0 && guess.full_width > usual.decimal_digits) {
        format.integer_digits = guess.full_width - usual.decimal_digits;
        format.decimal_digits = usual.decimal_digits;
        found_.digits_from = Guessed(UsualDigitsBasis(found_.unit), runs_.longest_at);
      }
    }
  }
  if (format.zeros == ZeroSuppression::kUnknown || format.zeros == ZeroSuppression::kDecimalPoint) return;
  if (format.integer_digits == 0 || format.decimal_digits == 0) {
    LengthUnit unit = found_.unit;
    std::string_view basis = UsualDigitsBasis(unit);
    Confidence confidence = found_.unit_from.confidence;
    if (unit == LengthUnit::kUnknown && found_.kind == DataKind::kRouter) {
      unit = LengthUnit::kMillimetre;
      basis = "ルーターの標準の桁数 3.3 と推定";
      confidence = Confidence::kGuessed;
    }
    const NumberFormat usual = UsualDigits(unit, format.zeros);
    if (usual.integer_digits == 0) return;
    format.integer_digits = usual.integer_digits;
    format.decimal_digits = usual.decimal_digits;
    found_.digits_from = {confidence, std::string(basis), found_.unit_from.evidence};
  }
}

void Detector::Finish() {
  const NumberFormat& format = found_.format;
  found_.hole_unit = HoleUnitFor(format);
  found_.gerber_unit = GerberUnitFor(format);
  found_.router_unit = RouterUnitFor(format);
  found_.confidence = found_.zeros_from.confidence;
  if (format.zeros != ZeroSuppression::kDecimalPoint) {
    found_.confidence = std::min(found_.confidence, found_.digits_from.confidence);
  }
  if (!found_.hole_unit && !found_.gerber_unit && !found_.router_unit) found_.confidence = Confidence::kUnknown;
}

FormatDetection Detector::Run() {
  if (lines_.empty() || LooksBinary() || FindDxf()) return found_;
  const bool gerber_x = FindGerberX();
  if (!gerber_x && FindHoleData()) {
    found_.format.zeros = ZeroSuppression::kDecimalPoint;
    found_.zeros_from = {Confidence::kGuessed, "穴データの座標", {}};
    Finish();
    return found_;
  }
  if (gerber_x) {
    blocks_ = GerberBlocks(lines_);
    GerberHeader();
    runs_ = SampleCoordinates(text_, head_size_, true);
  } else if (FindExcellon()) {
    ExcellonHeader();
    runs_ = SampleCoordinates(text_, head_size_, false);
  } else if (FindHpgl()) {
    return found_;
  } else if (FindGerberD()) {
    GerberHeader();
    runs_ = SampleCoordinates(text_, head_size_, true);
  } else {
    FindMotionOrCoordinates();
    if (found_.kind == DataKind::kUnknown) return found_;
    if (found_.kind == DataKind::kExcellon) {
      ExcellonHeader();
    } else {
      GcodeUnits();
    }
    if (found_.kind == DataKind::kGcode) {
      // G-code numbers are read where their point stands (X100 is 100 mm).
      found_.format.zeros = ZeroSuppression::kDecimalPoint;
      found_.zeros_from = Guessed("G コードの数値", found_.kind_from.evidence.empty() ? Evidence{}
                                                                                    : found_.kind_from.evidence[0]);
    }
  }
  PointsOverrule();
  GuessNumberFormat();
  LongerRunsWeaken();
  Finish();
  return found_;
}

}  // namespace

std::vector<Evidence> FormatDetection::OptionEvidence() const {
  std::vector<Evidence> all = zeros_from.evidence;
  if (format.zeros != ZeroSuppression::kDecimalPoint) {
    all.insert(all.end(), digits_from.evidence.begin(), digits_from.evidence.end());
  }
  // Lines beyond the counted start (0) come last.
  std::stable_sort(all.begin(), all.end(), [](const Evidence& a, const Evidence& b) {
    return (a.line == 0 ? INT_MAX : a.line) < (b.line == 0 ? INT_MAX : b.line);
  });
  all.erase(std::unique(all.begin(), all.end(),
                        [](const Evidence& a, const Evidence& b) { return a.line == b.line && a.text == b.text; }),
            all.end());
  return all;
}

FormatDetection DetectFormat(std::string_view text) { return Detector(text).Run(); }

std::optional<HoleUnit> HoleUnitFor(const NumberFormat& format) {
  const int digits = format.integer_digits + format.decimal_digits;
  switch (format.zeros) {
    case ZeroSuppression::kDecimalPoint: return HoleUnit::kDecimal;
    case ZeroSuppression::kLeading:
    case ZeroSuppression::kNone:
      // Digits counted from the right: the decimals decide.
      if (format.decimal_digits == 2) return HoleUnit::kHundredths;
      if (format.decimal_digits == 3) return HoleUnit::kThousandths;
      if (format.decimal_digits == 4) return HoleUnit::kTenThousandths;
      if (format.zeros == ZeroSuppression::kLeading) return std::nullopt;
      [[fallthrough]];
    case ZeroSuppression::kTrailing:
      // Digits counted from the left: the integer digits decide, and the
      // field must hold them all.
      if (format.integer_digits == 2 && digits <= 8) return HoleUnit::kLeadingZeros2Integer;
      if (format.integer_digits == 3 && digits <= 6) return HoleUnit::kLeadingZeros6;
      if (format.integer_digits == 4 && digits <= 7) return HoleUnit::kLeadingZeros7;
      return std::nullopt;
    case ZeroSuppression::kUnknown: break;
  }
  return std::nullopt;
}

std::optional<GerberUnit> GerberUnitFor(const NumberFormat& format) {
  if (format.zeros == ZeroSuppression::kLeading || format.zeros == ZeroSuppression::kNone) {
    if (format.decimal_digits == 5) return GerberUnit::kHundredThousandths;
  }
  // The other units match the hole units one for one.
  const auto hole = HoleUnitFor(format);
  if (!hole) return std::nullopt;
  switch (*hole) {
    case HoleUnit::kDecimal: return GerberUnit::kDecimal;
    case HoleUnit::kHundredths: return GerberUnit::kHundredths;
    case HoleUnit::kThousandths: return GerberUnit::kThousandths;
    case HoleUnit::kTenThousandths: return GerberUnit::kTenThousandths;
    case HoleUnit::kLeadingZeros6: return GerberUnit::kLeadingZeros6;
    case HoleUnit::kLeadingZeros7: return GerberUnit::kLeadingZeros7;
    case HoleUnit::kLeadingZeros2Integer: return GerberUnit::kLeadingZeros2Integer;
  }
  return std::nullopt;
}

std::optional<RouterUnit> RouterUnitFor(const NumberFormat& format) {
  const auto hole = HoleUnitFor(format);
  if (!hole) return std::nullopt;
  switch (*hole) {
    case HoleUnit::kDecimal: return RouterUnit::kDecimal;
    case HoleUnit::kHundredths: return RouterUnit::kHundredths;
    case HoleUnit::kThousandths: return RouterUnit::kThousandths;
    default: return std::nullopt;
  }
}

}  // namespace kovrel
