// Replace all: the document is streamed one character (code point, with
// the variation selector that marks a CP932 duplicate code) at a time. A character equal to the first character of the search string
// starts a piece; further characters are appended while they match, and the
// first mismatching one is consumed with the piece. A piece equal to the
// search string is replaced and counted; any other piece is written as it
// is and not looked at again, so an occurrence that starts inside a failed
// partial match is not found (AB in AAB is not replaced).
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

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

}  // namespace kovrel
