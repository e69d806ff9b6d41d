// Hexadecimal dumps and the first difference of two byte strings.
#include "texttools/file_compare.h"

#include <algorithm>
#include <cstring>

#include "core/append.h"
#include "core/file_io.h"

namespace kovrel {

std::string HexDump(std::string_view bytes) {
  static constexpr char kDigits[] = "0123456789ABCDEF";
  std::string dump(bytes.size() * 3, ' ');
  char* out = dump.data();
  for (const char c : bytes) {
    const auto b = static_cast<unsigned char>(c);
    out[0] = kDigits[b >> 4];
    out[1] = kDigits[b & 15];
    out += 3;
  }
  return dump;
}

std::optional<std::size_t> FirstDifference(std::string_view a, std::string_view b) {
  const std::size_t common = std::min(a.size(), b.size());
  // Whole blocks by memcmp, then the block that differs byte by byte.
  constexpr std::size_t kBlock = 4096;
  std::size_t at = 0;
  while (at + kBlock <= common && std::memcmp(a.data() + at, b.data() + at, kBlock) == 0) at += kBlock;
  while (at < common && a[at] == b[at]) ++at;
  if (at < common || a.size() != b.size()) return at;
  return std::nullopt;
}

std::optional<std::size_t> MarkedOffset(std::size_t offset, std::size_t source_size, std::size_t target_size) {
  if (source_size == 0) return std::nullopt;
  if (offset == source_size && target_size > source_size) return source_size - 1;
  return offset;
}

ComparedFile PrepareComparedFile(std::string_view prog_dir, int side, const std::string& path) {
  ComparedFile file;
  file.bytes = ReadFileBytes(path);
  file.dump = HexDump(file.bytes);
  const std::string number = std::to_string(side);
  WriteFileBytes(WorkPath(prog_dir, Joined("bak", number)), file.bytes);
  WriteFileBytes(WorkPath(prog_dir, Joined("bak1", number)), file.dump);
  return file;
}

}  // namespace kovrel
