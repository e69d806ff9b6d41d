// The collapsing of rapid moves shared by the HP-GL conversion and the
// G-code tidying: of a run of rapid moves only the last is kept.
#pragma once

#include <string>
#include <string_view>

namespace kovrel {

/// Line by line: a line that starts with `rapid` is held, and a later rapid
/// move replaces it; any other line writes the held move before itself,
/// except the lines `after_held` accepts, which are written first and then
/// followed by the held move. A move still held at the end is dropped.
/// Lines are written with CR LF.
std::string CollapseRapidMoves(std::string_view text, std::string_view rapid, bool (*after_held)(std::string_view));

}  // namespace kovrel
