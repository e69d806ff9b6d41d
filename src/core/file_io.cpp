// File access through stdio, mapping errno to failure numbers.
#include "core/file_io.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <memory>

#include <sys/stat.h>
#include <unistd.h>

#include "core/failure.h"

namespace kovrel {
namespace {

struct FileCloser {
  void operator()(std::FILE* file) const { std::fclose(file); }
};
using File = std::unique_ptr<std::FILE, FileCloser>;

[[noreturn]] void FailFromErrno(int error, const std::string& path, bool reading) {
  switch (error) {
    case ENOENT: Fail(reading ? FailureKind::kFileNotFound : FailureKind::kPathNotFound, path);
    case ENOTDIR: Fail(FailureKind::kPathNotFound, path);
    case EACCES:
    case EPERM:
    case EROFS:
    case EISDIR: Fail(FailureKind::kPermissionDenied, path);
    case ENOSPC:
    case EDQUOT:
    case EFBIG: Fail(FailureKind::kDiskFull, path);
    case ENOMEM: Fail(FailureKind::kOutOfMemory, path);
    default: Fail(FailureKind::kPermissionDenied, path + " (" + std::strerror(error) + ")");
  }
}

// Writes `bytes` to `path`; with `sync` the data reaches the disk before
// the file is closed. A failure names `shown`, the file the user knows.
void WriteFile(const std::string& path, std::string_view bytes, bool sync, const std::string& shown) {
  File file(std::fopen(path.c_str(), "wb"));
  if (!file) FailFromErrno(errno, shown, false);
  if (std::fwrite(bytes.data(), 1, bytes.size(), file.get()) != bytes.size() || std::fflush(file.get()) != 0 ||
      (sync && ::fsync(::fileno(file.get())) != 0)) {
    FailFromErrno(errno, shown, false);
  }
  if (std::fclose(file.release()) != 0) FailFromErrno(errno, shown, false);
}

}  // namespace

std::string ReadFileBytes(const std::string& path) {
  std::error_code ec;
  if (std::filesystem::is_directory(path, ec)) Fail(FailureKind::kFileNotFound, path);
  File file(std::fopen(path.c_str(), "rb"));
  if (!file) FailFromErrno(errno, path, true);
  std::string bytes;
  if (const auto size = std::filesystem::file_size(path, ec); !ec) bytes.reserve(size);
  char buffer[1 << 16];
  std::size_t got;
  while ((got = std::fread(buffer, 1, sizeof buffer, file.get())) > 0) bytes.append(buffer, got);
  if (std::ferror(file.get())) FailFromErrno(errno, path, true);
  return bytes;
}

void WriteFileBytes(const std::string& path, std::string_view bytes) { WriteFile(path, bytes, false, path); }

void WriteFileAtomic(const std::string& path, std::string_view bytes) {
  const std::string temp = path + ".kovrel-tmp";
  try {
    WriteFile(temp, bytes, true, path);  // a failure names the file, never the temporary one
    struct stat original;
    if (::stat(path.c_str(), &original) == 0) ::chmod(temp.c_str(), original.st_mode & 07777);
  } catch (...) {
    RemoveFile(temp);
    throw;
  }
  if (std::rename(temp.c_str(), path.c_str()) != 0) {
    const int error = errno;
    RemoveFile(temp);
    FailFromErrno(error, path, false);
  }
}

std::string FileNameProblem(std::string_view name) {
  if (name.empty()) return "ファイル名を入力してください。";
  if (name.find_first_of(std::string_view("/\\\0", 3)) != std::string_view::npos ||
      name.find("..") != std::string_view::npos) {
    return std::string("ファイル名だけを入力してください（フォルダーの区切り / \\ や .. は使えません）: ").append(name);
  }
  return {};
}

void MakeFolders(const std::string& path) {
  std::error_code ec;
  std::filesystem::create_directories(path, ec);
  if (ec || !std::filesystem::is_directory(path)) Fail(FailureKind::kPathNotFound, path);
}

void RemoveFile(const std::string& path) { std::remove(path.c_str()); }

bool FileExists(const std::string& path) {
  std::error_code ec;
  return std::filesystem::is_regular_file(path, ec);
}

std::string WorkPath(std::string_view folder, std::string_view name) {
  std::string path(folder);
  if (path.empty() || path.back() != '/') path += '/';
  while (!name.empty() && (name.front() == '\\' || name.front() == '/')) name.remove_prefix(1);
  for (const char c : name) path += c == '\\' ? '/' : c;
  return path;
}

}  // namespace kovrel
