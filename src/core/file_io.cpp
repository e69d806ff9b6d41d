// File access through stdio, mapping errno to failure numbers.
#include "core/file_io.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <memory>
#include <utility>

#include <fcntl.h>
#include <sys/mman.h>
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

// Writes `bytes` to `path`.
void WriteFile(const std::string& path, std::string_view bytes) {
  File file(std::fopen(path.c_str(), "wb"));
  if (!file) FailFromErrno(errno, path, false);
  if (std::fwrite(bytes.data(), 1, bytes.size(), file.get()) != bytes.size() || std::fflush(file.get()) != 0) {
    FailFromErrno(errno, path, false);
  }
  if (std::fclose(file.release()) != 0) FailFromErrno(errno, path, false);
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

void WriteFileBytes(const std::string& path, std::string_view bytes) { WriteFile(path, bytes); }

void WriteFileAtomic(const std::string& path, std::string_view bytes) {
  FileWriter file(path, true);
  file.Write(bytes);
  file.Commit();
}

InputFile InputFile::Open(const std::string& path) {
  std::error_code ec;
  if (std::filesystem::is_directory(path, ec)) Fail(FailureKind::kFileNotFound, path);
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) FailFromErrno(errno, path, true);
  struct stat info;
  if (::fstat(fd, &info) == 0 && S_ISREG(info.st_mode) && info.st_size > 0) {
    const auto size = static_cast<std::size_t>(info.st_size);
    // Every page is read: map them all at once rather than a fault at a time.
    void* map = ::mmap(nullptr, size, PROT_READ, MAP_PRIVATE | MAP_POPULATE, fd, 0);
    if (map != MAP_FAILED) {
      ::close(fd);
      InputFile file;
      file.map_ = map;
      file.map_size_ = size;
      file.view_ = std::string_view(static_cast<const char*>(map), size);
      return file;
    }
  }
  ::close(fd);
  return Holding(ReadFileBytes(path));  // a pipe, an empty file, or no mapping
}

InputFile InputFile::Holding(std::string bytes) {
  InputFile file;
  file.read_ = std::move(bytes);
  file.view_ = file.read_;
  return file;
}

InputFile::InputFile(InputFile&& other) noexcept
    : map_(std::exchange(other.map_, nullptr)), map_size_(std::exchange(other.map_size_, 0)) {
  const bool held = other.view_.data() == other.read_.data();
  read_ = std::move(other.read_);
  view_ = held ? std::string_view(read_) : other.view_;
  other.view_ = {};
}

InputFile::~InputFile() { Release(); }

void InputFile::Release() {
  if (map_ != nullptr) ::munmap(map_, map_size_);
  map_ = nullptr;
  map_size_ = 0;
  std::string().swap(read_);
  view_ = {};
}

FileWriter::FileWriter(std::string path, bool durable)
    : path_(std::move(path)), temp_(path_ + ".kovrel-tmp"), durable_(durable) {
  fd_ = ::open(temp_.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
  if (fd_ < 0) FailFromErrno(errno, path_, false);  // a failure names the file, never the temporary one
}

FileWriter::~FileWriter() {
  if (fd_ >= 0) {
    ::close(fd_);
    RemoveFile(temp_);
  }
}

void FileWriter::Write(std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t done = ::write(fd_, bytes.data(), bytes.size());
    if (done < 0) {
      if (errno == EINTR) continue;
      FailFromErrno(errno, path_, false);
    }
    bytes.remove_prefix(static_cast<std::size_t>(done));
    written_ += static_cast<std::uint64_t>(done);
  }
#ifdef SYNC_FILE_RANGE_WRITE
  // Start the disk writes of every full 8 MiB behind us, so that Commit's
  // wait for the disk overlaps the conversion instead of following it.
  constexpr std::uint64_t kHandOver = 8 << 20;
  if (durable_ && written_ - handed_ >= kHandOver) {
    ::sync_file_range(fd_, static_cast<off_t>(handed_), static_cast<off_t>(written_ - handed_), SYNC_FILE_RANGE_WRITE);
    handed_ = written_;
  }
#endif
}

void FileWriter::Commit() {
  if ((durable_ && ::fsync(fd_) != 0) || ::close(std::exchange(fd_, -1)) != 0) {
    const int error = errno;
    RemoveFile(temp_);
    FailFromErrno(error, path_, false);
  }
  struct stat original;
  if (::stat(path_.c_str(), &original) == 0) ::chmod(temp_.c_str(), original.st_mode & 07777);
  if (std::rename(temp_.c_str(), path_.c_str()) != 0) {
    const int error = errno;
    RemoveFile(temp_);
    FailFromErrno(error, path_, false);
  }
}

std::string FileWriter::Written() const { return fd_ >= 0 ? ReadFileBytes(temp_) : std::string(); }

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
