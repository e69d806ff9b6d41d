// Format detection: the kind of each format, the header statements of
// drill and Gerber data with the option of each window, the guesses where
// the header is silent (never a confident answer), and the sample of a
// document far beyond its counted start.
#include "detect/format_detect.h"

#include <gtest/gtest.h>

#include <string>

#include "core/append.h"
#include "detect/detect_report.h"

namespace kovrel {
namespace {

std::string Option(const FormatDetection& found, FormatWindowKind window) {
  const auto name = OptionName(found, window);
  return name ? std::string(*name) : "-";
}

// "X12300 12300 -": the options of NC_FMT, GAI_FMT and Ruta_FMT.
std::string Options(const FormatDetection& found) {
  return Option(found, FormatWindowKind::kNcFmt) + " " + Option(found, FormatWindowKind::kGaiFmt) + " " +
         Option(found, FormatWindowKind::kRutaFmt);
}

std::string Lines(const std::vector<Evidence>& evidence) {
  std::string lines;
  for (const Evidence& e : evidence) lines += std::to_string(e.line) + ":" + e.text + " ";
  return lines;
}

TEST(FormatDetect, KindOfEachFormat) {
  const struct {
    const char* text;
    DataKind kind;
    const char* evidence;
  } cases[] = {
      {"999\r\nKovrel\r\n0\r\nSECTION\r\n2\r\nENTITIES\r\n", DataKind::kDxf, "4:SECTION "},
      {"G04 board*\r\n%FSLAX33Y33*%\r\n%MOMM*%\r\nD10*X1000Y0D02*\r\n", DataKind::kGerberX, "2:FSLAX33Y33 "},
      {"G04 board*D10*X1000Y1000D03*X2500Y1000D03*M02*", DataKind::kGerberD, "1:X1000Y1000D03 "},
      {"M48\r\nMETRIC,TZ\r\nT1C0.8\r\n%\r\nX100Y200\r\nM30\r\n", DataKind::kExcellon, "1:M48 "},
      {"T01φ1.000\r\nT02φ3.0\r\nT01\r\nX12.5 Y3.0\r\nT02\r\nX-1.0 Y2.0\r\n", DataKind::kHoleData, "1:T01φ1.000 "},
      {"IN;SP1;PU0,0;PD4000,0;PD4000,2000;SP0;", DataKind::kHpgl, "1:IN;SP1;PU0,0;PD4000,0;PD4000,2000;SP0; "},
      {"(plate)\r\nG90\r\nG00X0Y0\r\nG01X100.5Y0\r\nG02X90Y60I-10J0\r\nM30\r\n", DataKind::kGcode,
       "3:G00X0Y0 "},
      {"%\r\nG90\r\nT1\r\nG00X1000Y1000\r\nZ-1000\r\nG01X2000Y1000\r\nM30\r\n", DataKind::kRouter,
       "4:G00X1000Y1000 "},
      {"X12500Y5000\r\nX25000Y5000\r\nX37500Y-2500\r\n", DataKind::kExcellon, "1:X12500Y5000 "},
      {"hello, world\r\n", DataKind::kUnknown, ""},
      // Texts that merely hold an X or a Y are no NC data.
      {"Via[5050 5000 6000 2000 0 2800 \"\" \"thermal(0X,1t)\"]\r\nPin[0 -3000 6000]\r\n", DataKind::kUnknown,
       ""},
      {"# PcbXY Version 1.0\r\n# Date: X1 Y2\r\nU1 X10 Y20 0 top\r\n", DataKind::kUnknown, ""},
      {"", DataKind::kUnknown, ""},
  };
  for (const auto& c : cases) {
    const FormatDetection found = DetectFormat(c.text);
    EXPECT_EQ(found.kind, c.kind) << c.text;
    EXPECT_EQ(Lines(found.kind_from.evidence), c.evidence) << c.text;
  }
  // A binary file in tape code is no text.
  std::string tape;
  for (int i = 0; i < 400; ++i) tape += static_cast<char>(i % 3 == 0 ? 0x0B : 'T');
  EXPECT_EQ(DetectFormat(tape).kind, DataKind::kUnknown);
}

TEST(FormatDetect, GerberFormatStatements) {
  const struct {
    const char* text;
    const char* options;
    LengthUnit unit;
    Confidence unit_confidence;
    Confidence confidence;
  } cases[] = {
      {"%FSLAX24Y24*%\n%MOIN*%\nD10*X12300Y0D02*\n", "X12300 12300 -", LengthUnit::kInch, Confidence::kHeader,
       Confidence::kHeader},
      {"%FSLAX33Y33*%%MOMM*%D10*X1000Y0D02*", "X1230 1230 1230", LengthUnit::kMillimetre, Confidence::kHeader,
       Confidence::kHeader},
      {"%FSTAX24Y24*%\n%MOIN*%\nX0123Y01D02*\n", "X0123 X0123 -", LengthUnit::kInch, Confidence::kHeader,
       Confidence::kHeader},
      {"%FSTAX33Y33*%\n%MOMM*%\nX0123Y01D02*\n", "X00123 X00123 -", LengthUnit::kMillimetre, Confidence::kHeader,
       Confidence::kHeader},
      {"%FSTAX43Y43*%\n%MOMM*%\n", "X000123 X000123 -", LengthUnit::kMillimetre, Confidence::kHeader,
       Confidence::kHeader},
      {"%FSLAX25Y25*%\n%MOMM*%\n", "- 123000 -", LengthUnit::kMillimetre, Confidence::kHeader, Confidence::kHeader},
      {"%FSLAX22Y22*%\n%MOMM*%\n", "X123 123 123", LengthUnit::kMillimetre, Confidence::kHeader,
       Confidence::kHeader},
      // Six decimals and a trailing-zero field wider than any window's.
      {"%FSLAX46Y46*%\n%MOMM*%\n", "- - -", LengthUnit::kMillimetre, Confidence::kHeader, Confidence::kUnknown},
      {"%FSTAX35Y35*%\n%MOMM*%\n", "- - -", LengthUnit::kMillimetre, Confidence::kHeader, Confidence::kUnknown},
      // The old unit codes; an FS without L or T counts from the right.
      {"G70*\n%FSAX24Y24*%\nX012300Y000100D02*\n", "X12300 12300 -", LengthUnit::kInch, Confidence::kHeader,
       Confidence::kHeader},
      {"G71*\n%FSLAX33Y33*%\n", "X1230 1230 1230", LengthUnit::kMillimetre, Confidence::kHeader, Confidence::kHeader},
      // Sequence numbers in the FS, and the FS after a G code on one line.
      {"G74*%FSLAN2X34Y34*%\n%MOIN*%\n", "X12300 12300 -", LengthUnit::kInch, Confidence::kHeader,
       Confidence::kHeader},
      // No unit statement: inch (Gerber's default), or millimetres when the
      // apertures are that large; a guess either way.
      {"%FSLAX13Y13*%\n%ADD10C,0.004*%\n", "X1230 1230 1230", LengthUnit::kInch, Confidence::kGuessed,
       Confidence::kHeader},
      {"%FSLAX33Y33*%\n%ADD10C,0.25*%\n%ADD11R,1.6X0.8*%\n", "X1230 1230 1230", LengthUnit::kMillimetre,
       Confidence::kGuessed, Confidence::kHeader},
  };
  for (const auto& c : cases) {
    const FormatDetection found = DetectFormat(c.text);
    EXPECT_EQ(found.kind, DataKind::kGerberX) << c.text;
    EXPECT_EQ(Options(found), c.options) << c.text;
    EXPECT_EQ(found.unit, c.unit) << c.text;
    EXPECT_EQ(found.unit_from.confidence, c.unit_confidence) << c.text;
    EXPECT_EQ(found.confidence, c.confidence) << c.text;
  }
  const FormatDetection found = DetectFormat("G04 a*\r\nG04 b*\r\n%FSLAX24Y24*%\r\n%MOIN*%\r\n");
  EXPECT_EQ(Lines(found.OptionEvidence()), "3:FSLAX24Y24 ");
  EXPECT_EQ(Lines(found.unit_from.evidence), "4:MOIN ");
}

TEST(FormatDetect, DrillHeaderStatements) {
  const struct {
    const char* text;
    const char* options;
    bool inch;
    Confidence confidence;
    const char* evidence;
  } cases[] = {
      // TZ: trailing zeros written, the digits count from the right; the
      // unit's usual decimals (inch 4, millimetres 3) when none are given.
      {"M48\nMETRIC,TZ\nT1C0.8\n%\nX12500Y5000\n", "X1230 1230 1230", false, Confidence::kHeader, "2:METRIC,TZ "},
      {"M48\nINCH,TZ\nT1C0.028\n%\nX000665Y023500\n", "X12300 12300 -", true, Confidence::kHeader, "2:INCH,TZ "},
      // LZ: leading zeros written, the digits count from the left.
      {"M48\nMETRIC,LZ\nFMAT,2\n%\nX0125Y005\n", "X00123 X00123 -", false, Confidence::kHeader, "2:METRIC,LZ "},
      {"M48\n;FILE_FORMAT=2:4\nINCH,LZ\n%\nX0152Y00455\n", "X0123 X0123 -", true, Confidence::kHeader,
       "2:;FILE_FORMAT=2:4 3:INCH,LZ "},
      {"M48\nMETRIC,LZ,0000.000\n%\n", "X000123 X000123 -", false, Confidence::kHeader, "2:METRIC,LZ,0000.000 "},
      {"M48\nMETRIC,TZ,000.00\n%\n", "X123 123 123", false, Confidence::kHeader, "2:METRIC,TZ,000.00 "},
      // Comments of CAD programs.
      {"M48\n;FORMAT={3:3/ absolute / metric / suppress trailing zeros}\nMETRIC\n%\n", "X00123 X00123 -", false,
       Confidence::kHeader, "2:;FORMAT={3:3/ absolute / metric / suppress trail "},
      {"M48\n;FORMAT={-:-/ absolute / metric / decimal}\nMETRIC\n%\nX12.5Y-3.25\n", "X1.23 1.23 1.23", false,
       Confidence::kHeader, "2:;FORMAT={-:-/ absolute / metric / decimal} "},
      // Units only: the zeros come from the digits, a guess.
      {"G90\nM72\nM48\nT1C0.012\n%\nX23268Y17868\nX26400Y13400\nX51203\n", "X12300 12300 -", true,
       Confidence::kGuessed, "2:M72 7:X26400Y13400 "},
      // Decimal coordinates overrule the digits of the header.
      {"M48\nMETRIC,TZ\n%\nX12.5Y3.0\nX2.25Y-1\nX7.5Y1.5\n", "X1.23 1.23 1.23", false, Confidence::kGuessed,
       "4:X12.5Y3.0 "},
  };
  for (const auto& c : cases) {
    const FormatDetection found = DetectFormat(c.text);
    EXPECT_EQ(found.kind, DataKind::kExcellon) << c.text;
    EXPECT_EQ(Options(found), c.options) << c.text;
    EXPECT_EQ(found.Inch(), c.inch) << c.text;
    EXPECT_EQ(found.confidence, c.confidence) << c.text;
    EXPECT_EQ(Lines(found.OptionEvidence()), c.evidence) << c.text;
  }
}

TEST(FormatDetect, WithoutAHeaderNothingIsSure) {
  const struct {
    const char* text;
    ZeroSuppression zeros;
    const char* options;
    Confidence confidence;
  } cases[] = {
      // RS-274D with neither units nor sizes: the zeros, but no digits.
      {"X1776Y1024D02*\nX1524D01*\nY4906D01*\nX1530Y4905D02*\nY1025D01*\nX1500Y886D01*\n",
       ZeroSuppression::kLeading, "- - -", Confidence::kUnknown},
      // Bare coordinate lists: leading zeros cut, trailing zeros cut, all
      // digits; without any unit there are no digits to go by.
      {"X12500Y5000\nX25000Y5000\nX37500Y-2500\n", ZeroSuppression::kLeading, "- - -", Confidence::kUnknown},
      {"X0125Y005\nX025Y005\nX0375Y-0025\n", ZeroSuppression::kTrailing, "- - -", Confidence::kUnknown},
      {"X12.5Y5\nX25.25Y5.5\nX3.75Y-2.5\n", ZeroSuppression::kDecimalPoint, "X1.23 1.23 1.23", Confidence::kGuessed},
      // Inch tool sizes and every digit written: the inch digits, guessed.
      {"%\nT1C0.028F200S100\nX002250Y002300\nX002400Y003850\nX003100Y004100\n", ZeroSuppression::kNone,
       "X12300 12300 -", Confidence::kGuessed},
      // Router data: millimetres in thousandths as the router's usual guess.
      {"%\nG90\nT1\nG00X1000Y1000\nZ-1000\nG01X2500Y1000\nZ1000\n", ZeroSuppression::kLeading,
       "X1230 1230 1230", Confidence::kGuessed},
      // Too few numbers say nothing.
      {"X12500Y5000\n", ZeroSuppression::kUnknown, "- - -", Confidence::kUnknown},
  };
  for (const auto& c : cases) {
    const FormatDetection found = DetectFormat(c.text);
    EXPECT_EQ(found.format.zeros, c.zeros) << c.text;
    EXPECT_EQ(Options(found), c.options) << c.text;
    EXPECT_EQ(found.confidence, c.confidence) << c.text;
    EXPECT_NE(found.zeros_from.confidence, Confidence::kHeader) << c.text;
    EXPECT_NE(found.unit_from.confidence, Confidence::kHeader) << c.text;
  }
}

TEST(FormatDetect, CoordinatesLongerThanTheHeaderSaysMakeItAGuess) {
  const FormatDetection found = DetectFormat("%FSLAX23Y23*%\n%MOIN*%\nX1234567Y1D02*\nX1Y2D01*\n");
  EXPECT_EQ(Options(found), "X1230 1230 1230");
  EXPECT_EQ(found.confidence, Confidence::kGuessed);
  EXPECT_EQ(Lines(found.OptionEvidence()), "1:FSLAX23Y23 3:X1234567Y1D02 ");
}

TEST(FormatDetect, FarBeyondTheCountedStartOnlyASampleIsRead) {
  // 200 KiB of comments, then coordinates: the guess comes from the
  // windows of the sample, whose lines have no number.
  std::string text = "M48\nM71\n%\n";
  while (text.size() < 200 * 1024) text += ";" + std::string(60, 'c') + "\n";
  for (int i = 1; i <= 2000; ++i) Append(text, "X", std::to_string(10000 + i * 10), "Y", std::to_string(5000 + i), "\n");
  FormatDetection found = DetectFormat(text);
  EXPECT_EQ(found.kind, DataKind::kExcellon);
  EXPECT_EQ(found.format.zeros, ZeroSuppression::kLeading);
  EXPECT_EQ(Options(found), "X1230 1230 1230");
  ASSERT_EQ(found.zeros_from.evidence.size(), 1u);
  EXPECT_EQ(found.zeros_from.evidence[0].line, 0);
  // A header statement beyond the counted start is not read.
  text = std::string(kDetectHeadBytes + 10, '\n') + "M48\nMETRIC,TZ\n";
  EXPECT_EQ(DetectFormat(text).kind, DataKind::kUnknown);
  // The counted start ends at a line or block end: a statement across it
  // is left out whole, never read torn.
  text = std::string(kDetectHeadBytes - 20, '\n') + "%FSLAX24Y24*%\n%MOIN*%\n";
  found = DetectFormat(text);
  EXPECT_EQ(Lines(found.OptionEvidence()), std::to_string(kDetectHeadBytes - 19) + ":FSLAX24Y24 ");
  EXPECT_EQ(Lines(found.unit_from.evidence), std::to_string(kDetectHeadBytes - 18) + ":MOIN ");
  text = std::string(kDetectHeadBytes - 10, '\n') + "%FSLAX24Y24*%\n";
  EXPECT_EQ(DetectFormat(text).kind, DataKind::kUnknown);
}

TEST(FormatDetect, HugeSizesAndNumbersAreNoFailure) {
  const std::string digits(400, '9');
  for (const std::string& text :
       {"M48\nT1C1E999\nT2C" + digits + "\n%\nX1Y1\n", "%FSLAX24Y24*%\n%ADD10C," + digits + "*%\nX" + digits + "Y1D02*\n",
        "G21\nG01X" + digits + ".5Y1\nG01X1Y1\n"}) {
    EXPECT_NO_THROW(DetectFormat(text)) << text.substr(0, 20);
  }
}

TEST(FormatDetect, EveryLineEndCountsOneLine) {
  for (const char* end : {"\r\n", "\r", "\n"}) {
    const std::string text = std::string("M48") + end + ";x" + end + "INCH,TZ" + end;
    EXPECT_EQ(Lines(DetectFormat(text).OptionEvidence()), "3:INCH,TZ ") << end;
  }
}

TEST(FormatDetect, OptionOfEachWindowForANumberFormat) {
  const struct {
    NumberFormat format;
    const char* options;
  } cases[] = {
      {{ZeroSuppression::kDecimalPoint, 0, 0}, "X1.23 1.23 1.23"},
      {{ZeroSuppression::kLeading, 3, 2}, "X123 123 123"},
      {{ZeroSuppression::kLeading, 2, 3}, "X1230 1230 1230"},
      {{ZeroSuppression::kLeading, 2, 4}, "X12300 12300 -"},
      {{ZeroSuppression::kLeading, 2, 5}, "- 123000 -"},
      {{ZeroSuppression::kLeading, 2, 6}, "- - -"},
      {{ZeroSuppression::kTrailing, 2, 6}, "X0123 X0123 -"},
      {{ZeroSuppression::kTrailing, 2, 7}, "- - -"},  // the field holds eight digits
      {{ZeroSuppression::kTrailing, 3, 3}, "X00123 X00123 -"},
      {{ZeroSuppression::kTrailing, 3, 4}, "- - -"},
      {{ZeroSuppression::kTrailing, 4, 3}, "X000123 X000123 -"},
      {{ZeroSuppression::kNone, 3, 4}, "X12300 12300 -"},
      {{ZeroSuppression::kNone, 2, 6}, "X0123 X0123 -"},  // all digits: from the left when the right has none
      {{ZeroSuppression::kUnknown, 2, 4}, "- - -"},
  };
  for (const auto& c : cases) {
    FormatDetection found;
    found.hole_unit = HoleUnitFor(c.format);
    found.gerber_unit = GerberUnitFor(c.format);
    found.router_unit = RouterUnitFor(c.format);
    EXPECT_EQ(Options(found), c.options) << c.format.integer_digits << "." << c.format.decimal_digits;
  }
}

}  // namespace
}  // namespace kovrel
