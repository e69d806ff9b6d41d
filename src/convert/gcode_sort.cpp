// Grouping and tidying of G-code.
#include "convert/gcode_sort.h"

#include <unordered_map>
#include <vector>

#include "convert/rapid_moves.h"
#include "core/append.h"
#include "core/text_reader.h"

namespace kovrel {

ConversionResult GroupGcode(std::string_view gcode, TextOutput& output) {
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

  // The motion items of each group (those before the first selection, then
  // each selection's) in input order, by counting: group g holds
  // order[ends[g - 1], ends[g]).
  const std::size_t group_count = selections.size() + 1;
  std::vector<std::size_t> ends(group_count, 0);
  for (const Motion& motion : motions) ++ends[static_cast<std::size_t>(motion.selection + 1)];
  for (std::size_t g = 1; g < group_count; ++g) ends[g] += ends[g - 1];
  std::vector<std::size_t> order(motions.size());
  {
    std::vector<std::size_t> next(group_count, 0);
    for (std::size_t g = 1; g < group_count; ++g) next[g] = ends[g - 1];
    for (std::size_t k = 0; k < motions.size(); ++k) order[next[static_cast<std::size_t>(motions[k].selection + 1)]++] = k;
  }
  std::string& out = output.text;
  const auto write_group = [&](std::size_t g) {
    bool first_rapid = true;
    for (std::size_t at = g == 0 ? 0 : ends[g - 1]; at < ends[g]; ++at) {
      const std::size_t k = order[at];
      const std::string_view text = motions[k].text;
      if (HasLetter(text, "G00")) {
        // A rapid move identical to the motion item just before it is left
        // out, unless it is the group's first rapid move.
        if (!first_rapid && k > 0 && motions[k - 1].text == text) continue;
        first_rapid = false;
      }
      AppendLine(out, text);
      output.Pass();
    }
  };
  write_group(0);
  for (std::size_t s = 0; s < selections.size(); ++s) {
    AppendLine(out, selections[s]);
    write_group(s + 1);
  }
  return ConversionResult();
}

ConversionResult GroupGcode(std::string_view gcode) {
  TextOutput out;
  out.text.reserve(gcode.size() + 16);
  ConversionResult result = GroupGcode(gcode, out);
  if (!result.nothing_to_convert) result.text = std::move(out.text);
  return result;
}

std::string TidyRapidMoves(std::string_view gcode) {
  // A rapid move goes past one line that is not G-code (a comment, an M
  // code) and lands after it.
  return CollapseRapidMoves(gcode, "G00X", [](std::string_view line) { return !line.starts_with("G"); });
}

}  // namespace kovrel
