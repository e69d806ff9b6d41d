// A file's CP932 bytes read a line at a time give what the decoded text
// gives: the same lines, and the same results of the conversions that read
// them (bytes whose trail byte is a letter, lone line ends, stray bytes).
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
      "\x83\x4d", "\x83\x57", "\x83\x5c", "\x82\xa0", "\x81", "\xa0", " ", "\r\n", "\r", "\n", "\r\n"};
  std::string program;
  for (int n = static_cast<int>(rng() % 60); n > 0; --n) program += kPieces[rng() % kPieces.size()];
  return program;
}

TEST(ProgramLines, LinesOfTheBytesAreTheLinesOfTheDecodedText) {
  const std::string bytes = "G01\x83\x58\r\n\r\r(\x8c\x8a)\nX1.\x81\r\n\xa0Y2.\n";
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
  EXPECT_EQ(lines, 6);
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

}  // namespace
}  // namespace kovrel
