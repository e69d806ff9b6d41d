// Block splitting of drill and Gerber data.
#include "core/nc_blocks.h"

namespace kovrel {

std::string DetectBlockSeparator(std::string_view text) {
  const std::size_t at = text.find_first_of("*\n\r");
  return at == std::string_view::npos ? std::string() : std::string(1, text[at]);
}

std::string SplitBlocks(std::string_view text, std::string_view separator, bool drop_parameters) {
  std::string blocks;
  // A separator CR of CR LF input gives CR LF, a "*" before CR LF a CR LF
  // and nothing for the CR LF: at most two bytes for one.
  blocks.reserve(text.size() * 2 + 2);
  const bool has_separator = !separator.empty();
  const char end = has_separator ? separator.front() : '\0';
  bool parameters = false;
  for (const char c : text) {
    if (drop_parameters && c == '%') {
      parameters = !parameters;
    } else if (parameters) {
      continue;
    } else if (has_separator && c == end) {
      blocks += "\r\n";
    } else if (c != ',' && c != '\n' && c != '\r' && c != '*') {
      blocks += c;
    }
  }
  blocks += "\r\n";
  return blocks;
}

}  // namespace kovrel
