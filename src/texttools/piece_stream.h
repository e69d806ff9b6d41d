// The stream both replace commands share: the text is read one character
// at a time; a character equal to the first character of the target starts
// a piece, which the command measures (how far it reaches, whether it is
// the target); a matching piece is replaced and counted, any other piece is
// written as it is and not looked at again.
#pragma once

#include <cstddef>
#include <string_view>

#include "core/utf8.h"
#include "texttools/replace_all.h"

namespace kovrel {

/// Where a piece ends and whether it is replaced.
struct Piece {
  std::size_t end = 0;
  bool matched = false;
};

/// Replaces the pieces of `text` that `measure(text, hit)` matches by
/// `with`. `target` must not be empty.
template <typename Measure>
ReplaceResult ReplacePieces(std::string_view text, std::string_view target, std::string_view with, Measure&& measure) {
  std::size_t first_length = 0;
  NextCodePoint(target, first_length);
  const std::string_view first = target.substr(0, first_length);
  ReplaceResult result;
  result.text.reserve(text.size());
  std::size_t pos = 0;
  while (pos < text.size()) {
    const std::size_t hit = text.find(first, pos);
    if (hit == std::string_view::npos) break;
    result.text.append(text, pos, hit - pos);
    const Piece piece = measure(text, hit);
    if (piece.matched) {
      result.text.append(with);
      ++result.count;
    } else {
      result.text.append(text, hit, piece.end - hit);
    }
    pos = piece.end;
  }
  result.text.append(text, pos);
  return result;
}

}  // namespace kovrel
