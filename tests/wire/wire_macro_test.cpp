// The custom-macro expansion: addresses, G92 and incremental mode, jumps
// both ways, subprograms and their levels, and what stops an expansion.
#include "wire/wire_macro.h"

#include <gtest/gtest.h>

#include <map>
#include <random>

#include "core/append.h"
#include "core/failure.h"
#include "core/file_io.h"
#include "core/text_reader.h"
#include "support/streamed_output.h"
#include "support/temp_folder.h"
#include "core/line_words.h"

namespace kovrel {
namespace {

constexpr std::string_view kHead = "G40\r\nG00X0Y0\r\n";

// Subprograms held in memory.
SubprogramSource Subprograms(std::map<std::string, std::string> files) {
  return [files = std::move(files)](const std::string& name) -> std::optional<std::string> {
    const auto found = files.find(name);
    if (found == files.end()) return std::nullopt;
    return found->second;
  };
}

WireExpansion Expand(std::string_view program, std::map<std::string, std::string> files = {},
                     WireMacroOptions options = {}) {
  return ExpandWireMacro(program, Subprograms(std::move(files)), options);
}

// The lines written after the head.
std::string Body(std::string_view program, std::map<std::string, std::string> files = {}) {
  const WireExpansion expansion = Expand(program, std::move(files));
  EXPECT_EQ(expansion.stopped, "");
  EXPECT_TRUE(expansion.text.starts_with(kHead)) << expansion.text;
  return expansion.text.substr(kHead.size());
}

Failure FailureOf(std::string_view program, std::map<std::string, std::string> files = {},
                  WireMacroOptions options = {}) {
  try {
    Expand(program, std::move(files), options);
  } catch (const Failure& failure) {
    return failure;
  }
  return Failure(0, "");
}

TEST(WireMacro, HandWrittenProgramWithNestedSubprogramsALoopAndArithmetic) {
  const std::string main =
      "%\r\nO1000 (WIRE MACRO)\r\nG92X0Y0\r\nG90G41\r\n#1=0\r\n#2=10.\r\n#3=#2/4+1.\r\n"
      "N10\r\n#1=#1+1\r\nM98P100\r\nIF[#1LT2]GOTO10\r\n#5=#5041+1.\r\nG40G01X#5Y0\r\nG00X0Y0\r\nM30\r\n%\r\n";
  const std::map<std::string, std::string> files = {
      {"O100", "#4=#1*#2\r\nG00X#4Y0\r\nM98P200\r\nG91\r\nG01Y-#3\r\nG90\r\nM99\r\n"},
      {"O200", "G91G01X#3\r\nG02X-#3Y0I-[#3/2]J0\r\nG90\r\nM99\r\n"},
  };
  const WireExpansion expansion = Expand(main, files);
  EXPECT_EQ(expansion.stopped, "");
  EXPECT_EQ(expansion.text,
            "G40\r\nG00X0Y0\r\n"
            "G40\r\nG41\r\n"
            "G00X10.0Y0.0\r\nG01X13.5Y0.0\r\nG02X10.0Y0.0I-1.75J0.0\r\nG01X10.0Y-3.5\r\n"
            "G00X20.0Y0.0\r\nG01X23.5Y0.0\r\nG02X20.0Y0.0I-1.75J0.0\r\nG01X20.0Y-3.5\r\n"
            "G40\r\nG01X21.0Y0.0\r\nG00X0.0Y0.0\r\n");
  EXPECT_EQ(expansion.moves, 10);
}

TEST(WireMacro, AddressesModesAndG92) {
  EXPECT_EQ(Body("G92X10.Y5.\r\nG01X20.Y5.\r\n"), "G40\r\nG01X10.0Y0.0\r\n");
  EXPECT_EQ(Body("G91\r\nG01X1.\r\nX1.\r\nX1.\r\n"), "G01X1.0Y0.0\r\nG01X2.0Y0.0\r\nG01X3.0Y0.0\r\n");
  // G92 names the point reached: G01X10. then lies 10 beyond it.
  EXPECT_EQ(Body("G00X50.\r\nG92X0Y0\r\nG01X10.\r\n"), "G00X50.0Y0.0\r\nG40\r\nG01X60.0Y0.0\r\n");
  EXPECT_EQ(Body("G00X50.Y7.\r\nG92X5.\r\nG01X10.Y7.\r\n"), "G00X50.0Y7.0\r\nG40\r\nG01X55.0Y7.0\r\n");
  // Moves before the first motion word write nothing but move the point.
  EXPECT_EQ(Body("X5.Y6.\r\nG01X7.\r\n"), "G01X7.0Y6.0\r\n");
  // Arcs keep the I and J of their line only.
  EXPECT_EQ(Body("G02X10.Y0I5.J0\r\nX20.\r\n"), "G02X10.0Y0.0I5.0J0.0\r\nG02X20.0Y0.0I0.0J0.0\r\n");
  // A line with "#" reads each address as an operand: Y5. stays 5.
  EXPECT_EQ(Body("#1=3.\r\nG01X#1Y5.\r\nX-#1Y[#1*2]\r\n"), "G01X3.0Y5.0\r\nG01X-3.0Y6.0\r\n");
  // T after G5 is written when it is not 0; G41, G42 and G40 are written.
  EXPECT_EQ(Body("G51T.25G01X1.Y0\r\nG51T0X2.\r\nG42X3.\r\nG40X4.\r\n"),
            "T0.25\r\nG01X1.0Y0.0\r\nG01X2.0Y0.0\r\nG42\r\nG01X3.0Y0.0\r\nG40\r\nG01X4.0Y0.0\r\n");
  // The current point in #5041 and #5042.
  EXPECT_EQ(Body("G01X4.Y2.\r\n#7=#5041*#5042\r\nX#7\r\n"), "G01X4.0Y2.0\r\nG01X8.0Y2.0\r\n");
}

TEST(WireMacro, SkippedLinesAndArithmetic) {
  // Comments, M codes, dwells and "%" write nothing; an assignment with a
  // comment is skipped as a whole.
  EXPECT_EQ(Body("%\r\n(G01X5.)\r\nG01X1.M08\r\nG04X1.\r\n#1=5.(DEPTH)\r\nG01X#1\r\n"), "G01X0.0Y0.0\r\n");
  EXPECT_EQ(Body("#1=5.\r\n#2=#1*#1\r\n#3=#1+#2-#1\r\nG01X#2Y#3\r\n"), "G01X25.0Y25.0\r\n");
  EXPECT_EQ(Body("#1=1.\r\n#2=2.\r\n#3=3.\r\n#4=#1+#2+#3\r\n#5=-#2\r\n#6=[#1+#2]*#3-#4/#2\r\nG01X#4Y#5\r\nX#6\r\n"),
            "G01X6.0Y-2.0\r\nG01X6.0Y-2.0\r\n");
  EXPECT_EQ(FailureOf("#1=5./#2\r\n").number(), 11);
  EXPECT_EQ(FailureOf("#9001=1.\r\n").number(), 9);
  EXPECT_EQ(FailureOf("#1=#9999\r\n").number(), 9);
  EXPECT_EQ(FailureOf("#1=QQ[#2]\r\n").number(), 5);
  EXPECT_EQ(Body("#2=-7.\r\n#1=ABS[#2]\r\nG01X#1\r\n"), "G01X7.0Y0.0\r\n");
  EXPECT_EQ(FailureOf("#1[2]=5.\r\n").number(), 5);
}

TEST(WireMacro, JumpsGoForwardAndBackward) {
  EXPECT_EQ(Body("#1=1.\r\n#2=2.\r\nIF[#1LT#2]GOTO999\r\nG01X1.\r\nG01X2.\r\nN999G01X3.\r\n"), "G01X3.0Y0.0\r\n");
  EXPECT_EQ(Body("IF[#1GT#2]GOTO999\r\nG01X1.\r\nN999\r\n"), "G01X1.0Y0.0\r\n");
  // A loop made of IF ... GOTO, with blanks as the milling macros write them.
  EXPECT_EQ(Body("G01\r\nN10\r\n#1=#1+1\r\nX#1\r\nIF [#1 LT 3.] GOTO10\r\n"),
            "G01X1.0Y0.0\r\nG01X2.0Y0.0\r\nG01X3.0Y0.0\r\n");
  // The label after the jump comes first, then from the start.
  EXPECT_EQ(Body("N5G01X1.\r\n#1=#1+1\r\nIF[#1EQ1]GOTO5\r\nX2.\r\nN5X3.\r\n"), "G01X1.0Y0.0\r\nG01X3.0Y0.0\r\n");
  // A label matches only where no digit follows it.
  EXPECT_EQ(Body("GOTO1\r\nN10G01X1.\r\nN1G01X2.\r\n"), "G01X2.0Y0.0\r\n");
  // A label line holding an M code or a comment is a jump target; the line
  // itself writes nothing.
  EXPECT_EQ(Body("GOTO999\r\nG01X1.\r\nN999 M00 (STOP)\r\nG01X2.\r\n"), "G01X2.0Y0.0\r\n");
  EXPECT_EQ(Body("#1=20.\r\nGOTO#1\r\nG01X1.\r\nN20G01X2.\r\n"), "G01X2.0Y0.0\r\n");
  EXPECT_EQ(FailureOf("IF[#1LT#2]\r\n").number(), 5);
  EXPECT_EQ(FailureOf("IF[#1XX#2]GOTO5\r\n").number(), 5);
  EXPECT_EQ(FailureOf("GOTO\r\n").number(), 5);
}

TEST(WireMacro, LongLoopsAndRepeatedLabelsRunAsWritten) {
  // A loop of more lines than the expander keeps compiled: every line adds
  // its own number, so a block taken for another line's shows in the sum
  // (3 times 1 + 2 + ... + 3000).
  std::string loop = "#1=0\r\nN1\r\n";
  for (int k = 1; k <= 3000; ++k) Append(loop, "#2=#2+", std::to_string(k), "\r\n");
  loop += "#1=#1+1\r\nIF[#1LT3]GOTO1\r\nG01X#2Y#1\r\n";
  EXPECT_EQ(Body(loop), "G01X13504500.0Y3.0\r\n");
  // A label's digits are its own: N010 is not N10, and a computed label
  // has no leading zero.
  EXPECT_EQ(Body("GOTO010\r\nN10G01X1.\r\nN010G01X2.\r\n"), "G01X2.0Y0.0\r\n");
  EXPECT_EQ(Body("#1=10.\r\nGOTO#1\r\nN010G01X2.\r\nN10G01X1.\r\n"), "G01X1.0Y0.0\r\n");
  // Of a label on several lines, the first after the jump, else the first
  // of all; a label stands anywhere in its line.
  EXPECT_EQ(Body("G01X1.N7\r\n#1=#1+1\r\nIF[#1GE3]GOTO8\r\nIF[#1EQ1]GOTO7\r\nX9.N7\r\nGOTO7\r\nN8X5.\r\n"),
            "G01X1.0Y0.0\r\nG01X9.0Y0.0\r\nG01X1.0Y0.0\r\nG01X9.0Y0.0\r\nG01X1.0Y0.0\r\nG01X5.0Y0.0\r\n");
  // A lone LF stays inside its line (the text has CR LF line ends): the
  // label after it is on the line the LF is in, and a jump runs that line.
  EXPECT_EQ(Body("GOTO5\r\nG01X1.\nN5Y2.\r\n\nN6X3.\r\n#1=#1+1\r\nIF[#1LT2]GOTO6\r\n"),
            "G01X1.0Y2.0\r\nG01X3.0Y2.0\r\nG01X3.0Y2.0\r\n");
}

TEST(WireMacro, LabelsOfEveryCountOfDigitsAreTheirOwn) {
  // Counts of digits never meet ("N9" is not "N00"), nor do long labels
  // that differ past their ninth digit; a computed label below zero names
  // no line.
  EXPECT_EQ(Body("GOTO00\r\nN0G01X1.\r\nN9G01X3.\r\nN00G01X2.\r\n"), "G01X2.0Y0.0\r\n");
  EXPECT_EQ(Body("GOTO9\r\nN00G01X1.\r\nN9G01X2.\r\n"), "G01X2.0Y0.0\r\n");
  EXPECT_EQ(Body("GOTO999999999\r\nN0000000000G01X1.\r\nN999999999G01X2.\r\n"), "G01X2.0Y0.0\r\n");
  EXPECT_EQ(Body("GOTO0000000000\r\nN999999999G01X1.\r\nN0000000000G01X2.\r\n"), "G01X2.0Y0.0\r\n");
  EXPECT_EQ(Body("GOTO12345678901\r\nN12345678902G01X1.\r\nN1234567890G01X3.\r\nN12345678901G01X2.\r\n"),
            "G01X2.0Y0.0\r\n");
  EXPECT_EQ(Body("GOTO123456789012345678901\r\nN123456789012345678902X1.\r\nN123456789012345678901G01X2.\r\n"),
            "G01X2.0Y0.0\r\n");
  EXPECT_EQ(Expand("#1=-5.\r\nGOTO#1\r\nN5G01X1.\r\n").stopped, "N-5 が見つかりませんでした");
}

TEST(WireMacro, PlainAssignmentsReadAsAnyAssignment) {
  // "#1=12.5" alone is read on its own; with a blank it is read as every
  // other assignment, and both give the same program.
  const std::string plain = "#1=12.5\r\n#2=-0.25\r\n#3=+7\r\n#4=.5\r\n#5041=3.\r\n#0007=2.\r\n"
                            "G01X#1Y#2\r\nX#3Y#4\r\nX#5041Y#7\r\n";
  std::string blanks = plain;
  for (std::size_t at = blanks.find('='); at != std::string::npos; at = blanks.find('=', at + 2)) blanks.insert(at, " ");
  EXPECT_EQ(Body(plain), Body(blanks));
  // (a line holding #5041 stores X there before it moves)
  EXPECT_EQ(Body(plain), "G01X12.5Y-0.25\r\nG01X7.0Y0.5\r\nG01X7.0Y2.0\r\n");
  EXPECT_EQ(FailureOf("#12345=1.\r\n").number(), 9);
}

TEST(WireMacro, PlainMovesReadAsAnyMove) {
  // "G01X12.5Y-3.25" alone is read on its own; with a blank before its Y
  // it is read as every other move, and both give the same program.
  const std::string plain = "G00X1.Y2.\r\nG01X-12.5Y.25\r\nG02X3.Y4.\r\nG03X5Y6\r\nG01X+1.Y2.\r\nG01X1.Y+2.\r\n"
                            "G04X1.Y2.\r\nG01X1-2Y3.\r\nG01XY3.\r\nG91\r\nG01X1.Y1.\r\nG01X1.Y1.\r\n";
  std::string blanks;
  for (std::size_t at = 0, end = plain.find('\r'); end != std::string::npos; at = end + 2, end = plain.find('\r', at)) {
    std::string line = plain.substr(at, end - at);
    if (const std::size_t y = line.find('Y'); y != std::string::npos) line.insert(y, " ");
    blanks += line + "\r\n";
  }
  EXPECT_EQ(Body(plain), Body(blanks));
  EXPECT_EQ(Body("G01X-12.5Y.25\r\nG02X3.Y4.\r\n"), "G01X-12.5Y0.25\r\nG02X3.0Y4.0I0.0J0.0\r\n");
}

TEST(WireMacro, AMissingLabelStopsTheExpansion) {
  const WireExpansion expansion = Expand("G01X1.\r\nGOTO999\r\nG01X2.\r\n");
  EXPECT_EQ(expansion.stopped, "N999 が見つかりませんでした");
  const ConversionResult result = FanucWire("G01X1.\r\nIF[#1EQ0]GOTO7\r\nN70\r\n", Subprograms({}));
  EXPECT_TRUE(result.nothing_to_convert);
  EXPECT_EQ(result.message, "N7 が見つかりませんでした");
  EXPECT_EQ(FanucWire("G01X1.\r\n", Subprograms({})).text, "G40\r\nG00X0Y0\r\nG01X1.0Y0.0\r\n");
}

TEST(WireMacro, LoopsStopAtTheBlockLimit) {
  WireMacroOptions options;
  options.block_limit = 1000;
  const Failure failure = FailureOf("N1\r\nGOTO1\r\n", {}, options);
  EXPECT_EQ(failure.number(), 6);
  EXPECT_EQ(failure.description(), "実行したブロックが 1000 を超えたので展開を止めました（終わらないループではありませんか）");
  // A loop under the limit runs to its end.
  options.block_limit = 4 * 250 + 10;
  EXPECT_EQ(Expand("G01\r\nN1\r\n#1=#1+1\r\nX#1\r\nIF[#1LT250]GOTO1\r\n", {}, options).moves, 250);
}

TEST(WireMacro, SubprogramsNestEightLevels) {
  // A subprogram that calls itself runs at levels 1 to 8; at the eighth
  // level its call is an ordinary line.
  EXPECT_EQ(Expand("M98P1\r\n", {{"O1", "G91G01X1.\r\nM98P1\r\n"}}).moves, 8);
  // Calling itself twice doubles the runs at every level: 1 + 2 + ... + 128.
  EXPECT_EQ(Expand("M98P1\r\n", {{"O1", "G91G01X1.\r\nM98P1\r\nM98P1\r\n"}}).moves, 255);
  // The call is a line that begins with M98P; the name is the rest of it.
  EXPECT_EQ(Body("M98P0100 \r\nG01M98P0100\r\n", {{"O0100", "G01X1.\r\n"}}), "G01X1.0Y0.0\r\n");
  // A jump in a subprogram searches that subprogram.
  EXPECT_EQ(Body("M98P2\r\nN9G01X5.\r\n", {{"O2", "GOTO9\r\nG01X1.\r\nN9G01X2.\r\n"}}),
            "G01X2.0Y0.0\r\nG01X5.0Y0.0\r\n");
}

TEST(WireMacro, AMissingOrUnsafeSubprogramStops) {
  const WireExpansion missing = Expand("G01X1.\r\nM98P100\r\nG01X2.\r\n");
  EXPECT_EQ(missing.stopped, "O100が登録されていません");
  EXPECT_EQ(missing.text, "G40\r\nG00X0Y0\r\nG01X1.0Y0.0\r\n");
  for (const char* call : {"M98P../x\r\n", "M98P/etc/passwd\r\n", "M98P..\\x\r\n"}) {
    const Failure failure = FailureOf(call);
    EXPECT_EQ(failure.number(), 5) << call;
    EXPECT_TRUE(failure.description().starts_with("SUB フォルダーの外を指す")) << failure.description();
  }
}

TEST(WireMacro, SubprogramFolderReadsShiftJisFilesWithAnyLineEnds) {
  testing_support::TempFolder folder;
  WriteFileBytes(folder / "O7", "(\x8c\x8a)\nG01X1.\rG01X2.");  // (穴)
  const SubprogramSource source = SubprogramFolder(folder.path());
  EXPECT_EQ(source("O7"), std::optional<std::string>("(穴)\r\nG01X1.\r\nG01X2."));
  EXPECT_EQ(source("O8"), std::nullopt);
  EXPECT_EQ(ExpandWireMacro("M98P7\r\n", source).text, "G40\r\nG00X0Y0\r\nG01X1.0Y0.0\r\nG01X2.0Y0.0\r\n");
}

TEST(WireMacro, LineWordsAnswerAsASearchOfTheLine) {
  static constexpr std::string_view kWords[] = {"%",   "(",   "G04",  "M",   "#",   "G92", "#5041", "#5042",
                                                "G90", "G91", "G00",  "G01", "G02", "G03", "G41",   "G42",
                                                "=",   "IF",  "GOTO", "G5",  "G40", "X",   "Y",     "I",
                                                "J",   "T",   "G",    "G9",  "9",   "G0G", "Gx1",   "\xef\xbc",
                                                "M60", "M50", "G50"};
  static constexpr std::string_view kChars = "G0123459#%(MIFGOTXYJ=N .[]-6\xef\xbc";
  std::mt19937 rng(41);
  for (int round = 0; round < 20000; ++round) {
    std::string line;
    for (int n = static_cast<int>(rng() % 24); n > 0; --n) line += kChars[rng() % kChars.size()];
    const LineWords words(line);
    for (const std::string_view word : kWords) ASSERT_EQ(words.Has(word), HasLetter(line, word)) << line << " " << word;
  }
}

TEST(WireMacro, WrittenInChunksOfWholeLinesAsWhenGathered) {
  std::string program = "G92X0Y0\r\nG90\r\n#3=1.5\r\n";
  for (int k = 0; k < 12000; ++k) {
    Append(program, "#1=", std::to_string(k % 300), ".25\r\nG01X#1Y[#1-#3]\r\nG02X[#1+1.]Y#1I0J[-#3/2]\r\nM98P7\r\n");
  }
  const auto source = Subprograms({{"O7", "G91\r\nG41G01Y2.\r\nG40G01Y-2.\r\nG90\r\nM99\r\n"}});
  const auto streamed = testing_support::RunStreamed(
      [&](TextOutput& out) { EXPECT_FALSE(FanucWire(program, source, {}, out).nothing_to_convert); });
  EXPECT_GT(streamed.chunks, 1);
  EXPECT_TRUE(streamed.whole_lines);
  EXPECT_EQ(streamed.text, FanucWire(program, source).text);
}

}  // namespace
}  // namespace kovrel
