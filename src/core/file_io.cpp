// File access through stdio, mapping errno to failure numbers.
#include "core/file_io.h"

#include <cerrno>
#include <cstdint>
#include <csignal>
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

void AdviseLargePages(void* data, std::size_t size) {
#ifdef MADV_HUGEPAGE
  constexpr std::uintptr_t kLargePage = 2u << 20;
  if (size < 4 * kLargePage) return;
  // The whole large pages inside the block; the advice is only a wish.
  const auto begin = (reinterpret_cast<std::uintptr_t>(data) + kLargePage - 1) & ~(kLargePage - 1);
  const auto end = (reinterpret_cast<std::uintptr_t>(data) + size) & ~(kLargePage - 1);
  if (end > begin) ::madvise(reinterpret_cast<void*>(begin), end - begin, MADV_HUGEPAGE);
#else
  (void)data;
  (void)size;
#endif
}

std::string ReadFileBytes(const std::string& path) {
  std::error_code ec;
  if (std::filesystem::is_directory(path, ec)) Fail(FailureKind::kFileNotFound, path);
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) FailFromErrno(errno, path, true);
  // Everything is read from the descriptor opened here, never from the path
  // again: a pipe gives its bytes once.
  struct Closer {
    int fd;
    ~Closer() { ::close(fd); }
  } closer{fd};
  const auto read_some = [&](char* into, std::size_t size) -> std::size_t {
    for (;;) {
      const ssize_t got = ::read(fd, into, size);
      if (got >= 0) return static_cast<std::size_t>(got);
      if (errno != EINTR) FailFromErrno(errno, path, true);
    }
  };
  std::string bytes;
  struct stat info;
  if (::fstat(fd, &info) == 0 && S_ISREG(info.st_mode) && info.st_size > 0) {
    // A regular file: its size at once, in as few reads as it takes, into
    // memory taken in large pages where the system has them (a few faults
    // instead of one for every 4 KiB of a large file).
    bytes.reserve(static_cast<std::size_t>(info.st_size));
    AdviseLargePages(bytes.data(), bytes.capacity());
    bytes.resize(static_cast<std::size_t>(info.st_size));
    std::size_t filled = 0;
    while (filled < bytes.size()) {
      const std::size_t got = read_some(bytes.data() + filled, bytes.size() - filled);
      if (got == 0) break;  // cut short since: what is there
      filled += got;
    }
    bytes.resize(filled);
  }
  // The rest: a pipe, or a file that grew since.
  char buffer[1 << 16];
  while (const std::size_t got = read_some(buffer, sizeof buffer)) bytes.append(buffer, got);
  return bytes;
}

void WriteFileBytes(const std::string& path, std::string_view bytes) { WriteFile(path, bytes); }

void WriteFileAtomic(const std::string& path, std::string_view bytes) {
  FileWriter file(path, true);
  file.Write(bytes);
  file.Commit();
}

namespace {

// The temporary file being written, for the signal handler: a fixed buffer
// that the handler reads without allocating.
char g_open_temp[4096];
volatile std::sig_atomic_t g_has_open_temp = 0;

void NoteOpenTemp(const std::string& temp) {
  g_has_open_temp = 0;
  if (temp.size() >= sizeof g_open_temp) return;
  std::memcpy(g_open_temp, temp.c_str(), temp.size() + 1);
  g_has_open_temp = 1;
}

void RemoveOpenTempAndDie(int signal_number) {
  if (g_has_open_temp) ::unlink(g_open_temp);
  std::signal(signal_number, SIG_DFL);
  std::raise(signal_number);
}

}  // namespace

void RemoveTemporaryFileOnSignals() {
  for (const int signal_number : {SIGINT, SIGTERM, SIGHUP}) std::signal(signal_number, RemoveOpenTempAndDie);
}

FileWriter::FileWriter(std::string path, bool durable)
    : path_(std::move(path)), temp_(path_ + ".kovrel-tmp"), durable_(durable) {
  fd_ = ::open(temp_.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
  if (fd_ < 0) FailFromErrno(errno, path_, false);  // a failure names the file, never the temporary one
  NoteOpenTemp(temp_);
}

FileWriter::~FileWriter() {
  if (fd_ >= 0) {
    ::close(fd_);
    RemoveFile(temp_);
    g_has_open_temp = 0;
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
  g_has_open_temp = 0;  // from here on the temporary file is removed or in place
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
