// Appending several pieces to an output text without building temporary
// strings on the way (the conversions write millions of short lines). A
// piece is text, or a number to write in place (core/number_format.h:
// Masked, General, Printed), which has AppendTo(out).
#pragma once

#include <string>
#include <string_view>

namespace kovrel {

// These are always inlined: the length of a literal piece ("G01X") is then
// known where it is written, not counted by a call to strlen.

/// Appends one piece to `out`.
template <typename Piece>
[[gnu::always_inline]] inline void AppendPiece(std::string& out, const Piece& piece) {
  if constexpr (requires { piece.AppendTo(out); }) {
    piece.AppendTo(out);
  } else {
    out.append(std::string_view(piece));
  }
}

/// Appends every piece to `out`, in order.
template <typename... Pieces>
[[gnu::always_inline]] inline void Append(std::string& out, const Pieces&... pieces) {
  (AppendPiece(out, pieces), ...);
}

/// The pieces joined into one string ("X" + a number, written so that
/// GCC 12 at -O3 sees no overlapping copy where there is none).
template <typename... Pieces>
std::string Joined(const Pieces&... pieces) {
  std::string out;
  Append(out, pieces...);
  return out;
}

/// Appends the pieces followed by CR LF.
template <typename... Pieces>
[[gnu::always_inline]] inline void AppendLine(std::string& out, const Pieces&... pieces) {
  Append(out, pieces..., "\r\n");
}

}  // namespace kovrel
