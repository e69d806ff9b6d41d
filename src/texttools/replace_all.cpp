// Replace all over UTF-8 text. UTF-8 is self-synchronising, so comparing
// code points equals comparing their bytes at code-point boundaries; the
// search for the first character of the search string runs on bytes. A
// character marked as a CP932 duplicate (followed by a variation selector)
// is one character and matches its plain form.
#include "texttools/replace_all.h"

#include "core/utf8.h"
#include "texttools/piece_stream.h"

namespace kovrel {

ReplaceResult ReplaceAll(std::string_view text, std::string_view find, std::string_view with) {
  if (find.empty()) return ReplaceResult{std::string(text), 0};
  std::size_t after_first = 0;
  NextCharacter(find, after_first);
  return ReplacePieces(text, find, with, [&](std::string_view all, std::size_t hit) {
    // Follow the search string character by character; the first character
    // that differs is consumed with the piece.
    std::size_t t = hit, f = after_first;
    NextCharacter(all, t);
    while (f < find.size()) {
      if (t >= all.size()) return Piece{t, false};
      const std::size_t t_at = t, f_at = f;
      const char32_t a = NextCharacter(all, t);
      const char32_t b = NextCharacter(find, f);
      // Invalid bytes compare as bytes.
      if (a != b || (a == kInvalidCodePoint && all[t_at] != find[f_at])) return Piece{t, false};
    }
    return Piece{t, true};
  });
}

std::string ConvertedCountMessage(std::size_t count) {
  return "[ " + std::to_string(count) + " ]個を変換しました。";
}

}  // namespace kovrel
