// Find next and replace all. Replace all streams the document one character
// (code point, with the variation selector that marks a CP932 duplicate
// code) at a time. A character equal to the first character of the search
// string starts a piece; further characters are appended while they match,
// and the first mismatching one is consumed with the piece. A piece equal to
// the search string is replaced and counted; any other piece is written as
// it is and not looked at again, so an occurrence that starts inside a
// failed partial match is not found (AB in AAB is not replaced). Find next
// compares characters the same way but tries every position.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "core/hand_off.h"

namespace kovrel {

struct ReplaceResult {
  std::string text;
  std::size_t count = 0;
};

/// Replaces every occurrence of `find` in `text` by `with`. An empty `find`
/// replaces nothing.
ReplaceResult ReplaceAll(std::string_view text, std::string_view find, std::string_view with);

/// "[ N ]個を変換しました。"
std::string ConvertedCountMessage(std::size_t count);

/// Replace all as a document command: the new text and the count message.
Conversion ReplaceAllConversion(std::string find, std::string with);

/// A found occurrence: its byte offsets in the text.
struct Found {
  std::size_t start = 0;
  std::size_t end = 0;
};

/// Find next: the first occurrence of `find` that begins one character
/// after the character at byte offset `caret`, compared character by
/// character as replace all compares them. The search does not wrap round
/// to the start; an empty `find` is never found.
std::optional<Found> FindAfterCaret(std::string_view text, std::size_t caret, std::string_view find);

/// "検索文字[ S ]が見つかりませんでした。"
std::string NotFoundMessage(std::string_view find);

}  // namespace kovrel
