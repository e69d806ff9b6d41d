// A long G-code program of all four motion words, with a layer line now
// and then, for the tests that compare a conversion written as it goes
// with the same conversion gathered whole (past a chunk of output).
#pragma once

#include <string>

#include "core/append.h"

namespace kovrel::testing_support {

inline std::string MotionProgram(int moves, int layer_every) {
  std::string program;
  for (int n = 0; n < moves; ++n) {
    if (n % layer_every == 0) AppendLine(program, "D1", std::to_string(n / layer_every));
    Append(program, "G0", std::to_string(n % 4), "X", std::to_string(n % 301), ".5Y", std::to_string(n % 97));
    if (n % 4 >= 2) program += n % 8 >= 6 ? "I0J0" : "I1.5J-2";
    program += "\r\n";
  }
  return program;
}

}  // namespace kovrel::testing_support
