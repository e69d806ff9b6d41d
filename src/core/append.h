// Appending several pieces to an output text without building temporary
// strings on the way (the conversions write millions of short lines). A
// piece is text, or a number to write in place (core/number_format.h:
// Masked, General, Printed), which has AppendTo(out).
#pragma once

#include <cstring>
#include <string>
#include <string_view>
#include <type_traits>

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

namespace append_line {

// Copies one piece of a short line to `p` and returns the end of it: a
// string literal (a character array is one, its text filling it) with its
// size known, a std::string of up to 16 characters in one 16-byte move (a
// std::string always has room for 16 bytes: its own buffer holds 15
// characters and the terminator, a larger one more), anything else as it
// is long.
template <typename Piece>
char* Copy(char* p, const Piece& piece) {
  if constexpr (std::is_array_v<Piece>) {
    std::memcpy(p, piece, sizeof(Piece));
    return p + sizeof(Piece) - 1;
  } else if constexpr (std::is_same_v<Piece, std::string>) {
    if (piece.size() <= 16) {
      std::memcpy(p, piece.data(), 16);
    } else {
      std::memcpy(p, piece.data(), piece.size());
    }
    return p + piece.size();
  } else {
    const std::string_view text(piece);
    std::memcpy(p, text.data(), text.size());
    return p + text.size();
  }
}

// The length of a piece, a literal's without looking for its end.
template <typename Piece>
std::size_t Size(const Piece& piece) {
  if constexpr (std::is_array_v<Piece>) {
    return sizeof(Piece) - 1;
  } else {
    return std::string_view(piece).size();
  }
}

}  // namespace append_line

/// AppendLine for a line of a few texts (string literals, strings, views):
/// gathered first and added to `out` at once, a short string in one move.
template <typename... Texts>
void AppendTextLine(std::string& out, const Texts&... texts) {
  constexpr std::size_t kRoom = 256;
  const std::size_t size = (append_line::Size(texts) + ... + 2);
  if (size + 16 > kRoom) {
    AppendLine(out, texts...);
    return;
  }
  char line[kRoom];
  char* p = line;
  ((p = append_line::Copy(p, texts)), ...);
  *p++ = '\r';
  *p++ = '\n';
  out.append(line, static_cast<std::size_t>(p - line));
}

}  // namespace kovrel
