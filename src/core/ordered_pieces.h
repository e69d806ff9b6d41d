// A result made of pieces that can be written each on its own (the lines of
// a text edited line by line, the entities of a drawing), written on two
// threads and handed on in their order: on a machine with a second
// processor the pieces take about half the time, and the result is the
// same text. Only a few pieces wait at a time, so the memory stays a few
// pieces whatever the result's size.
#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "core/text_output.h"

namespace kovrel {

/// The processors this process may run on (at least 1).
unsigned UsableProcessors();

/// The pieces made ahead of the next one taken, at most: a caller keeps
/// piece k's work in slot k % kPieceSlots.
inline constexpr std::size_t kPieceSlots = 4;

/// Makes pieces 0 to count - 1 (`make(k)`, two at a time where the machine
/// has a second processor, from either thread) and takes each in its order
/// on the calling thread (`take(k)`). Piece k is made only after piece
/// k - kPieceSlots is taken, so kPieceSlots slots hold the pieces made and
/// not yet taken. A failure of `make(k)` is thrown where piece k would be
/// taken, after the pieces before it are; a failure of `take` ends the run.
void ForPiecesInOrder(std::size_t count, const std::function<void(std::size_t)>& make,
                      const std::function<void(std::size_t)>& take);

/// Writes piece `index` of a result into `out`, calling out.Pass() where
/// one pass over the whole result would (after each complete line or item).
using PieceWriter = std::function<void(std::size_t index, TextOutput& out)>;

/// Writes pieces 0 to count - 1 into `output` in their order, two at a time
/// where the machine has a second processor (`write` is called from both
/// threads, never twice for one piece). `room` is the most bytes a piece
/// is expected to take (a piece may take more; the room is made once, not
/// as it grows). A piece is handed on whole where the output has just
/// passed on what it had (no copy; a chunk then holds more lines than one
/// pass would put in it), else joined to the output's text and passed on
/// where one pass would (TextOutput::TakePiece; an output that keeps its
/// text keeps its room). A failure of a piece is thrown as one pass would
/// meet it: the first failing piece's, after every piece before it and the
/// text the failing piece wrote before its failure are handed on. On one
/// processor the pieces are written straight into `output`.
void WritePiecesInOrder(std::size_t count, std::size_t room, const PieceWriter& write, TextOutput& output);

/// Where a text of lines (each ending at a CR, the LF of a CR LF with it)
/// is cut into pieces of about `size` bytes: the start of every piece after
/// the first, each just past a line end. A text of one piece gives none.
std::vector<std::size_t> LinePieceStarts(std::string_view text, std::size_t size);

/// LinePieceStarts for ForPiecesInOrder: none (one piece, read in one
/// pass) on one processor.
std::vector<std::size_t> LinePiecesToRun(std::string_view text, std::size_t size);

/// Piece k of `text` cut at `starts` (LinePieceStarts): from the start
/// before it (or the text's start) to the next one (or the text's end).
inline std::string_view LinePiece(std::string_view text, const std::vector<std::size_t>& starts, std::size_t k) {
  const std::size_t begin = k == 0 ? 0 : starts[k - 1];
  const std::size_t end = k < starts.size() ? starts[k] : text.size();
  return text.substr(begin, end - begin);
}

}  // namespace kovrel
