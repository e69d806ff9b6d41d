// Running a piece of a test bound to one processor: the work that is split
// between two processors then runs in one pass, to compare the two.
#pragma once

#include <gtest/gtest.h>
#include <sched.h>

namespace kovrel::testing_support {

/// Runs `body` bound to the first processor the test may use, then gives
/// the test its processors back.
template <typename Body>
void OnOneProcessor(Body&& body) {
  cpu_set_t had;
  ASSERT_EQ(sched_getaffinity(0, sizeof had, &had), 0);
  cpu_set_t one;
  CPU_ZERO(&one);
  for (int cpu = 0; cpu < CPU_SETSIZE; ++cpu) {
    if (CPU_ISSET(cpu, &had)) {
      CPU_SET(cpu, &one);
      break;
    }
  }
  ASSERT_EQ(sched_setaffinity(0, sizeof one, &one), 0);
  body();
  ASSERT_EQ(sched_setaffinity(0, sizeof had, &had), 0);
}

}  // namespace kovrel::testing_support
