// Replace all over UTF-8 text. UTF-8 is self-synchronising, so comparing
// code points equals comparing their bytes at code-point boundaries; the
// search for the first character of the search string runs on bytes. A
// character marked as a CP932 duplicate (followed by a variation selector)
// is one character and matches its plain form.
#include "texttools/replace_all.h"

#include "core/append.h"
#include "core/utf8.h"
#include "texttools/piece_stream.h"

namespace kovrel {

namespace {

// The piece that starts at `hit` (a character equal to the first character
// of `find`, which ends at byte `after_first` of `find`): the search string
// is followed character by character, and the first character that differs
// is consumed with the piece.
Piece MatchAt(std::string_view text, std::size_t hit, std::string_view find, std::size_t after_first) {
  std::size_t t = hit, f = after_first;
  NextCharacter(text, t);
  while (f < find.size()) {
    if (t >= text.size()) return Piece{t, false};
    const std::size_t t_at = t, f_at = f;
    const char32_t a = NextCharacter(text, t);
    const char32_t b = NextCharacter(find, f);
    // Invalid bytes compare as bytes.
    if (a != b || (a == kInvalidCodePoint && text[t_at] != find[f_at])) return Piece{t, false};
  }
  return Piece{t, true};
}

// The bytes of the first code point of `find` and where its first
// character ends.
std::string_view FirstCodePoint(std::string_view find, std::size_t& after_first) {
  std::size_t length = 0;
  NextCodePoint(find, length);
  after_first = 0;
  NextCharacter(find, after_first);
  return find.substr(0, length);
}

}  // namespace

ReplaceResult ReplaceAll(std::string_view text, std::string_view find, std::string_view with) {
  if (find.empty()) return ReplaceResult{std::string(text), 0};
  std::size_t after_first = 0;
  FirstCodePoint(find, after_first);
  return ReplacePieces(text, find, with, [&](std::string_view all, std::size_t hit) {
    return MatchAt(all, hit, find, after_first);
  });
}

Conversion ReplaceAllConversion(std::string find, std::string with) {
  return [find = std::move(find), with = std::move(with)](std::string_view input) {
    ReplaceResult replaced = ReplaceAll(input, find, with);
    return ConversionResult(std::move(replaced.text), ConvertedCountMessage(replaced.count));
  };
}

std::optional<Found> FindAfterCaret(std::string_view text, std::size_t caret, std::string_view find) {
  if (find.empty() || caret >= text.size()) return std::nullopt;
  std::size_t after_first = 0;
  const std::string_view first = FirstCodePoint(find, after_first);
  std::size_t pos = caret;
  NextCharacter(text, pos);
  while ((pos = text.find(first, pos)) != std::string_view::npos) {
    const Piece piece = MatchAt(text, pos, find, after_first);
    if (piece.matched) return Found{pos, piece.end};
    pos += first.size();
  }
  return std::nullopt;
}

std::string NotFoundMessage(std::string_view find) {
  return Joined("検索文字[ ", find, " ]が見つかりませんでした。");
}

std::string ConvertedCountMessage(std::size_t count) {
  return "[ " + std::to_string(count) + " ]個を変換しました。";
}

}  // namespace kovrel
