// Program lines, decoded one at a time where they need it.
#include "wire/program_lines.h"

#include "core/cp932.h"

namespace kovrel {

bool ProgramLines::Next(std::string_view& line) {
  if (!reader_.Next(held_)) return false;
  if (cp932_ && !IsAscii(held_)) {
    decoded_ = DecodeCp932(held_);
    line = decoded_;
  } else {
    line = held_;
  }
  return true;
}

}  // namespace kovrel
