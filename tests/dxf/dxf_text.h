// Small DXF drawings written group by group for the reader tests.
#pragma once

#include <string>
#include <utility>
#include <vector>

namespace kovrel::testing_support {

using Groups = std::vector<std::pair<int, std::string>>;

/// The groups as lines (code, value), each ended by `end`.
inline std::string GroupText(const Groups& groups, const std::string& end = "\n") {
  std::string text;
  for (const auto& [code, value] : groups) text += std::to_string(code) + end + value + end;
  return text;
}

/// A drawing with an optional header and the ENTITIES section holding
/// `entities`, ended by ENDSEC and EOF.
inline std::string Drawing(const Groups& entities, const Groups& header = {}, const std::string& end = "\n") {
  Groups all;
  if (!header.empty()) {
    all.insert(all.end(), {{0, "SECTION"}, {2, "HEADER"}});
    all.insert(all.end(), header.begin(), header.end());
    all.push_back({0, "ENDSEC"});
  }
  all.insert(all.end(), {{0, "SECTION"}, {2, "ENTITIES"}});
  all.insert(all.end(), entities.begin(), entities.end());
  all.insert(all.end(), {{0, "ENDSEC"}, {0, "EOF"}});
  return GroupText(all, end);
}

}  // namespace kovrel::testing_support

namespace kovrel::testing_support {

/// The entity records of a drawing written by the program, with LF line
/// ends for short expectations: what stands between the ENTITIES group and
/// the section's end.
inline std::string EntitiesOf(const std::string& dxf) {
  const std::string start = "  2\r\nENTITIES\r\n";
  const std::size_t from = dxf.find(start);
  const std::size_t to = dxf.rfind("  0\r\nENDSEC\r\n");
  if (from == std::string::npos || to == std::string::npos || to < from + start.size()) return "<no ENTITIES>";
  std::string records = dxf.substr(from + start.size(), to - from - start.size());
  std::string lf;
  for (const char c : records) {
    if (c != '\r') lf += c;
  }
  return lf;
}

/// The layer table's records (from its first LAYER to its ENDTAB), LF ends.
inline std::string LayersOf(const std::string& dxf) {
  const std::size_t from = dxf.find("  2\r\nLAYER\r\n");
  const std::size_t to = dxf.find("  0\r\nENDTAB\r\n", from);
  if (from == std::string::npos || to == std::string::npos) return "<no LAYER table>";
  std::string lf;
  for (const char c : dxf.substr(from, to - from)) {
    if (c != '\r') lf += c;
  }
  return lf;
}

}  // namespace kovrel::testing_support
