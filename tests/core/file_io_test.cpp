// File access failures and work-file paths.
#include "core/file_io.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <cstdio>
#include <filesystem>
#include <thread>

#include "core/failure.h"
#include "support/temp_folder.h"

namespace kovrel {
namespace {

using testing_support::TempFolder;

int FailureNumber(const std::function<void()>& action) {
  try {
    action();
  } catch (const Failure& failure) {
    return failure.number();
  }
  return 0;
}

TEST(FileIo, FailuresCarryTheirFixedNumbers) {
  TempFolder folder;
  EXPECT_EQ(FailureNumber([&] { ReadFileBytes(folder / "none.nc"); }), 53);
  EXPECT_EQ(FailureNumber([&] { ReadFileBytes(folder.path()); }), 53);
  EXPECT_EQ(FailureNumber([&] { WriteFileBytes(folder / "no/such/x.nc", "A"); }), 76);
  EXPECT_EQ(FailureNumber([&] { WriteFileAtomic(folder / "no/x.nc", "A"); }), 76);
  if (::geteuid() != 0) {
    ::chmod(folder.path().c_str(), 0500);
    EXPECT_EQ(FailureNumber([&] { WriteFileBytes(folder / "x.nc", "A"); }), 70);
    EXPECT_EQ(FailureNumber([&] { WriteFileAtomic(folder / "x.nc", "A"); }), 70);
    ::chmod(folder.path().c_str(), 0700);
  }
}

TEST(FileIo, AFailedAtomicWriteNamesTheFileNotItsTemporary) {
  TempFolder folder;
  try {
    WriteFileAtomic(folder / "no/x.nc", "A");
    FAIL();
  } catch (const Failure& failure) {
    EXPECT_EQ(failure.description(), "パスが見つかりません: " + folder / "no/x.nc");
  }
}

TEST(FileIo, AtomicWriteReplacesTheWholeFileAndKeepsItsMode) {
  TempFolder folder;
  const std::string path = folder / "prog.nc";
  WriteFileBytes(path, "old text");
  ::chmod(path.c_str(), 0640);
  WriteFileAtomic(path, std::string("new\0text", 8));
  EXPECT_EQ(ReadFileBytes(path), std::string("new\0text", 8));
  struct stat info;
  ASSERT_EQ(::stat(path.c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 0777, 0640u);
  EXPECT_FALSE(FileExists(path + ".kovrel-tmp"));
}

TEST(FileIo, InputIsTheProgramsOwnAndAPipeIsReadOnce) {
  TempFolder folder;
  const std::string path = folder / "program.nc";
  const std::string program(300000, 'X');
  WriteFileBytes(path, program);
  // Another program cuts the file short while it is being converted.
  const std::string input = ReadFileBytes(path);
  std::filesystem::resize_file(path, 0);
  EXPECT_EQ(input, program);

  // A named pipe: every byte its writer sends, read from the one opening.
  const std::string fifo = folder / "pipe";
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  std::thread writer([&] {
    std::FILE* out = std::fopen(fifo.c_str(), "wb");
    for (int k = 0; k < 20; ++k) std::fwrite(program.data(), 1, program.size(), out);
    std::fclose(out);
  });
  const std::string piped = ReadFileBytes(fifo);
  writer.join();
  EXPECT_EQ(piped.size(), 20 * program.size());
}

TEST(WorkPath, DoubledAndBackslashSeparatorsResolveToTheSameFile) {
  EXPECT_EQ(WorkPath("/home/u/kovrel/", "BAK.DAT"), "/home/u/kovrel/BAK.DAT");
  EXPECT_EQ(WorkPath("/home/u/kovrel/", "\\BAK.DAT"), "/home/u/kovrel/BAK.DAT");
  EXPECT_EQ(WorkPath("/home/u/kovrel", "/BAK.DAT"), "/home/u/kovrel/BAK.DAT");
  EXPECT_EQ(WorkPath("/home/u/kovrel/", "apt\\A.APT"), "/home/u/kovrel/apt/A.APT");
}

}  // namespace
}  // namespace kovrel
