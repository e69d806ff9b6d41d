// Resolution, creation and seeding of the per-user folders.
#include "core/data_folder.h"

#include <cstdlib>
#include <filesystem>
#include <system_error>

#include "core/edit_module.h"
#include "core/failure.h"
#include "core/file_io.h"

#ifndef KOVREL_SOURCE_DATA_DIR
#define KOVREL_SOURCE_DATA_DIR ""
#endif

namespace kovrel {
namespace fs = std::filesystem;
namespace {

std::string WithSlash(std::string path) {
  if (path.empty() || path.back() != '/') path += '/';
  return path;
}

// `$variable/suffix`, else `$HOME/fallback/suffix`, else a folder under /tmp.
std::string UserFolder(const EnvLookup& env, const char* variable, const char* fallback, const char* suffix) {
  if (auto value = env(variable); value && !value->empty() && value->front() == '/') {
    return WithSlash(*value) + suffix;
  }
  if (auto home = env("HOME"); home && !home->empty()) return WithSlash(*home) + fallback + "/" + suffix;
  return std::string("/tmp/kovrel-") + fallback + "/" + suffix;
}

}  // namespace

EnvLookup ProcessEnvironment() {
  return [](const char* name) -> std::optional<std::string> {
    const char* value = std::getenv(name);
    if (value == nullptr) return std::nullopt;
    return std::string(value);
  };
}

std::string ResolveProgDir(const EnvLookup& env) {
  if (auto home = env("KOVREL_HOME"); home && !home->empty()) return WithSlash(*home);
  return UserFolder(env, "XDG_DATA_HOME", ".local/share", "kovrel/");
}

std::string ResolveSysDir(const EnvLookup& env) { return UserFolder(env, "XDG_CACHE_HOME", ".cache", "kovrel/export/"); }

std::string ResolveWinDir(const EnvLookup& env) { return UserFolder(env, "XDG_CONFIG_HOME", ".config", "kovrel/"); }

std::string FindShippedData(const EnvLookup& env, const std::string& exe_dir) {
  if (auto data = env("KOVREL_DATA"); data && !data->empty()) return WithSlash(*data);
  std::error_code ec;
  if (!exe_dir.empty()) {
    const fs::path installed = fs::path(exe_dir) / ".." / "share" / "kovrel";
    if (fs::is_directory(installed, ec)) return WithSlash(fs::weakly_canonical(installed, ec).string());
  }
  return WithSlash(KOVREL_SOURCE_DATA_DIR);
}

void SeedDataFolder(const std::string& shipped_dir, const std::string& prog_dir) {
  MakeFolders(prog_dir);
  std::error_code ec;
  if (shipped_dir.empty() || !fs::is_directory(shipped_dir, ec)) return;
  for (auto it = fs::recursive_directory_iterator(shipped_dir, ec); !ec && it != fs::recursive_directory_iterator();
       it.increment(ec)) {
    const fs::path relative = fs::relative(it->path(), shipped_dir, ec);
    if (ec) break;
    const fs::path target = fs::path(prog_dir) / relative;
    if (it->is_directory(ec)) {
      fs::create_directories(target, ec);
    } else if (it->is_regular_file(ec) && !fs::exists(target, ec)) {
      fs::copy_file(it->path(), target, fs::copy_options::skip_existing, ec);
    }
    ec.clear();
  }
}

void PrepareFolders(EditModule& module, const EnvLookup& env, const std::string& exe_dir) {
  module.ProgDir = ResolveProgDir(env);
  module.SysDir = ResolveSysDir(env);
  module.WinDir = ResolveWinDir(env);
  SeedDataFolder(FindShippedData(env, exe_dir), module.ProgDir);
  MakeFolders(module.SysDir);
}

}  // namespace kovrel
