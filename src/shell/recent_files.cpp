// The recent-file list.
#include "shell/recent_files.h"

#include "core/append.h"
#include "core/settings_store.h"
#include "shell/startup.h"
#include "core/utf8.h"

namespace kovrel {
namespace {

constexpr std::string_view kSection = kShellSection;

std::string FileKey(int number) { return "File" + std::to_string(number); }

}  // namespace

RecentFiles ReadRecentFiles(const SettingsStore& store) {
  RecentFiles files;
  for (int k = 0; k < kRecentCount; ++k) files[static_cast<std::size_t>(k)] = GetSetting(store, kSection, FileKey(k + 1), "");
  return files;
}

RecentFiles UpdateRecentFiles(SettingsStore& store, const RecentFiles& current, const std::string& path) {
  int found = kRecentCount;
  for (int k = 0; k < kRecentCount; ++k) {
    if (current[static_cast<std::size_t>(k)] == path) {
      found = k;
      break;
    }
  }
  SaveSetting(store, kSection, FileKey(1), path);
  for (int j = 1; j < kRecentCount; ++j) {
    if (found >= j) SaveSetting(store, kSection, FileKey(j + 1), current[static_cast<std::size_t>(j - 1)]);
  }
  return ReadRecentFiles(store);
}

std::string RecentCaption(int index, std::string_view path) {
  constexpr std::size_t kShown = 30;
  const std::size_t count = CountCodePoints(path);
  std::size_t start = 0;
  for (std::size_t skip = count > kShown ? count - kShown : 0; skip > 0; --skip) NextCodePoint(path, start);
  std::string shown(path.substr(start));
  if (start > 0 && path[start - 1] != '/') {
    // A cut path starts at a folder, never inside a name.
    const std::size_t slash = shown.find('/');
    if (slash != std::string::npos && slash + 1 < shown.size()) shown = Joined("…", shown.substr(slash));
  }
  return Joined("&", std::to_string(index + 1), " ", shown);
}

std::string BareFileName(std::string_view path) {
  const std::size_t slash = path.find_last_of("/\\");
  return std::string(slash == std::string_view::npos ? path : path.substr(slash + 1));
}

}  // namespace kovrel
