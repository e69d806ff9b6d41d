// Whole-file reading and writing with the program's failure numbers
// (file not found, path not found, permission denied, disk full), and the
// paths of the work files in the data folder.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace kovrel {

/// The bytes of a file, read whole from one opening (a regular file in one
/// call of its size; a pipe to its end). They are the program's own: a file
/// cut short by another program while it is converted takes nothing away.
/// Throws Failure 53, 76 or 70.
std::string ReadFileBytes(const std::string& path);

/// Asks the system to back a large block of memory (an input or an output
/// of many megabytes) with large pages: far fewer page faults when it is
/// first touched. Does nothing for a small block or where there are none.
void AdviseLargePages(void* data, std::size_t size);

/// Replaces the file with `bytes`. Throws Failure 76, 70 or 61; a failed
/// write may leave a partial file.
void WriteFileBytes(const std::string& path, std::string_view bytes);

/// Replaces the file with `bytes` through a temporary file in the same
/// folder: afterwards the file is either the whole new content or untouched.
void WriteFileAtomic(const std::string& path, std::string_view bytes);

/// Writes a file through a temporary file in the same folder: Commit()
/// replaces the file (keeping its permissions) with everything written;
/// a writer that ends without Commit() leaves the file untouched and
/// removes the temporary one. Failures name the file, never the temporary.
class FileWriter {
 public:
  /// With `durable`, Commit() waits until the bytes are on the disk before
  /// the rename, so that the file is the whole old or the whole new content
  /// even after a crash; the bytes written so far are handed to the disk
  /// as they come, so that little is left to wait for. Throws Failure 76
  /// or 70 when the temporary file cannot be made.
  FileWriter(std::string path, bool durable);
  FileWriter(const FileWriter&) = delete;
  FileWriter& operator=(const FileWriter&) = delete;
  ~FileWriter();

  /// Appends bytes. Throws Failure 61, 70 (disk full, permission).
  void Write(std::string_view bytes);
  void Commit();
  /// The bytes written so far (read back from the temporary file).
  std::string Written() const;

 private:
  std::string path_, temp_;
  int fd_ = -1;
  bool durable_ = false;
  std::uint64_t written_ = 0, handed_ = 0;  // bytes written; handed to the disk
};
/// Has an interrupt, a termination or a hang-up remove the temporary file
/// of the FileWriter still open before the program ends (the command line:
/// a conversion stopped half way leaves no file behind).
void RemoveTemporaryFileOnSignals();

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
