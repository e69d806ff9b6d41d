// Speed of the text tools on a 50 MB NC program: replace all, tape code
// conversion (in memory and file to file), and the comparison of two 50 MB
// files that differ in their last byte (the command line's read and
// compare, and the comparison window's whole work: copies, dumps, pane
// files and the compare).
#include <benchmark/benchmark.h>

#include <bit>
#include <filesystem>

#include <unistd.h>

#include "core/file_io.h"
#include "nc_text.h"
#include "texttools/control_chars.h"
#include "texttools/file_compare.h"
#include "texttools/replace_all.h"
#include "texttools/tape_code.h"

namespace kovrel {
namespace {

constexpr std::size_t kSize = 50u << 20;

// Text to ISO: seven bits with even parity on track 8.
TapeTable IsoTable() {
  TapeTable table;
  for (unsigned k = 0; k < 256; ++k) {
    const unsigned low = k & 0x7F;
    table.map[k] = static_cast<std::uint8_t>(low | (std::popcount(low) % 2 == 1 ? 0x80 : 0));
  }
  return table;
}

// A folder of its own for the compared files and the work files.
class BenchFolder {
 public:
  BenchFolder() {
    std::string pattern = (std::filesystem::temp_directory_path() / "kovrel-bench-XXXXXX").string();
    path_ = ::mkdtemp(pattern.data());
    path_ += "/";
  }
  ~BenchFolder() {
    std::error_code ec;
    std::filesystem::remove_all(path_, ec);
  }
  std::string operator/(const std::string& name) const { return path_ + name; }
  const std::string& path() const { return path_; }

 private:
  std::string path_;
};

// Two 50 MB files that differ in their last byte.
void WriteComparedFiles(const BenchFolder& folder) {
  std::string text = bench::MakeNcProgram(kSize);
  WriteFileBytes(folder / "a.nc", text);
  text.back() = 'X';
  WriteFileBytes(folder / "b.nc", text);
}

void BM_ReplaceAll(benchmark::State& state) {
  const std::string text = bench::MakeNcProgram(kSize);
  for (auto _ : state) benchmark::DoNotOptimize(ReplaceAll(text, "G01", "G1"));
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(text.size()));
}
BENCHMARK(BM_ReplaceAll)->Unit(benchmark::kMillisecond);

void BM_ReplaceControlCrLf(benchmark::State& state) {
  const std::string text = bench::MakeNcProgram(kSize);
  for (auto _ : state) benchmark::DoNotOptimize(ReplaceControl(text, "\r\n", "\r"));
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(text.size()));
}
BENCHMARK(BM_ReplaceControlCrLf)->Unit(benchmark::kMillisecond);

// The byte conversion itself, as the conversion window runs it.
void BM_TapeConvert(benchmark::State& state) {
  const std::string bytes = bench::MakeNcProgram(kSize);
  const TapeTable table = IsoTable();
  for (auto _ : state) benchmark::DoNotOptimize(ConvertTape(bytes, table));
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(bytes.size()));
}
BENCHMARK(BM_TapeConvert)->Unit(benchmark::kMillisecond);

// File to file, as the command line's tape-convert runs: the source read,
// converted and written (without waiting for the disk).
void BM_TapeConvertFiles(benchmark::State& state) {
  BenchFolder folder;
  WriteFileBytes(folder / "source.nc", bench::MakeNcProgram(kSize));
  const TapeTable table = IsoTable();
  for (auto _ : state) WriteFileBytes(folder / "tape.iso", ConvertTape(ReadFileBytes(folder / "source.nc"), table));
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(kSize));
}
BENCHMARK(BM_TapeConvertFiles)->Unit(benchmark::kMillisecond);

// compare A B: both files read and compared.
void BM_CompareFiles(benchmark::State& state) {
  BenchFolder folder;
  WriteComparedFiles(folder);
  for (auto _ : state) {
    const std::string a = ReadFileBytes(folder / "a.nc");
    const std::string b = ReadFileBytes(folder / "b.nc");
    benchmark::DoNotOptimize(FirstDifference(a, b));
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(2 * kSize));
}
BENCHMARK(BM_CompareFiles)->Unit(benchmark::kMillisecond);

// The comparison window without its panes: both files copied and dumped
// into the work files, the two dumps written as the pane files and
// compared.
void BM_CompareWindowWork(benchmark::State& state) {
  BenchFolder folder;
  WriteComparedFiles(folder);
  for (auto _ : state) {
    const ComparedFile a = PrepareComparedFile(folder.path(), 0, folder / "a.nc");
    const ComparedFile b = PrepareComparedFile(folder.path(), 1, folder / "b.nc");
    WriteFileBytes(folder / "bak30", a.dump);
    WriteFileBytes(folder / "bak31", b.dump);
    benchmark::DoNotOptimize(FirstDifference(a.dump, b.dump));
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(2 * kSize));
}
BENCHMARK(BM_CompareWindowWork)->Unit(benchmark::kMillisecond);

// The comparison window's "実行" on two dumps of 50 MB files: the pane
// files written and the dumps compared.
void BM_CompareDumps(benchmark::State& state) {
  BenchFolder folder;
  std::string text = bench::MakeNcProgram(kSize);
  const std::string a = HexDump(text);
  text.back() = 'X';
  const std::string b = HexDump(text);
  for (auto _ : state) {
    WriteFileBytes(folder / "bak30", a);
    WriteFileBytes(folder / "bak31", b);
    benchmark::DoNotOptimize(FirstDifference(a, b));
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(2 * kSize));
}
BENCHMARK(BM_CompareDumps)->Unit(benchmark::kMillisecond);

void BM_HexDump(benchmark::State& state) {
  const std::string text = bench::MakeNcProgram(kSize);
  for (auto _ : state) benchmark::DoNotOptimize(HexDump(text));
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(text.size()));
}
BENCHMARK(BM_HexDump)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace kovrel
