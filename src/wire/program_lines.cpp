// Program lines, decoded one at a time where they need it.
#include "wire/program_lines.h"

#include <cstdint>
#include <cstring>

#include "core/cp932.h"

namespace kovrel {

namespace {

// True when one of the eight bytes of `word` is zero.
constexpr bool HasZeroByte(std::uint64_t word) {
  return ((word - 0x0101010101010101ULL) & ~word & 0x8080808080808080ULL) != 0;
}

}  // namespace

bool ProgramLines::NextBytes() {
  const char* const bytes = program_.data();
  const std::size_t size = program_.size();
  // Eight bytes at a time while they hold no line end and no high byte
  // (most lines are ASCII), then a byte at a time to the line's end.
  std::size_t end = pos_;
  for (; end + 8 <= size; end += 8) {
    std::uint64_t word;
    std::memcpy(&word, bytes + end, 8);
    if (HasZeroByte(word ^ 0x0D0D0D0D0D0D0D0DULL) || HasZeroByte(word ^ 0x0A0A0A0A0A0A0A0AULL) ||
        (word & 0x8080808080808080ULL) != 0) {
      break;
    }
  }
  unsigned high = 0;
  for (; end < size && bytes[end] != '\r' && bytes[end] != '\n'; ++end) high |= static_cast<unsigned char>(bytes[end]);
  held_ = program_.substr(pos_, end - pos_);
  pos_ = end + 1;
  if (end < size && bytes[end] == '\r' && pos_ < size && bytes[pos_] == '\n') ++pos_;
  return high < 0x80;
}

bool ProgramLines::Next(std::string_view& line) {
  if (!cp932_) {
    if (!reader_.Next(held_)) return false;
    line = held_;
    return true;
  }
  if (pos_ >= program_.size()) return false;
  if (NextBytes()) {
    line = held_;
  } else {
    decoded_ = DecodeCp932(held_);
    line = decoded_;
  }
  return true;
}

}  // namespace kovrel
