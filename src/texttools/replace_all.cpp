// Replace all over UTF-8 text. UTF-8 is self-synchronising, so comparing
// code points equals comparing their bytes at code-point boundaries; the
// search for the first character of the search string runs on bytes. A
// character marked as a CP932 duplicate (followed by a variation selector)
// is one character and matches its plain form.
#include "texttools/replace_all.h"

#include "core/utf8.h"

namespace kovrel {

ReplaceResult ReplaceAll(std::string_view text, std::string_view find, std::string_view with) {
  ReplaceResult result;
  if (find.empty()) {
    result.text.assign(text);
    return result;
  }
  std::size_t first_length = 0;
  NextCodePoint(find, first_length);
  const std::string_view first = find.substr(0, first_length);
  std::size_t after_first = 0;
  NextCharacter(find, after_first);

  result.text.reserve(text.size());
  std::size_t pos = 0;
  while (pos < text.size()) {
    const std::size_t hit = text.find(first, pos);
    if (hit == std::string_view::npos) break;
    result.text.append(text, pos, hit - pos);
    // Follow the search string character by character; the first character
    // that differs is consumed with the piece.
    std::size_t t = hit, f = after_first;
    NextCharacter(text, t);
    bool matched = true;
    while (f < find.size()) {
      if (t >= text.size()) {
        matched = false;
        break;
      }
      std::size_t t_next = t, f_next = f;
      const char32_t a = NextCharacter(text, t_next);
      const char32_t b = NextCharacter(find, f_next);
      // Invalid bytes compare as bytes.
      const bool same = a == b && (a != kInvalidCodePoint || text[t] == find[f]);
      t = t_next;
      f = f_next;
      if (!same) {
        matched = false;
        break;
      }
    }
    if (matched) {
      result.text.append(with);
      ++result.count;
    } else {
      result.text.append(text, hit, t - hit);
    }
    pos = t;
  }
  result.text.append(text, pos);
  return result;
}

std::string ConvertedCountMessage(std::size_t count) {
  return "[ " + std::to_string(count) + " ]個を変換しました。";
}

}  // namespace kovrel
