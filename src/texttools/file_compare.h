// File comparison: the byte copies of the two compared files in ProgDir
// ("bak0", "bak1") with their hexadecimal dumps ("bak10", "bak11": two
// upper-case digits and one blank per byte, no line breaks), and the first
// difference of two texts.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace kovrel {

/// "41 42 0D " for "AB\r": 3 characters a byte.
std::string HexDump(std::string_view bytes);

/// The offset of the first byte where `a` and `b` differ; when one is the
/// start of the other, the length of the shorter one; std::nullopt when
/// they are equal.
std::optional<std::size_t> FirstDifference(std::string_view a, std::string_view b);

/// Where the comparison window marks a difference found at `offset` of a
/// source of `source_size` and a target of `target_size` characters: the
/// offset itself, except that a target going on beyond the end of the
/// source is marked at the source's last character; std::nullopt when the
/// source is empty (there is nothing to mark).
std::optional<std::size_t> MarkedOffset(std::size_t offset, std::size_t source_size, std::size_t target_size);

/// One compared file: its bytes and their dump.
struct ComparedFile {
  std::string bytes;
  std::string dump;
};

/// Reads the file at `path`, writes its copy to `prog_dir` + "bak" + side
/// and its dump to `prog_dir` + "bak1" + side (side 0 or 1), and returns
/// both. Throws Failure; the caller keeps its previous file then.
ComparedFile PrepareComparedFile(std::string_view prog_dir, int side, const std::string& path);

}  // namespace kovrel
