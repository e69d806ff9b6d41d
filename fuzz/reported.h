// Runs a reader on fuzzed input: bad input must end in a reported failure,
// never in a crash, so a Failure is all it may throw.
#pragma once

#include "core/failure.h"

namespace kovrel::fuzz {

template <typename Run>
void Guarded(Run run) {
  try {
    run();
  } catch (const Failure&) {
  }
}

}  // namespace kovrel::fuzz
