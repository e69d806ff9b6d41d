// Control-character replacement over UTF-8 text.
#include "texttools/control_chars.h"

#include "core/utf8.h"
#include "texttools/piece_stream.h"

namespace kovrel {

std::string MapControlName(std::string_view name) {
  if (name == "CrLf") return "\r\n";
  if (name == "Cr") return "\r";
  if (name == "Lf") return "\n";
  return std::string(name);
}

ReplaceResult ReplaceControl(std::string_view text, std::string_view target, std::string_view with) {
  if (target.empty()) return ReplaceResult{std::string(text), 0};
  const std::size_t target_chars = CountCharacters(target);
  return ReplacePieces(text, target, with, [&](std::string_view all, std::size_t hit) {
    // The piece: as many characters as the target, or up to the end.
    std::size_t end = hit;
    for (std::size_t k = 0; k < target_chars && end < all.size(); ++k) NextCharacter(all, end);
    return Piece{end, all.substr(hit, end - hit) == target};
  });
}

std::string DeletedCountMessage(std::size_t count) {
  return "[ " + std::to_string(count) + " ]個を削除しました。";
}

Conversion ReplaceControlConversion(std::string_view target_name, std::string_view with_name) {
  return [target = MapControlName(target_name), with = MapControlName(with_name)](std::string_view input) {
    ReplaceResult replaced = ReplaceControl(input, target, with);
    return ConversionResult(std::move(replaced.text), ConvertedCountMessage(replaced.count));
  };
}

Conversion DeleteControlConversion(std::string_view target_name) {
  return [target = MapControlName(target_name)](std::string_view input) {
    ReplaceResult deleted = ReplaceControl(input, target, "");
    return ConversionResult(std::move(deleted.text), DeletedCountMessage(deleted.count));
  };
}

}  // namespace kovrel
