// A file's CP932 bytes read a line at a time give what the decoded text
// gives: the same lines, and the same results of the conversions that read
// them (bytes whose second byte is a letter, lone line ends, stray bytes).
#include "wire/program_lines.h"

#include <gtest/gtest.h>

#include <functional>
#include <random>
#include <string>
#include <vector>

#include "core/cp932.h"
#include "core/failure.h"
#include "core/hand_off.h"
#include "wire/wire_gcode.h"
#include "wire/wire_macro.h"
#include "wire/wire_milling.h"

namespace kovrel {
namespace {

using FormConversion = std::function<ConversionResult(std::string_view, TextOutput&, ProgramForm)>;

// The result text, or the failure it ended in.
std::string Outcome(const FormConversion& run, std::string_view program, ProgramForm form) {
  TextOutput out;
  try {
    run(program, out, form);
  } catch (const Failure& failure) {
    return "failure " + std::to_string(failure.number()) + ": " + failure.description();
  }
  return out.text;
}

// Wire programs made of pieces that look like words in one form and not in
// the other: "ジ" is 83 57, "ソ" 83 5C, and 83 58, 83 59, 83 4D hold the
// bytes of X, Y and M; 81 alone and A0 are bytes that start no character.
std::string RandomProgram(std::mt19937& rng) {
  static const std::vector<std::string> kPieces = {
      "G01", "G00", "G02", "G03", "G41", "G40", "G04", "G92", "G22L1000", "M60", "M50", "M00", "X12.5", "Y-3",
      "X1500", "Y.25", "I1.", "J-2.", "R5.", "K45000", "H100=2000", "H200=1000", "(", ")", "\x83\x58", "\x83\x59",
      "\x83\x4d", "\x83\x57", "\x83\x5c", "\x82\xa0", "\x81", "\xa0", " ", "\t", "\x0c", "\r\n", "\r", "\n",
      "\r\n", "G01X12.345Y-67.890\r\n"};
  std::string program;
  for (int n = static_cast<int>(rng() % 60); n > 0; --n) program += kPieces[rng() % kPieces.size()];
  return program;
}

TEST(ProgramLines, LinesOfTheBytesAreTheLinesOfTheDecodedText) {
  const std::string bytes = "G01\x83\x58\r\n\r\r(\x8c\x8a)\nX1.\x81\r\n\xa0Y2.\nG01X1.\tY12345.678\r\n";
  const std::string text = ConversionInput(bytes, InputLineEnds::kAsLineBreaks);
  ProgramLines from_bytes(bytes, ProgramForm::kCp932), from_text(text, ProgramForm::kText);
  std::string_view a, b;
  int lines = 0;
  while (from_text.Next(b)) {
    ASSERT_TRUE(from_bytes.Next(a));
    EXPECT_EQ(a, b);
    EXPECT_EQ(EncodeCp932(a), from_bytes.held());  // held: the bytes the line came from
    EXPECT_EQ(from_text.held(), b);
    ++lines;
  }
  EXPECT_FALSE(from_bytes.Next(a));
  EXPECT_EQ(lines, 7);
}

TEST(ProgramLines, ConversionsOfTheBytesGiveTheResultsOfTheText) {
  const FormConversion gcode = [](std::string_view p, TextOutput& out, ProgramForm form) { return WireToGcode(p, out, form); };
  const FormConversion milling = [](std::string_view p, TextOutput& out, ProgramForm form) {
    return WireToMilling(p, out, form);
  };
  std::mt19937 rng(932);
  for (int round = 0; round < 3000; ++round) {
    const std::string bytes = RandomProgram(rng);
    const std::string text = ConversionInput(bytes, InputLineEnds::kAsLineBreaks);
    // The G-code is ASCII either way; the milling program copies lines,
    // which the bytes' form keeps as CP932.
    ASSERT_EQ(Outcome(gcode, bytes, ProgramForm::kCp932), Outcome(gcode, text, ProgramForm::kText)) << bytes;
    const std::string milled = Outcome(milling, text, ProgramForm::kText);
    ASSERT_EQ(Outcome(milling, bytes, ProgramForm::kCp932), milled.starts_with("failure") ? milled : EncodeCp932(milled))
        << bytes;
  }
}

// Custom-macro programs whose labels and calls are near characters with an
// "N" (83 4E), "M" or "P" as their second byte, looping through jumps both
// ways (the block limit ends a loop that never ends, in either form alike).
std::string RandomMacroProgram(std::mt19937& rng) {
  static const std::vector<std::string> kPieces = {
      "N1",   "N2",          "N10",      "GOTO1",    "GOTO2",      "GOTO10", "IF[#1LT3]GOTO1", "IF[#1GT2]GOTO2",
      "#1=#1+1", "G01X#1Y2.", "G02X1.Y#1I.5J0", "X5.",  "M98P7",    "(",      ")",              "\x83N1",
      "\x83N2", "\x83M98P7", "\x82\xa0", "\x81", "\xa0",   " ",      "\r\n",         "\r",
      "\n",     "\r\n",       "\r\n",  "\t",  "G01X1.5Y-2.25", "#2=12.5"};
  std::string program;
  for (int n = static_cast<int>(rng() % 40); n > 0; --n) program += kPieces[rng() % kPieces.size()];
  return program;
}

TEST(ProgramLines, MacroExpansionOfTheBytesGivesTheResultOfTheText) {
  const SubprogramSource source = [](const std::string& name) -> std::optional<std::string> {
    if (name != "O7") return std::nullopt;
    return "G91G01X1.\r\nG90\r\nM99\r\n";
  };
  const auto outcome = [&source](std::string_view program, ProgramForm form) {
    WireMacroOptions options;
    options.block_limit = 500;
    options.form = form;
    try {
      const WireExpansion expansion = ExpandWireMacro(program, source, options);
      return expansion.text + "|" + expansion.stopped;
    } catch (const Failure& failure) {
      return "failure " + std::to_string(failure.number()) + ": " + failure.description();
    }
  };
  std::mt19937 rng(4932);
  for (int round = 0; round < 3000; ++round) {
    const std::string bytes = RandomMacroProgram(rng);
    const std::string text = ConversionInput(bytes, InputLineEnds::kAsLineBreaks);
    ASSERT_EQ(outcome(bytes, ProgramForm::kCp932), outcome(text, ProgramForm::kText)) << bytes;
  }
}

}  // namespace
}  // namespace kovrel
