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

#include "core/append.h"
#include "support/one_processor.h"

namespace kovrel {
namespace {

using testing_support::OnOneProcessor;

// Writes the lines of piece k, passing after each as one pass would: a few
// lines, some pieces far longer than others (past a chunk).
void WritePiece(std::size_t k, TextOutput& out) {
  const std::size_t lines = k % 7 == 3 ? 120000 : 1 + k % 5;
  for (std::size_t n = 0; n < lines; ++n) {
    Append(out.text, "P", std::to_string(k), "L", std::to_string(n), "\r\n");
    out.Pass();
  }
}

// What a run hands on, and what it threw.
struct Handed {
  std::string text;
  bool whole_lines = true;  // every chunk ends at a line end
  std::string failure;
};

Handed HandedBy(std::size_t count, const PieceWriter& write) {
  Handed handed;
  TextOutput out([&handed](std::string& chunk) {
    handed.whole_lines = handed.whole_lines && chunk.ends_with("\r\n");
    handed.text += chunk;
  });
  out.text = "HEAD\r\n";
  try {
    WritePiecesInOrder(count, 256, write, out);
  } catch (const std::runtime_error& failure) {
    handed.failure = failure.what();
  }
  out.Flush();
  return handed;
}

TEST(OrderedPieces, PiecesAreHandedOnWholeAndInOrder) {
  constexpr std::size_t kCount = 300;
  const PieceWriter write = [](std::size_t k, TextOutput& out) {
    // Pieces that take their time now and then, so that the threads finish
    // out of their order.
    if (k % 11 == 0) std::this_thread::sleep_for(std::chrono::microseconds(300));
    WritePiece(k, out);
  };
  Handed once;
  OnOneProcessor([&] {
    EXPECT_EQ(UsableProcessors(), 1u);
    EXPECT_TRUE(LinePiecesToRun(std::string(3 << 20, '\r'), 1 << 20).empty());
    once = HandedBy(kCount, write);
  });
  const Handed pieces = HandedBy(kCount, write);
  EXPECT_TRUE(once.whole_lines && pieces.whole_lines);
  EXPECT_GT(once.text.size(), std::size_t{20} << 20);
  EXPECT_TRUE(pieces.text == once.text);
  // Kept whole (no sink): the text of all pieces, in the room the caller
  // made for it.
  TextOutput kept;
  kept.text.reserve(once.text.size());
  const char* const room = kept.text.data();
  WritePiecesInOrder(kCount, 0, write, kept);
  EXPECT_TRUE(kept.text == std::string_view(once.text).substr(6));
  EXPECT_EQ(kept.text.data(), room);
}

TEST(OrderedPieces, ATextWrittenApartIsPassedOnWhereItWouldHaveBeen) {
  // Lines written in place, and the same lines written apart and taken in:
  // the same chunks, handed at the same lines.
  const auto chunks_of = [](bool apart) {
    std::vector<std::string> chunks;
    TextOutput out([&chunks](std::string& chunk) { chunks.push_back(chunk); });
    out.text = std::string(700000, 'H') + "\r\n";
    std::vector<std::size_t> passes;
    TextOutput piece(&passes);
    TextOutput& target = apart ? piece : out;
    for (int n = 0; n < 300000; ++n) {
      Append(target.text, "L", std::to_string(n), n % 3 == 0 ? "\r\n" : ",");
      if (n % 3 == 0) target.Pass();
    }
    if (apart) out.TakePiece(piece.text, passes);
    out.Flush();
    return chunks;
  };
  const std::vector<std::string> in_place = chunks_of(false);
  EXPECT_GT(in_place.size(), 2u);
  EXPECT_TRUE(chunks_of(true) == in_place);
}

TEST(OrderedPieces, TheFirstFailingPieceFailsWhereOnePassFails) {
  // Piece 10 (long) fails late, after many lines; piece 11 at once: one
  // pass meets piece 10's failure, after pieces 0 to 9 and piece 10's lines
  // before its failure are handed on, and before anything of piece 11.
  const PieceWriter write = [](std::size_t k, TextOutput& out) {
    if (k == 10) {
      for (int n = 0; n < 200000; ++n) {
        Append(out.text, "P10L", std::to_string(n), "\r\n");
        out.Pass();
      }
      std::this_thread::sleep_for(std::chrono::milliseconds(20));
      throw std::runtime_error("piece 10");
    }
    if (k == 11) throw std::runtime_error("piece 11");
    WritePiece(k, out);
  };
  Handed once;
  OnOneProcessor([&] { once = HandedBy(50, write); });
  const Handed pieces = HandedBy(50, write);
  EXPECT_EQ(once.failure, "piece 10");
  EXPECT_EQ(pieces.failure, "piece 10");
  EXPECT_TRUE(once.text.ends_with("P10L199999\r\n"));
  EXPECT_TRUE(pieces.text == once.text);
  // A failure of the last piece, and of the only one.
  for (const std::size_t count : {1u, 9u}) {
    TextOutput last;
    EXPECT_THROW(WritePiecesInOrder(
                     count, 0,
                     [count](std::size_t k, TextOutput& text) {
                       if (k + 1 == count) throw std::runtime_error("last");
                       WritePiece(k, text);
                     },
                     last),
                 std::runtime_error);
  }
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
