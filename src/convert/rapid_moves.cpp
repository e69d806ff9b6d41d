// Collapsing runs of rapid moves.
#include "convert/rapid_moves.h"

#include "core/append.h"
#include "core/text_reader.h"

namespace kovrel {

std::string CollapseRapidMoves(std::string_view text, std::string_view rapid, bool (*after_held)(std::string_view)) {
  std::string out;
  out.reserve(text.size() + 8);
  std::string_view held;
  bool holding = false;
  LineReader reader(text);
  std::string_view line;
  while (reader.Next(line)) {
    if (line.starts_with(rapid)) {
      held = line;
      holding = true;
      continue;
    }
    if (holding && !after_held(line)) AppendLine(out, held);
    AppendLine(out, line);
    if (holding && after_held(line)) AppendLine(out, held);
    holding = false;
  }
  return out;
}

}  // namespace kovrel
