// Grouping and tidying of G-code.
#include "convert/gcode_sort.h"

#include <unordered_map>
#include <vector>

#include "convert/rapid_moves.h"
#include "core/append.h"
#include "core/text_reader.h"

namespace kovrel {

ConversionResult GroupGcode(std::string_view gcode) {
  // Views into `gcode`: no copy of an item.
  struct Motion {
    std::string_view text;
    int selection;  // index into the selection list; -1 before the first
  };
  std::vector<std::string_view> selections;
  std::unordered_map<std::string_view, int> selection_index;
  std::vector<Motion> motions;
  int current = -1;
  ItemReader reader(gcode);
  std::string_view item;
  while (reader.Next(item)) {
    if (IsMotionItem(item)) {
      motions.push_back({item, current});
      continue;
    }
    const auto [it, added] = selection_index.emplace(item, static_cast<int>(selections.size()));
    if (added) selections.push_back(item);
    current = it->second;
  }
  if (motions.empty()) return ConversionResult::NothingToConvert();

  // Motion items of each selection, in input order.
  std::vector<std::vector<std::size_t>> groups(selections.size() + 1);
  for (std::size_t k = 0; k < motions.size(); ++k) groups[static_cast<std::size_t>(motions[k].selection + 1)].push_back(k);
  std::string out;
  out.reserve(gcode.size() + 16);
  const auto write_group = [&](const std::vector<std::size_t>& group) {
    bool first_rapid = true;
    for (const std::size_t k : group) {
      const std::string_view text = motions[k].text;
      if (HasLetter(text, "G00")) {
        // A rapid move identical to the motion item just before it is left
        // out, unless it is the group's first rapid move.
        if (!first_rapid && k > 0 && motions[k - 1].text == text) continue;
        first_rapid = false;
      }
      AppendLine(out, text);
    }
  };
  write_group(groups[0]);
  for (std::size_t s = 0; s < selections.size(); ++s) {
    AppendLine(out, selections[s]);
    write_group(groups[s + 1]);
  }
  return ConversionResult(std::move(out));
}

std::string TidyRapidMoves(std::string_view gcode) {
  // A rapid move goes past one line that is not G-code (a comment, an M
  // code) and lands after it.
  return CollapseRapidMoves(gcode, "G00X", [](std::string_view line) { return !line.starts_with("G"); });
}

}  // namespace kovrel
