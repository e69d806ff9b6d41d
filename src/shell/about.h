// What the read-me and version windows show: the version text and the
// read-me of the program, which describes every command in Japanese.
#pragma once

#include <string>
#include <string_view>

namespace kovrel {

/// "VER " + major + "." + minor + "." + revision with two digits ("05").
std::string VersionText(int major, int minor, int revision);

/// The version text of this build.
std::string ProgramVersionText();

/// The read-me text (lines end in LF).
std::string_view ReadMeText();

}  // namespace kovrel
