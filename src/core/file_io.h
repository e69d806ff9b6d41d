// Whole-file reading and writing with the program's failure numbers
// (file not found, path not found, permission denied, disk full), and the
// paths of the work files in the data folder.
#pragma once

#include <string>
#include <string_view>

namespace kovrel {

/// The bytes of a file. Throws Failure 53, 76 or 70.
std::string ReadFileBytes(const std::string& path);

/// Replaces the file with `bytes`. Throws Failure 76, 70 or 61; a failed
/// write may leave a partial file.
void WriteFileBytes(const std::string& path, std::string_view bytes);

/// Replaces the file with `bytes` through a temporary file in the same
/// folder: afterwards the file is either the whole new content or untouched.
void WriteFileAtomic(const std::string& path, std::string_view bytes);

/// Why `name`, typed by the user or read from a file, is no plain file name
/// of a folder of the program (a table, a width file, a subprogram): empty,
/// a path separator, ".." or a NUL; empty when it is fine.
std::string FileNameProblem(std::string_view name);

/// Creates a folder and the folders above it when they are missing.
/// Throws Failure 76 when it cannot be made.
void MakeFolders(const std::string& path);

/// Deletes a file if it exists; never fails.
void RemoveFile(const std::string& path);

/// True when `path` names an existing regular file.
bool FileExists(const std::string& path);

/// `folder` joined with a work-file name. The name may start with a
/// separator ("\BAK.DAT") and may use "\" inside ("apt\A.APT"); both
/// resolve to the same file as the plain name.
std::string WorkPath(std::string_view folder, std::string_view name);

}  // namespace kovrel
