// Pieces of a result written on two threads: handed on whole and in their
// order, the first failing piece's failure thrown after the pieces before
// it; a text cut into pieces only just past its line ends.
#include "core/ordered_pieces.h"

#include <gtest/gtest.h>

#include <chrono>
#include <random>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

#include "support/one_processor.h"

namespace kovrel {
namespace {

using testing_support::OnOneProcessor;

// The text of piece k: a few lines, some pieces far longer than others.
std::string PieceText(std::size_t k) {
  std::string text;
  const std::size_t lines = k % 7 == 3 ? 20000 : 1 + k % 5;
  for (std::size_t n = 0; n < lines; ++n) text += "P" + std::to_string(k) + "L" + std::to_string(n) + "\r\n";
  return text;
}

void ExpectPiecesInOrder() {
  constexpr std::size_t kCount = 300;
  std::string expected;
  for (std::size_t k = 0; k < kCount; ++k) expected += PieceText(k);
  const PieceWriter write = [](std::size_t k, std::string& out) {
    // Pieces that take their time now and then, so that the threads finish
    // out of their order.
    if (k % 11 == 0) std::this_thread::sleep_for(std::chrono::microseconds(300));
    out += PieceText(k);
  };
  // Handed on to a sink: every chunk ends at a line end.
  std::string handed;
  bool whole_lines = true;
  TextOutput out([&](std::string& chunk) {
    whole_lines = whole_lines && chunk.ends_with("\r\n");
    handed += chunk;
  });
  out.text = "HEAD\r\n";
  WritePiecesInOrder(kCount, 256, write, out);
  out.Flush();
  EXPECT_TRUE(whole_lines);
  EXPECT_TRUE(handed == "HEAD\r\n" + expected);
  // Kept whole.
  TextOutput kept;
  WritePiecesInOrder(kCount, 0, write, kept);
  EXPECT_TRUE(kept.text == expected);
}

TEST(OrderedPieces, PiecesComeOutWholeAndInOrderOnOneProcessorOrMore) {
  ExpectPiecesInOrder();
  OnOneProcessor([] {
    EXPECT_EQ(UsableProcessors(), 1u);
    EXPECT_TRUE(LinePiecesToRun(std::string(3 << 20, '\r'), 1 << 20).empty());
    ExpectPiecesInOrder();
  });
}

void ExpectFirstFailureWins() {
  // Piece 3 fails late, piece 4 at once: one pass meets piece 3's failure,
  // after pieces 0 to 2 are handed on and before anything of piece 4.
  std::string handed;
  TextOutput out([&](std::string& chunk) { handed += chunk; });
  const PieceWriter write = [](std::size_t k, std::string& out) {
    if (k == 3) {
      std::this_thread::sleep_for(std::chrono::milliseconds(20));
      throw std::runtime_error("piece 3");
    }
    if (k == 4) throw std::runtime_error("piece 4");
    out += PieceText(k);
  };
  try {
    WritePiecesInOrder(50, 0, write, out);
    ADD_FAILURE() << "no failure";
  } catch (const std::runtime_error& failure) {
    EXPECT_STREQ(failure.what(), "piece 3");
  }
  out.Flush();
  EXPECT_TRUE(handed == PieceText(0) + PieceText(1) + PieceText(2));
  // A failure of the last piece, and of the only one.
  for (const std::size_t count : {1u, 9u}) {
    TextOutput last;
    EXPECT_THROW(WritePiecesInOrder(
                     count, 0,
                     [count](std::size_t k, std::string& text) {
                       if (k + 1 == count) throw std::runtime_error("last");
                       text += PieceText(k);
                     },
                     last),
                 std::runtime_error);
  }
}

TEST(OrderedPieces, TheFirstFailingPieceFailsAfterThePiecesBeforeIt) {
  ExpectFirstFailureWins();
  OnOneProcessor(ExpectFirstFailureWins);
}

TEST(OrderedPieces, ATextIsCutJustPastALineEnd) {
  EXPECT_TRUE(LinePieceStarts("A\r\nB\r\n", 100).empty());
  EXPECT_TRUE(LinePieceStarts("", 1).empty());
  // Past a CR LF (never between them), past a lone CR; a lone LF is no
  // line end, and a text's last line end starts no piece.
  EXPECT_EQ(LinePieceStarts("AB\r\nCD\rEF\nGH\r\n", 1), (std::vector<std::size_t>{4, 7}));
  EXPECT_EQ(LinePieceStarts("A\r", 1), (std::vector<std::size_t>{}));
  std::mt19937 random(5);
  std::string text;
  while (text.size() < 200000) {
    text.append(random() % 40, 'X');
    text += random() % 4 == 0 ? "\r" : "\r\n";
  }
  const std::vector<std::size_t> starts = LinePieceStarts(text, 4096);
  ASSERT_GT(starts.size(), 20u);
  std::size_t before = 0;
  for (const std::size_t start : starts) {
    EXPECT_GE(start - before, 4096u);
    EXPECT_LT(start, text.size());
    const bool past_crlf = text[start - 1] == '\n' && text[start - 2] == '\r';
    const bool past_cr = text[start - 1] == '\r' && text[start] != '\n';
    EXPECT_TRUE(past_crlf || past_cr) << start;
    before = start;
  }
}

}  // namespace
}  // namespace kovrel
