// Where a conversion writes its result text. The text gathers in `text`;
// a conversion whose result can be much larger than its input (hole data
// to DXF writes five times what it reads) calls Pass() after each complete
// line, and an output bound for a file then takes the text gathered so far
// there in chunks, so that the whole result never sits in memory and the
// chunks reach the file while they are still in the cache.
#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace kovrel {

class TextOutput {
 public:
  /// Takes a chunk of complete lines (and may leave it changed).
  using Sink = std::function<void(std::string& chunk)>;

  /// An output that keeps the whole text in `text`.
  TextOutput() = default;
  /// An output that hands its text to `sink` a chunk at a time.
  explicit TextOutput(Sink sink) : sink_(std::move(sink)) { text.reserve(kChunk + kChunk / 4); }
  /// An output for a piece of a result written apart: it keeps its text
  /// and notes in `passes` where Pass() was asked for (TakePiece hands the
  /// piece on as if it had been written in place).
  explicit TextOutput(std::vector<std::size_t>* passes) : passes_(passes) {}

  /// The text not yet passed on.
  std::string text;

  /// True for an output that hands its text on as it goes.
  bool Streams() const { return static_cast<bool>(sink_); }

  /// After a complete line: passes the text on once a chunk has gathered.
  void Pass() {
    if (passes_ != nullptr) {
      passes_->push_back(text.size());
    } else if (sink_ && text.size() >= kChunk) {
      PassNow();
    }
  }

  /// Passes on whatever is left (the end of the result).
  void Flush() {
    if (sink_ && !text.empty()) PassNow();
  }

  /// Appends `piece`, written apart with Pass() asked for at `passes`
  /// (offsets into it), and passes the text on at the same places as if
  /// the piece had been written here: the same chunks, handed in the same
  /// order.
  void TakePiece(std::string_view piece, const std::vector<std::size_t>& passes) {
    std::size_t taken = 0;
    if (sink_) {
      for (const std::size_t at : passes) {
        if (text.size() + (at - taken) < kChunk) continue;
        text.append(piece.substr(taken, at - taken));
        taken = at;
        PassNow();
      }
    }
    text.append(piece.substr(taken));
  }

 private:
  static constexpr std::size_t kChunk = 1 << 20;

  void PassNow() {
    sink_(text);
    text.clear();
  }

  Sink sink_;
  std::vector<std::size_t>* passes_ = nullptr;
};

}  // namespace kovrel
