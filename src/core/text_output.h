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
#include <utility>

namespace kovrel {

class TextOutput {
 public:
  /// Takes a chunk of complete lines (and may leave it changed).
  using Sink = std::function<void(std::string& chunk)>;

  /// An output that keeps the whole text in `text`.
  TextOutput() = default;
  /// An output that hands its text to `sink` a chunk at a time.
  explicit TextOutput(Sink sink) : sink_(std::move(sink)) { text.reserve(kChunk + kChunk / 4); }

  /// The text not yet passed on.
  std::string text;

  /// After a complete line: passes the text on once a chunk has gathered.
  void Pass() {
    if (sink_ && text.size() >= kChunk) PassNow();
  }

  /// Passes on whatever is left (the end of the result).
  void Flush() {
    if (sink_ && !text.empty()) PassNow();
  }

 private:
  static constexpr std::size_t kChunk = 1 << 20;

  void PassNow() {
    sink_(text);
    text.clear();
  }

  Sink sink_;
};

}  // namespace kovrel
