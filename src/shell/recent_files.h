// The list of the five most recent files (settings File1 to File5), its
// update when a file is opened, and the captions of its menu items.
#pragma once

#include <array>
#include <string>
#include <string_view>

namespace kovrel {

class SettingsStore;

inline constexpr int kRecentCount = 5;
using RecentFiles = std::array<std::string, kRecentCount>;

/// File1 to File5 of section Kovrel.
RecentFiles ReadRecentFiles(const SettingsStore& store);

/// The update after a file was opened: `path` becomes entry 0; when it was
/// listed at k, the entries before k move down one and those after k stay;
/// when it was not listed, the oldest entry falls off. Writes File1 to
/// File5 and returns the list as read back.
RecentFiles UpdateRecentFiles(SettingsStore& store, const RecentFiles& current, const std::string& path);

/// The menu caption of entry `index` (0-4): "&1 " ... "&5 " followed by the
/// last 30 characters of the path (the whole path when shorter); a path cut
/// short starts at its first separator within them, after "…".
std::string RecentCaption(int index, std::string_view path);

/// The part of `path` after its last separator (the whole path if none).
std::string BareFileName(std::string_view path);

}  // namespace kovrel
