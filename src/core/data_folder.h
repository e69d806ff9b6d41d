// The per-user folders of the program: ProgDir (the data folder holding the
// work files, conversion tables, pictures and macros), SysDir (the export
// folder handed to external programs) and WinDir (the configuration folder),
// and the first-use seeding of ProgDir from the shipped data.
#pragma once

#include <functional>
#include <optional>
#include <string>

namespace kovrel {

struct EditModule;

/// Looks up an environment variable; std::nullopt when unset.
using EnvLookup = std::function<std::optional<std::string>(const char* name)>;

/// The process environment.
EnvLookup ProcessEnvironment();

/// `$KOVREL_HOME`, else `$XDG_DATA_HOME/kovrel/`, else
/// `$HOME/.local/share/kovrel/`; always ending in "/".
std::string ResolveProgDir(const EnvLookup& env);

/// `$XDG_CACHE_HOME/kovrel/export/`, else `$HOME/.cache/kovrel/export/`.
std::string ResolveSysDir(const EnvLookup& env);

/// `$XDG_CONFIG_HOME/kovrel/`, else `$HOME/.config/kovrel/`.
std::string ResolveWinDir(const EnvLookup& env);

/// The folder of the shipped data: `$KOVREL_DATA` when set, else
/// `share/kovrel` beside the installed program (`exe_dir/../share/kovrel`),
/// else the source tree's `data/` the program was built from.
std::string FindShippedData(const EnvLookup& env, const std::string& exe_dir);

/// Copies every shipped file that `prog_dir` does not have yet (keeping the
/// folder structure); files already there are the user's and stay. Creates
/// `prog_dir` when needed. Throws Failure when the folder cannot be made.
void SeedDataFolder(const std::string& shipped_dir, const std::string& prog_dir);

/// Fills ProgDir, SysDir and WinDir of `module`, creates ProgDir and SysDir
/// and seeds ProgDir from the shipped data.
void PrepareFolders(EditModule& module, const EnvLookup& env, const std::string& exe_dir);

}  // namespace kovrel
