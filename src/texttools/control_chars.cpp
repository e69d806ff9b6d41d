// Control-character replacement over UTF-8 text.
#include "texttools/control_chars.h"

#include "core/utf8.h"

namespace kovrel {

std::string MapControlName(std::string_view name) {
  if (name == "CrLf") return "\r\n";
  if (name == "Cr") return "\r";
  if (name == "Lf") return "\n";
  return std::string(name);
}

ReplaceResult ReplaceControl(std::string_view text, std::string_view target, std::string_view with) {
  ReplaceResult result;
  if (target.empty()) {
    result.text.assign(text);
    return result;
  }
  std::size_t first_length = 0;
  NextCodePoint(target, first_length);
  const std::string_view first = target.substr(0, first_length);
  const std::size_t target_chars = CountCharacters(target);

  result.text.reserve(text.size());
  std::size_t pos = 0;
  while (pos < text.size()) {
    const std::size_t hit = text.find(first, pos);
    if (hit == std::string_view::npos) break;
    result.text.append(text, pos, hit - pos);
    // The piece: as many characters as the target, or up to the end.
    std::size_t end = hit;
    for (std::size_t k = 0; k < target_chars && end < text.size(); ++k) NextCharacter(text, end);
    const std::string_view piece = text.substr(hit, end - hit);
    if (piece == target) {
      result.text.append(with);
      ++result.count;
    } else {
      result.text.append(piece);
    }
    pos = end;
  }
  result.text.append(text, pos);
  return result;
}

std::string DeletedCountMessage(std::size_t count) {
  return "[ " + std::to_string(count) + " ]個を削除しました。";
}

}  // namespace kovrel
