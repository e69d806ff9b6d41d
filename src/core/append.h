// Appending several pieces to an output text without building temporary
// strings on the way (the conversions write millions of short lines). A
// piece is text, or a number to write in place (core/number_format.h:
// Masked, General, Printed), which has AppendTo(out).
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <type_traits>

namespace kovrel {

/// Appends one piece to `out`.
template <typename Piece>
void AppendPiece(std::string& out, const Piece& piece) {
  if constexpr (requires { piece.AppendTo(out); }) {
    piece.AppendTo(out);
  } else if constexpr (std::is_array_v<Piece>) {
    // A literal ("G01X") up to its first NUL, counted inline (its size is
    // known) rather than by a call to strlen.
    std::size_t length = 0;
    while (length + 1 < std::extent_v<Piece> && piece[length] != '\0') ++length;
    out.append(piece, length);
  } else {
    out.append(std::string_view(piece));
  }
}

/// Appends every piece to `out`, in order.
template <typename... Pieces>
void Append(std::string& out, const Pieces&... pieces) {
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
void AppendLine(std::string& out, const Pieces&... pieces) {
  Append(out, pieces..., "\r\n");
}

}  // namespace kovrel
