// Program lines, decoded one at a time where they need it.
#include "wire/program_lines.h"

#include <cstdint>

#include "core/byte_scan.h"
#include "core/cp932.h"

namespace kovrel {

bool ProgramLines::NextBytes() {
  const char* const bytes = program_.data();
  const std::size_t size = program_.size();
  // Eight bytes at a time to the first control byte up to CR (a line end,
  // or a tab: rare) or high byte (most lines are ASCII), then a byte at a
  // time to the line's end. A byte below CR + 1 sets its high bit in word -
  // (CR + 1) x ones and clears it in ~word; its borrow may mark bytes after
  // it, never one before.
  constexpr std::uint64_t kHigh = ~byte_scan::kLow7;
  std::size_t end = pos_;
  for (; end + 8 <= size; end += 8) {
    const std::uint64_t word = byte_scan::Load(bytes + end);
    const std::uint64_t marks = (((word - byte_scan::kOnes * ('\r' + 1)) & ~word) | word) & kHigh;
    if (marks != 0) {
      end += byte_scan::FirstMarked(marks);
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

bool ProgramLines::NextHeld() {
  decoded_now_ = false;
  if (!cp932_) {
    ascii_ = true;  // the text is its own
    return reader_.Next(held_);
  }
  if (pos_ >= program_.size()) return false;
  ascii_ = NextBytes();
  return true;
}

std::string_view ProgramLines::Text() {
  if (ascii_) return held_;
  if (!decoded_now_) {
    decoded_ = DecodeCp932(held_);
    decoded_now_ = true;
  }
  return decoded_;
}

bool ProgramLines::Next(std::string_view& line) {
  if (!NextHeld()) return false;
  line = Text();
  return true;
}

}  // namespace kovrel
